#include "cli/BuildCommand.h"

#include "base/FileUtil.h"
#include "cli/PublishCommands.h"
#include "generator/CreateSite.h"
#include "model/StateJson.h"
#include "profile/ProfileFile.h"
#include "publish/InternetLink.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace velmora {
namespace {

constexpr const char* kUsage =
    "usage: velmora-build [--state FILE.json] [--profile FILE.dat] [--save-profile FILE.dat]\n"
    "                     [--print-state] [--out DIR] [--connect-to HOST:PORT:HOST2:PORT2]...\n"
    "                     [--upload SERVER --user NAME --dir DEST [--hosting-client] [--from DIR]]\n"
    "                     [--promote [--promote-form FILE.json]]\n"
    "\n"
    "Fills a site record, writes the site as the wizard's CREATE does, and publishes it.\n"
    "  --state FILE.json      fill the record from a state file (a relative picturePath in it\n"
    "                         is taken from the state file's folder)\n"
    "  --profile FILE.dat     load a profile file over the record\n"
    "  --save-profile FILE.dat  save the record's texts as a profile file\n"
    "  --print-state          print the record as JSON\n"
    "  --out DIR              write the site into DIR (created if missing) instead of ~/VelmoraP\n"
    "  --connect-to H:P:H2:P2 send connections for H:P to H2:P2 instead (repeatable; an empty H\n"
    "                         matches every host, so \":80:127.0.0.1:8080\" sends all web traffic there)\n"
    "  --upload SERVER        send the site by FTP (active mode) as the Upload button does, with\n"
    "    --user NAME          this user name (empty: anonymous)\n"
    "    --dir DEST           into this destination directory (the file names are joined to it)\n"
    "    --hosting-client     also send the sales slip, to DEST/shop/saleslip.html\n"
    "    --from DIR           from DIR instead of the --out folder (or ~/VelmoraP)\n"
    "                         The password comes from VELMORA_FTP_PASSWORD or, on a terminal, from\n"
    "                         a prompt that does not echo; never from the command line.\n"
    "  --promote              submit the site as the Promotion Links dialog does, with the dialog's\n"
    "                         texts; write result.html into the current directory (not opened).\n"
    "                         The promotion's services are placeholders under reserved example\n"
    "                         names: without --connect-to it reaches no real search engine.\n"
    "    --promote-form FILE.json  texts instead of the dialog's: an object with any of formName,\n"
    "                         formEmail, formUrl, formTitle, formDescription, formKeyword1,\n"
    "                         formKeyword2, formKeyword3 (strings)\n"
    "Actions run in this order: state, profile, save-profile, print-state, the site, upload,\n"
    "promote. The site is written when --out is given, or when none of --save-profile,\n"
    "--print-state, --upload and --promote is.\n"
    "For a hosting customer the secure-server lookup saves the site's reply as test.txt in the\n"
    "current directory, replacing a file of that name.\n"
    "Exit status: 0 done, 1 a file could not be written, the secure server was not found, the\n"
    "upload was not successful or an internet failure ended the promotion, 2 bad usage, a bad\n"
    "state file or a bad promotion form.\n";

// A state file larger than this is refused rather than read (a real one is a few kilobytes).
constexpr std::size_t kMaxStateBytes = 64u << 20;

struct Options {
    std::optional<std::string> state;
    std::optional<std::string> profile;
    std::optional<std::string> saveProfile;
    bool printState = false;
    std::optional<std::string> out;
    std::vector<std::string> connectTo;
    std::optional<std::string> upload;
    std::optional<std::string> user;
    std::optional<std::string> dir;
    bool hostingClient = false;
    std::optional<std::string> from;
    bool promote = false;
    std::optional<std::string> promoteForm;
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
        else if (arg == "--upload")
            options.upload = value();
        else if (arg == "--user")
            options.user = value();
        else if (arg == "--dir")
            options.dir = value();
        else if (arg == "--hosting-client")
            options.hostingClient = true;
        else if (arg == "--from")
            options.from = value();
        else if (arg == "--promote")
            options.promote = true;
        else if (arg == "--promote-form")
            options.promoteForm = value();
        else
            throw UsageError{"unknown argument " + arg + " (see --help)"};
    }
    if (options.upload && (!options.user || !options.dir))
        throw UsageError{"--upload needs --user and --dir"};
    if (!options.upload && (options.user || options.dir || options.hostingClient || options.from))
        throw UsageError{"--user, --dir, --hosting-client and --from go with --upload"};
    if (options.promoteForm && !options.promote)
        throw UsageError{"--promote-form goes with --promote"};
    return options;
}

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

// Writes the site into `folder` (created if missing). Returns 0 or the exit status.
int generateSite(SiteProfile& profile, const std::filesystem::path& folder, std::ostream& err)
{
    CreateSteps steps;
    steps.outputFolder = folder;
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

    // Checked before anything is written or sent, so bad input loses nothing.
    std::optional<PromotionForm> promotion;
    if (options.promote) {
        try {
            promotion = options.promoteForm ? readPromotionForm(*options.promoteForm) : initialPromotionForm();
        } catch (const std::invalid_argument& e) {
            err << "velmora-build: " << e.what() << "\n";
            return 2;
        }
    }
    const std::filesystem::path outputFolder = options.out ? std::filesystem::path(*options.out)
                                                           : OutputDir::standardFolder();
    const std::filesystem::path uploadFolder = options.from ? std::filesystem::path(*options.from) : outputFolder;
    std::optional<UploadForm> upload;
    if (options.upload) {
        const UploadCommand command{*options.upload, *options.user, *options.dir, options.hostingClient};
        std::string why;
        if (const std::optional<std::string> password = uploadPassword(command, err, why))
            upload = makeUploadForm(command, *password, why);
        if (!upload) {
            err << "velmora-build: " << why << "\n";
            return 2;
        }
    }


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

    const bool generate =
        options.out || !(options.saveProfile || options.printState || options.upload || options.promote);
    if (generate) {
        if (const int status = generateSite(profile, outputFolder, err))
            return status;
    }
    if (upload) {
        const int status = runUpload(*upload, uploadFolder, out, err);
        if (const int written = checkWritten(out, err); status == 0 && written != 0)
            return written;
        if (status != 0)
            return status;
    }
    if (promotion) {
        const int status = runPromote(*promotion, out, err);
        if (const int written = checkWritten(out, err); status == 0 && written != 0)
            return written;
        return status;
    }
    return 0;
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
    // The command's changes to the process-wide network settings last for one call only.
    const net::ScopedSettings restored;
    return run(options, out, err);
}

} // namespace velmora
