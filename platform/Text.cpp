#include "platform/Text.h"

#include "model/Cp1252.h"

#include <QList>

namespace velmora::platform {

QString fromCp1252(std::string_view text)
{
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;  // the '\n' that follows stands for the pair
        char32_t codePoint = cp1252::toUnicode(text[i]);
        result.append(QChar(static_cast<char16_t>(codePoint)));
    }
    return result;
}

std::string toCp1252(const QString& text)
{
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t codePoint : text.toUcs4()) {
        if (codePoint == U'\n' || codePoint == QChar::ParagraphSeparator
            || codePoint == QChar::LineSeparator) {
            result += "\r\n";
            continue;
        }
        result += cp1252::fromUnicode(codePoint).value_or('?');
    }
    return result;
}

} // namespace velmora::platform
