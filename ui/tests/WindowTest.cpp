// The wizard window: start-up, the pages by tab click and by Next, the keyboard order, the
// About box and the ways out.

#include "WizardTestSupport.h"

#include "model/TextFields.h"
#include "platform/DialogUnits.h"
#include "profile/ProfileFile.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>

#include <set>

using namespace velmora;
using uitest::NextModal;
using uitest::Wizard;

namespace {

QTabBar* tabsOf(const Wizard& wizard)
{
    return wizard.tabBar();
}

// Fails unless exactly page `page`'s controls are visible, and Next only when `nextVisible`.
void expectPage(const Wizard& wizard, int page, bool nextVisible)
{
    for (int p = 0; p < ui::kPageCount; ++p) {
        for (int id : uitest::pageIds(p)) {
            const bool expected = id == ui::id::next ? nextVisible : p == page;
            QVERIFY2(wizard.control(id)->isVisible() == expected,
                     qPrintable(QString("page %1, control %2").arg(page).arg(id)));
        }
    }
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnTheWelcomePage()
    {
        Wizard wizard;
        QCOMPARE(wizard.dialog->windowTitle(), QString("Drennic Velmora Business Edition"));
        const platform::DialogUnits units(platform::dialogFont());
        QCOMPARE(wizard.dialog->size(), units.toPixels(425, 239));
        QCOMPARE(wizard.dialog->minimumSize(), wizard.dialog->maximumSize());
        const Qt::WindowFlags flags = wizard.dialog->windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));

        QTabBar* tabs = tabsOf(wizard);
        QCOMPARE(tabs->count(), ui::kPageCount);
        for (int page = 0; page < ui::kPageCount; ++page)
            QCOMPARE(tabs->tabText(page).toStdString(), std::string(ui::kWizardPages[page].caption));
        QCOMPARE(tabs->currentIndex(), 0);
        expectPage(wizard, 0, true);
        for (int id : {1, 2, 1165, 1166, 1167, 1196, 1187, 1188}) {
            QVERIFY(wizard.control(id)->isVisible());
            QVERIFY(wizard.control(id)->isEnabled());
        }
        QVERIFY(wizard.control<QPushButton>(ui::id::create)->isDefault());

