#pragma once

// The program's one way onto the network: an internet session that makes FTP and HTTP
// connections and HTTP requests, over libcurl. Every call blocks until it is done; a session
// and what it made are used from one thread.
//
// Connections and requests close themselves when they go out of scope, and ending the session
// closes everything made from it, so a failure that ends a command leaves nothing open.

#include <chrono>
#include <cstddef>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// A failed internet operation: libcurl's numeric code (CURLcode) and its description.
class CInternetException : public std::exception {
public:
    explicit CInternetException(int code);
    CInternetException(int code, std::string description);

    int code() const noexcept { return code_; }
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    int code_;
    std::string description_;
};

namespace net {

// Process-wide settings of the layer. Read when a connection or request starts; change them
// only while no network call is running.
struct Settings {
    // Time allowed to reach a server (name lookup and TCP connect; for FTP also the greeting
    // and the login).
    std::chrono::milliseconds connectTimeout = std::chrono::seconds(15);
    // Time allowed for one whole HTTP request, from connecting to the last byte of the reply.
    std::chrono::milliseconds requestTimeout = std::chrono::seconds(60);
    // An FTP transfer or command reply that makes no progress for this long is given up
    // (whole seconds; anything below one second counts as one).
    std::chrono::milliseconds stallTimeout = std::chrono::seconds(60);
    // The largest HTTP reply body kept; a longer reply fails its request.
    std::size_t maxReplyBytes = std::size_t{16} * 1024 * 1024;

    // Connect-to table, entries "HOST:PORT:CONNECT-TO-HOST:CONNECT-TO-PORT" with libcurl's
    // CURLOPT_CONNECT_TO meaning: a connection for HOST:PORT goes to the other address
    // instead, while the requests still name HOST. An empty HOST matches every host, an empty
    // CONNECT-TO-HOST keeps the host; an IPv6 address is written in brackets.
    // addConnectTo throws std::invalid_argument for an entry that does not have that form.
    void addConnectTo(const std::string& entry);
    void clearConnectTo() { connectTo_.clear(); }
    const std::vector<std::string>& connectTo() const { return connectTo_; }

private:
    std::vector<std::string> connectTo_;
};

// The process's one Settings.
Settings& settings();

// Puts the process-wide settings back as they were when it goes: for a caller (or a test)
// whose changes to them must last only as long as it does.
class ScopedSettings {
public:
    ScopedSettings() : saved_(settings()) {}
    ~ScopedSettings() { settings() = saved_; }
    ScopedSettings(const ScopedSettings&) = delete;
    ScopedSettings& operator=(const ScopedSettings&) = delete;

private:
    Settings saved_;
};

// Whether `entry` has the connect-to form above: four ':'-separated parts (':' inside
// brackets does not separate), both ports decimal numbers from 1 to 65535.
bool isValidConnectTo(std::string_view entry);

namespace detail {
struct Handle;
struct RequestState;
} // namespace detail

} // namespace net

// One HTTP request, made by HttpConnection::OpenRequest. SendRequest sends it and reads the
// whole reply; ReadReply then hands out the body.
class HttpRequest {
public:
    HttpRequest(HttpRequest&&) noexcept;
    HttpRequest& operator=(HttpRequest&&) noexcept;
    ~HttpRequest();

    // Sends the request with `headers` (lines separated by CR LF or LF; may be empty) and
    // `body` (may be empty) and reads the reply. Throws CInternetException when no reply
    // arrives (connection failure, time limit, a body longer than maxReplyBytes).
    void SendRequest(std::string_view headers = {}, std::string_view body = {});
    // The reply's status code as decimal text, such as "200"; empty while there is none.
    std::string QueryStatusCode() const;
    // Copies at most `count` further bytes of the reply body into `buffer`; 0 at its end.
    // Throws CInternetException for a request that was closed or never sent.
    std::size_t ReadReply(void* buffer, std::size_t count);
    // Releases the request; further reads fail. Never fails.
    void CloseRequest() noexcept;

private:
    friend class HttpConnection;
    explicit HttpRequest(std::unique_ptr<net::detail::RequestState> state);
    std::unique_ptr<net::detail::RequestState> state_;
};

