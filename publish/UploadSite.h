#pragma once

// The Upload button's work: the site's files sent by FTP, one login for all of them.

#include "publish/PublishView.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// One file of the upload. A page must arrive; a picture absent from the folder belongs to
// another style (or no product picture was chosen) and is skipped.
struct UploadEntry {
    enum class Kind { Page, Picture };
    std::string_view local;        // name in the output folder
    std::string_view remoteSuffix; // joined straight onto the destination directory
    int progressStep;              // bar advance after it; 0 for none
    Kind kind;
    bool hostingClientOnly;        // sent only when the hosting-client box is ticked
};

// The files the upload sends, in sending order.
inline constexpr std::array<UploadEntry, 15> uploadList = {{
    {"index.html", "/index.html", 10, UploadEntry::Kind::Page, false},
    {"testimonials.html", "/testimonials.html", 10, UploadEntry::Kind::Page, false},
    {"freq.html", "/freq.html", 10, UploadEntry::Kind::Page, false},
    {"features.html", "/features.html", 10, UploadEntry::Kind::Page, false},
    {"about.html", "/about.html", 10, UploadEntry::Kind::Page, false},
    {"order.html", "/order.html", 10, UploadEntry::Kind::Page, false},
    {"home.gif", "/home.gif", 10, UploadEntry::Kind::Picture, false},
    {"testimonials.gif", "/testimonials.gif", 10, UploadEntry::Kind::Picture, false},
    {"faq.gif", "/faq.gif", 10, UploadEntry::Kind::Picture, false},
    {"features.gif", "/features.gif", 10, UploadEntry::Kind::Picture, false},
    {"about.gif", "/about.gif", 10, UploadEntry::Kind::Picture, false},
    {"order.gif", "/order.gif", 10, UploadEntry::Kind::Picture, false},
    {"mainpic", "/mainpic", 10, UploadEntry::Kind::Picture, false},
    {"ordernow.gif", "/ordernow.gif", 0, UploadEntry::Kind::Picture, false},
    {"saleslip.html", "/shop/saleslip.html", 0, UploadEntry::Kind::Page, true},
}};

// The bar's moves around the files: after the login, after the last file, and the reset that
// comes just before the outcome is shown.
inline constexpr int kUploadStepAfterLogin = 5;
inline constexpr int kUploadStepAtEnd = 10;
inline constexpr ProgressBar kUploadBarAtEnd{1, 150, 1};

inline constexpr std::string_view kUploadAgent = "FTPPUT";
inline constexpr std::string_view kUploadSuccessful = "Upload Successful";
inline constexpr std::string_view kUploadNotContacted =
    "Internet Congestion! The site could not be contacted.  Please try again.";
inline constexpr std::string_view kUploadErrorCaption = "ERROR!";
inline constexpr std::string_view kUploadIncomplete = "Upload Failed!  These files were not sent:";

// What the user typed into the Upload Gateway, Windows-1252 bytes as they stand.
struct UploadForm {
    std::string server;
    std::string user;
    std::string password;
    std::string destinationDirectory;
    bool hostingClient = false;
};

// What became of one entry of uploadList.
struct UploadedFile {
    enum class Status { Sent, Skipped, Failed };
    const UploadEntry* entry = nullptr;
    std::filesystem::path local;
    std::string remote;
    Status status = Status::Sent;
    std::string reason;  // why it was skipped or failed
};

struct UploadReport {
    bool contacted = false;            // the login went through
    std::vector<UploadedFile> files;   // the entries tried, in order
    bool successful() const;
    // The message box that ends the upload.
    Notice notice() const;
};

struct UploadSteps {
    // The folder the files come from: the output folder.
    std::filesystem::path folder;
    // Told about each file once it is done with, within the network work.
    std::function<void(const UploadedFile&)> fileDone;
};

// The remote name of an entry: the destination directory and the entry's suffix, joined with
// nothing added or removed.
std::string remoteName(std::string_view destinationDirectory, const UploadEntry& entry);

// Sends uploadList from steps.folder to the form's server and shows the outcome. The bar is
// the dialog's, kept across uploads of one opening. An internet failure from the login on is
// reported in the "could not be contacted" box; one from opening the session is thrown.
UploadReport uploadSite(const UploadForm& form, ProgressBar& bar, const PublishView& view, const UploadSteps& steps);

} // namespace velmora
