#include "profile/ProfileFile.h"

#include "base/AtomicReplace.h"
#include "model/Cp1252.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>
#include <vector>

namespace velmora {

// The file order, by edit control ("picturePath" is 1104).
constinit const std::array<ProfileField, 44> profileFields = textFieldsInOrder(std::array<int, 44>{
    1006, 1007, 1092, 1005, 1008, 1104, 1012, 1085, 1086, 1087, 1088, 1089, 1090, 1042, 1046,
    1047, 1049, 1050, 1052, 1053, 1055, 1056, 1058, 1059, 1023, 1025, 1095, 1096, 1097, 1098,
    1099, 1100, 1038, 1070, 1080, 1110, 1114, 1112, 1116, 1128, 1130, 1134, 1132, 1185,
});

namespace {

constexpr std::uint64_t kMaxLength = 0xFFFFFFFF;

std::string describe(int error)
{
    return std::generic_category().message(error);
}

[[noreturn]] void failFile(const char* verb, const std::filesystem::path& path, int error)
{
    throw ProfileError(std::string("Cannot ") + verb + " " + path.string() + ": " + describe(error));
}

[[noreturn]] void failPastEnd()
{
    throw ProfileError(std::string(kProfilePastEndMessage));
}

void appendLittleEndian(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// ---- reading ------------------------------------------------------------------------------

// A source hands out exactly the bytes asked for or fails with the past-end error; remaining()
// is the number of bytes left when it is known (a byte string, a regular file), so that a
// stated length is checked against it before anything is allocated.

class MemorySource {
public:
    explicit MemorySource(std::string_view bytes) : rest_(bytes) {}

    std::optional<std::uint64_t> remaining() const { return rest_.size(); }

    void read(char* into, std::size_t count)
    {
        if (count > rest_.size())
            failPastEnd();
        if (count > 0)
            std::memcpy(into, rest_.data(), count);
        rest_.remove_prefix(count);
    }

private:
    std::string_view rest_;
};

class FileSource {
public:
    // size: the file's size when it is a regular file; nothing for a pipe or a device.
    FileSource(int fd, const std::filesystem::path& path, std::optional<std::uint64_t> size)
        : fd_(fd), path_(path), size_(size),
          buffer_(static_cast<std::size_t>(std::min<std::uint64_t>(size.value_or(kBufferSize), kBufferSize)))
    {
    }

    std::optional<std::uint64_t> remaining() const
    {
        if (!size_)
            return std::nullopt;
        return *size_ > consumed_ ? *size_ - consumed_ : 0;
    }

    void read(char* into, std::size_t count)
    {
        const std::size_t buffered = std::min(count, end_ - pos_);
        if (buffered > 0) // an empty file has no buffer to copy from
            std::memcpy(into, buffer_.data() + pos_, buffered);
        pos_ += buffered;
        into += buffered;
        count -= buffered;
        consumed_ += buffered;
        if (count == 0)
            return;
        if (count >= buffer_.size()) {
            // Large reads go straight into the caller's string.
            const std::size_t got = readSome(into, count, count);
            consumed_ += got;
            if (got < count)
                failPastEnd();
            return;
        }
        end_ = readSome(buffer_.data(), count, buffer_.size());
        pos_ = std::min(count, end_);
        std::memcpy(into, buffer_.data(), pos_);
        consumed_ += pos_;
        if (pos_ < count)
            failPastEnd();
    }

private:
    static constexpr std::uint64_t kBufferSize = 64 * 1024;

    // Reads until at least `wanted` bytes (at most `capacity`) are in, or the file ends.
    std::size_t readSome(char* into, std::size_t wanted, std::size_t capacity)
    {
        std::size_t got = 0;
        while (got < wanted) {
            const ssize_t n = ::read(fd_, into + got, capacity - got);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                failFile("read", path_, errno);
            }
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        return got;
    }

    int fd_;
    const std::filesystem::path& path_;
    std::optional<std::uint64_t> size_;
    std::uint64_t consumed_ = 0;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

template <class Source>
std::uint64_t readNumber(Source& source, int bytes)
{
    unsigned char raw[4];
    source.read(reinterpret_cast<char*>(raw), static_cast<std::size_t>(bytes));
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | raw[i];
    return value;
}

// The length in the three forms: a byte below 0xFF; 0xFF and a 16-bit number below 0xFFFF;
// 0xFF 0xFFFF and a 32-bit number. With allowWide, the 16-bit value 0xFFFE marks 2-byte
// characters and sets `wide`; a second prefix then follows, in which 0xFFFE is a plain length.
template <class Source>
std::uint64_t readLength(Source& source, bool allowWide, bool& wide)
{
    const std::uint64_t byte = readNumber(source, 1);
    if (byte < 0xFF)
        return byte;
    const std::uint64_t word = readNumber(source, 2);
    if (word == 0xFFFE && allowWide) {
        wide = true;
        bool unused = false;
        return readLength(source, false, unused);
    }
    if (word < 0xFFFF)
        return word;
    return readNumber(source, 4);
}

// Checks that `bytes` can still be read before anything is allocated for them.
template <class Source>
void require(const Source& source, std::uint64_t bytes)
{
    const auto left = source.remaining();
    if (left && bytes > *left)
        failPastEnd();
}

template <class Source>
std::string readNarrow(Source& source, std::uint64_t length)
{
    require(source, length);
    std::string text;
    if (source.remaining()) {
        text.resize(static_cast<std::size_t>(length));
        source.read(text.data(), text.size());
        return text;
    }
    // Size unknown (a pipe): grow with what actually arrives.
    constexpr std::uint64_t kChunk = 64 * 1024;
    while (length > 0) {
        const auto chunk = static_cast<std::size_t>(std::min(length, kChunk));
        const std::size_t old = text.size();
        text.resize(old + chunk);
        source.read(text.data() + old, chunk);
        length -= chunk;
    }
    return text;
}

// `units` UTF-16LE code units converted to Windows-1252: a character the code page cannot hold
// becomes '?', a surrogate pair (always outside the code page) one '?', a lone surrogate '?'.
template <class Source>
std::string readWide(Source& source, std::uint64_t units)
{
    require(source, units * 2);
    std::string text;
    if (source.remaining())
        text.reserve(static_cast<std::size_t>(units));
    unsigned char raw[4096];
    char converted[sizeof raw / 2 + 1]; // + the pending high surrogate's '?'
    bool pendingHigh = false;
    while (units > 0) {
        const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(units, sizeof raw / 2));
        source.read(reinterpret_cast<char*>(raw), chunk * 2);
        std::size_t n = 0;
        for (std::size_t i = 0; i < chunk; ++i) {
            const char32_t unit = static_cast<char32_t>(raw[2 * i] | (raw[2 * i + 1] << 8));
            if (pendingHigh) {
                // One '?' for the pair, or for the lone high surrogate before this unit.
                pendingHigh = false;
                converted[n++] = '?';
                if (unit >= 0xDC00 && unit <= 0xDFFF)
                    continue;
            }
            if (unit >= 0xD800 && unit <= 0xDBFF)
                pendingHigh = true;
            else
                converted[n++] = cp1252::fromUnicode(unit).value_or('?'); // a lone low surrogate too
        }
        text.append(converted, n);
        units -= chunk;
    }
    if (pendingHigh)
        text += '?';
    return text;
}

template <class Source>
void decodeFrom(SiteProfile& profile, Source& source)
{
    for (const ProfileField& field : profileFields) {
        bool wide = false;
        const std::uint64_t length = readLength(source, true, wide);
        std::string text = wide ? readWide(source, length) : readNarrow(source, length);
        field.of(profile) = std::move(text);
    }
}

// The descriptor a load reads from, closed when the load ends however it ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

} // namespace

std::string encodeLengthPrefix(std::uint64_t length)
{
    std::string prefix;
    if (length < 0xFF) {
        appendLittleEndian(prefix, length, 1);
    } else if (length < 0xFFFE) {
        prefix += '\xFF';
        appendLittleEndian(prefix, length, 2);
    } else if (length <= kMaxLength) {
        prefix += "\xFF\xFF\xFF";
        appendLittleEndian(prefix, length, 4);
    } else {
        throw ProfileError("A text of " + std::to_string(length) +
                           " characters is longer than a profile file can hold (4294967295)");
    }
    return prefix;
}

std::string encodeProfile(const SiteProfile& profile)
{
    std::size_t total = 0;
    for (const ProfileField& field : profileFields) {
        const std::string& text = field.of(profile);
        if (text.size() > kMaxLength)
            throw ProfileError(std::string(field.name) + " holds " + std::to_string(text.size()) +
                               " characters, more than a profile file can hold (4294967295)");
        total += 7 + text.size();
    }
    std::string bytes;
    bytes.reserve(total);
    for (const ProfileField& field : profileFields) {
        const std::string& text = field.of(profile);
        bytes += encodeLengthPrefix(text.size());
        bytes += text;
    }
    return bytes;
}

void decodeProfile(SiteProfile& profile, std::string_view bytes)
{
    MemorySource source(bytes);
    decodeFrom(profile, source);
}

void loadProfile(SiteProfile& profile, const std::filesystem::path& path)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        failFile("open", path, errno);
    struct stat info;
    if (::fstat(fd.get(), &info) != 0)
        failFile("open", path, errno);
    if (S_ISDIR(info.st_mode))
        failFile("open", path, EISDIR);
    std::optional<std::uint64_t> size;
    if (S_ISREG(info.st_mode))
        size = static_cast<std::uint64_t>(info.st_size);
    FileSource source(fd.get(), path, size);
    decodeFrom(profile, source);
}

void saveProfile(const SiteProfile& profile, const std::filesystem::path& path)
{
    std::string bytes;
    try {
        bytes = encodeProfile(profile);
    } catch (const ProfileError& error) {
        throw ProfileError("Cannot save " + path.string() + ": " + error.what());
    }
    // The user's earlier file survives anything short of a complete, flushed new one.
    ReplacementFile file(path, ReplacementFile::Durability::Synced);
    file.write(bytes);
    if (const int error = file.commit())
        failFile("save", path, error);
}

} // namespace velmora
