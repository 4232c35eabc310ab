#include "cli/PublishCommands.h"

#include "base/FileUtil.h"
#include "model/Cp1252.h"
#include "publish/InternetLink.h"
#include "publish/PromoteSite.h"
#include "publish/UploadSite.h"

#include <nlohmann/json.hpp>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <tuple>
#include <termios.h>
#include <unistd.h>

namespace velmora {
namespace {

// A promotion form file is a few hundred bytes; anything past this is not one.
constexpr std::size_t kMaxFormBytes = 1u << 20;

// A text from the command line, the environment or a form file in the record's code page.
std::optional<std::string> toCodePage(const std::string& utf8)
{
    return cp1252::fromUtf8(utf8);
}

// A Windows-1252 text for the terminal: UTF-8, one line break per CR LF.
std::string forTerminal(std::string_view text)
{
    std::string utf8 = cp1252::toUtf8(text);
    for (std::size_t at = 0; (at = utf8.find("\r\n", at)) != std::string::npos;)
        utf8.erase(at, 1);
    return utf8;
}

// The terminal's settings while echo is off, put back by a signal that ends the program too.
termios savedTerminal{};

void restoreTerminalAndDie(int signal)
{
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Echo goes off before the prompt shows, so whatever is typed once the prompt is there is
// neither shown nor thrown away.
std::string readPasswordWithoutEcho(const std::string& prompt, std::ostream& err)
{
    if (tcgetattr(STDIN_FILENO, &savedTerminal) != 0) {
        err << prompt << std::flush;
        std::string password;
        std::getline(std::cin, password);
        return password;
    }
    termios quiet = savedTerminal;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    const auto previousInt = std::signal(SIGINT, restoreTerminalAndDie);
    const auto previousTerm = std::signal(SIGTERM, restoreTerminalAndDie);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    err << prompt << std::flush;
    std::string password;
    std::getline(std::cin, password);
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    std::signal(SIGINT, previousInt);
    std::signal(SIGTERM, previousTerm);
    err << "\n";
    return password;
}

} // namespace

std::optional<std::string> uploadPassword(const UploadCommand& command, std::ostream& err, std::string& why)
{
    if (const char* password = std::getenv("VELMORA_FTP_PASSWORD"))
        return std::string(password);
    if (!isatty(STDIN_FILENO)) {
        why = "--upload needs the FTP password in VELMORA_FTP_PASSWORD (or a terminal to ask it on)";
        return std::nullopt;
    }
    return readPasswordWithoutEcho("FTP password for " + command.user + "@" + command.server + ": ", err);
}

std::optional<UploadForm> makeUploadForm(const UploadCommand& command, const std::string& password, std::string& why)
{
    UploadForm form;
    const std::tuple<const char*, const std::string*, std::string*> texts[] = {
        {"the server", &command.server, &form.server},
        {"the user name", &command.user, &form.user},
        {"the password", &password, &form.password},
        {"the destination directory", &command.destination, &form.destinationDirectory},
    };
    for (const auto& [what, typed, text] : texts) {
        std::optional<std::string> converted = toCodePage(*typed);
        if (!converted) {
            why = std::string("--upload: ") + what + " holds a character the code page (Windows-1252) cannot hold";
            return std::nullopt;
        }
        *text = std::move(*converted);
    }
    form.hostingClient = command.hostingClient;
    return form;
}

int runUpload(const UploadForm& form, const std::filesystem::path& folder, std::ostream& out, std::ostream& err)
{
    UploadSteps steps;
    steps.folder = folder;
    steps.fileDone = [&out](const UploadedFile& file) {
        const std::string local(file.entry->local);
        switch (file.status) {
        case UploadedFile::Status::Sent:
            out << "sent " << local << " to " << forTerminal(file.remote) << "\n";
            break;
        case UploadedFile::Status::Skipped:
            out << "skipped " << local << ": " << file.reason << "\n";
            break;
        case UploadedFile::Status::Failed:
            out << "failed " << local << " to " << forTerminal(file.remote) << ": " << forTerminal(file.reason) << "\n";
            break;
        }
    };
    ProgressBar bar;
    PublishView view;
    UploadReport report;
    try {
        report = uploadSite(form, bar, view, steps);
    } catch (const CInternetException& e) {
        err << "velmora-build: " << e.description() << "\n";
        return 1;
    }
    const Notice notice = report.notice();
    if (report.successful()) {
        out << forTerminal(notice.text) << "\n";
        return 0;
    }
    err << "velmora-build: " << forTerminal(notice.text) << "\n";
    return 1;
}

PromotionForm readPromotionForm(const std::filesystem::path& file)
{
    const FileContent content = readWholeFile(file, kMaxFormBytes);
    if (!content.ok())
        throw std::invalid_argument("cannot read the promotion form " + file.string() + ": " + content.reason());
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(content.bytes);
    } catch (const nlohmann::json::parse_error& e) {
        throw std::invalid_argument(file.string() + ": not JSON: " + e.what());
    }
    if (!json.is_object())
        throw std::invalid_argument(file.string() + ": the promotion form must be a JSON object");

    PromotionForm form = initialPromotionForm();
    const std::pair<const char*, std::string*> keys[] = {
        {"formName", &form.formName},         {"formEmail", &form.formEmail},
        {"formUrl", &form.formUrl},           {"formTitle", &form.formTitle},
        {"formDescription", &form.formDescription}, {"formKeyword1", &form.formKeyword1},
        {"formKeyword2", &form.formKeyword2}, {"formKeyword3", &form.formKeyword3},
    };
    for (const auto& [key, value] : json.items()) {
        const auto known = std::find_if(std::begin(keys), std::end(keys), [&](const auto& k) { return key == k.first; });
        if (known == std::end(keys))
            throw std::invalid_argument(file.string() + ": unknown key \"" + key + "\"");
        if (!value.is_string())
            throw std::invalid_argument(file.string() + ": " + key + " must be a string");
        std::optional<std::string> text = toCodePage(value.get<std::string>());
        if (!text)
            throw std::invalid_argument(file.string() + ": " + key +
                                        " holds a character the code page (Windows-1252) cannot hold");
        *known->second = std::move(*text);
    }
    return form;
}

int runPromote(const PromotionForm& form, std::ostream& out, std::ostream& err)
{
    PromoteSteps steps;
    steps.targetDone = [&out](const TargetOutcome& outcome) {
        const PromotionTarget& target = *outcome.target;
        out << targetName(target) << ": " << (outcome.success ? target.successText : target.failureText) << " ("
            << (outcome.status.empty() ? std::string("no status") : "status " + outcome.status) << ")\n";
    };
    ProgressBar bar;
    try {
        promoteSite(form, bar, PublishView{}, steps);
    } catch (const CInternetException& e) {
        err << "velmora-build: the promotion stopped: " << e.description() << " (result.html keeps the rows so far)\n";
        return 1;
    }
    out << "The report is in result.html.\n";
    return 0;
}

} // namespace velmora
