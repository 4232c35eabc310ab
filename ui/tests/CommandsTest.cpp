// The command column: CREATE and its outcome, PREVIEW, the web-host advice, and the profile
// files.

#include "WizardTestSupport.h"

#include "model/TextFields.h"
#include "platform/Application.h"
#include "platform/FileDialog.h"
#include "platform/Text.h"
#include "profile/ProfileFile.h"
#include "ui/PartnerHost.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <csignal>
#include <sys/resource.h>

using namespace velmora;
using uitest::NextModal;
using uitest::Wizard;

namespace {

std::string profileBytes(const std::vector<std::string>& texts)
{
    std::string bytes;
    for (const std::string& text : texts)
        bytes += encodeLengthPrefix(text.size()) + text;
    return bytes;
}

QString labelsOf(const QDialog& dialog)
{
    QString text;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        text += label->text() + "\n";
    return text;
}

// Keeps files from growing past `bytes` while it lives; a write beyond fails with EFBIG.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace

class CommandsTest : public QObject {
    Q_OBJECT

private slots:
    void enterInASingleLineEditRunsCreate()
    {
        Wizard wizard;
        wizard.setText(1005, "Harbor Lane Soap");
        wizard.setText(1006, "Soap for every season");
        wizard.setText(1008, "First line\r\nsecond line");
        platform::setChecked(*wizard.dialog, 1063, true);
        QString text;
        bool pagesThere = false;
        NextModal pitch([&](QDialog& dialog) {
            text = labelsOf(dialog);
            pagesThere = std::filesystem::file_size(wizard.folder() / "index.html") > 0;
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QLineEdit* company = wizard.control<QLineEdit>(1005);
        company->setFocus();
        QTest::keyClick(company, Qt::Key_Return);
        QVERIFY(pitch.ran());
        QCOMPARE(pitch.title(), QString("Congratulations"));
        QVERIFY(pagesThere);
        // The output folder by its real path, no drive letter.
        QVERIFY(text.contains("stored in a directory called \"" + QString::fromStdString(wizard.folder().string()) +
                              "\"."));
        QVERIFY(!text.contains("C:\\"));
        QVERIFY(wizard.opened.empty());

        for (const char* page : {"index.html", "testimonials.html", "freq.html", "features.html", "about.html",
                                 "order.html", "saleslip.html"})
            QVERIFY(std::filesystem::exists(wizard.folder() / page));
        QVERIFY(test::readFile(wizard.folder() / "index.html").find("Soap for every season") != std::string::npos);
        QCOMPARE(wizard.profile.companyName, std::string("Harbor Lane Soap"));
        QCOMPARE(wizard.profile.homeBody, std::string("First line\r\nsecond line"));
        QCOMPARE(wizard.profile.siteUrl, std::string("www."));
        QVERIFY(wizard.profile.homeHeadingBold);
        QVERIFY(wizard.dialog->isVisible());
        QCOMPARE(wizard.text(1005), std::string("Harbor Lane Soap"));
    }

    // Enter presses CREATE from a one-line box and from the multi-line boxes that leave Enter
    // to the dialog; in any other multi-line box it starts a new line.
    void enterRunsCreateWhereTheBoxLeavesItToTheDialog_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("creates");
        QTest::newRow("Company Name, one line") << 3 << 1005 << true;
        QTest::newRow("Subheading, Enter not taken") << 3 << 1092 << true;
        QTest::newRow("FAQ heading, Enter not taken") << 7 << 1042 << true;
        QTest::newRow("Price, one line") << 9 << 1134 << true;
        QTest::newRow("Body, several lines") << 3 << 1008 << false;
        QTest::newRow("Mailing Address, several lines") << 9 << 1132 << false;
    }
    void enterRunsCreateWhereTheBoxLeavesItToTheDialog()
    {
        QFETCH(int, page);
        QFETCH(int, box);
        QFETCH(bool, creates);
        Wizard wizard;
        wizard.clickTab(page);
        NextModal pitch([](QDialog& dialog) { dialog.reject(); }, creates ? 250 : 10);
        QWidget* edit = wizard.control(box);
        edit->setFocus();
        QTest::keyClicks(edit, "one");
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, "two");
        if (!creates)
            QTest::qWait(300);
        QCOMPARE(pitch.ran(), creates);
        QCOMPARE(std::filesystem::exists(wizard.folder() / "index.html"), creates);
        QCOMPARE(wizard.text(box), std::string(creates ? "onetwo" : "one\r\ntwo"));
    }

