#include "generator/Probe.h"

#include "generator/PageWriter.h"
#include "generator/SecureDomain.h"
#include "publish/InternetLink.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace velmora {
namespace {

constexpr const char* kWorkingFile = "test.txt";

// Lines are read as a C runtime reads them into a fixed buffer: at most `maxChars`
// characters, the LF included when it fits; a longer line comes in several pieces, and an
// LF that did not fit makes a piece of its own.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    std::optional<std::string_view> piece(std::size_t maxChars)
    {
        if (position_ >= text_.size())
            return std::nullopt;
        std::size_t n = 0;
        while (position_ + n < text_.size() && n < maxChars) {
            const char c = text_[position_ + n];
            ++n;
            if (c == '\n')
                break;
        }
        const std::string_view result = text_.substr(position_, n);
        position_ += n;
        return result;
    }

    void skip(std::size_t count) { position_ += count; }

    // Characters up to and including the first '.', or nothing when the text ends first.
    std::string_view throughDot() const
    {
        if (position_ >= text_.size())
            return {};
        const std::size_t dot = text_.find('.', position_);
        if (dot == std::string_view::npos)
            return {};
        return text_.substr(position_, dot + 1 - position_);
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Fetches the page into the open working file; a failure adds the error line instead.
void fetchInto(PageWriter& file, const std::string& siteUrl)
{
    try {
        InternetLink link;
        link.OpenSession("HTTPGET");
        HttpConnection connection = link.ConnectHttp(siteUrl);
        HttpRequest request = connection.OpenRequest("", "/faq.html");
        request.SendRequest();
        char buffer[4096];
        while (const std::size_t n = request.ReadReply(buffer, sizeof buffer))
            file.write(std::string_view(buffer, n));
        request.CloseRequest();
        connection.CloseConnection();
    } catch (const CInternetException& e) {
        file.write("Internet Error" + std::to_string(e.code()) + ".\n");
    }
}

} // namespace

std::string toTextFile(std::string_view bytes)
{
    std::string stored;
    PageWriter(stored).write(bytes);
    return stored;
}

std::string fromTextFile(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        text += bytes[i];
    }
    return text;
}

std::string secureHostFromText(std::string_view text)
{
    LineReader reader(text);
    while (const auto line = reader.piece(149)) {
        std::string_view content = *line;
        if (!content.empty() && content.back() == '\n')
            content.remove_suffix(1);
        if (content != probeMarker)
            continue;
        reader.piece(49);
        reader.piece(49);
        reader.skip(13);
        const std::string_view name = reader.throughDot();
        // Only a plain host name part reaches the pages' markup.
        if (name.size() >= 2 && std::all_of(name.begin(), name.end() - 1, isNameChar))
            return std::string(name) + std::string(secureDomain);
        break;
    }
    return std::string(secureDomain);
}

std::string probe(const std::string& siteUrl)
{
    {
        // Written as a text-mode file, through the same writer as the pages.
        PageWriter out(kWorkingFile);
        if (out.failed())
            return std::string(secureDomain);
        fetchInto(out, siteUrl);
    }

    const File in(std::fopen(kWorkingFile, "rb"));
    if (!in)
        return std::string(secureDomain);
    std::string stored;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, in.get()))
        stored.append(buffer, n);
    if (std::ferror(in.get()))
        return std::string(secureDomain);
    return secureHostFromText(fromTextFile(stored));
}

} // namespace velmora
