#include "base/AtomicReplace.h"

#include "base/CharClass.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {
namespace {

constexpr std::string_view kTemporaryMark = ".tmp";

// For results that change nothing when they fail (keeping a replaced file's owner, say).
void ignoreFailure(int) {}

// The file a replacement really replaces: symbolic links followed (a dangling one to the file
// it names).
std::filesystem::path followLinks(std::filesystem::path path)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        std::error_code error;
        const std::filesystem::path link = std::filesystem::read_symlink(path, error);
        if (error)
            break;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

// "." + name + ".tmp" + pid + "-" + counter: a name no other replacement uses, and one from
// which a later run can tell whose it was. O_EXCL settles any clash with a stranger's file.
std::filesystem::path temporaryName(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    const std::string suffix = std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    // Shortened so that a name near the length limit still leaves room for the suffix.
    return target.parent_path() / ("." + target.filename().string().substr(0, 200) + suffix);
}

// The process id in a temporary file's name, or 0 when the name is not one of ours.
pid_t ownerOf(const std::string& name)
{
    if (name.size() < 2 || name[0] != '.')
        return 0;
    const std::size_t dash = name.rfind('-');
    const std::size_t mark = name.rfind(kTemporaryMark, dash);
    if (dash == std::string::npos || mark == std::string::npos || mark == 0)
        return 0;
    const std::string pid = name.substr(mark + kTemporaryMark.size(), dash - mark - kTemporaryMark.size());
    const std::string count = name.substr(dash + 1);
    const auto digits = [](const std::string& s) {
        if (s.empty() || s.size() > 9)
            return false;
        for (const char c : s) {
            if (!chars::isDigit(c))
                return false;
        }
        return true;
    };
    if (!digits(pid) || !digits(count))
        return 0;
    return static_cast<pid_t>(std::stol(pid));
}

int writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

} // namespace

ReplacementFile::ReplacementFile(const std::filesystem::path& target, Durability durability)
    : target_(followLinks(target)), durability_(durability)
{
    struct stat existing;
    const bool exists = ::stat(target_.c_str(), &existing) == 0;
    if (target_.filename().empty() || (exists && S_ISDIR(existing.st_mode))) {
        fail(EISDIR);
        return;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        fd_ = ::open(target_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd_ < 0)
            fail(errno);
        return;
    }
    // A file the user may not write stays as it is.
    if (exists && ::access(target_.c_str(), W_OK) != 0) {
        fail(errno);
        return;
    }
    for (unsigned attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = temporaryName(target_);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        temporary_.clear();
        fail(errno);
        return;
    }
    if (exists) {
        // Keep the owner where allowed, then the permissions (a change of owner clears the
        // set-id bits).
        ignoreFailure(::fchown(fd_, existing.st_uid, existing.st_gid));
        ignoreFailure(::fchmod(fd_, existing.st_mode & 07777));
    }
}

ReplacementFile::~ReplacementFile()
{
    if (!done_)
        discard();
}

void ReplacementFile::fail(int error)
{
    if (!error_)
        error_ = error ? error : EIO;
}

void ReplacementFile::closeFile()
{
    if (fd_ < 0)
        return;
    if (::close(fd_) != 0)
        fail(errno);
    fd_ = -1;
}

void ReplacementFile::write(std::string_view bytes)
{
    if (failed() || done_ || fd_ < 0)
        return;
    if (const int error = writeAll(fd_, bytes))
        fail(error);
}

int ReplacementFile::commit()
{
    if (done_)
        return error_;
    if (!failed() && durability_ == Durability::Synced && !temporary_.empty() && ::fsync(fd_) != 0)
        fail(errno);
    closeFile();
    if (!failed() && !temporary_.empty() && ::rename(temporary_.c_str(), target_.c_str()) != 0)
        fail(errno);
    if (failed()) {
        discard();
        return error_;
    }
    done_ = true;
    if (durability_ == Durability::Synced && !temporary_.empty()) {
        // Make the rename itself durable; a folder that cannot be synced changes nothing above.
        const std::filesystem::path folder = target_.parent_path().empty() ? "." : target_.parent_path();
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return 0;
}

void ReplacementFile::discard()
{
    const int keep = error_;
    closeFile();
    error_ = keep;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    done_ = true;
}

int copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to)
{
    const int source = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        return errno;
    struct stat info;
    if (::fstat(source, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(source);
        return EISDIR;
    }
    ReplacementFile copy(to);
    char buffer[64 * 1024];
    int error = 0;
    while (!copy.failed()) {
        const ssize_t n = ::read(source, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = errno;
        if (n <= 0)
            break;
        copy.write(std::string_view(buffer, static_cast<std::size_t>(n)));
    }
    ::close(source);
    if (error) {
        copy.discard();
        return error;
    }
    return copy.commit();
}

void removeLeftoverTemporaries(const std::filesystem::path& folder)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const pid_t owner = ownerOf(it->path().filename().string());
        if (owner <= 0 || owner == ::getpid())
            continue;
        if (::kill(owner, 0) == 0 || errno == EPERM)
            continue; // a running process may still be writing it
        std::error_code ignored;
        std::filesystem::remove(it->path(), ignored);
    }
}

} // namespace velmora
