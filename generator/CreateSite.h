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

// How one CREATE is run; the wizard fills in its steps, the headless command leaves them out.
struct CreateSteps {
    std::filesystem::path outputFolder = OutputDir::standardFolder();
    std::filesystem::path pictureFolder = OutputDir::pictureFolder();
    // Copies the edit boxes and check boxes into the record once the page files are open.
    std::function<void(SiteProfile&)> copyEdits;
    // Runs while the pages are complete on disk and still open, when every file was written.
    std::function<void()> congratulate;
    // Runs instead of congratulate when some file could not be written.
    std::function<void(const std::vector<FileFailure>&)> reportFailures;
    // Off only to measure page writing alone: no navigation or product picture is copied.
    bool copyPictures = true;
};

struct CreateReport {
    // Every file that could not be written, with the reason; empty when all went well.
    std::vector<FileFailure> failures;
    bool ok() const { return failures.empty(); }
};

// Writes the site of `profile` into steps.outputFolder (which must exist): the navigation
// pictures of the chosen set, the seven pages and the product picture. It writes all it can
// and reports what it could not.
CreateReport CreateSite(SiteProfile& profile, const CreateSteps& steps = {},
                        GeneratorState& state = processGeneratorState());

} // namespace velmora
