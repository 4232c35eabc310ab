#include "generator/PageWriter.h"

#include <cerrno>
#include <cstring>

namespace velmora {

PageWriter::PageWriter(const std::filesystem::path& path)
    : path_(path)
{
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_)
        noteFailure(errno);
    else
        std::setvbuf(file_, nullptr, _IOFBF, 64 * 1024); // a whole page in one write
}

PageWriter::PageWriter(std::string& buffer)
    : buffer_(&buffer)
{
}

PageWriter::~PageWriter()
{
    close();
}

void PageWriter::noteFailure(int errorNumber)
{
    if (error_.empty())
        error_ = std::strerror(errorNumber ? errorNumber : EIO);
}

void PageWriter::emit(std::string_view bytes)
{
    if (buffer_) {
        buffer_->append(bytes);
    } else if (file_ && !failed()) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
            noteFailure(errno);
    }
}

PageWriter& PageWriter::write(std::string_view text)
{
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        emit(text.substr(start, lf - start));
        emit("\r\n");
        start = lf + 1;
    }
    emit(text.substr(start));
    return *this;
}

PageWriter& PageWriter::put(char c)
{
    return write(std::string_view(&c, 1));
}

void PageWriter::endLine()
{
    emit("\r\n");
}

void PageWriter::writeLine(std::string_view text)
{
    write(text);
    endLine();
}

void PageWriter::flush()
{
    if (file_ && !failed() && std::fflush(file_) != 0)
        noteFailure(errno);
}

void PageWriter::close()
{
    if (!file_)
        return;
    if (std::fclose(file_) != 0)
        noteFailure(errno);
    file_ = nullptr;
}

} // namespace velmora
