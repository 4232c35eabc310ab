#include "platform/ControlFit.h"

#include "platform/DialogBuilder.h"
#include "platform/Edits.h"
#include "platform/TabControl.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QProxyStyle>
#include <QPushButton>
#include <QStringList>
#include <QTabBar>

#include <algorithm>

namespace velmora::platform {
namespace {

// Narrower tabs, so that ten captions fit one strip without scroll arrows.
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

void fitControls(QDialog& dialog, const DialogTemplate& t)
{
    for (const ControlSpec& spec : t.controls) {
        QWidget* widget = control<QWidget>(dialog, spec.id);
        if (!widget)
            continue;
        if (auto* tabs = qobject_cast<TabControl*>(widget)) {
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
        } else if (auto* button = qobject_cast<QPushButton*>(widget); button && (spec.style & MultiLine)) {
            button->setText(wrapped(button->text(), button->fontMetrics(), button->width() - 8));
        } else if (auto* edit = qobject_cast<MultiLineEdit*>(widget); edit && !(spec.style & VScroll)) {
            // A box of several lines without a scroll bar of its own.
            edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        } else if (auto* picture = qobject_cast<QLabel*>(widget); picture && spec.kind == ControlKind::Picture) {
            // Actual size where it fits; a picture larger than its place is shrunk to fit whole.
            const QPixmap pixmap = picture->pixmap();
            if (!pixmap.isNull() && (pixmap.width() > picture->width() || pixmap.height() > picture->height()))
                picture->setPixmap(pixmap.scaled(picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }
}

void fitTexts(QDialog& dialog, std::span<const ControlSpec> group, const QRect& area)
{
    const auto neededHeight = [](const QLabel& text, int width) {
        return text.fontMetrics().boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, text.text()).height();
    };
    for (const ControlSpec& spec : group) {
        if (spec.kind != ControlKind::Text && spec.kind != ControlKind::Label)
            continue;
        auto* text = control<QLabel>(dialog, spec.id);
        if (!text)
            continue;
        QRect rect = text->geometry();
        if (neededHeight(*text, rect.width()) <= rect.height())
            continue;
        // Room below and to the right: up to the next control of the group in the way.
        int bottom = area.bottom();
        int right = area.right() - 4;
        for (const ControlSpec& other : group) {
            QWidget* widget = control<QWidget>(dialog, other.id);
            if (!widget || widget == text || other.kind == ControlKind::GroupBox)
                continue;
            const QRect place = widget->geometry();
            if (place.top() >= rect.bottom() && place.left() < rect.right() && place.right() > rect.left())
                bottom = std::min(bottom, place.top() - 1);
            if (place.left() >= rect.right() && place.top() < rect.bottom() && place.bottom() > rect.top())
                right = std::min(right, place.left() - 1);
        }
        // A left-aligned text that would stay cut short may also take the room to its right.
        const bool leftAligned = spec.kind == ControlKind::Text && !(spec.style & Centered);
        if (leftAligned && neededHeight(*text, rect.width()) > bottom - rect.top() && right > rect.right())
            rect.setRight(right);
        rect.setHeight(std::max(rect.height(), std::min(neededHeight(*text, rect.width()), bottom - rect.top())));
        text->setGeometry(rect);
    }
}

} // namespace velmora::platform
