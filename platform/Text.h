#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one boundary where texts cross between widgets and the site record.
namespace velmora::platform {

// Windows-1252 bytes to a widget text; CR LF becomes '\n'.
QString fromCp1252(std::string_view text);

// A widget text to Windows-1252; each line break ('\n', or the paragraph and line separators of
// a text document) becomes CR LF. A character the code page lacks becomes '?'.
std::string toCp1252(const QString& text);

} // namespace velmora::platform
