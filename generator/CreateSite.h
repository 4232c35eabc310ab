#pragma once

#include "generator/OutputDir.h"
#include "generator/PageStyle.h"
#include "generator/Pages.h"
#include "model/SiteProfile.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

struct FileFailure {
    std::filesystem::path file;
    std::string reason;

    friend bool operator==(const FileFailure&, const FileFailure&) = default;
};

// What CREATE keeps for the whole run of the program.
struct GeneratorState {
    PageStyle pageStyle;
    std::string secureHost;
};

// The program's one GeneratorState.
GeneratorState& processGeneratorState();

struct CreateReport;

// How one CREATE is run; the wizard fills in its steps, the headless command leaves them out.
struct CreateSteps {
    std::filesystem::path outputFolder = OutputDir::standardFolder();
    std::filesystem::path pictureFolder = OutputDir::pictureFolder();
    // Copies the edit boxes and check boxes into the record once the page files are open.
    std::function<void(SiteProfile&)> copyEdits;
    // Runs work that may wait on the network (the secure-server lookup); the work touches no
    // window. The wizard runs it off the user-interface thread while its window keeps painting;
    // without a runner it runs right here.
    std::function<void(const std::function<void()>& work)> runNetworkWork;
    // Runs while the pages are complete on disk, when everything went well.
    std::function<void()> congratulate;
    // Runs instead of congratulate when some file could not be written or the secure server
    // was not found.
    std::function<void(const CreateReport&)> reportFailures;
    // Off only to measure page writing alone: no navigation or product picture is copied.
    bool copyPictures = true;
};

struct CreateReport {
    // Every file that could not be written, with the reason; empty when all went well. Such a
    // file keeps what it held before.
    std::vector<FileFailure> failures;
    // For a hosting customer whose secure server was not found: the sentence saying so, why,
    // and which server the order pages name. Empty otherwise.
    std::string lookupWarning;

    bool ok() const { return failures.empty() && lookupWarning.empty(); }
    // One line per problem, as the wizard's warning box and the headless command show them.
    std::vector<std::string> problemLines() const;
};

// Writes the site of `profile` into steps.outputFolder (which must exist): the navigation
// pictures of the chosen set, the seven pages and the product picture. Every file is replaced
// only by a complete new one, so after a failure or an interruption each file of the folder
// is whole, old or new. It writes all it can and reports what it could not.
CreateReport CreateSite(SiteProfile& profile, const CreateSteps& steps = {},
                        GeneratorState& state = processGeneratorState());

} // namespace velmora