    void getMeAWebHostOpensThePartnerPage()
    {
        Wizard wizard;
        NextModal pitch([](QDialog& dialog) {
            QVERIFY(platform::control<QPushButton>(dialog, 1)->hasFocus());
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        wizard.click(ui::id::create);
        QVERIFY(pitch.ran());
        QCOMPARE(wizard.opened, std::vector<std::string>{std::string(ui::partnerHostPage)});
        QVERIFY(!QApplication::activeModalWidget());
    }

    void createThatCannotWriteAPageShowsTheWarningBox()
    {
        Wizard wizard;
        std::filesystem::create_directory(wizard.folder() / "index.html");
        NextModal pitch([](QDialog& dialog) { dialog.reject(); }, 10);
        platform::setNextAnswer(platform::MessageAnswer::Ok);
        wizard.click(ui::id::create);
        QTest::qWait(300);
        QVERIFY(!pitch.ran());
        QCOMPARE(platform::shownMessages().size(), std::size_t{1});
        const platform::ShownMessage& box = platform::shownMessages()[0];
        QCOMPARE(box.icon, platform::MessageIcon::Warning);
        QCOMPARE(box.buttons, platform::MessageButtons::Ok);
        QVERIFY(box.text.find("index.html") != std::string::npos);
        QVERIFY(box.text.find("testimonials.html") == std::string::npos);
        QVERIFY(test::readFile(wizard.folder() / "about.html").size() > 0);
    }

    void promoteAndUploadOpenTheirDialogs_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("caption");
        QTest::newRow("PROMOTE") << ui::id::promote << "Promotion Links";
        QTest::newRow("Upload") << ui::id::upload << "Upload Gateway";
    }

    void promoteAndUploadOpenTheirDialogs()
    {
        QFETCH(int, button);
        QFETCH(QString, caption);
        Wizard wizard;
        QString seen;
        bool ownerless = false;
        NextModal dialog([&](QDialog& opened) {
            seen = opened.windowTitle();
            ownerless = opened.parentWidget() == nullptr;
            opened.reject();
        });
        wizard.click(button);
        QVERIFY(dialog.ran());
        QCOMPARE(seen, caption);
        QVERIFY(ownerless);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(platform::shownMessages().empty());
    }

    void previewHandsTheHomePageToTheShell()
    {
        Wizard wizard;
        wizard.click(ui::id::preview);
        QCOMPARE(wizard.opened, std::vector<std::string>{(wizard.folder() / "index.html").string()});
        QVERIFY(platform::shownMessages().empty());
    }

    void webHostAdviceOpensThePartnerPageHoweverTheBoxCloses()
    {
        Wizard wizard;
        platform::setNextAnswer(platform::MessageAnswer::Ok);
        wizard.click(ui::id::webHostAdvice);
        QCOMPARE(platform::shownMessages().size(), std::size_t{1});
        const platform::ShownMessage& box = platform::shownMessages()[0];
        QVERIFY(box.text.rfind("You have a web site.....now what?", 0) == 0);
        QCOMPARE(box.caption, platform::toCp1252(platform::applicationName()));
        QCOMPARE(box.icon, platform::MessageIcon::None);
        QCOMPARE(box.buttons, platform::MessageButtons::Ok);
        QCOMPARE(wizard.opened, std::vector<std::string>{std::string(ui::partnerHostPage)});
    }

    void partnerPageIsUnderAReservedName()
    {
        const std::string page(ui::partnerHostPage);
        QVERIFY(page.rfind("http://", 0) == 0);
        QVERIFY(page.ends_with(".example/"));
    }

    void saveBeforeAnyCreateWritesFortyFourZeroBytes()
    {
        Wizard wizard;
        wizard.setText(1005, "typed only");
        QString folder;
        QStringList filters;
        NextModal save([&](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            folder = files.directory().absolutePath();
            filters = files.nameFilters();
            auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name);
            name->setText("my-site");
            QTest::keyClick(name, Qt::Key_Return);
        });
        wizard.click(ui::id::saveProfile);
        QVERIFY(save.ran());
        QCOMPARE(folder, QString::fromStdString(wizard.folder().string()));
        QCOMPARE(filters, QStringList{"Data Files (*.dat)"});
        // Saved as typed, no extension added, and the record as it was: 44 empty texts.
        QVERIFY(!std::filesystem::exists(wizard.folder() / "my-site.dat"));
        QCOMPARE(test::readFile(wizard.folder() / "my-site"), std::string(44, '\0'));
    }

    void replacingAFileIsConfirmed()
    {
        Wizard wizard;
        const auto file = wizard.folder() / "site.dat";
        test::writeFile(file, "earlier");
        QString question;
        NextModal save([&](QDialog& files) {
            // The question comes inside the Return below; say No, then give up the dialog.
            NextModal confirm([&](QDialog& box) {
                auto* message = qobject_cast<QMessageBox*>(&box);
                QVERIFY(message);
                question = message->text();
                message->button(QMessageBox::No)->click();
            });
            auto* name = files.findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name);
            name->setText("site.dat");
            QTest::keyClick(name, Qt::Key_Return);
            QVERIFY(confirm.ran());
            QVERIFY(files.isVisible());
            files.reject();
        });
        wizard.click(ui::id::saveProfile);
        QVERIFY(save.ran());
        QVERIFY2(question.contains("site.dat"), qPrintable(question));
        QCOMPARE(test::readFile(file), std::string("earlier"));
    }

