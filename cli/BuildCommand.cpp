#include "cli/BuildCommand.h"

#include "base/FileUtil.h"
#include "generator/CreateSite.h"
#include "model/StateJson.h"
#include "profile/ProfileFile.h"
#include "publish/InternetLink.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <system_error>

namespace velmora {
namespace {

constexpr const char* kUsage =
    "usage: velmora-build [--state FILE.json] [--profile FILE.dat] [--save-profile FILE.dat]\n"
    "                     [--print-state] [--out DIR] [--connect-to HOST:PORT:HOST2:PORT2]...\n"
    "\n"
    "Fills a site record and writes the site as the wizard's CREATE does.\n"
    "  --state FILE.json      fill the record from a state file (a relative picturePath in it\n"
    "                         is taken from the state file's folder)\n"
    "  --profile FILE.dat     load a profile file over the record\n"
    "  --save-profile FILE.dat  save the record's texts as a profile file\n"
    "  --print-state          print the record as JSON\n"
    "  --out DIR              write the site into DIR (created if missing) instead of ~/VelmoraP\n"
    "  --connect-to H:P:H2:P2 send connections for H:P to H2:P2 instead (repeatable)\n"
    "The site is written when --out is given, or when neither --save-profile nor --print-state is.\n"
    "For a hosting customer the secure-server lookup saves the site's reply as test.txt in the\n"
    "current directory, replacing a file of that name.\n"
    "Exit status: 0 done, 1 a file could not be written or the secure server was not found,\n"
    "2 bad usage or a bad state file.\n";

// A state file larger than this is refused rather than read (a real one is a few kilobytes).
constexpr std::size_t kMaxStateBytes = 64u << 20;

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
            throw UsageError{"unknown argument " + arg + " (see --help)"};
    }
    return options;
}

// The command's changes to the process-wide network settings last for one call only.
class ScopedNetworkSettings {
public:
    ScopedNetworkSettings() : saved_(net::settings()) {}
    ~ScopedNetworkSettings() { net::settings() = saved_; }
    ScopedNetworkSettings(const ScopedNetworkSettings&) = delete;
    ScopedNetworkSettings& operator=(const ScopedNetworkSettings&) = delete;

private:
    net::Settings saved_;
};

// Reads the state file into the record. Returns 0 or the exit status of a bad state file.
int applyStateFile(SiteProfile& profile, const std::string& path, std::ostream& err)
{
    const FileContent json = readWholeFile(path, kMaxStateBytes);
    if (json.error == EFBIG) {
        err << "velmora-build: state file " << path << " is larger than " << (kMaxStateBytes >> 20) << " MiB\n";
        return 2;
    }
    if (json.error == EISDIR) {
        err << "velmora-build: state file " << path << " is a folder, not a file\n";
        return 2;
    }
    if (!json.ok()) {
        err << "velmora-build: cannot read state file " << path << ": " << json.reason() << "\n";
        return 2;
    }
    try {
        applyStateJson(profile, json.bytes);
    } catch (const StateError& e) {
        err << "velmora-build: " << path << ": " << e.what() << "\n";
        return 2;
    }
    // The picture lies beside the state file, wherever the command is started from.
    const std::filesystem::path picture = profile.picturePath;
    if (!picture.empty() && picture.is_relative())
        profile.picturePath = (std::filesystem::path(path).parent_path() / picture).string();
    return 0;
}

// Output that could not be written (a full disk, a closed pipe) is a failure, not a success.
int checkWritten(std::ostream& out, std::ostream& err)
{
    out.flush();
    if (out)
        return 0;
    const int error = errno;
    err << "velmora-build: cannot write the output: " << (error ? std::strerror(error) : "write error") << "\n";
    return 1;
}

int run(const Options& options, std::ostream& out, std::ostream& err)
{
    if (options.help) {
        out << kUsage;
        return checkWritten(out, err);
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
        if (const int status = applyStateFile(profile, *options.state, err))
            return status;
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

    if (options.printState) {
        out << stateToJson(profile);
        if (const int status = checkWritten(out, err))
            return status;
    }

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
    if (!report.failures.empty()) {
        err << "velmora-build: the site in " << steps.outputFolder.string() << " is incomplete:\n";
        for (const FileFailure& failure : report.failures)
            err << "  " << failure.file.string() << ": " << failure.reason << "\n";
    }
    if (!report.lookupWarning.empty())
        err << "velmora-build: " << report.lookupWarning << "\n";
    return report.ok() ? 0 : 1;
}

} // namespace

int runBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    try {
        options = parse(args);
    } catch (const UsageError& e) {
        err << "velmora-build: " << e.message << "\n";
        return 2;
    }
    const ScopedNetworkSettings restored;
    return run(options, out, err);
}

} // namespace velmora
