#include "platform/DialogBuilder.h"

#include "platform/DialogStyle.h"
#include "platform/DialogUnits.h"
#include "platform/Edits.h"
#include "platform/ListView.h"
#include "platform/TabControl.h"
#include "platform/Text.h"

#include <QCheckBox>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace velmora::platform {

namespace {

// A static text or picture: no focus by Tab or click, but when given the focus it hands Tab on
// to its neighbours in the dialog's keyboard order.
class StaticControl : public QLabel {
public:
    using QLabel::QLabel;

    // The keyboard order, and the index in it of the first control after this one.
    void setTabPlace(std::shared_ptr<const std::vector<QPointer<QWidget>>> order, std::size_t next)
    {
        order_ = std::move(order);
        next_ = next;
    }

protected:
    bool focusNextPrevChild(bool forward) override
    {
        const std::size_t count = order_ ? order_->size() : 0;
        for (std::size_t step = 0; step < count; ++step) {
            const std::size_t index = forward ? (next_ + step) % count
                                              : (next_ + 2 * count - 1 - step) % count;
            QWidget* candidate = (*order_)[index];
            if (candidate && candidate->isVisible() && candidate->isEnabled()
                && (candidate->focusPolicy() & Qt::TabFocus)) {
                candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
        return QLabel::focusNextPrevChild(forward);
    }

private:
    std::shared_ptr<const std::vector<QPointer<QWidget>>> order_;
    std::size_t next_ = 0;
};

QLabel* makeStatic(QWidget* parent, const ControlSpec& spec, const DialogUnits& units)
{
    auto* label = new StaticControl(fromCp1252(spec.caption), parent);
    label->setTextFormat(Qt::PlainText);
    // Words wrap where the box has room for a second line; a one-line box keeps its line
    // whole rather than wrapping it out of sight.
    const int twoLines = 2 * QFontMetrics(parent->font()).lineSpacing();
    label->setWordWrap(units.yToPixels(spec.rect.h) >= twoLines);
    Qt::Alignment horizontal = spec.kind == ControlKind::Label ? Qt::AlignRight : Qt::AlignLeft;
    if (spec.style & Centered)
        horizontal = Qt::AlignHCenter;
    // A label sits beside a box of one line: centre it on that line. Other texts start at the top.
    const Qt::Alignment vertical = spec.kind == ControlKind::Label ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(horizontal | vertical);
    return label;
}

QWidget* makeEdit(QWidget* parent, const ControlSpec& spec)
{
    const QString text = fromCp1252(spec.caption);
    if (spec.style & MultiLine) {
        auto* edit = new MultiLineEdit((spec.style & EnterNotTaken) != 0, parent);
        // A box that leaves Enter to the dialog looks like a single line: it gets no scroll bar.
        edit->setVerticalScrollBarPolicy((spec.style & VScroll)         ? Qt::ScrollBarAlwaysOn
                                         : (spec.style & EnterNotTaken) ? Qt::ScrollBarAlwaysOff
                                                                        : Qt::ScrollBarAsNeeded);
        edit->setPlainText(text);
        edit->setReadOnly((spec.style & ReadOnly) != 0);
        return edit;
    }
    QLineEdit* edit = (spec.style & NoHScroll) ? new FittingLineEdit(parent) : new QLineEdit(parent);
    edit->setText(text);
    if (spec.style & Password)
        edit->setEchoMode(QLineEdit::Password);
    if (spec.style & Centered)
        edit->setAlignment(Qt::AlignHCenter);
    edit->setReadOnly((spec.style & ReadOnly) != 0);
    return edit;
}

QWidget* makeControl(QDialog& dialog, const ControlSpec& spec, const DialogUnits& units)
{
    const QString caption = fromCp1252(spec.caption);
    switch (spec.kind) {
    case ControlKind::Text:
    case ControlKind::Label:
        return makeStatic(&dialog, spec, units);
    case ControlKind::GroupBox:
        return new QGroupBox(caption, &dialog);
    case ControlKind::PushButton: {
        auto* button = new QPushButton(caption, &dialog);
        button->setDefault((spec.style & DefaultButton) != 0);
        return button;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(caption, &dialog);
        box->setStyle(dialogStyle());
        return box;
    }
    case ControlKind::Edit:
        return makeEdit(&dialog, spec);
    case ControlKind::Picture: {
        auto* picture = new StaticControl(&dialog);
        const QString resource =
            QString::fromUtf8(spec.picture.data(), static_cast<qsizetype>(spec.picture.size()));
        const QPixmap pixmap(resource);
        if (pixmap.isNull() && !resource.isEmpty())
            qWarning("control %d: no picture %s", spec.id, qPrintable(resource));
        picture->setPixmap(pixmap);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // actual size, never scaled
        return picture;
    }
    case ControlKind::ListView: {
        auto* list = new StyleList(&dialog);
        list->setHeaderLabels({caption});
        return list;
    }
    case ControlKind::TabControl: {
        auto* tabs = new TabControl(&dialog);
        tabs->tabBar()->setStyle(dialogStyle());
        return tabs;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(&dialog);
        bar->setTextVisible(false);
        bar->setRange(0, 100);
        bar->setValue(0);
        return bar;
    }
    }
    throw std::invalid_argument("unknown control kind");
}

QWidget& requireControl(QWidget& dialog, int id)
{
    QWidget* widget = control<QWidget>(dialog, id);
    if (!widget)
        throw std::invalid_argument("no control " + std::to_string(id));
    return *widget;
}

} // namespace

void buildDialog(QDialog& dialog, const DialogTemplate& t)
{
    const QFont font = dialogFont();
    dialog.setFont(font);
    dialog.setWindowTitle(fromCp1252(t.caption));
    const DialogUnits units(font);

    std::vector<QWidget*> below;  // group boxes, then tab controls: drawn under the rest
    std::vector<QWidget*> tabControls;
    for (const ControlSpec& spec : t.controls) {
        QWidget* widget = makeControl(dialog, spec, units);
        widget->setObjectName(QString::number(spec.id));
        widget->setGeometry(units.toPixels(spec.rect));
        if (spec.style & Hidden)
            widget->hide();
        if (spec.kind == ControlKind::GroupBox)
            below.push_back(widget);
        else if (spec.kind == ControlKind::TabControl)
            tabControls.push_back(widget);
    }
    below.insert(below.end(), tabControls.begin(), tabControls.end());
    for (QWidget* widget : below)
        widget->lower();
    dialog.setFixedSize(units.toPixels(t.width, t.height));
}

void setTabOrder(QWidget& dialog, std::span<const int> ids)
{
    std::vector<QWidget*> ordered;
    for (int id : ids)
        ordered.push_back(&requireControl(dialog, id));
    for (std::size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1], ordered[i]);
    if (ordered.empty())
        return;

