#include "ui/UploadDlg.h"

#include "generator/OutputDir.h"
#include "platform/Commands.h"
#include "platform/ControlFit.h"
#include "platform/DialogBuilder.h"
#include "publish/UploadSite.h"
#include "ui/PublishDialogView.h"

#include <QLineEdit>

namespace velmora {
namespace {

using platform::ControlKind;
using platform::ControlSpec;

// In keyboard order.
constexpr ControlSpec uploadControls[] = {
    {1, ControlKind::PushButton, {47, 154, 58, 14}, "Upload", platform::DefaultButton},
    {2, ControlKind::PushButton, {142, 154, 60, 14}, "Cancel"},
    {1172, ControlKind::Label, {15, 15, 45, 15}, "Site Address"},
    {1173, ControlKind::Label, {15, 35, 45, 15}, "Username"},
    {1174, ControlKind::Label, {15, 55, 45, 15}, "Password"},
    {1175, ControlKind::Label, {15, 75, 45, 20}, "Destination Directory"},
    {1168, ControlKind::Edit, {70, 15, 115, 15}, ""},
    {1169, ControlKind::Edit, {70, 35, 115, 15}, ""},
    {1170, ControlKind::Edit, {70, 55, 115, 15}, "", platform::Password},
    {1171, ControlKind::Edit, {70, 75, 115, 14}, ""},
    {1176, ControlKind::Text, {15, 95, 216, 20},
     "Please note that the Destination Directory should begin with a slash (/) followed by the path.  "
     "For example, /home/www/pages."},
    // Wider to the left than the other labels: the dialog font needs more room for this caption.
    {1178, ControlKind::Label, {9, 135, 51, 15}, "Upload Status"},
    {1177, ControlKind::ProgressBar, {70, 135, 115, 15}, ""},
    {1186, ControlKind::CheckBox, {30, 115, 155, 9}, "I am a hosting customer of our partner"},
};
constexpr platform::DialogTemplate uploadTemplate{132, "Upload Gateway", 238, 175, uploadControls};

constexpr int kTabOrder[] = {1, 2, 1168, 1169, 1170, 1171, 1186};

} // namespace

CUploadDlg::CUploadDlg(QWidget* parent) : QDialog(parent), folder_(OutputDir::standardFolder())
{
    platform::buildDialog(*this, uploadTemplate);
    // Check boxes whole and captions that fit, as in every other dialog.
    platform::fitControls(*this, uploadTemplate);
    platform::setTabOrder(*this, kTabOrder);
    platform::onClicked(*this, 1, [this] { OnOK(); });
    platform::onClicked(*this, 2, [this] { reject(); });
    // Typing starts in the server's box.
    platform::control<QLineEdit>(*this, 1168)->setFocus();
}

void CUploadDlg::OnOK()
{
    UploadForm form;
    form.server = platform::controlText(*this, 1168);
    form.user = platform::controlText(*this, 1169);
    form.password = platform::controlText(*this, 1170);
    form.destinationDirectory = platform::controlText(*this, 1171);
    form.hostingClient = platform::isChecked(*this, 1186);
    UploadSteps steps;
    steps.folder = folder_;
    uploadSite(form, bar_, dialogPublishView(*this, 1177), steps);
}

} // namespace velmora
