#include "ui/PromoteDlg.h"

#include "platform/Commands.h"
#include "platform/ControlFit.h"
#include "platform/DialogBuilder.h"
#include "platform/Shell.h"
#include "publish/PromoteSite.h"
#include "ui/PublishDialogView.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace velmora {
namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::Hidden;

constexpr ControlSpec promoteControls[] = {
    // What the user sees: five services, each a caption and the service's address.
    {1146, ControlKind::Label, {38, 10, 50, 14}, "Google"},
    {1138, ControlKind::Edit, {93, 10, 150, 14}, ""},
    {1147, ControlKind::Label, {38, 30, 50, 14}, "Alexa"},
    {1139, ControlKind::Edit, {93, 30, 150, 14}, ""},
    {1148, ControlKind::Label, {38, 50, 50, 14}, "Promotion/Seo"},
    {1145, ControlKind::Edit, {93, 50, 150, 14}, ""},
    {1149, ControlKind::Label, {38, 70, 50, 14}, "Email optimize"},
    {1141, ControlKind::Edit, {93, 70, 150, 14}, ""},
    {1150, ControlKind::Label, {38, 90, 50, 14}, "Site submitter"},
    {1142, ControlKind::Edit, {93, 90, 150, 14}, ""},
    {2, ControlKind::PushButton, {38, 114, 205, 16}, "Close"},
    // The submission panel: created hidden, at or below the lower edge, never shown.
    {1140, ControlKind::Edit, {93, 145, 150, 14}, "", Hidden},
    {1151, ControlKind::Label, {38, 165, 50, 14}, "Keywords", Hidden},
    {1143, ControlKind::Edit, {93, 165, 73, 14}, "", Hidden},
    {1144, ControlKind::Edit, {170, 165, 73, 14}, "", Hidden},
    {-1, ControlKind::GroupBox, {30, 185, 221, 62}, "Submit To", Hidden},
    {1152, ControlKind::CheckBox, {40, 197, 95, 10}, "Lycos", Hidden},
    {1153, ControlKind::CheckBox, {40, 209, 95, 10}, "Magellan", Hidden},
    {1154, ControlKind::CheckBox, {40, 221, 95, 10}, "SearchHound", Hidden},
    {1155, ControlKind::CheckBox, {40, 233, 95, 10}, "Alta Vista", Hidden},
    {1156, ControlKind::CheckBox, {145, 197, 95, 10}, "Excite", Hidden},
    {1157, ControlKind::CheckBox, {145, 209, 95, 10}, "Webcrawler", Hidden},
    {1158, ControlKind::CheckBox, {145, 221, 95, 10}, "FFA Link Pages", Hidden},
    {1159, ControlKind::CheckBox, {145, 233, 95, 10}, "Awards", Hidden},
    {1161, ControlKind::CheckBox, {30, 252, 240, 10},
     "Check here to receive a Free 5 day internet marketing course via e-mail", Hidden},
    {1179, ControlKind::CheckBox, {30, 264, 240, 10},
     "Check here to subscribe to a Free Weekly Internet Marketing Newsletter", Hidden},
    {1163, ControlKind::ProgressBar, {30, 279, 221, 10}, "", Hidden},
    {1, ControlKind::PushButton, {90, 294, 100, 14}, "Submit My Site Now", platform::DefaultButton | Hidden},
};
constexpr platform::DialogTemplate promoteTemplate{131, "Promotion Links", 281, 142, promoteControls};

constexpr int kTabOrder[] = {1138, 1139, 1145, 1141, 1142, 2};

} // namespace

CPromoteDlg::CPromoteDlg(QWidget* parent) : QDialog(parent)
{
    platform::buildDialog(*this, promoteTemplate);
    // Check boxes whole and captions that fit, as in every other dialog.
    platform::fitControls(*this, promoteTemplate);
    platform::setTabOrder(*this, kTabOrder);
    platform::onClicked(*this, 1, [this] { OnOK(); });
    platform::onClicked(*this, 2, [this] { reject(); });
    OnInitDialog();
}

void CPromoteDlg::OnInitDialog()
{
    const PromotionForm initial = initialPromotionForm();
    const std::pair<int, const std::string*> texts[] = {
        {1138, &initial.formName},     {1139, &initial.formEmail},    {1140, &initial.formUrl},
        {1141, &initial.formTitle},    {1142, &initial.formDescription}, {1143, &initial.formKeyword1},
        {1144, &initial.formKeyword2}, {1145, &initial.formKeyword3},
    };
    for (const auto& [id, text] : texts) {
        platform::setControlText(*this, id, *text);
        platform::control<QLineEdit>(*this, id)->installEventFilter(this);
    }
    for (const PromotionTarget& target : promotionTargets)
        platform::setChecked(*this, target.checkBox, true);
    // The first box in keyboard order takes the focus.
    platform::control<QLineEdit>(*this, kTabOrder[0])->setFocus();
}

bool CPromoteDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            // After the box has taken the focus (which selects all and moves to the end), keep
            // the selection but show the text from its start.
            QMetaObject::invokeMethod(edit, [edit] {
                if (edit->hasSelectedText() && edit->selectedText() == edit->text())
                    edit->setSelection(static_cast<int>(edit->text().size()), -static_cast<int>(edit->text().size()));
            }, Qt::QueuedConnection);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CPromoteDlg::OnOK()
{
    PromotionForm form;
    form.formName = platform::controlText(*this, 1138);
    form.formEmail = platform::controlText(*this, 1139);
    form.formUrl = platform::controlText(*this, 1140);
    form.formTitle = platform::controlText(*this, 1141);
    form.formDescription = platform::controlText(*this, 1142);
    form.formKeyword1 = platform::controlText(*this, 1143);
    form.formKeyword2 = platform::controlText(*this, 1144);
    form.formKeyword3 = platform::controlText(*this, 1145);
    PromoteSteps steps;
    for (std::size_t i = 0; i < promotionTargets.size(); ++i)
        steps.checked[i] = platform::isChecked(*this, promotionTargets[i].checkBox);
    steps.openReport = platform::shellOpen;
    promoteSite(form, bar_, dialogPublishView(*this, 1163), steps);
}

void CPromoteDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        platform::runCommand(this, [this] { OnOK(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace velmora
