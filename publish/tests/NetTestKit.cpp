#include "publish/tests/NetTestKit.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace velmora::testkit {
namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void sysFail(const std::string& what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

int listeningSocket(bool listen, int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        sysFail("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        sysFail("bind");
    if (listen && ::listen(fd, 16) != 0)
        sysFail("listen");
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return std::string(text);
}

// Waits until `fd` can be read, the wake pipe fires or the time is up.
bool waitReadable(int fd, int wakeFd, Clock::time_point deadline)
{
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        const int ready = ::poll(fds, 2, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || (fds[1].revents & POLLIN))
            return false;
        return true;
    }
}

void sendAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

pid_t spawn(const std::vector<std::string>& argv, posix_spawn_file_actions_t& actions)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        errno = error;
        sysFail("cannot start " + argv[0]);
    }
    return pid;
}

// Waits for `pid` until `deadline`; returns the wait status, or nullopt when it still runs.
std::optional<int> waitUntil(pid_t pid, Clock::time_point deadline)
{
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return status;
        if (done < 0 && errno != EINTR)
            return -1;
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void stopChild(pid_t pid)
{
    ::kill(pid, SIGTERM);
    if (!waitUntil(pid, Clock::now() + std::chrono::seconds(5))) {
        ::kill(pid, SIGKILL);
        waitUntil(pid, Clock::now() + std::chrono::seconds(5));
    }
}

} // namespace

// ---- HTTP --------------------------------------------------------------------------------

std::optional<std::string> RecordedRequest::header(std::string_view name) const
{
    for (const auto& [key, value] : headers) {
        if (equalsIgnoringCase(key, name))
            return value;
    }
    return std::nullopt;
}

std::string httpReply(int status, std::string_view reason, std::string_view body, bool withLength)
{
    std::string reply = "HTTP/1.0 " + std::to_string(status) + " " + std::string(reason) + "\r\n";
    reply += "Content-Type: text/html\r\n";
    if (withLength)
        reply += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    reply += "\r\n";
    reply += body;
    return reply;
}

HttpTestServer::HttpTestServer(Handler handler) : handler_(std::move(handler))
{
    listenFd_ = listeningSocket(true, port_);
    if (::pipe2(wakeFds_, O_CLOEXEC) != 0)
        sysFail("pipe");
    thread_ = std::thread([this] { run(); });
}

HttpTestServer::~HttpTestServer()
{
    const char stop = 's';
    [[maybe_unused]] const ssize_t written = ::write(wakeFds_[1], &stop, 1);
    thread_.join();
    for (const int fd : held_)
        ::close(fd);
    ::close(listenFd_);
    ::close(wakeFds_[0]);
    ::close(wakeFds_[1]);
}

std::string HttpTestServer::connectTo(std::string_view host, int port) const
{
    return std::string(host) + ":" + std::to_string(port) + ":127.0.0.1:" + std::to_string(port_);
}

std::vector<RecordedRequest> HttpTestServer::requests() const
{
    const std::lock_guard lock(mutex_);
    return requests_;
}

void HttpTestServer::run()
{
    for (;;) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents & POLLIN)
            return;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0)
            serve(fd);
    }
}

void HttpTestServer::serve(int fd)
{
    // Reads the head, then the body that Content-Length announces; gives up after 10 s.
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    std::string data;
    std::size_t headEnd = std::string::npos;
    std::size_t bodyLength = 0;
    RecordedRequest request;
    char buffer[65536];
    for (;;) {
        if (headEnd != std::string::npos && data.size() >= headEnd + 4 + bodyLength)
            break;
        if (!waitReadable(fd, wakeFds_[0], deadline)) {
            ::close(fd);
            return;
        }
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            ::close(fd);
            return;
        }
        data.append(buffer, static_cast<std::size_t>(n));
        if (headEnd == std::string::npos && (headEnd = data.find("\r\n\r\n")) != std::string::npos) {
            std::istringstream head(data.substr(0, headEnd));
            std::string line;
            std::getline(head, line);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            request.requestLine = line;
            while (std::getline(head, line)) {
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                const std::size_t colon = line.find(':');
                if (colon != std::string::npos)
                    request.headers.emplace_back(line.substr(0, colon), trim(std::string_view(line).substr(colon + 1)));
            }
            if (const auto length = request.header("Content-Length"))
                bodyLength = std::stoul(*length);
        }
    }
    request.body = data.substr(headEnd + 4, bodyLength);
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    const Answer answer = handler_(request);
    if (!answer.bytes) {
        held_.push_back(fd);
        return;
    }
    sendAll(fd, *answer.bytes);
    ::shutdown(fd, SHUT_WR);
    ::close(fd);
}

RefusingPort::RefusingPort()
{
    fd_ = listeningSocket(false, port_);
}

RefusingPort::~RefusingPort()
{
    ::close(fd_);
}

// ---- programs ----------------------------------------------------------------------------

RunResult runProgram(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                     std::chrono::milliseconds limit)
{
    TempDir outputs;
    const std::string outFile = (outputs.path() / "out").string();
    const std::string errFile = (outputs.path() / "err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    const pid_t pid = spawn(argv, actions);

    RunResult result;
    const auto status = waitUntil(pid, Clock::now() + limit);
    if (!status) {
        result.timedOut = true;
        stopChild(pid);
    } else if (WIFEXITED(*status)) {
        result.exitCode = WEXITSTATUS(*status);
    }
    result.out = readFile(outFile);
    result.err = readFile(errFile);
    return result;
}

// ---- FTP ---------------------------------------------------------------------------------

FtpTestServer::FtpTestServer(std::string user, std::string password, const FtpQuirks& quirks)
    : root_(dir_.path() / "root")
{
    std::filesystem::create_directory(root_);
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0)
        sysFail("pipe");
    const std::string errFile = (dir_.path() / "server.err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> argv = {VELMORA_SYSTEM_PYTHON, VELMORA_FTP_SERVER_SCRIPT, root_.string(), user, password,
                                     (dir_.path() / "server.log").string()};
    for (const std::string& name : quirks.refuse)
        argv.insert(argv.end(), {"--refuse", name});
    for (const std::string& name : quirks.drop)
        argv.insert(argv.end(), {"--drop", name});
    for (const std::string& name : quirks.slow)
        argv.insert(argv.end(), {"--slow", name});
    pid_ = spawn(argv, actions);
    ::close(toChild[0]);
    ::close(fromChild[1]);
    stdinFd_ = toChild[1];

    // The first line is "PORT <n>"; the server gets 20 s to start.
    std::string line;
    const auto deadline = Clock::now() + std::chrono::seconds(20);
    char c = 0;
    while (line.find('\n') == std::string::npos && waitReadable(fromChild[0], -1, deadline) &&
           ::read(fromChild[0], &c, 1) == 1)
        line += c;
    ::close(fromChild[0]);
    if (line.rfind("PORT ", 0) != 0) {
        stopChild(pid_);
        ::close(stdinFd_);
        std::string why;
        try {
            why = readFile(errFile);
        } catch (const std::exception&) {
        }
        throw std::runtime_error("the FTP test server did not start (needs python3-pyftpdlib): " + why);
    }
    port_ = std::stoi(line.substr(5));
}

FtpTestServer::~FtpTestServer()
{
    ::close(stdinFd_);
    stopChild(pid_);
}

std::string FtpTestServer::connectTo(std::string_view host) const
{
    return std::string(host) + ":21:127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> FtpTestServer::log() const
{
    std::vector<std::string> lines;
    std::ifstream in(dir_.path() / "server.log");
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace velmora::testkit
