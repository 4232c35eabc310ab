#pragma once

// velmora-build's publishing actions: the Upload button's and the promotion's runs, headless.

#include "publish/PromoteSite.h"
#include "publish/UploadSite.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

namespace velmora {

struct UploadCommand {
    std::string server;        // as typed on the command line (UTF-8)
    std::string user;
    std::string destination;
    bool hostingClient = false;
};

// The password for an upload: VELMORA_FTP_PASSWORD, or asked for without echo when standard
// input is a terminal. Nothing, with the reason in `why`, when neither is there.
std::optional<std::string> uploadPassword(const UploadCommand& command, std::ostream& err, std::string& why);

// The Upload Gateway's texts from the command line's (UTF-8) ones; nothing, with the reason in
// `why`, when one holds a character the code page (Windows-1252) cannot hold.
std::optional<UploadForm> makeUploadForm(const UploadCommand& command, const std::string& password, std::string& why);

// Sends the upload list from `folder` as the Upload button does; one line per file, then the
// outcome. Returns 0 on "Upload Successful", 1 otherwise.
int runUpload(const UploadForm& form, const std::filesystem::path& folder, std::ostream& out, std::ostream& err);

// Reads a promotion form file: a JSON object with the optional keys formName, formEmail,
// formUrl, formTitle, formDescription, formKeyword1, formKeyword2 and formKeyword3, each a
// string. Throws std::invalid_argument with a one-line reason for anything else.
PromotionForm readPromotionForm(const std::filesystem::path& file);

// One submission into ./result.html, not opened; one line per target. Returns 0 when the run
// went through the targets, 1 when an internet failure ended it.
int runPromote(const PromotionForm& form, std::ostream& out, std::ostream& err);

} // namespace velmora
