#include "publish/InternetLink.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <system_error>

namespace velmora {

CInternetException::CInternetException(int code)
    : CInternetException(code, curl_easy_strerror(static_cast<CURLcode>(code)))
{
}

CInternetException::CInternetException(int code, std::string description)
    : code_(code), description_(std::move(description))
{
}

namespace net {
namespace {

[[noreturn]] void fail(CURLcode code)
{
    throw CInternetException(static_cast<int>(code));
}

bool isHostChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_';
}

bool isIpv6Char(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ':' || c == '.';
}

// A host name or IPv4 address, or an IPv6 address in brackets; nothing that could carry a
// scheme, user, port or path into the URL built from it.
bool isHostName(std::string_view host)
{
    if (host.empty() || host.size() > 255)
        return false;
    if (host.front() == '[')
        return host.size() > 2 && host.back() == ']' &&
               std::all_of(host.begin() + 1, host.end() - 1, isIpv6Char);
    return std::all_of(host.begin(), host.end(), isHostChar);
}

bool isPort(std::string_view text)
{
    if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    int port = 0;
    std::from_chars(text.data(), text.data() + text.size(), port);
    return port >= 1 && port <= 65535;
}

// Splits at ':' outside brackets.
std::vector<std::string_view> splitHostPorts(std::string_view entry)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    bool inBrackets = false;
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (entry[i] == '[')
            inBrackets = true;
        else if (entry[i] == ']')
            inBrackets = false;
        else if (entry[i] == ':' && !inBrackets) {
            parts.push_back(entry.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(entry.substr(start));
    return parts;
}

// Whole seconds for libcurl's second-based limits, at least one.
long wholeSeconds(std::chrono::milliseconds duration)
{
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(duration).count();
    return static_cast<long>(std::max<decltype(seconds)>(seconds, 1));
}

long millis(std::chrono::milliseconds duration)
{
    return static_cast<long>(std::max<std::chrono::milliseconds::rep>(duration.count(), 1));
}

CURLcode initialiseCurl()
{
    static std::once_flag once;
    static CURLcode result = CURLE_OK;
    std::call_once(once, [] { result = curl_global_init(CURL_GLOBAL_DEFAULT); });
    return result;
}

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

void append(Slist& list, const std::string& line)
{
    curl_slist* grown = curl_slist_append(list.get(), line.c_str());
    if (!grown)
        fail(CURLE_OUT_OF_MEMORY);
    list.release();
    list.reset(grown);
}

} // namespace

Settings& settings()
{
    static Settings instance;
    return instance;
}

bool isValidConnectTo(std::string_view entry)
{
    const auto parts = splitHostPorts(entry);
    if (parts.size() != 4 || !isPort(parts[1]) || !isPort(parts[3]))
        return false;
    return (parts[0].empty() || isHostName(parts[0])) && (parts[2].empty() || isHostName(parts[2]));
}

void Settings::addConnectTo(const std::string& entry)
{
    if (!isValidConnectTo(entry))
        throw std::invalid_argument("\"" + entry + "\" is not of the form HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT");
    connectTo_.push_back(entry);
}

namespace detail {

// One libcurl easy handle: an FTP control connection or an HTTP connection's requests.
struct Handle {
    CURL* curl = nullptr;
    std::string host;
    std::string agent;
    Slist connectTo;
    Slist headers;

    ~Handle() { close(); }

    void close() noexcept
    {
        if (curl)
            curl_easy_cleanup(curl);
        curl = nullptr;
        connectTo.reset();
        headers.reset();
    }

    // Options every transfer of the handle shares; libcurl keeps its connection cache across
    // curl_easy_reset, so this is repeated for each HTTP request.
    void applyCommon()
    {
        curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, millis(settings().connectTimeout));
        connectTo.reset();
        for (const std::string& entry : settings().connectTo())
            append(connectTo, entry);
        curl_easy_setopt(curl, CURLOPT_CONNECT_TO, connectTo.get());
    }
};

struct RequestState {
    std::shared_ptr<Handle> handle;
    std::string method;
    std::string object;
    bool open = true;
    bool sent = false;
    long status = 0;
    std::string body;
    std::string reply;
    std::size_t readPosition = 0;
    std::size_t limit = 0;
    bool tooLong = false;
};

} // namespace detail

} // namespace net

