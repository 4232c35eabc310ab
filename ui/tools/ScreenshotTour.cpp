// velmora-screenshots FOLDER: walks through the wizard as a user would, filled with the
// example business, and saves a picture of every page and of each dialog into FOLDER.
// scripts/screenshots runs it under Xvfb.

#include "model/StateJson.h"
#include "platform/Application.h"
#include "platform/DialogBuilder.h"
#include "platform/FileDialog.h"
#include "profile/ProfileFile.h"
#include "platform/Shell.h"
#include "platform/TabControl.h"
#include "ui/MainTemplate.h"
#include "ui/Velmora.h"
#include "ui/VelmoraDlg.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

using namespace velmora;

namespace {

QString outFolder;

void save(QWidget& widget, const QString& name)
{
    QApplication::processEvents();
    const QString path = outFolder + "/" + name + ".png";
    if (!widget.window()->grab().save(path))
        std::fprintf(stderr, "velmora-screenshots: cannot save %s\n", qPrintable(path));
}

// Photographs the next modal dialog, then closes it with `close` (default: reject).
void shootNextModal(const QString& name, std::function<void(QDialog&)> close = {}, int tries = 300)
{
    QTimer::singleShot(50, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (tries > 0)
                shootNextModal(name, close, tries - 1);
            return;
        }
        QTest::qWait(150);
        save(*dialog, name);
        if (close)
            close(*dialog);
        else
            dialog->reject();
    });
}

// Loads the example business as a user would, through Load Profile.
void fillFromExample(ui::CVelmoraDlg& dialog, const std::filesystem::path& state)
{
    std::ifstream in(state, std::ios::binary);
    std::ostringstream json;
    json << in.rdbuf();
    SiteProfile example;
    applyStateJson(example, json.str());
    // The product picture as a user keeps it, in their own pictures folder.
    const auto pictures = dialog.outputFolder().parent_path() / "Pictures";
    std::filesystem::create_directories(pictures);
    const auto picture = pictures / std::filesystem::path(example.picturePath).filename();
    std::filesystem::copy_file(state.parent_path() / example.picturePath, picture,
                               std::filesystem::copy_options::overwrite_existing);
    example.picturePath = picture.string();
    const auto profile = dialog.outputFolder() / "harbor-lane.dat";
    saveProfile(example, profile);
    platform::setNextFileAnswer(profile);
    QTest::mouseClick(platform::control<QWidget>(dialog, ui::id::loadProfile), Qt::LeftButton);
}

} // namespace

int main(int argc, char** argv)
{
    platform::ensurePrivateRuntimeDir();
    ui::CVelmoraApp app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: velmora-screenshots FOLDER EXAMPLE-STATE.json\n");
        return 2;
    }
    outFolder = QString::fromLocal8Bit(argv[1]);
    platform::setShellOpenRecorder([](const std::string&) {});

    ui::CVelmoraDlg dialog(app.profile());
    dialog.show();
    (void)QTest::qWaitForWindowExposed(&dialog);
    // Without a window manager a shown window is not active until asked, and F1 needs that.
    dialog.activateWindow();
    (void)QTest::qWaitForWindowActive(&dialog);
    QTest::qWait(200);
    fillFromExample(dialog, argv[2]);

    auto* tabs = platform::control<platform::TabControl>(dialog, ui::id::tabs)->tabBar();
    for (int page = 0; page < ui::kPageCount; ++page) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
            const std::string_view caption = ui::kWizardPages[page].caption;
        save(dialog, QString("page-%1-%2").arg(page).arg(QString::fromLatin1(caption.data(), caption.size()).toLower()));
    }
    const auto showPage = [&](int page) { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center()); };
    const auto click = [&](int id) {
        QTest::mouseClick(platform::control<QWidget>(dialog, id), Qt::LeftButton);
    };
    shootNextModal("dialog-about");
    QTest::keyClick(&dialog, Qt::Key_F1);
    showPage(3);
    shootNextModal("dialog-font-and-color");
    click(1010);
    showPage(2);
    shootNextModal("dialog-color");
    click(1123);
    shootNextModal("dialog-save-profile");
    click(ui::id::saveProfile);
    shootNextModal("dialog-promotion-links");
    click(ui::id::promote);
    shootNextModal("dialog-upload-gateway");
    click(ui::id::upload);
    shootNextModal("dialog-web-host-advice", [](QDialog& box) { box.accept(); });
    click(ui::id::webHostAdvice);
    shootNextModal("dialog-congratulations");
    click(ui::id::create);
    std::filesystem::remove(dialog.outputFolder() / "about.html");
    std::filesystem::create_directory(dialog.outputFolder() / "about.html");
    shootNextModal("dialog-create-warning", [](QDialog& box) { box.accept(); });
    click(ui::id::create);
    std::filesystem::remove(dialog.outputFolder() / "about.html");
    return 0;
}
