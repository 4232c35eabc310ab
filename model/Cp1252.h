#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Windows-1252, the 8-bit code page of every text the site record holds. The five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same
// number, as Windows does, so every byte survives a round trip through Unicode.
namespace velmora::cp1252 {

// The byte of a code point from U+0080 to U+009F or above U+00FF, or nothing.
std::optional<char> fromUnicodeBeyondLatin1(char32_t codePoint);

// The byte for a code point, or nothing when the code page cannot hold it. Inline, because
// long texts convert character by character and most characters are the same in Latin-1.
inline std::optional<char> fromUnicode(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    return fromUnicodeBeyondLatin1(codePoint);
}
char32_t toUnicode(char byte);

struct DecodeError {
    std::size_t offset;    // byte offset in the UTF-8 input
    char32_t codePoint;    // the character that has no byte (0 for ill-formed UTF-8)
};

// UTF-8 to Windows-1252; fails on ill-formed UTF-8 or a character outside the code page.
std::optional<std::string> fromUtf8(std::string_view utf8, DecodeError* error = nullptr);
std::string toUtf8(std::string_view text);

} // namespace velmora::cp1252
