#include "ui/AboutDlg.h"

#include "platform/Commands.h"
#include "platform/ControlFit.h"
#include "platform/DialogBuilder.h"

namespace velmora::ui {
namespace {

using platform::ControlSpec;
using enum platform::ControlKind;

constexpr int kNoId = -1;

constexpr ControlSpec kControls[] = {
    {kNoId, Picture, {11, 12, 21, 21}, "", 0, ":/pictures/128-32"},
    {kNoId, Text, {42, 12, 186, 10}, "Drennic Velmora Business Edition, version " VELMORA_VERSION},
    {kNoId, Text, {42, 26, 186, 42},
     "When you leave Velmora (EXIT, Esc or the close box), the texts in the edit boxes are kept in "
     "\"last-session.dat\" in your VelmoraP folder.  Load Profile brings them back."},
    {1, PushButton, {178, 74, 50, 14}, "OK", platform::DefaultButton},
};

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    const platform::DialogTemplate dialog{100, "About Velmora", 235, 95, kControls};
    platform::buildDialog(*this, dialog);
    platform::fitControls(*this, dialog);
    platform::fitTexts(*this, dialog.controls, rect());
    platform::onClicked(*this, 1, [this] { accept(); });
}

} // namespace velmora::ui