using net::detail::Handle;
using net::detail::RequestState;

namespace {

std::size_t collectReply(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* state = static_cast<RequestState*>(user);
    const std::size_t bytes = size * count;
    if (bytes > state->limit - state->reply.size()) {
        state->tooLong = true;
        return 0;
    }
    state->reply.append(data, bytes);
    return bytes;
}

bool isTokenChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::strchr("!#$%&'*+-.^_`|~", c) != nullptr;
}

// A request target must not break the request line: no blanks, no control characters.
bool isTargetChar(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte > 0x20 && byte != 0x7F;
}

// Whether libcurl's URL parser keeps `object` byte for byte as the path of a URL: then the
// request goes by URL, which also works through a proxy; otherwise it goes as a raw request
// target. '#' would start a fragment and a backslash may be rewritten.
bool survivesUrlForm(std::string_view object)
{
    return !object.empty() && object.front() == '/' &&
           std::all_of(object.begin(), object.end(), [](char c) {
               const auto byte = static_cast<unsigned char>(c);
               return byte > 0x20 && byte < 0x7F && c != '#' && c != '\\';
           });
}

bool hasHeader(std::string_view headers, std::string_view name)
{
    std::size_t start = 0;
    while (start <= headers.size()) {
        std::size_t end = headers.find('\n', start);
        if (end == std::string_view::npos)
            end = headers.size();
        const std::string_view line = headers.substr(start, end - start);
        if (line.size() > name.size() && line[name.size()] == ':' &&
            std::equal(name.begin(), name.end(), line.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return true;
        start = end + 1;
    }
    return false;
}

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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

// ---- HttpRequest -------------------------------------------------------------------------

HttpRequest::HttpRequest(std::unique_ptr<RequestState> state) : state_(std::move(state)) {}
HttpRequest::HttpRequest(HttpRequest&&) noexcept = default;
HttpRequest& HttpRequest::operator=(HttpRequest&&) noexcept = default;
HttpRequest::~HttpRequest() = default;

void HttpRequest::SendRequest(std::string_view headers, std::string_view body)
{
    if (!state_ || !state_->open || !state_->handle || !state_->handle->curl)
        net::fail(CURLE_BAD_FUNCTION_ARGUMENT);
    RequestState& state = *state_;
    Handle& handle = *state.handle;
    CURL* curl = handle.curl;

    state.sent = false;
    state.status = 0;
    state.reply.clear();
    state.readPosition = 0;
    state.tooLong = false;
    state.limit = net::settings().maxReplyBytes;
    state.body.assign(body);

    curl_easy_reset(curl);
    handle.applyCommon();
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, net::millis(net::settings().requestTimeout));
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
    if (!handle.agent.empty())
        curl_easy_setopt(curl, CURLOPT_USERAGENT, handle.agent.c_str());
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(state.limit));
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collectReply);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &state);

    std::string url = "http://" + handle.host;
    if (survivesUrlForm(state.object)) {
        url += state.object;
        curl_easy_setopt(curl, CURLOPT_PATH_AS_IS, 1L);
    } else {
        url += '/';
        curl_easy_setopt(curl, CURLOPT_REQUEST_TARGET, state.object.c_str());
    }
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());

    // The caller's header lines, then removal of the headers libcurl would add by itself.
    handle.headers.reset();
    std::size_t start = 0;
    while (start < headers.size()) {
        std::size_t end = headers.find('\n', start);
        if (end == std::string_view::npos)
            end = headers.size();
        std::string_view line = headers.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty()) {
            if (std::any_of(line.begin(), line.end(), [](char c) { return c == '\r' || c == '\0'; }))
                net::fail(CURLE_BAD_FUNCTION_ARGUMENT);
            net::append(handle.headers, std::string(line));
        }
        start = end + 1;
    }
    net::append(handle.headers, "Accept:");
    net::append(handle.headers, "Expect:");
    if (!hasHeader(headers, "Content-Type"))
        net::append(handle.headers, "Content-Type:");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, handle.headers.get());

    if (state.method == "HEAD") {
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    } else if (state.method == "POST" || !state.body.empty()) {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, state.body.data());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(state.body.size()));
        if (state.method != "POST")
            curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, state.method.c_str());
    } else {
        curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
        if (state.method != "GET")
            curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, state.method.c_str());
    }

    const CURLcode result = curl_easy_perform(curl);
    if (result != CURLE_OK) {
        state.reply.clear();
        net::fail(state.tooLong ? CURLE_FILESIZE_EXCEEDED : result);
    }
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &state.status);
    state.sent = true;
}

