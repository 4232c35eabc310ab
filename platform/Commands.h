#pragma once

#include <functional>

class QWidget;

// The command dispatch: every command of every dialog runs through runCommand.
namespace velmora::platform {

// Runs one command. An exception that escapes it ends the command and shows a stop-icon box
// with its description (what(), read as UTF-8 when it is valid UTF-8 the code page can hold,
// as Windows-1252 otherwise), or "Internal application error." when it has none or is not a
// std::exception. The window stays usable.
void runCommand(QWidget* owner, const std::function<void()>& command);

// Connects a control's command through runCommand, owner = dialog: a button's click, a
// StyleList's mouse click, a TabControl's selection change by the user. Throws
// std::invalid_argument when the dialog has no such control.
void onClicked(QWidget& dialog, int id, std::function<void()> command);

} // namespace velmora::platform
