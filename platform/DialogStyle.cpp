#include "platform/DialogStyle.h"

#include "platform/DialogUnits.h"

namespace velmora::platform {

namespace {

class DialogStyle : public QProxyStyle {
public:
    DialogStyle() : units_(dialogFont()) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        switch (metric) {
        case PM_TabBarTabHSpace:
            return 2 * units_.baseX();
        case PM_CheckBoxLabelSpacing:
        case PM_RadioButtonLabelSpacing:
            return units_.baseX() / 3;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

private:
    DialogUnits units_;
};

} // namespace

QStyle* dialogStyle()
{
    static DialogStyle* style = new DialogStyle;  // never deleted: widgets may outlive any owner
    return style;
}

} // namespace velmora::platform
