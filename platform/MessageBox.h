#pragma once

#include <string>
#include <string_view>
#include <vector>

class QWidget;

namespace velmora::platform {

enum class MessageIcon { None, Information, Warning, Stop, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Shows a modal message box. Texts are Windows-1252; an empty caption gives the application's
// name (Application.h). Closing it with the close box or Escape answers Cancel where the box
// has Cancel, Ok for an Ok-only box and No for a Yes/No box.
MessageAnswer showMessage(QWidget* owner, std::string_view text, std::string_view caption = {},
                          MessageIcon icon = MessageIcon::None,
                          MessageButtons buttons = MessageButtons::Ok);

// Test seam. Every box, shown or answered by the seam, is recorded in order (caption as the
// box shows it). After setNextAnswer the next box is not shown and returns that answer.
struct ShownMessage {
    std::string text, caption;
    MessageIcon icon;
    MessageButtons buttons;
};
void setNextAnswer(MessageAnswer answer);
std::vector<ShownMessage>& shownMessages();
void clearMessageSeam();

} // namespace velmora::platform
