#include "platform/DialogUnits.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

TEST(DialogUnits, BaseUnitsComeFromTheFontsMetrics)
{
    for (int points : {8, 12, 20}) {
        QFont font = dialogFont();
        font.setPointSize(points);
        const QFontMetrics metrics(font);
        const int letters = metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        const DialogUnits units(font);
        EXPECT_EQ(units.baseX(), (letters / 26 + 1) / 2) << points;
        EXPECT_EQ(units.baseY(), metrics.height()) << points;
    }
    // A larger font gives larger units: the layout follows the font.
    QFont large = dialogFont();
    large.setPointSize(16);
    EXPECT_GT(DialogUnits(large).baseX(), DialogUnits(dialogFont()).baseX());
    EXPECT_GT(DialogUnits(large).baseY(), DialogUnits(dialogFont()).baseY());
}

TEST(DialogUnits, DialogFontIsTheInstalledFreeSans)
{
    const QFontInfo info(dialogFont());
    EXPECT_EQ(info.family(), dialogFont().family()) << "font package missing: run scripts/install-deps";
    EXPECT_EQ(dialogFont().pointSize(), 8);
}

TEST(DialogUnits, RectanglesConvertBothCornersRounded)
{
    const DialogUnits units(dialogFont());
    const int bx = units.baseX();
    const int by = units.baseY();
    auto x = [bx](int dlu) { return (dlu * bx * 2 + 4) / 8; };   // dlu * bx / 4, rounded
    auto y = [by](int dlu) { return (dlu * by * 2 + 8) / 16; };  // dlu * by / 8, rounded
    for (DluRect r : {DluRect{0, 0, 4, 8}, DluRect{99, 37, 163, 13}, DluRect{312, 211, 39, 15},
                      DluRect{1, 1, 1, 1}}) {
        const QRect px = units.toPixels(r);
        EXPECT_EQ(px.left(), x(r.x));
        EXPECT_EQ(px.top(), y(r.y));
        EXPECT_EQ(px.left() + px.width(), x(r.x + r.w));
        EXPECT_EQ(px.top() + px.height(), y(r.y + r.h));
    }
    EXPECT_EQ(units.toPixels(425, 239), QSize(x(425), y(239)));
}

} // namespace
} // namespace velmora::platform
