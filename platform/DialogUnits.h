#pragma once

#include "platform/DialogTemplate.h"

#include <QFont>
#include <QRect>
#include <QSize>

namespace velmora::platform {

// The dialog font: a free sans whose metrics are close to the old 8-point dialog font, so the
// layouts in dialog units keep their proportions (see DialogUnits.cpp for the choice).
QFont dialogFont();

// Dialog units of a font: a horizontal unit is a quarter of the font's average character
// width, a vertical unit an eighth of its height. Layouts follow the font and the screen's DPI.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

    int xToPixels(int dlu) const;
    int yToPixels(int dlu) const;
    QRect toPixels(DluRect rect) const;
    QSize toPixels(int w, int h) const;

private:
    int baseX_;
    int baseY_;
};

} // namespace velmora::platform