std::string HttpRequest::QueryStatusCode() const
{
    if (!state_ || !state_->open || !state_->sent || state_->status <= 0)
        return {};
    return std::to_string(state_->status);
}

std::size_t HttpRequest::ReadReply(void* buffer, std::size_t count)
{
    if (!state_ || !state_->open || !state_->sent)
        net::fail(CURLE_BAD_FUNCTION_ARGUMENT);
    RequestState& state = *state_;
    const std::size_t n = std::min(count, state.reply.size() - state.readPosition);
    if (n > 0)
        std::memcpy(buffer, state.reply.data() + state.readPosition, n);
    state.readPosition += n;
    return n;
}

void HttpRequest::CloseRequest() noexcept
{
    state_.reset();
}

// ---- HttpConnection ----------------------------------------------------------------------

HttpConnection::HttpConnection(std::shared_ptr<Handle> handle) : handle_(std::move(handle)) {}
HttpConnection::HttpConnection(HttpConnection&&) noexcept = default;
HttpConnection& HttpConnection::operator=(HttpConnection&& other) noexcept
{
    if (this != &other) {
        CloseConnection();
        handle_ = std::move(other.handle_);
    }
    return *this;
}
HttpConnection::~HttpConnection()
{
    CloseConnection();
}

HttpRequest HttpConnection::OpenRequest(std::string_view verb, std::string_view object)
{
    if (!handle_ || !handle_->curl)
        net::fail(CURLE_BAD_FUNCTION_ARGUMENT);
    const std::string_view method = verb.empty() ? std::string_view("GET") : verb;
    if (!std::all_of(method.begin(), method.end(), isTokenChar) ||
        !std::all_of(object.begin(), object.end(), isTargetChar))
        net::fail(CURLE_URL_MALFORMAT);
    auto state = std::make_unique<RequestState>();
    state->handle = handle_;
    state->method = std::string(method);
    state->object = object.empty() ? std::string("/") : std::string(object);
    return HttpRequest(std::move(state));
}

void HttpConnection::CloseConnection() noexcept
{
    if (handle_)
        handle_->close();
    handle_.reset();
}

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

bool FtpConnection::PutFile(const std::filesystem::path& local, std::string_view remote)
{
    if (!handle_ || !handle_->curl)
        return false;
    // A path that names no file, or would smuggle a second command onto the control line.
    if (remote.empty() || remote.back() == '/' ||
        std::any_of(remote.begin(), remote.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }))
        return false;

    std::error_code error;
    if (!std::filesystem::is_regular_file(local, error))
        return false;
    const auto size = std::filesystem::file_size(local, error);
    if (error)
        return false;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(local.c_str(), "rb"));
    if (!file)
        return false;

    CURL* curl = handle_->curl;
    const std::string url = "ftp://" + handle_->host + "/" + ftpUrlPath(remote);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOBODY, 0L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_READDATA, file.get());
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
    const CURLcode result = curl_easy_perform(curl);
    curl_easy_setopt(curl, CURLOPT_READDATA, nullptr);
    return result == CURLE_OK;
}

void FtpConnection::CloseConnection() noexcept
{
    if (handle_)
        handle_->close();
    handle_.reset();
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
