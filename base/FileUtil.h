#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>

namespace velmora {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

struct FileContent {
    std::string bytes;
    // 0, or the errno that stopped the read (EISDIR for a folder, EFBIG past the limit).
    int error = 0;
    bool ok() const { return error == 0; }
    // The reason as the platform words it; empty when the read went well.
    std::string reason() const;
};

// Reads the whole file at `path`, at most `limit` bytes: a longer file (or an endless device)
// stops with EFBIG once one byte more than the limit has arrived, so memory stays bounded.
FileContent readWholeFile(const std::filesystem::path& path,
                          std::size_t limit = std::numeric_limits<std::size_t>::max());

} // namespace velmora
