// HTTP connections and their requests.

#include "base/CharClass.h"
#include "publish/CurlHandle.h"

#include <algorithm>
#include <cstring>

namespace velmora {

namespace net::detail {

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


} // namespace net::detail

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
    return chars::isLetterOrDigit(c) ||
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

} // namespace velmora
