#include "platform/MessageBox.h"

#include "platform/Application.h"
#include "platform/Text.h"

#include <QMessageBox>
#include <QPushButton>

#include <optional>

namespace velmora::platform {

namespace {

std::optional<MessageAnswer>& nextAnswer()
{
    static std::optional<MessageAnswer> answer;
    return answer;
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::Ok: break;
    }
    return QMessageBox::Ok;
}

// The answer of a box closed without a button: Cancel where there is one, otherwise the
// button that stands for "no" (Ok alone, No of a Yes/No box).
MessageAnswer closedAnswer(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel: break;
    }
    return MessageAnswer::Cancel;
}

} // namespace

MessageAnswer showMessage(QWidget* owner, std::string_view text, std::string_view caption,
                          MessageIcon icon, MessageButtons buttons)
{
    const QString title = caption.empty() ? applicationName() : fromCp1252(caption);
    shownMessages().push_back({std::string(text), toCp1252(title), icon, buttons});
    if (std::optional<MessageAnswer> answer = nextAnswer()) {
        nextAnswer().reset();
        return *answer;
    }

    QMessageBox box(qtIcon(icon), title, fromCp1252(text), qtButtons(buttons), owner);
    box.setTextFormat(Qt::PlainText);
    if (buttons == MessageButtons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    default: break;
    }
    return closedAnswer(buttons);
}

void setNextAnswer(MessageAnswer answer)
{
    nextAnswer() = answer;
}

std::vector<ShownMessage>& shownMessages()
{
    static std::vector<ShownMessage> shown;
    return shown;
}

void clearMessageSeam()
{
    nextAnswer().reset();
    shownMessages().clear();
}

} // namespace velmora::platform
