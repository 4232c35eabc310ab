#include "publish/UploadSite.h"

#include "publish/InternetLink.h"

#include <optional>
#include <system_error>

namespace velmora {

std::string remoteName(std::string_view destinationDirectory, const UploadEntry& entry)
{
    std::string name(destinationDirectory);
    name += entry.remoteSuffix;
    return name;
}

bool UploadReport::successful() const
{
    return contacted && std::none_of(files.begin(), files.end(),
                                     [](const UploadedFile& file) { return file.status == UploadedFile::Status::Failed; });
}

Notice UploadReport::notice() const
{
    if (!contacted)
        return {std::string(kUploadNotContacted), std::string(kUploadErrorCaption), NoticeIcon::None};
    if (successful())
        return {std::string(kUploadSuccessful), {}, NoticeIcon::Warning};
    std::string text(kUploadIncomplete);
    for (const UploadedFile& file : files) {
        if (file.status == UploadedFile::Status::Failed)
            text += "\r\n" + std::string(file.entry->local) + " (to " + file.remote + "): " + file.reason;
    }
    return {text, std::string(kUploadErrorCaption), NoticeIcon::None};
}

namespace {

UploadedFile sendEntry(FtpConnection& ftp, const UploadEntry& entry, const UploadForm& form,
                       const std::filesystem::path& folder)
{
    UploadedFile file;
    file.entry = &entry;
    file.local = folder / entry.local;
    file.remote = remoteName(form.destinationDirectory, entry);
    std::error_code error;
    if (!std::filesystem::exists(file.local, error)) {
        if (entry.kind == UploadEntry::Kind::Picture) {
            file.status = UploadedFile::Status::Skipped;
            file.reason = "not in the output folder, not part of this site";
        } else {
            file.status = UploadedFile::Status::Failed;
            file.reason = "it is not in the output folder";
        }
        return file;
    }
    PutResult result = ftp.PutFile(file.local, file.remote);
    if (!result) {
        file.status = UploadedFile::Status::Failed;
        file.reason = std::move(result.reason);
    }
    return file;
}

} // namespace

UploadReport uploadSite(const UploadForm& form, ProgressBar& bar, const PublishView& view, const UploadSteps& steps)
{
    UploadReport report;
    InternetLink link;
    std::optional<FtpConnection> ftp;
    view.runNetwork([&] {
        link.OpenSession(kUploadAgent);
        try {
            ftp.emplace(link.ConnectFtp(form.server, form.user, form.password));
        } catch (const CInternetException&) {
            return;
        }
        report.contacted = true;
        bar.advance(kUploadStepAfterLogin);
        view.progress(bar);
        for (const UploadEntry& entry : uploadList) {
            if (entry.hostingClientOnly && !form.hostingClient)
                continue;
            report.files.push_back(sendEntry(*ftp, entry, form, steps.folder));
            if (steps.fileDone)
                steps.fileDone(report.files.back());
            if (entry.progressStep > 0) {
                bar.advance(entry.progressStep);
                view.progress(bar);
            }
        }
        bar.advance(kUploadStepAtEnd);
        view.progress(bar);
        bar = kUploadBarAtEnd;
        view.progress(bar);
    });
    view.notify(report.notice());
    // Logging out waits for the server, so it is network work too.
    if (ftp)
        view.runNetwork([&] { ftp->CloseConnection(); });
    link.CloseSession();
    return report;
}

} // namespace velmora
