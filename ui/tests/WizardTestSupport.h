#pragma once

// Helpers for the window tests: a wizard on a fresh home folder, and a driver for the modal
// dialogs its commands open.

#include "model/SiteProfile.h"
#include "platform/DialogBuilder.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/TabControl.h"
#include "platform/tests/ModalDriver.h"
#include "testsupport/TestSupport.h"
#include "ui/MainTemplate.h"
#include "ui/VelmoraDlg.h"

#include <QApplication>
#include <QDialog>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <stdlib.h>

namespace velmora::uitest {

// Runs `action` on the next modal dialog, through the platform tests' poller: it looks every
// 20 ms up to a try limit, and rejects a dialog the action leaves open, so a failing test
// cannot hang inside exec().
class NextModal {
public:
    explicit NextModal(std::function<void(QDialog&)> action, int tries = 250)
        : title_(std::make_shared<QString>())
    {
        ran_ = platform::test::whenModal(
            [action = std::move(action), title = title_](QWidget& modal) {
                *title = modal.windowTitle();
                if (auto* dialog = qobject_cast<QDialog*>(&modal))
                    action(*dialog);
            },
            tries);
    }

    bool ran() const { return *ran_; }
    // The dialog's window title, as it was when the action ran.
    const QString& title() const { return *title_; }

private:
    std::shared_ptr<QString> title_;
    std::shared_ptr<bool> ran_;
};

// A wizard window on a fresh home folder, shown, with the message-box and shell seams
// recording instead of showing or opening.
struct Wizard {
    test::TempDir home;
    SiteProfile profile;
    std::unique_ptr<ui::CVelmoraDlg> dialog;
    std::vector<std::string> opened;

    Wizard()
    {
        setenv("HOME", home.path().c_str(), 1);
        platform::clearMessageSeam();
        platform::clearFileDialogSeam();
        platform::setShellOpenRecorder([this](const std::string& target) { opened.push_back(target); });
        dialog = std::make_unique<ui::CVelmoraDlg>(profile);
        dialog->show();
        (void)QTest::qWaitForWindowExposed(dialog.get());
        dialog->activateWindow();
        (void)QTest::qWaitForWindowActive(dialog.get());
    }
    ~Wizard()
    {
        dialog.reset();
        platform::setShellOpenRecorder({});
        platform::clearMessageSeam();
    }

    template <class W = QWidget>
    W* control(int id) const
    {
        return platform::control<W>(*dialog, id);
    }

    std::filesystem::path folder() const { return dialog->outputFolder(); }

    void click(int id) const { QTest::mouseClick(control(id), Qt::LeftButton); }
    QTabBar* tabBar() const { return control<platform::TabControl>(ui::id::tabs)->tabBar(); }
    // A mouse click on a tab, as the user changes pages.
    void clickTab(int page) const
    {
        QTest::mouseClick(tabBar(), Qt::LeftButton, {}, tabBar()->tabRect(page).center());
    }
    std::string text(int id) const { return platform::controlText(*dialog, id); }
    void setText(int id, std::string_view text) const { platform::setControlText(*dialog, id, text); }
};

// The ids of a page's controls.
inline std::vector<int> pageIds(int page)
{
    std::vector<int> ids;
    for (const platform::ControlSpec& spec : ui::kWizardPages[page].controls)
        ids.push_back(spec.id);
    return ids;
}

// Gives the test program a private runtime folder and home folder before Qt starts.
inline void prepareTestEnvironment()
{
    static test::TempDir runtime;
    std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    static test::TempDir home;
    setenv("HOME", home.path().c_str(), 1);
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

} // namespace velmora::uitest

// A QTest main that prepares the environment first.
#define VELMORA_WIZARD_TEST_MAIN(TestClass)                                                                  \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        velmora::uitest::prepareTestEnvironment();                                                           \
        QApplication app(argc, argv);                                                                        \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
