#pragma once

#include <filesystem>
#include <string_view>

namespace velmora {

// A file that replaces `target` only once it is complete: the bytes go to a temporary file
// beside the target (same folder, so the final rename is atomic), and commit() renames it over
// the target. Until then, and after any failure, the target keeps its old contents; a
// discarded or failed replacement removes its temporary file. So an interrupted or failed
// write never leaves a target empty or partial.
//
// Symbolic links are followed (the link stays, its target is replaced). An existing file that
// is not a regular file (a device such as /dev/null, a pipe) has no contents to keep and is
// written in place. A replaced file keeps its permissions and, where allowed, its owner. A
// read-only target is refused (EACCES), as is a folder (EISDIR).
class ReplacementFile {
public:
    enum class Durability {
        Plain,  // safe against an interrupted program
        Synced, // also against a lost power: flushed to the disk before and after the rename
    };

    explicit ReplacementFile(const std::filesystem::path& target, Durability durability = Durability::Plain);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    // Appends bytes; without effect once anything has failed.
    void write(std::string_view bytes);
    // Puts the complete file in place. Returns 0 or the errno of the first failure (then the
    // target is untouched and the temporary gone). Later calls return the same.
    int commit();
    // Gives up: the target is untouched and the temporary removed.
    void discard();

    bool failed() const { return error_ != 0; }
    int error() const { return error_; }
    const std::filesystem::path& temporaryPath() const { return temporary_; }

private:
    void fail(int error);
    void closeFile();

    std::filesystem::path target_;
    std::filesystem::path temporary_; // empty when written in place
    Durability durability_;
    int fd_ = -1;
    int error_ = 0;
    bool done_ = false;
};

// Copies the file `from` over `to` through a ReplacementFile, so `to` is either its old self
// or a whole copy. Returns 0 or the errno that stopped the copy (reading or writing).
int copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes the temporary files that replacements of processes no longer running left in
// `folder` (a program killed while writing). Those of running processes are left alone.
void removeLeftoverTemporaries(const std::filesystem::path& folder);

} // namespace velmora
