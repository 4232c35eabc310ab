#include "cli/BuildCommand.h"

#include "generator/CreateSite.h"
#include "model/StateJson.h"
#include "profile/ProfileFile.h"
#include "publish/InternetLink.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <system_error>

namespace velmora {
namespace {

constexpr const char* kUsage =
    "usage: velmora-build [--state FILE.json] [--profile FILE.dat] [--save-profile FILE.dat]\n"
    "                     [--print-state] [--out DIR] [--connect-to HOST:PORT:HOST2:PORT2]...\n"
    "\n"
    "Fills a site record and writes the site as the wizard's CREATE does.\n"
    "  --state FILE.json      fill the record from a state file\n"
    "  --profile FILE.dat     load a profile file over the record\n"
    "  --save-profile FILE.dat  save the record's texts as a profile file\n"
    "  --print-state          print the record as JSON\n"
    "  --out DIR              write the site into DIR (created if missing) instead of ~/VelmoraP\n"
    "  --connect-to H:P:H2:P2 send connections for H:P to H2:P2 instead (repeatable)\n"
    "The site is written when --out is given, or when neither --save-profile nor --print-state is.\n";

struct Options {
    std::optional<std::string> state;
    std::optional<std::string> profile;
    std::optional<std::string> saveProfile;
    bool printState = false;
    std::optional<std::string> out;
    std::vector<std::string> connectTo;
    bool help = false;
};

struct UsageError {
    std::string message;
};

Options parse(const std::vector<std::string>& args)
{
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= args.size())
                throw UsageError{arg + " needs a value"};
            return args[++i];
        };
        if (arg == "--help" || arg == "-h")
            options.help = true;
        else if (arg == "--state")
            options.state = value();
        else if (arg == "--profile")
            options.profile = value();
        else if (arg == "--save-profile")
            options.saveProfile = value();
        else if (arg == "--print-state")
            options.printState = true;
        else if (arg == "--out")
            options.out = value();
        else if (arg == "--connect-to")
            options.connectTo.push_back(value());
        else
            throw UsageError{"unknown argument " + arg};
    }
    return options;
}

std::optional<std::string> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace

int runBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    try {
        options = parse(args);
    } catch (const UsageError& e) {
        err << "velmora-build: " << e.message << "\n" << kUsage;
        return 2;
    }
    if (options.help) {
        out << kUsage;
        return 0;
    }
    // Before anything can touch the network: the connect-to table of the internet layer.
    for (const std::string& entry : options.connectTo) {
        if (!net::isValidConnectTo(entry)) {
            err << "velmora-build: --connect-to " << entry << ": expected HOST:PORT:HOST2:PORT2 with numeric ports\n";
            return 2;
        }
    }
    for (const std::string& entry : options.connectTo)
        net::settings().addConnectTo(entry);

    SiteProfile profile;
    if (options.state) {
        const auto json = readFile(*options.state);
        if (!json) {
            err << "velmora-build: cannot read state file " << *options.state << ": " << std::strerror(errno) << "\n";
            return 2;
        }
        try {
            applyStateJson(profile, *json);
        } catch (const StateError& e) {
            err << "velmora-build: " << *options.state << ": " << e.what() << "\n";
            return 2;
        }
    }

    try {
        if (options.profile)
            loadProfile(profile, *options.profile);
        if (options.saveProfile)
            saveProfile(profile, *options.saveProfile);
    } catch (const ProfileError& e) {
        err << "velmora-build: " << e.what() << "\n";
        return 1;
    }

    if (options.printState)
        out << stateToJson(profile) << std::flush;

    if (!options.out && (options.saveProfile || options.printState))
        return 0;

    CreateSteps steps;
    if (options.out)
        steps.outputFolder = *options.out;
    std::error_code error;
    std::filesystem::create_directories(steps.outputFolder, error);
    if (error) {
        err << "velmora-build: cannot create the output folder " << steps.outputFolder.string() << ": "
            << error.message() << "\n";
        return 1;
    }
    const CreateReport report = CreateSite(profile, steps);
    if (!report.ok()) {
        err << "velmora-build: the site in " << steps.outputFolder.string() << " is incomplete:\n";
        for (const FileFailure& failure : report.failures)
            err << "  " << failure.file.string() << ": " << failure.reason << "\n";
        return 1;
    }
    return 0;
}

} // namespace velmora
