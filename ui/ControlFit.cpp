#include "ui/ControlFit.h"

#include "platform/DialogBuilder.h"
#include "platform/Edits.h"
#include "platform/TabControl.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QProxyStyle>
#include <QPushButton>
#include <QStringList>
#include <QTabBar>

#include <algorithm>

namespace velmora::ui {
namespace {

// Tabs as narrow as the old tab control's, so that ten captions fit one strip without
// scroll arrows.
class CompactTabs : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return QProxyStyle::pixelMetric(metric, option, widget) / 2;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// Breaks a caption into lines that fit `width` pixels, at blanks.
QString wrapped(const QString& caption, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    QString line;
    for (const QString& word : caption.split(' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines.join('\n');
}

} // namespace

void fitControls(QDialog& dialog, const platform::DialogTemplate& t)
{
    for (const platform::ControlSpec& spec : t.controls) {
        QWidget* widget = platform::control<QWidget>(dialog, spec.id);
        if (!widget)
            continue;
        if (auto* tabs = qobject_cast<platform::TabControl*>(widget)) {
            auto* style = new CompactTabs;
            style->setParent(tabs);
            tabs->tabBar()->setStyle(style);
            tabs->tabBar()->setUsesScrollButtons(false);
            tabs->tabBar()->setGeometry(0, 0, tabs->width(), tabs->tabBar()->sizeHint().height());
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            // The indicator and the caption whole, centred on the box's line.
            const QSize hint = box->sizeHint();
            QRect rect = box->geometry();
            if (rect.height() < hint.height())
                rect.adjust(0, -(hint.height() - rect.height()) / 2, 0, (hint.height() - rect.height() + 1) / 2);
            rect.setWidth(std::max(rect.width(), hint.width()));
            box->setGeometry(rect);
        } else if (auto* button = qobject_cast<QPushButton*>(widget); button && (spec.style & platform::MultiLine)) {
            button->setText(wrapped(button->text(), button->fontMetrics(), button->width() - 8));
        } else if (auto* edit = qobject_cast<platform::MultiLineEdit*>(widget); edit && !(spec.style & platform::VScroll)) {
            // A box of several lines without a scroll bar of its own.
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
    }
}

} // namespace velmora::ui
