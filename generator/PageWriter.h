#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

// One page file written the way a text-mode file is on the desktop the pages were designed
// for: every line feed, the writer's own line ends and those inside written text alike, reaches
// the file as CR LF; a CR is written unchanged. Output is buffered and reaches the file at
// flush() (CREATE flushes each page as soon as it is written, so all pages are complete on disk
// while the user reads the outcome) and at close(). A writer whose file failed to open, or
// whose writes have failed, takes every further call without effect and keeps the first
// failure for the caller to report.
class PageWriter {
public:
    // Creates or truncates the file.
    explicit PageWriter(const std::filesystem::path& path);
    // Writes into a string instead of a file (for tests and measurements).
    explicit PageWriter(std::string& buffer);
    PageWriter(const PageWriter&) = delete;
    PageWriter& operator=(const PageWriter&) = delete;
    ~PageWriter();

    PageWriter& write(std::string_view text);
    PageWriter& put(char c);
    void endLine();
    // Text and a line end. A '\n' inside the text ends a line just as endLine() does, so a
    // fixed block of several lines can be kept as one literal.
    void writeLine(std::string_view text);
    void flush();
    void close();

    const std::filesystem::path& path() const { return path_; }
    bool failed() const { return !error_.empty(); }
    // Why the file could not be written, as the system describes it; empty when it could.
    const std::string& error() const { return error_; }

private:
    void emit(std::string_view bytes);
    void noteFailure(int errorNumber);

    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    std::string* buffer_ = nullptr;
    std::string error_;
};

} // namespace velmora