// A connection to one web server on the default HTTP port. Its requests use one libcurl
// handle, so a server that keeps connections open is not reconnected for each request.
class HttpConnection {
public:
    HttpConnection(HttpConnection&&) noexcept;
    HttpConnection& operator=(HttpConnection&&) noexcept;
    ~HttpConnection();

    // Prepares a request: `verb` "GET", "POST", "HEAD" or another method name (empty means
    // "GET"); `object` is the request target, sent unchanged ("faq.html" goes without a
    // leading "/"; empty sends "/"). Protocol HTTP/1.0, no referrer, no accept types.
    // Throws CInternetException for a verb or object that cannot go into a request line
    // (blanks, control characters) or when the connection is closed.
    HttpRequest OpenRequest(std::string_view verb, std::string_view object);
    // Releases the connection; requests made from it can no longer be sent. Never fails.
    void CloseConnection() noexcept;

private:
    friend class InternetLink;
    explicit HttpConnection(std::shared_ptr<net::detail::Handle> handle);
    std::shared_ptr<net::detail::Handle> handle_;
};

// How one FtpConnection::PutFile went: the file arrived whole, or why not.
struct PutResult {
    enum class Outcome {
        Sent,
        NoLocalFile,     // the local file does not exist (or is not a plain file)
        LocalUnreadable, // it exists but cannot be read
        BadRemoteName,   // empty, naming a folder, or holding a line break or NUL
        NotConnected,    // the connection or its session was closed
        Refused,         // the server refused the file or the transfer broke off
    };
    Outcome outcome = Outcome::Sent;
    // Why the file was not sent, in words for the user; empty when it was.
    std::string reason;
    // libcurl's code (CURLcode) and the server's last reply code, for Refused.
    int code = 0;
    long serverReply = 0;

    bool sent() const { return outcome == Outcome::Sent; }
    explicit operator bool() const { return sent(); }
};

// A logged-in FTP control connection, active mode, binary transfers. Every PutFile of a
// connection goes over the same login.
class FtpConnection {
public:
    FtpConnection(FtpConnection&&) noexcept;
    FtpConnection& operator=(FtpConnection&&) noexcept;
    ~FtpConnection();

    // Sends the local file to `remote`, a path as the server understands it: one starting
    // with "/" from the server's root ("/public_html/index.html"), any other from the login
    // folder. Missing folders are not created. Says whether the file arrived whole and, when
    // not, why; a failure here leaves the connection usable for the next file.
    PutResult PutFile(const std::filesystem::path& local, std::string_view remote);
    // Logs out and releases the connection. Never fails.
    void CloseConnection() noexcept;

private:
    friend class InternetLink;
    explicit FtpConnection(std::shared_ptr<net::detail::Handle> handle);
    std::shared_ptr<net::detail::Handle> handle_;
};

// The internet session: made once per command, it makes the connections.
class InternetLink {
public:
    InternetLink();
    InternetLink(const InternetLink&) = delete;
    InternetLink& operator=(const InternetLink&) = delete;
    ~InternetLink();

    // Opens the session with the agent name that HTTP requests carry as User-Agent; an empty
    // name stands for the program's own file name. The proxy environment variables
    // (http_proxy, ftp_proxy, all_proxy, no_proxy) apply. Throws CInternetException when
    // libcurl cannot be initialised.
    void OpenSession(std::string_view agent = {});
    // Connects to `server` on the default FTP port and logs in with `user` and `password`
    // (an empty user logs in anonymously). Throws CInternetException when the server cannot
    // be reached or refuses the login.
    FtpConnection ConnectFtp(std::string_view server, std::string_view user, std::string_view password);
    // A connection to the web server `host` (a host name or address, nothing else) on the
    // default HTTP port. Nothing is sent before the first request. Throws CInternetException
    // for an empty or malformed host name, or without an open session.
    HttpConnection ConnectHttp(std::string_view host);
    // Ends the session and closes every connection made from it. Never fails.
    void CloseSession() noexcept;

private:
    // A new libcurl handle for `host`, registered with the session.
    std::shared_ptr<net::detail::Handle> newHandle(std::string_view host);

    bool open_ = false;
    std::string agent_;
    std::vector<std::weak_ptr<net::detail::Handle>> handles_;
};

} // namespace velmora
