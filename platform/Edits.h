#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

// The edit boxes the dialog builder makes beyond plain QLineEdit.
namespace velmora::platform {

// Several lines, words wrapped, never a sideways scroll bar. With enterNotTaken, Enter is left
// to the dialog (which presses its default button) and Ctrl+Enter starts a new line.
class MultiLineEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    MultiLineEdit(bool enterNotTaken, QWidget* parent);
    bool enterNotTaken() const { return enterNotTaken_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool enterNotTaken_;
};

// A single line that never scrolls sideways: typing or pasting what would not fit is refused.
// Text set by the program is kept whole, whatever its length.
class FittingLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FittingLineEdit(QWidget* parent);
    // Whether the text fits the box without scrolling.
    bool fits(const QString& text) const;
};

} // namespace velmora::platform
