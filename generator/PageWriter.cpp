#include "generator/PageWriter.h"

#include <cstring>

namespace velmora {

PageWriter::PageWriter(const std::filesystem::path& path)
    : path_(path), file_(std::make_unique<ReplacementFile>(path)), buffer_(&page_)
{
    if (file_->failed())
        noteFailure(file_->error());
}

PageWriter::PageWriter(std::string& buffer)
    : buffer_(&buffer)
{
}

PageWriter::~PageWriter()
{
    commit();
}

void PageWriter::noteFailure(int errorNumber)
{
    if (error_.empty())
        error_ = std::strerror(errorNumber);
}

void PageWriter::appendBytes(std::string_view bytes)
{
    if (buffer_ && !failed())
        buffer_->append(bytes);
}

PageWriter& PageWriter::write(std::string_view text)
{
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        appendBytes(text.substr(start, lf - start));
        appendBytes("\r\n");
        start = lf + 1;
    }
    appendBytes(text.substr(start));
    return *this;
}

PageWriter& PageWriter::put(char c)
{
    return write(std::string_view(&c, 1));
}

void PageWriter::endLine()
{
    appendBytes("\r\n");
}

void PageWriter::writeLine(std::string_view text)
{
    write(text);
    endLine();
}

void PageWriter::commit()
{
    if (!file_)
        return;
    file_->write(page_); // the whole page in one write
    if (const int error = file_->commit())
        noteFailure(error);
    file_.reset();
    page_.clear();
    page_.shrink_to_fit();
    buffer_ = nullptr;
}

} // namespace velmora
