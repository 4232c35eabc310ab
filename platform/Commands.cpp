#include "platform/Commands.h"

#include "model/Cp1252.h"
#include "platform/ListView.h"
#include "platform/MessageBox.h"
#include "platform/TabControl.h"

#include <QAbstractButton>
#include <QWidget>

#include <exception>
#include <stdexcept>
#include <string>

namespace velmora::platform {

namespace {

constexpr std::string_view internalError = "Internal application error.";

// Descriptions come from the standard library and the system as UTF-8 and from our own code as
// Windows-1252: take UTF-8 where the bytes are valid UTF-8 the code page can hold.
std::string boxText(const char* description)
{
    if (!description || !*description)
        return std::string(internalError);
    if (std::optional<std::string> text = cp1252::fromUtf8(description))
        return *text;
    return description;
}

} // namespace

void runCommand(QWidget* owner, const std::function<void()>& command)
{
    std::string text;
    try {
        command();
        return;
    } catch (const std::exception& error) {
        text = boxText(error.what());
    } catch (...) {
        text = internalError;
    }
    showMessage(owner, text, {}, MessageIcon::Stop, MessageButtons::Ok);
}

void onClicked(QWidget& dialog, int id, std::function<void()> command)
{
    const QString name = QString::number(id);
    QWidget* target = dialog.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    QWidget* owner = &dialog;
    auto run = [owner, command = std::move(command)] { runCommand(owner, command); };
    if (auto* button = qobject_cast<QAbstractButton*>(target))
        QObject::connect(button, &QAbstractButton::clicked, owner, run);
    else if (auto* list = qobject_cast<StyleList*>(target))
        QObject::connect(list, &StyleList::mouseClicked, owner, run);
    else if (auto* tabs = qobject_cast<TabControl*>(target))
        QObject::connect(tabs, &TabControl::selectionChanged, owner, run);
    else
        throw std::invalid_argument("no clickable control " + std::to_string(id));
}

} // namespace velmora::platform
