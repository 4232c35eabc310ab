#include "ui/PitchDlg.h"

#include "platform/Commands.h"
#include "platform/ControlFit.h"
#include "platform/DialogBuilder.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "ui/PartnerHost.h"

#include <array>
#include <string>

namespace velmora::ui {
namespace {

using platform::ControlSpec;
using enum platform::ControlKind;

constexpr int kNoId = -1;
constexpr std::string_view kFolderTextStart =
    "Well Done!  You have just created your very own web page.  You can preview it by clicking the "
    "\"Preview\" button to your right. Your pages are also stored in a directory called \"";
constexpr std::string_view kFolderTextEnd = "\".";

constexpr std::array<ControlSpec, 5> kControls = {{
    {kNoId, Text, {7, 14, 199, 36}, ""}, // the folder's text, made when the dialog opens
    {kNoId, Text, {7, 53, 199, 30},
     "And now that you are completely satisfied with your web pages, you are ready to upload it.  Click on "
     "the \"Upload\" button to FTP all your pages to your site.  "},
    {kNoId, Text, {7, 86, 199, 32},
     "If you do not have a web hosting service provider, you can get one by clicking the button below.  "
     "Please ensure that you are connected to the internet when you use this option."},
    {1, PushButton, {26, 128, 69, 14}, "Get Me a Web Host", platform::DefaultButton},
    {2, PushButton, {118, 128, 69, 14}, "Close"},
}};

} // namespace

CPitchDlg::CPitchDlg(const std::filesystem::path& outputFolder, QWidget* parent) : QDialog(parent)
{
    // The folder the pages are in, by its real path.
    const std::string folderText = std::string(kFolderTextStart) +
                                   platform::toCp1252(QString::fromStdString(outputFolder.string())) +
                                   std::string(kFolderTextEnd);
    std::array<ControlSpec, 5> controls = kControls;
    controls[0].caption = folderText;
    const platform::DialogTemplate dialog{134, "Congratulations", 213, 151, controls};
    platform::buildDialog(*this, dialog);
    platform::fitControls(*this, dialog);
    platform::fitTexts(*this, dialog.controls, rect());

    platform::onClicked(*this, 1, [this] {
        platform::shellOpen(std::string(partnerHostPage));
        accept();
    });
    platform::onClicked(*this, 2, [this] { reject(); });
}

} // namespace velmora::ui