        // The URL box starts with "www." while the record stays empty.
        QCOMPARE(wizard.text(ui::id::siteUrl), std::string("www."));
        QCOMPARE(wizard.profile.siteUrl, std::string());
        // The output folder exists and is the current directory.
        QCOMPARE(wizard.folder(), wizard.home / "VelmoraP");
        QVERIFY(std::filesystem::is_directory(wizard.folder()));
        QCOMPARE(std::filesystem::current_path(), wizard.folder());
    }

    // The tables agree with each other: every text of the record has its edit box, every
    // page's control lies inside the tab control, every command inside the window.
    void controlTablesFitTogether()
    {
        Wizard wizard;
        for (const TextField& field : textFields) {
            QWidget* box = wizard.control(field.control);
            QVERIFY2(qobject_cast<QLineEdit*>(box) || qobject_cast<QPlainTextEdit*>(box),
                     qPrintable(QString::number(field.control)));
        }
        const QRect tabs = wizard.control(ui::id::tabs)->geometry();
        std::set<int> ids;
        for (int page = 0; page < ui::kPageCount; ++page) {
            for (int id : uitest::pageIds(page)) {
                QVERIFY2(ids.insert(id).second, qPrintable(QString("%1 twice").arg(id)));
                QVERIFY2(tabs.contains(wizard.control(id)->geometry()), qPrintable(QString::number(id)));
            }
        }
        for (const platform::ControlSpec& spec : ui::mainTemplate().controls)
            QVERIFY(wizard.dialog->rect().contains(wizard.control(spec.id)->geometry()));
    }

    void startsWhenTheOutputFolderExists()
    {
        Wizard first;
        test::writeFile(first.folder() / "index.html", "old");
        first.dialog.reset();
        setenv("HOME", first.home.path().c_str(), 1);
        SiteProfile profile;
        ui::CVelmoraDlg again(profile);
        QCOMPARE(test::readFile(again.outputFolder() / "index.html"), std::string("old"));
    }

    void nextNineTimesVisitsEveryPage()
    {
        Wizard wizard;
        for (int page = 1; page < ui::kPageCount; ++page) {
            wizard.click(ui::id::next);
            QCOMPARE(tabsOf(wizard)->currentIndex(), page);
            expectPage(wizard, page, page != ui::kLastPage);
        }
    }

    void tabClicksHideNextButWelcomeBringsItBack()
    {
        Wizard wizard;
        for (int i = 0; i < 4; ++i)
            wizard.click(ui::id::next);
        expectPage(wizard, 4, true);
        wizard.clickTab(6);
        expectPage(wizard, 6, false);
        wizard.clickTab(0);
        expectPage(wizard, 0, true);
        // Next from a tab click walks on as well.
        wizard.click(ui::id::next);
        expectPage(wizard, 1, true);
    }

    void tabClickFocusesThePagesFirstControl()
    {
        Wizard wizard;
        for (int page : {3, 1, 2, 4, 5, 6, 7, 8, 9, 0}) {
            wizard.clickTab(page);
            QWidget* first = wizard.control(ui::kWizardPages[page].firstFocus);
            QVERIFY2(first->hasFocus(), qPrintable(QString("page %1").arg(page)));
        }
    }

    void tabKeyFollowsTheFixedOrderOverVisibleControls()
    {
        Wizard wizard;
        wizard.clickTab(3);
        // From the page's first control, a label, Tab goes on to the box beside it.
        QVERIFY(wizard.control(1001)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("1005"));
        wizard.control(ui::id::create)->setFocus();
        const std::vector<int> expected = {2,    1005, 1006, 1007, 1092, 1008, 1010, 1063, 1065,
                                           1067, 1165, 1166, 1167, 1187, 1188, 1196, 1};
        for (int id : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::number(id));
        }
    }

    void typedTextStaysThroughPageChangesAndIsNotInTheRecord()
    {
        Wizard wizard;
        wizard.clickTab(3);
        QTest::keyClicks(wizard.control(1005), "Harbor Lane");
        wizard.clickTab(9);
        wizard.clickTab(3);
        QCOMPARE(wizard.text(1005), std::string("Harbor Lane"));
        QCOMPARE(wizard.profile.companyName, std::string());
    }

    void pageButtonsAppearOnlyOnTheirPages()
    {
        Wizard wizard;
        for (int page = 0; page < ui::kPageCount; ++page) {
            wizard.clickTab(page);
            QCOMPARE(wizard.control(1021)->isVisible(), page == 4);
            QCOMPARE(wizard.control(1136)->isVisible(), page == 7);
        }
    }

    void aboutBoxOpensFromF1AndTheContextMenu()
    {
        Wizard wizard;
        const QList<QAction*> actions = wizard.dialog->actions();
        QCOMPARE(actions.size(), 1);
        QCOMPARE(actions[0]->text(), QString("&About Velmora..."));
        QCOMPARE(wizard.dialog->contextMenuPolicy(), Qt::ActionsContextMenu);

        QString note;
        NextModal about([&](QDialog& dialog) {
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                note += label->text();
            QTest::mouseClick(platform::control<QPushButton>(dialog, 1), Qt::LeftButton);
        });
        QTest::keyClick(wizard.dialog.get(), Qt::Key_F1);
        QTRY_VERIFY(about.ran());
        QCOMPARE(about.title(), QString("About Velmora"));
        QVERIFY(note.contains("last-session.dat"));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(wizard.dialog->isVisible());
    }

    // EXIT, Esc and the close box end at once and keep the boxes' texts in last-session.dat.
    void endingKeepsTheLastSession_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("EXIT") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
    }
    void endingKeepsTheLastSession()
    {
        QFETCH(int, way);
        Wizard wizard;
        wizard.profile.picturePath = "/pictures/soap.jpg";
        wizard.setText(1104, "typed, not browsed");
        wizard.setText(1005, "Harbor Lane");
        wizard.setText(1008, "line one\r\nline two");
        if (way == 0)
            wizard.click(ui::id::exit);
        else if (way == 1)
            QTest::keyClick(wizard.control(ui::id::create), Qt::Key_Escape);
        else
            wizard.dialog->close();
        QVERIFY(!wizard.dialog->isVisible());
        QCOMPARE(wizard.dialog->result(), int(QDialog::Rejected));
        QVERIFY(platform::shownMessages().empty());

        SiteProfile session;
        loadProfile(session, wizard.folder() / ui::kLastSessionFile);
        QCOMPARE(session.companyName, std::string("Harbor Lane"));
        QCOMPARE(session.homeBody, std::string("line one\r\nline two"));
        QCOMPARE(session.siteUrl, std::string("www."));
        QCOMPARE(session.picturePath, std::string("/pictures/soap.jpg"));
        // The record itself is not touched on the way out.
        QCOMPARE(wizard.profile.companyName, std::string());
    }

    void endingWhenTheSessionCannotBeKept()
    {
        Wizard wizard;
        std::filesystem::create_directory(wizard.folder() / ui::kLastSessionFile);
        wizard.click(ui::id::exit);
        QVERIFY(!wizard.dialog->isVisible());
        QVERIFY(platform::shownMessages().empty());
        QVERIFY(std::filesystem::is_directory(wizard.folder() / ui::kLastSessionFile));
    }
};

VELMORA_WIZARD_TEST_MAIN(WindowTest)
#include "WindowTest.moc"
