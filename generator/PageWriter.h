#pragma once

#include "base/AtomicReplace.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace velmora {

// One page file written the way a text-mode file is on the desktop the pages were designed
// for: every line feed, the writer's own line ends and those inside written text alike, reaches
// the file as CR LF; a CR is written unchanged.
//
// The page is collected in memory and replaces the file only as a whole: commit() writes it to
// a temporary file beside the page and renames that over the old page. Until then, and when
// the write fails, the old page stays as it was, so a failed or interrupted CREATE never leaves
// an empty or partial page. A writer whose file cannot be created or written takes every
// further call without effect and keeps the first failure for the caller to report.
class PageWriter {
public:
    // Prepares to replace the file (its temporary is created now; the file itself is untouched).
    explicit PageWriter(const std::filesystem::path& path);
    // Writes into a string instead of a file (for tests and measurements).
    explicit PageWriter(std::string& buffer);
    PageWriter(const PageWriter&) = delete;
    PageWriter& operator=(const PageWriter&) = delete;
    // Commits what was written, when that has not happened yet.
    ~PageWriter();

    PageWriter& write(std::string_view text);
    PageWriter& put(char c);
    void endLine();
    // Text and a line end. A '\n' inside the text ends a line just as endLine() does, so a
    // fixed block of several lines can be kept as one literal.
    void writeLine(std::string_view text);
    // Puts the complete page in place of the old file. Later writes have no effect.
    void commit();

    const std::filesystem::path& path() const { return path_; }
    bool failed() const { return !error_.empty(); }
    // Why the file could not be written, as the system describes it; empty when it could.
    const std::string& error() const { return error_; }

private:
    void appendBytes(std::string_view bytes);
    void noteFailure(int errorNumber);

    std::filesystem::path path_;
    std::unique_ptr<ReplacementFile> file_;
    std::string page_;
    std::string* buffer_ = nullptr;
    std::string error_;
};

} // namespace velmora
