#pragma once

// Character classes of the plain ASCII letters and digits, independent of the C locale (the
// texts are Windows-1252 bytes, where <cctype> would answer by the locale's rules).
namespace velmora::chars {

constexpr bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isLetterOrDigit(char c) { return isLetter(c) || isDigit(c); }
constexpr bool isUpperHexDigit(char c) { return isDigit(c) || (c >= 'A' && c <= 'F'); }
constexpr bool isHexDigit(char c) { return isUpperHexDigit(c) || (c >= 'a' && c <= 'f'); }
// A character of one label of a host name: letters, digits and '-'.
constexpr bool isHostLabelChar(char c) { return isLetterOrDigit(c) || c == '-'; }

} // namespace velmora::chars
