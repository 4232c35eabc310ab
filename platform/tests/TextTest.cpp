#include "platform/Text.h"

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

TEST(Text, Cp1252RoundTripsEveryByteAndTurnsCrLfIntoLineBreaks)
{
    std::string all;
    for (int byte = 1; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n')
            all += static_cast<char>(byte);
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);

    struct Case { std::string_view bytes; QString text; };
    const Case cases[] = {
        {"line 1\r\nline 2", QStringLiteral("line 1\nline 2")},
        {"\x80 \x93quoted\x94 caf\xE9", QString::fromUtf8("\u20AC \u201Cquoted\u201D caf\u00E9")},
        {"lone\rCR", QStringLiteral("lone\rCR")},
        {"", QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fromCp1252(c.bytes), c.text) << c.bytes;
        EXPECT_EQ(toCp1252(c.text), c.bytes) << c.bytes;
    }
}

TEST(Text, EveryLineBreakOfAWidgetBecomesCrLfAndForeignCharactersAQuestionMark)
{
    EXPECT_EQ(toCp1252(QString::fromUtf8("a\u2029b\u2028c\nd")), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(toCp1252(QString::fromUtf8("\u4E2D \U0001F600 x")), "? ? x");
}

} // namespace
} // namespace velmora::platform
