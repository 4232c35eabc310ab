#include "platform/DialogUnits.h"

#include <QFontMetrics>

#include <cmath>

namespace velmora::platform {

QFont dialogFont()
{
    // DejaVu Sans Condensed at 8 points has the base units of the old 8-point dialog font at
    // 96 DPI (6 by 13 pixels), so every control gets the pixel rectangle it was laid out for
    // and the actual-size pictures fit their places; its letters are about as wide (6.1 pixels
    // on average), so captions fit their boxes.
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits::DialogUnits(const QFont& font)
{
    QFontMetrics metrics(font);
    const int advance = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (advance / 26 + 1) / 2;
    baseY_ = metrics.height();
}

int DialogUnits::xToPixels(int dlu) const
{
    return static_cast<int>(std::lround(dlu * baseX_ / 4.0));
}

int DialogUnits::yToPixels(int dlu) const
{
    return static_cast<int>(std::lround(dlu * baseY_ / 8.0));
}

QRect DialogUnits::toPixels(DluRect rect) const
{
    // Both corners are converted, so adjacent controls stay adjacent after rounding.
    const int left = xToPixels(rect.x);
    const int top = yToPixels(rect.y);
    return QRect(left, top, xToPixels(rect.x + rect.w) - left, yToPixels(rect.y + rect.h) - top);
}

QSize DialogUnits::toPixels(int w, int h) const
{
    return QSize(xToPixels(w), yToPixels(h));
}

} // namespace velmora::platform
