#include "platform/Edits.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

namespace velmora::platform {

MultiLineEdit::MultiLineEdit(bool enterNotTaken, QWidget* parent)
    : QPlainTextEdit(parent), enterNotTaken_(enterNotTaken)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    // A small margin, so one line fits a box one line tall, as in a single-line edit.
    document()->setDocumentMargin(2);
}

void MultiLineEdit::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && enterNotTaken_) {
        if (event->modifiers() & Qt::ControlModifier) {
            insertPlainText(QStringLiteral("\n"));
            event->accept();
        } else {
            event->ignore();  // the dialog presses its default button
        }
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

namespace {

class FitValidator : public QValidator {
public:
    explicit FitValidator(FittingLineEdit* edit) : QValidator(edit), edit_(edit) {}
    State validate(QString& input, int&) const override
    {
        return edit_->fits(input) ? Acceptable : Invalid;
    }

private:
    FittingLineEdit* edit_;
};

} // namespace

FittingLineEdit::FittingLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new FitValidator(this));
}

bool FittingLineEdit::fits(const QString& text) const
{
    // The room QLineEdit leaves for text: the frame's contents less its own side margins.
    QStyleOptionFrame option;
    initStyleOption(&option);
    QRect room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    room = room.marginsRemoved(textMargins());
    constexpr int sideMargin = 2;  // QLineEdit's horizontal margin inside the contents
    return fontMetrics().horizontalAdvance(text) + 1 <= room.width() - 2 * sideMargin;
}

} // namespace velmora::platform
