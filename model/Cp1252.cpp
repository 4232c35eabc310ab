#include "model/Cp1252.h"

#include <array>

namespace velmora::cp1252 {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at pos; returns its length, or 0 when it is ill-formed.
std::size_t decodeUtf8(std::string_view in, std::size_t pos, char32_t& cp)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(in[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > in.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::optional<char> fromUnicodeBeyondLatin1(char32_t codePoint)
{
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

char32_t toUnicode(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    if (b >= 0x80 && b < 0xA0)
        return kHighControls[b - 0x80];
    return b;
}

std::optional<std::string> fromUtf8(std::string_view utf8, DecodeError* error)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(utf8, pos, cp);
        const auto byte = length ? fromUnicode(cp) : std::nullopt;
        if (!byte) {
            if (error)
                *error = DecodeError{pos, length ? cp : 0};
            return std::nullopt;
        }
        out += *byte;
        pos += length;
    }
    return out;
}

std::string toUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        appendUtf8(out, toUnicode(c));
    return out;
}

} // namespace velmora::cp1252
