#pragma once

// Local servers and helpers for the network tests: everything listens on 127.0.0.1 on a free
// port, is bounded in time and is stopped when its object goes.

#include "testsupport/TestSupport.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <thread>
#include <vector>


namespace velmora::testkit {

// Folders and files come from the helpers every test shares.
using test::readFile;
using test::TempDir;
using test::writeFile;
using ScopedCurrentDir = test::CurrentDirectory;

struct RecordedRequest {
    std::string requestLine;  // "GET /faq.html HTTP/1.0"
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;

    // The value of the first header of that name (any case), or nullopt.
    std::optional<std::string> header(std::string_view name) const;
};

// What the server does with a request: send these bytes and close, or hold the connection
// open without a word until the server stops.
struct Answer {
    std::optional<std::string> bytes;
    static Answer reply(std::string raw) { return Answer{std::move(raw)}; }
    static Answer silence() { return Answer{std::nullopt}; }
};

// A raw HTTP reply: status line, a Content-Type, a Content-Length when `withLength` (else the
// body ends where the server closes the connection), a blank line and the body.
std::string httpReply(int status, std::string_view reason, std::string_view body, bool withLength = true);

// An HTTP server on its own thread that records every request and answers through `handler`
// (called on the server's thread). Connections are served one after the other.
class HttpTestServer {
public:
    using Handler = std::function<Answer(const RecordedRequest&)>;
    explicit HttpTestServer(Handler handler);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    int port() const { return port_; }
    // A connect-to entry that sends `host`'s connections on `port` here.
    std::string connectTo(std::string_view host, int port = 80) const;
    std::vector<RecordedRequest> requests() const;

private:
    void run();
    void serve(int fd);

    Handler handler_;
    int listenFd_ = -1;
    int wakeFds_[2] = {-1, -1};
    int port_ = 0;
    std::vector<int> held_;
    mutable std::mutex mutex_;
    std::vector<RecordedRequest> requests_;
    std::thread thread_;
};

// A port on 127.0.0.1 that is bound but not listening, so connecting to it is refused.
class RefusingPort {
public:
    RefusingPort();
    ~RefusingPort();
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

struct RunResult {
    int exitCode = -1;  // -1 when it did not end normally
    bool timedOut = false;
    std::string out;
    std::string err;
};

// Runs a program in `folder` with stdin from /dev/null, waits at most `limit` (then kills it)
// and returns its exit code and output.
RunResult runProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                     std::chrono::milliseconds limit = std::chrono::seconds(60));

// How an FTP test server misbehaves, by file name (the last part of a STOR path).
struct FtpQuirks {
    std::vector<std::string> refuse = {};  // answered "553 Not allowed here."
    std::vector<std::string> drop = {};    // the connection closes after the first bytes
    std::vector<std::string> slow = {};    // taken only after 0.4 s
};

// An FTP server (Debian's pyftpdlib run by the system's python3) with one user whose root is
// a fresh temporary folder. It logs events to a file; see ftp_server.py.
class FtpTestServer {
public:
    FtpTestServer(std::string user, std::string password, const FtpQuirks& quirks = {});
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    int port() const { return port_; }
    const std::filesystem::path& root() const { return root_; }
    std::string connectTo(std::string_view host) const;
    // The commands the server has received so far, such as "CMD USER bob" or
    // "CMD STOR /site/index.html".
    std::vector<std::string> log() const;

private:
    TempDir dir_;
    std::filesystem::path root_;
    pid_t pid_ = -1;
    int stdinFd_ = -1;
    int port_ = 0;
};

} // namespace velmora::testkit
