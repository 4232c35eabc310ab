#include "ui/VelmoraDlg.h"

#include "generator/CreateSite.h"
#include "model/TextFields.h"
#include "platform/BusyWork.h"
#include "platform/Commands.h"
#include "platform/ControlFit.h"
#include "platform/DialogBuilder.h"
#include "platform/FileDialog.h"
#include "platform/ListView.h"
#include "platform/MessageBox.h"
#include "platform/Pickers.h"
#include "platform/Shell.h"
#include "platform/TabControl.h"
#include "platform/Text.h"
#include "profile/ProfileFile.h"
#include "ui/AboutDlg.h"
#include "ui/MainTemplate.h"
#include "ui/PartnerHost.h"
#include "ui/PitchDlg.h"
#include "ui/PromoteDlg.h"
#include "ui/UploadDlg.h"
#include "ui/Velmora.h"

#include <QAction>
#include <QBitmap>
#include <QPixmap>

#include <fstream>
#include <system_error>
#include <utility>

namespace velmora::ui {
namespace {

// The six font-and-colour buttons and the text style each one sets.
struct FontButton {
    int id;
    TextStyle SiteProfile::*style;
};
constexpr FontButton kFontButtons[] = {
    {1010, &SiteProfile::homeBodyStyle}, {1021, &SiteProfile::testimonialsStyle},
    {1036, &SiteProfile::featuresStyle}, {1136, &SiteProfile::faqStyle},
    {1081, &SiteProfile::aboutStyle},    {1135, &SiteProfile::orderStyle},
};

// The three colour buttons of the Styles page and the page colour each one sets.
struct ColorButton {
    int id;
    ColorText SiteProfile::*color;
};
constexpr ColorButton kColorButtons[] = {
    {1123, &SiteProfile::backgroundColor},
    {1124, &SiteProfile::navBarColor},
    {1125, &SiteProfile::navLinkColor},
};

// The four check boxes and the flag each one feeds at CREATE.
struct FlagBox {
    int id;
    bool SiteProfile::*flag;
};
constexpr FlagBox kFlagBoxes[] = {
    {id::headingBold, &SiteProfile::homeHeadingBold},
    {id::headingItalic, &SiteProfile::homeHeadingItalic},
    {id::headingUnderline, &SiteProfile::homeHeadingUnderline},
    {id::hostingCustomer, &SiteProfile::hostingCustomer},
};

constexpr std::string_view kWebHostAdvice =
    "You have a web site.....now what? You will need a web host. A web host is a service provider that gives "
    "you web space to put up your site over the internet.  Click OK to locate a web host.";

constexpr std::string_view kDataFiles = "Data Files (*.dat)";

// The warning box of a CREATE that could not do everything: one line per problem.
std::string failureText(const CreateReport& report)
{
    std::string text = "Your site is not complete:\n";
    for (const std::string& line : report.problemLines())
        text += "\n" + line;
    return text;
}

} // namespace

CVelmoraDlg::CVelmoraDlg(SiteProfile& profile, QWidget* parent)
    : QDialog(parent), profile_(profile), outputFolder_(OutputDir::standardFolder()), icon_(programIcon())
{
    OnInitDialog();
}

void CVelmoraDlg::OnInitDialog()
{
    platform::buildDialog(*this, mainTemplate());
    platform::fitControls(*this, mainTemplate());
    const QRect pageArea = platform::control<QWidget>(*this, id::tabs)->geometry().adjusted(0, 0, 0, -3);
    for (const WizardPage& page : kWizardPages)
        platform::fitTexts(*this, page.controls, pageArea);
    // A main window that can be minimised but neither maximised nor resized.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(icon_);
    addAboutCommand();

    auto* tabs = platform::control<platform::TabControl>(*this, id::tabs);
    for (const WizardPage& page : kWizardPages)
        tabs->addTab(platform::fromCp1252(page.caption));

    fillStyleLists();
    platform::setControlText(*this, id::siteUrl, "www.");

    // The output folder becomes the current directory at once, so the working files of the
    // lookup and the promotion land there and not in the folder the wizard was started from.
    std::error_code ignored;
    std::filesystem::create_directories(outputFolder_, ignored);
    std::filesystem::current_path(outputFolder_, ignored);

    platform::setTabOrder(*this, kKeyboardOrder);
    connectCommands();
}

void CVelmoraDlg::addAboutCommand()
{
    // The window manager owns the title bar's menu on Linux: the About command sits in the
    // window's own context menu and on F1.
    auto* about = new QAction(platform::fromCp1252("&About Velmora..."), this);
    about->setShortcut(Qt::Key_F1);
    about->setShortcutContext(Qt::WindowShortcut);
    connect(about, &QAction::triggered, this, [this] { platform::runCommand(this, [this] { showAbout(); }); });
    addAction(about);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CVelmoraDlg::fillStyleLists()
{
    for (const StyleListSpec& style : kStyleLists) {
        auto* list = platform::control<platform::StyleList>(*this, style.id);
        QPixmap strip(platform::fromCp1252(style.strip));
        // White is the pictures' transparent colour.
        strip.setMask(strip.createMaskFromColor(Qt::white));
        list->setColumn(platform::fromCp1252(style.column), style.columnWidth);
        list->setImageStrip(strip, style.columnWidth);
        for (char letter : style.items)
            list->addItem(QString(QChar(letter)));
    }
}

void CVelmoraDlg::connectCommands()
{
    platform::onClicked(*this, id::create, [this] { OnOK(); });
    platform::onClicked(*this, id::exit, [this] { reject(); });
    platform::onClicked(*this, id::preview, [this] { onPreview(); });
    // The publishing dialogs: each opened with no owner for one modal use, result ignored.
    platform::onClicked(*this, id::promote, [] {
        CPromoteDlg promote;
        promote.exec();
    });
    platform::onClicked(*this, id::upload, [] {
        CUploadDlg upload;
        upload.exec();
    });
    platform::onClicked(*this, id::webHostAdvice, [this] { onWebHostAdvice(); });
    platform::onClicked(*this, id::saveProfile, [this] { onSaveProfile(); });
    platform::onClicked(*this, id::loadProfile, [this] { onLoadProfile(); });
    platform::onClicked(*this, id::next, [this] { onNext(); });
    platform::onClicked(*this, id::browse, [this] { onBrowse(); });
    for (const FontButton& button : kFontButtons)
        platform::onClicked(*this, button.id, [this, style = button.style] { pickFont(style); });
    for (const ColorButton& button : kColorButtons)
        platform::onClicked(*this, button.id, [this, color = button.color] { pickColor(color); });
    platform::onClicked(*this, id::templateList, [this] { pickStyle(id::templateList, &ButtonSet::templateChoice); });
    platform::onClicked(*this, id::buttonList, [this] { pickStyle(id::buttonList, &ButtonSet::buttonChoice); });
    platform::onClicked(*this, id::tabs, [this] {
        showPage(platform::control<platform::TabControl>(*this, id::tabs)->currentIndex());
    });
}

void CVelmoraDlg::copyTexts(SiteProfile& profile) const
{
    // Every text but picturePath, which only Browse and Load Profile set.
    for (const TextField& field : textFields) {
        if (field.control != id::picturePath)
            field.of(profile) = platform::controlText(self(), field.control);
    }
}

void CVelmoraDlg::copyEdits(SiteProfile& profile) const
{
    copyTexts(profile);
    for (const FlagBox& box : kFlagBoxes)
        profile.*box.flag = platform::isChecked(self(), box.id);
}

void CVelmoraDlg::fillEdits()
{
    for (const TextField& field : textFields)
        platform::setControlText(*this, field.control, field.of(std::as_const(profile_)));
}

void CVelmoraDlg::OnOK()
{
    CreateSteps steps;
    steps.outputFolder = outputFolder_;
    steps.copyEdits = [this](SiteProfile& profile) { copyEdits(profile); };
    // The lookup waits on the network: off this thread, the window painting and taking no input.
    steps.runNetworkWork = [](const std::function<void()>& work) {
        const platform::BusyCursor busy;
        platform::runBlockingWork(work);
    };
    steps.congratulate = [this] {
        CPitchDlg pitch(outputFolder_);
        pitch.exec();
    };
    steps.reportFailures = [this](const CreateReport& report) {
        platform::showMessage(this, failureText(report), {}, platform::MessageIcon::Warning);
    };
    CreateSite(profile_, steps);
}

void CVelmoraDlg::showPage(int page)
{
    for (int p = 0; p < kPageCount; ++p) {
        for (const platform::ControlSpec& spec : kWizardPages[p].controls)
            platform::control<QWidget>(*this, spec.id)->setVisible(p == page);
    }
    platform::control<QWidget>(*this, kWizardPages[page].firstFocus)->setFocus(Qt::TabFocusReason);
}

void CVelmoraDlg::onNext()
{
    auto* tabs = platform::control<platform::TabControl>(*this, id::tabs);
    const int page = tabs->currentIndex();
    if (page >= kLastPage)
        return;
    // Selecting the tab here is not a tab click: the page switch does not run.
    tabs->selectQuietly(page + 1);
    for (const platform::ControlSpec& spec : kWizardPages[page].controls) {
        if (spec.id != id::next)
            platform::control<QWidget>(*this, spec.id)->hide();
    }
    for (const platform::ControlSpec& spec : kWizardPages[page + 1].controls)
        platform::control<QWidget>(*this, spec.id)->show();
    if (page + 1 == kLastPage)
        platform::control<QWidget>(*this, id::next)->hide();
}

void CVelmoraDlg::onPreview()
{
    platform::shellOpen((outputFolder_ / "index.html").string());
}

void CVelmoraDlg::onWebHostAdvice()
{
    platform::showMessage(this, kWebHostAdvice);
    platform::shellOpen(std::string(partnerHostPage));
}

void CVelmoraDlg::onSaveProfile()
{
    const auto file = platform::saveFileName(this, {std::string(kDataFiles), outputFolder_, true});
    if (!file)
        return;
    const platform::BusyCursor busy;
    // A file that cannot be written throws "Cannot save FILE: reason", shown in a stop box;
    // the earlier file stays as it was.
    saveProfile(profile_, *file);
}

void CVelmoraDlg::onLoadProfile()
{
    const auto file = platform::openFileName(this, {std::string(kDataFiles), outputFolder_, false});
    if (!file)
        return;
    // A file that cannot be opened: nothing happens.
    if (!std::ifstream(*file, std::ios::binary))
        return;
    const platform::BusyCursor busy;
    // A file that ends early throws the past-end error: the strings read so far are in the
    // record, the boxes keep what they showed.
    loadProfile(profile_, *file);
    fillEdits();
}

void CVelmoraDlg::onBrowse()
{
    const auto file = platform::openFileName(this, {});
    if (!file)
        return;
    profile_.picturePath = platform::toCp1252(QString::fromStdString(file->string()));
    platform::setControlText(*this, id::picturePath, profile_.picturePath);
}

void CVelmoraDlg::pickFont(TextStyle SiteProfile::*style)
{
    if (const auto answer = platform::pickFontAndColor(this))
        profile_.*style = TextStyle{answer->faceName, ColorText::fromValue(answer->bgr)};
}

void CVelmoraDlg::pickColor(ColorText SiteProfile::*color)
{
    if (const auto answer = platform::pickColor(this))
        profile_.*color = ColorText::fromValue(*answer);
}

void CVelmoraDlg::pickStyle(int listId, char ButtonSet::*member)
{
    // Runs on a mouse click only: moving the selection by keyboard picks nothing.
    const auto* list = platform::control<platform::StyleList>(*this, listId);
    for (int row : list->selectedRows()) {
        const std::string text = platform::toCp1252(list->itemText(row));
        if (!text.empty())
            profile_.buttonSet.*member = text.front();
    }
}

void CVelmoraDlg::showAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CVelmoraDlg::saveLastSession() const
{
    // The texts as the boxes hold them now, picturePath as the record has it.
    SiteProfile session = profile_;
    copyTexts(session);
    saveProfile(session, outputFolder_ / kLastSessionFile);
}

void CVelmoraDlg::done(int result)
{
    // Ending never waits for or asks anything; a session that cannot be kept is not kept.
    try {
        saveLastSession();
    } catch (...) {
    }
    QDialog::done(result);
}

} // namespace velmora::ui
