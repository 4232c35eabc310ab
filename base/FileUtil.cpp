#include "base/FileUtil.h"

#include <cerrno>
#include <system_error>

#include <sys/stat.h>

namespace velmora {

std::string FileContent::reason() const
{
    if (error == EFBIG)
        return "larger than the size limit";
    return error ? std::generic_category().message(error) : std::string();
}

FileContent readWholeFile(const std::filesystem::path& path, std::size_t limit)
{
    FileContent result;
    const UniqueFile file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        result.error = errno ? errno : EIO;
        return result;
    }
    struct stat info;
    if (::fstat(fileno(file.get()), &info) == 0 && S_ISDIR(info.st_mode)) {
        result.error = EISDIR;
        return result;
    }
    char buffer[64 * 1024];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file.get())) {
        if (n > limit - result.bytes.size()) {
            result.bytes.clear();
            result.error = EFBIG;
            return result;
        }
        result.bytes.append(buffer, n);
    }
    if (std::ferror(file.get()))
        result.error = errno ? errno : EIO;
    return result;
}

} // namespace velmora
