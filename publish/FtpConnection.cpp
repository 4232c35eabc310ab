// FTP control connections and their uploads.

#include "base/FileUtil.h"
#include "publish/CurlHandle.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace velmora {

using net::detail::Handle;

namespace {

// Percent-encodes an FTP remote path for the URL: "/" separators stay, except a leading one,
// which becomes "%2F" so that the path counts from the server's root.
std::string ftpUrlPath(std::string_view remote)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string path;
    for (std::size_t i = 0; i < remote.size(); ++i) {
        const auto byte = static_cast<unsigned char>(remote[i]);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                           byte == '~' || (byte == '/' && i > 0);
        if (plain) {
            path += static_cast<char>(byte);
        } else {
            path += '%';
            path += hex[byte >> 4];
            path += hex[byte & 0x0F];
        }
    }
    return path;
}

// Keeps the server's last error reply (a 4xx or 5xx line) seen during a transfer; libcurl
// hands FTP replies to the header callback.
std::size_t keepErrorReply(char* data, std::size_t size, std::size_t count, void* user)
{
    const std::size_t bytes = size * count;
    std::string_view line(data, bytes);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    if (line.size() >= 3 && (line[0] == '4' || line[0] == '5'))
        static_cast<std::string*>(user)->assign(line);
    return bytes;
}


} // namespace

// ---- FtpConnection -----------------------------------------------------------------------

FtpConnection::FtpConnection(std::shared_ptr<Handle> handle) : handle_(std::move(handle)) {}
FtpConnection::FtpConnection(FtpConnection&&) noexcept = default;
FtpConnection& FtpConnection::operator=(FtpConnection&& other) noexcept
{
    if (this != &other) {
        CloseConnection();
        handle_ = std::move(other.handle_);
    }
    return *this;
}
FtpConnection::~FtpConnection()
{
    CloseConnection();
}

PutResult FtpConnection::PutFile(const std::filesystem::path& local, std::string_view remote)
{
    using Outcome = PutResult::Outcome;
    const auto failed = [](Outcome outcome, std::string reason) { return PutResult{outcome, std::move(reason)}; };
    if (!handle_ || !handle_->curl)
        return failed(Outcome::NotConnected, "the connection to the server is closed");
    // A path that names no file, or would smuggle a second command onto the control line.
    if (remote.empty() || remote.back() == '/')
        return failed(Outcome::BadRemoteName, "the remote name names no file");
    if (std::any_of(remote.begin(), remote.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }))
        return failed(Outcome::BadRemoteName, "the remote name holds a line break");

    std::error_code error;
    if (!std::filesystem::is_regular_file(local, error))
        return failed(Outcome::NoLocalFile, std::filesystem::exists(local, error) ? "it is not a file" : "there is no such file");
    const auto size = std::filesystem::file_size(local, error);
    if (error)
        return failed(Outcome::LocalUnreadable, "it cannot be read: " + error.message());
    UniqueFile file(std::fopen(local.c_str(), "rb"));
    if (!file)
        return failed(Outcome::LocalUnreadable, std::string("it cannot be read: ") + std::strerror(errno));

    CURL* curl = handle_->curl;
    const std::string url = "ftp://" + handle_->host + "/" + ftpUrlPath(remote);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READDATA, file.get());
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
    std::string errorReply;
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, keepErrorReply);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &errorReply);
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_READDATA, nullptr);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, nullptr);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, nullptr);
    if (result == CURLE_OK)
        return {};

    // The server's own words when it refused the file; otherwise libcurl's description of the
    // code (its error buffer may keep an earlier, unrelated message).
    PutResult refused{Outcome::Refused, {}, static_cast<int>(result)};
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &refused.serverReply);
    if (!errorReply.empty())
        refused.reason = "the server answered \"" + errorReply + "\"";
    else
        refused.reason = std::string("the transfer broke off (") + curl_easy_strerror(result) + ")";
    return refused;
}

void FtpConnection::CloseConnection() noexcept
{
    if (handle_)
        handle_->close();
    handle_.reset();
}

} // namespace velmora
