#pragma once

#include "base/FileUtil.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

// Small helpers shared by the test programs.
namespace velmora::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempDir()
    {
        // A test may have taken the write permission off a folder inside.
        std::error_code ignored;
        const auto writable = [&](const std::filesystem::path& folder) {
            std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        };
        writable(path_);
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            if (it->is_directory(ignored) && !it->is_symlink(ignored))
                writable(it->path());
        }
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Makes `folder` the current directory until the guard goes.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentDirectory()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }

private:
    std::filesystem::path previous_;
};

inline std::string readFile(const std::filesystem::path& path)
{
    FileContent content = readWholeFile(path);
    if (!content.ok())
        throw std::runtime_error("cannot read " + path.string() + ": " + content.reason());
    return std::move(content.bytes);
}

inline void writeFile(const std::filesystem::path& path, std::string_view content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// The names of the entries of `folder`, sorted.
inline std::vector<std::string> listFolder(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The navigation pictures as the build installs them beside the programs.
inline std::filesystem::path builtPictureFolder()
{
    return std::filesystem::path(VELMORA_BINARY_DIR) / "share" / "velmora" / "images";
}

} // namespace velmora::test
