#include "generator/Probe.h"

#include "generator/PageWriter.h"
#include "generator/SecureDomain.h"
#include "publish/InternetLink.h"

#include "base/CharClass.h"
#include "base/FileUtil.h"

#include <algorithm>
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

// The longest label a host name may hold.
constexpr std::size_t kMaxLabel = 63;

// Fetches the page into the open working file; a failure adds the error line instead and is
// returned as the reason nothing can be found.
std::string fetchInto(PageWriter& file, const std::string& siteHost)
{
    try {
        InternetLink link;
        link.OpenSession("HTTPGET");
        HttpConnection connection = link.ConnectHttp(siteHost);
        HttpRequest request = connection.OpenRequest("", "/faq.html");
        request.SendRequest();
        char buffer[4096];
        while (const std::size_t n = request.ReadReply(buffer, sizeof buffer))
            file.write(std::string_view(buffer, n));
        request.CloseRequest();
        connection.CloseConnection();
        return {};
    } catch (const CInternetException& e) {
        file.write("Internet Error" + std::to_string(e.code()) + ".\n");
        std::string why = "the site " + siteHost + " could not be reached";
        if (!e.description().empty())
            why += " (" + e.description() + ")";
        return why;
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

NoteReading readSecureNote(std::string_view text)
{
    const std::string alone(secureDomain);
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
        // Only one plain label of a host name reaches the pages' markup.
        const std::string_view label = name.substr(0, name.empty() ? 0 : name.size() - 1);
        if (label.empty() || label.size() > kMaxLabel || !std::all_of(label.begin(), label.end(), chars::isHostLabelChar))
            return {NoteReading::Outcome::RefusedName, alone};
        return {NoteReading::Outcome::Found, std::string(name) + alone};
    }
    return {NoteReading::Outcome::NoNote, alone};
}

ProbeResult probe(const std::string& siteHost)
{
    ProbeResult result{std::string(secureDomain), {}};
    std::string failure;
    {
        // Written as a text-mode file, through the same writer as the pages.
        PageWriter out(kWorkingFile);
        if (!out.failed())
            failure = fetchInto(out, siteHost);
        out.commit();
        if (out.failed()) {
            result.problem = std::string("the working file ") + kWorkingFile + " could not be written (" + out.error() + ")";
            return result;
        }
    }

    const FileContent stored = readWholeFile(kWorkingFile);
    if (!stored.ok()) {
        result.problem = std::string("the working file ") + kWorkingFile + " could not be read (" + stored.reason() + ")";
        return result;
    }
    const NoteReading reading = readSecureNote(fromTextFile(stored.bytes));
    result.secureHost = reading.secureHost;
    if (reading.outcome == NoteReading::Outcome::Found)
        return result; // a reply cut off after the note still names the server
    if (!failure.empty())
        result.problem = failure;
    else if (reading.outcome == NoteReading::Outcome::NoNote)
        result.problem = "the page " + siteHost + "/faq.html holds no note of the secure server";
    else if (reading.outcome == NoteReading::Outcome::RefusedName)
        result.problem = "the note on " + siteHost + "/faq.html names no usable server";
    return result;
}

} // namespace velmora
