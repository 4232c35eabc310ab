#include "publish/InternetLink.h"

#include "publish/CurlHandle.h"

#include <cerrno>

namespace velmora {

using net::detail::Handle;

CInternetException::CInternetException(int code)
    : CInternetException(code, curl_easy_strerror(static_cast<CURLcode>(code)))
{
}

CInternetException::CInternetException(int code, std::string description)
    : code_(code), description_(std::move(description))
{
}

// ---- InternetLink ------------------------------------------------------------------------

InternetLink::InternetLink() = default;

InternetLink::~InternetLink()
{
    CloseSession();
}

void InternetLink::OpenSession(std::string_view agent)
{
    CloseSession();
    if (const CURLcode result = net::initialiseCurl(); result != CURLE_OK)
        net::fail(result);
    agent_ = agent.empty() ? std::string(program_invocation_short_name) : std::string(agent);
    open_ = true;
}

FtpConnection InternetLink::ConnectFtp(std::string_view server, std::string_view user, std::string_view password)
{
    std::shared_ptr<Handle> handle = newHandle(server);
    CURL* curl = handle->curl;
    const net::Settings& limits = net::settings();
    handle->applyCommon();
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    if (!user.empty()) {
        const std::string userText(user), passwordText(password);
        curl_easy_setopt(curl, CURLOPT_USERNAME, userText.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, passwordText.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl, CURLOPT_FTP_CREATE_MISSING_DIRS, static_cast<long>(CURLFTP_CREATE_DIR_NONE));
    // The remote path goes whole into STOR: no change of folder, so the server resolves it
    // exactly as given.
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(curl, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, net::millis(limits.stallTimeout));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, net::wholeSeconds(limits.stallTimeout));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, net::wholeSeconds(limits.stallTimeout));

    // Log in now, without a transfer, so a bad server or login fails here; the control
    // connection stays in the handle for the files.
    const std::string url = "ftp://" + handle->host + "/";
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    if (const CURLcode result = curl_easy_perform(curl); result != CURLE_OK)
        net::fail(result);
    return FtpConnection(std::move(handle));
}

HttpConnection InternetLink::ConnectHttp(std::string_view host)
{
    return HttpConnection(newHandle(host));
}

std::shared_ptr<Handle> InternetLink::newHandle(std::string_view host)
{
    if (!open_)
        net::fail(CURLE_BAD_FUNCTION_ARGUMENT);
    if (!net::isHostName(host))
        net::fail(CURLE_URL_MALFORMAT);
    auto handle = std::make_shared<Handle>();
    handle->host = std::string(host);
    handle->agent = agent_;
    handle->curl = curl_easy_init();
    if (!handle->curl)
        net::fail(CURLE_FAILED_INIT);
    // Registered for CloseSession, which closes every connection made from the session.
    std::erase_if(handles_, [](const auto& weak) { return weak.expired(); });
    handles_.push_back(handle);
    return handle;
}

void InternetLink::CloseSession() noexcept
{
    for (const auto& weak : handles_) {
        if (const auto handle = weak.lock())
            handle->close();
    }
    handles_.clear();
    open_ = false;
}

} // namespace velmora