    // A static control given the focus (a label, a picture) hands Tab on to the first control of
    // the order that follows it among the dialog's controls, or to the first of the order when
    // none follows; Shift+Tab goes to the one before that in the order.
    auto shared =
        std::make_shared<const std::vector<QPointer<QWidget>>>(ordered.begin(), ordered.end());
    std::size_t following = 0;  // index in `ordered`
    const QObjectList& children = dialog.children();
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        auto* widget = qobject_cast<QWidget*>(*child);
        const auto found = std::find(ordered.begin(), ordered.end(), widget);
        if (found != ordered.end())
            following = static_cast<std::size_t>(found - ordered.begin());
        else if (auto* text = dynamic_cast<StaticControl*>(widget))
            text->setTabPlace(shared, following);
    }
}

std::string controlText(QWidget& dialog, int id)
{
    QWidget& widget = requireControl(dialog, id);
    if (auto* edit = qobject_cast<QLineEdit*>(&widget))
        return toCp1252(edit->text());
    if (auto* edit = qobject_cast<QPlainTextEdit*>(&widget))  // toPlainText would turn a
        return toCp1252(edit->document()->toRawText());       // no-break space into a space
    if (auto* label = qobject_cast<QLabel*>(&widget))
        return toCp1252(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(&widget))
        return toCp1252(button->text());
    if (auto* box = qobject_cast<QGroupBox*>(&widget))
        return toCp1252(box->title());
    throw std::invalid_argument("control " + std::to_string(id) + " has no text");
}

void setControlText(QWidget& dialog, int id, std::string_view text)
{
    QWidget& widget = requireControl(dialog, id);
    const QString value = fromCp1252(text);
    if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
        edit->setText(value);
        edit->setCursorPosition(0); // a text longer than its box shows from its start
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(&widget))
        edit->setPlainText(value);
    else if (auto* label = qobject_cast<QLabel*>(&widget))
        label->setText(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(&widget))
        button->setText(value);
    else if (auto* box = qobject_cast<QGroupBox*>(&widget))
        box->setTitle(value);
    else
        throw std::invalid_argument("control " + std::to_string(id) + " has no text");
}

bool isChecked(QWidget& dialog, int id)
{
    auto* box = qobject_cast<QCheckBox*>(&requireControl(dialog, id));
    if (!box)
        throw std::invalid_argument("control " + std::to_string(id) + " is not a check box");
    return box->isChecked();
}

void setChecked(QWidget& dialog, int id, bool checked)
{
    auto* box = qobject_cast<QCheckBox*>(&requireControl(dialog, id));
    if (!box)
        throw std::invalid_argument("control " + std::to_string(id) + " is not a check box");
    box->setChecked(checked);
}

} // namespace velmora::platform