    void failedSaveSaysSoAndKeepsTheEarlierFile()
    {
        Wizard wizard;
        const auto file = wizard.folder() / "site.dat";
        test::writeFile(file, "earlier");
        wizard.profile.homeBody = std::string(200000, 'x');
        platform::setNextFileAnswer(file);
        platform::setNextAnswer(platform::MessageAnswer::Ok);
        {
            FileSizeLimit limit(100000);
            wizard.click(ui::id::saveProfile);
        }
        QCOMPARE(platform::shownMessages().size(), std::size_t{1});
        const platform::ShownMessage& box = platform::shownMessages()[0];
        QCOMPARE(box.icon, platform::MessageIcon::Stop);
        QVERIFY2(box.text.rfind("Cannot save " + file.string() + ": ", 0) == 0, box.text.c_str());
        QCOMPARE(test::readFile(file), std::string("earlier"));
        QVERIFY(wizard.dialog->isVisible());
    }

    void loadFillsTheRecordAndTheBoxes()
    {
        Wizard wizard;
        std::vector<std::string> texts;
        for (const TextField& field : textFields)
            texts.push_back(std::string(field.name) + "\r\ntwo lines");
        SiteProfile expected;
        for (std::size_t i = 0; i < textFields.size(); ++i)
            textFields[i].of(expected) = texts[i];
        const auto file = wizard.folder() / "site.dat";
        saveProfile(expected, file);
        wizard.profile.faqStyle = {"DejaVu Sans", ColorText::fromValue(0xFF)};
        wizard.profile.buttonSet = {'B', 'D'};
        platform::setChecked(*wizard.dialog, 1183, true);
        platform::setNextFileAnswer(file);
        wizard.click(ui::id::loadProfile);
        QVERIFY(platform::shownMessages().empty());
        for (const TextField& field : textFields) {
            QCOMPARE(field.of(std::as_const(wizard.profile)), field.of(std::as_const(expected)));
            QCOMPARE(wizard.text(field.control), field.of(std::as_const(expected)));
        }
        QCOMPARE(wizard.profile.faqStyle.faceName, std::string("DejaVu Sans"));
        QCOMPARE(wizard.profile.buttonSet, (ButtonSet{'B', 'D'}));
        QVERIFY(platform::isChecked(*wizard.dialog, 1183));
    }

    void loadThatEndsEarlyKeepsTheBoxes()
    {
        Wizard wizard;
        wizard.setText(1006, "typed title");
        wizard.setText(1007, "typed heading");
        wizard.profile.homeHeading = "earlier heading";
        const auto file = wizard.folder() / "short.dat";
        // The title in full, then a heading whose stated length runs past the end.
        test::writeFile(file, profileBytes({"loaded title"}) + "\x10" "abc");
        platform::setNextFileAnswer(file);
        platform::setNextAnswer(platform::MessageAnswer::Ok);
        wizard.click(ui::id::loadProfile);
        QCOMPARE(platform::shownMessages().size(), std::size_t{1});
        QCOMPARE(platform::shownMessages()[0].icon, platform::MessageIcon::Stop);
        QCOMPARE(platform::shownMessages()[0].text, std::string(kProfilePastEndMessage));
        QCOMPARE(wizard.profile.pageTitle, std::string("loaded title"));
        QCOMPARE(wizard.profile.homeHeading, std::string("earlier heading"));
        QCOMPARE(wizard.text(1006), std::string("typed title"));
        QCOMPARE(wizard.text(1007), std::string("typed heading"));
        QVERIFY(wizard.dialog->isVisible());
    }

    void loadOfAFileThatCannotBeOpenedDoesNothing()
    {
        Wizard wizard;
        wizard.setText(1006, "typed title");
        platform::setNextFileAnswer(wizard.folder() / "missing.dat");
        wizard.click(ui::id::loadProfile);
        QVERIFY(platform::shownMessages().empty());
        QCOMPARE(wizard.text(1006), std::string("typed title"));
    }

    void loadStartsInTheOutputFolderAndCancelChangesNothing()
    {
        Wizard wizard;
        wizard.setText(1006, "typed title");
        QString folder;
        NextModal open([&](QDialog& dialog) {
            folder = static_cast<QFileDialog&>(dialog).directory().absolutePath();
            dialog.reject();
        });
        wizard.click(ui::id::loadProfile);
        QVERIFY(open.ran());
        QCOMPARE(folder, QString::fromStdString(wizard.folder().string()));
        QCOMPARE(wizard.text(1006), std::string("typed title"));
        QCOMPARE(wizard.profile.pageTitle, std::string());
    }
};

VELMORA_WIZARD_TEST_MAIN(CommandsTest)
#include "CommandsTest.moc"
