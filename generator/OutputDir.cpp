#include "generator/OutputDir.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace velmora::OutputDir {

std::filesystem::path standardFolder()
{
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* entry = getpwuid(getuid());
        home = entry ? entry->pw_dir : "/tmp";
    }
    return std::filesystem::path(home) / "VelmoraP";
}

std::filesystem::path pictureFolder()
{
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return program.parent_path().parent_path() / "share" / "velmora" / "images";
}

} // namespace velmora::OutputDir
