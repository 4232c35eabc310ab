#include "ui/PromoteDlg.h"
#include "ui/UploadDlg.h"

#include "platform/DialogBuilder.h"
#include "platform/DialogUnits.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/tests/ModalDriver.h"
#include "publish/InternetLink.h"
#include "publish/PromotionEndpoints.h"
#include "publish/UploadSite.h"
#include "publish/tests/NetTestKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::control;
using platform::DluRect;
using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;

struct Place {
    int id;
    DluRect rect;
    const char* caption;  // buttons, labels, check boxes, group boxes; nullptr for the rest
};

void expectPlaces(QDialog& dialog, std::span<const Place> places, bool visible)
{
    const platform::DialogUnits units(platform::dialogFont());
    for (const Place& place : places) {
        QWidget* widget = control<QWidget>(dialog, place.id);
        ASSERT_NE(widget, nullptr) << place.id;
        const QRect expected = units.toPixels(place.rect);
        if (qobject_cast<QCheckBox*>(widget)) {
            // A check box may grow to show its box and caption whole, on the same line.
            EXPECT_EQ(widget->x(), expected.x()) << place.id;
            EXPECT_EQ(widget->geometry().center().y(), expected.center().y()) << place.id;
            EXPECT_GE(widget->width(), expected.width()) << place.id;
        } else {
            EXPECT_EQ(widget->geometry(), expected) << place.id;
        }
        EXPECT_EQ(widget->isVisible(), visible) << place.id;
        if (place.caption) {
            EXPECT_EQ(platform::controlText(dialog, place.id), place.caption) << place.id;
        }
    }
}

void show(QDialog& dialog)
{
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

// Each test starts from default network settings, an empty message seam and a shell that
// records instead of opening, and leaves them as it found them.
class DialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        saved_ = net::settings();
        net::settings() = net::Settings{};
        net::settings().connectTimeout = 2s;
        net::settings().stallTimeout = 5s;
        platform::clearMessageSeam();
        platform::setShellOpenRecorder([this](const std::string& what) { opened_.push_back(what); });
    }
    void TearDown() override
    {
        platform::setShellOpenRecorder({});
        platform::clearMessageSeam();
        net::settings() = saved_;
    }

    std::vector<std::string> opened_;

private:
    net::Settings saved_;
};

// The close paths every dialog has: its Cancel/Close button, Escape and the close box, each
// from exec() with no parent.
template <class Dialog>
void expectEveryCloseEndsExec(int cancelId)
{
    const std::function<void(QWidget&)> closers[] = {
        [cancelId](QWidget& w) { QTest::mouseClick(control<QPushButton>(w, cancelId), Qt::LeftButton); },
        [](QWidget& w) { QTest::keyClick(&w, Qt::Key_Escape); },
        [](QWidget& w) { w.close(); },
    };
    for (const auto& close : closers) {
        Dialog dialog;
        EXPECT_EQ(dialog.parentWidget(), nullptr);
        const auto done = platform::test::whenModal(close);
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_TRUE(*done);
        EXPECT_FALSE(dialog.isVisible());
    }
}

// ---- Upload Gateway ----------------------------------------------------------------------

constexpr Place uploadPlaces[] = {
    {1, {47, 154, 58, 14}, "Upload"},
    {2, {142, 154, 60, 14}, "Cancel"},
    {1172, {15, 15, 45, 15}, "Site Address"},
    {1173, {15, 35, 45, 15}, "Username"},
    {1174, {15, 55, 45, 15}, "Password"},
    {1175, {15, 75, 45, 20}, "Destination Directory"},
    {1168, {70, 15, 115, 15}, ""},
    {1169, {70, 35, 115, 15}, ""},
    {1170, {70, 55, 115, 15}, ""},
    {1171, {70, 75, 115, 14}, ""},
    {1176, {15, 95, 216, 20},
     "Please note that the Destination Directory should begin with a slash (/) followed by the path.  For "
     "example, /home/www/pages."},
    {1178, {9, 135, 51, 15}, "Upload Status"},
    {1177, {70, 135, 115, 15}, nullptr},
    {1186, {30, 115, 155, 9}, nullptr},
};

TEST_F(DialogTest, UploadGatewayOpensWithEveryControlInPlaceEmptyAndUnticked)
{
    CUploadDlg dialog;
    show(dialog);
    const platform::DialogUnits units(platform::dialogFont());
    EXPECT_EQ(dialog.windowTitle(), "Upload Gateway");
    EXPECT_EQ(dialog.size(), units.toPixels(238, 175));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    expectPlaces(dialog, uploadPlaces, true);
    EXPECT_TRUE(control<QPushButton>(dialog, 1)->isDefault());
    EXPECT_EQ(control<QLineEdit>(dialog, 1170)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(control<QLineEdit>(dialog, 1168)->echoMode(), QLineEdit::Normal);
    EXPECT_FALSE(control<QCheckBox>(dialog, 1186)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(dialog, 1186)->text().isEmpty());
    auto* bar = control<QProgressBar>(dialog, 1177);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(control<QLineEdit>(dialog, 1168)->hasFocus());
}

TEST_F(DialogTest, UploadGatewayClosesByCancelEscapeAndTheCloseBox)
{
    expectEveryCloseEndsExec<CUploadDlg>(2);
}

class UploadDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        net::settings().addConnectTo(server_.connectTo("ftp.example.test"));
        fs::create_directories(server_.root() / "www");
        for (const UploadEntry& entry : uploadList)
            testkit::writeFile(folder_ / entry.local, std::string(entry.local));
        dialog_.setOutputFolder(folder_.path());
        show(dialog_);
        type(1168, "ftp.example.test");
        type(1169, "bob");
        type(1170, "secret");
        type(1171, "/www");
    }
    void type(int id, const char* text)
    {
        auto* edit = control<QLineEdit>(dialog_, id);
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }

    testkit::FtpTestServer server_{"bob", "secret", testkit::FtpQuirks{.slow = {"freq.html"}}};
    testkit::TempDir folder_;
    CUploadDlg dialog_;
};

TEST_F(UploadDialogTest, EnterInAnEditUploadsTheBarMovesBetweenFilesAndTheDialogStaysOpen)
{
    auto* bar = control<QProgressBar>(dialog_, 1177);
    QSignalSpy moves(bar, &QProgressBar::valueChanged);
    platform::setNextAnswer(platform::MessageAnswer::Ok);
    QTest::keyClick(control<QLineEdit>(dialog_, 1170), Qt::Key_Return);

    ASSERT_EQ(platform::shownMessages().size(), 1u);
    EXPECT_EQ(platform::shownMessages()[0].text, "Upload Successful");
    EXPECT_EQ(platform::shownMessages()[0].icon, platform::MessageIcon::Warning);
    EXPECT_EQ(testkit::readFile(server_.root() / "www" / "index.html"), "index.html");
    EXPECT_FALSE(fs::exists(server_.root() / "www" / "shop"));
    std::vector<int> values;
    for (const auto& move : moves)
        values.push_back(move.at(0).toInt());
    EXPECT_THAT(values, Contains(55));
    EXPECT_THAT(values, Contains(100));
    EXPECT_EQ(bar->minimum(), 1);
    EXPECT_EQ(bar->maximum(), 150);
    EXPECT_EQ(bar->value(), 1);
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_EQ(platform::controlText(dialog_, 1170), "secret");

    // A second upload in the same opening climbs from 1 to 146 of 1..150.
    moves.clear();
    platform::setNextAnswer(platform::MessageAnswer::Ok);
    QTest::mouseClick(control<QPushButton>(dialog_, 1), Qt::LeftButton);
    values.clear();
    for (const auto& move : moves)
        values.push_back(move.at(0).toInt());
    EXPECT_THAT(values, Contains(146));
    EXPECT_EQ(platform::shownMessages().size(), 2u);
}

TEST_F(UploadDialogTest, WhileAFileIsOnItsWayTheWindowPaintsTheBarAndTakesNoInput)
{
    // The server takes freq.html, the third file, only after 0.4 s: meanwhile the interface
    // thread runs, shows the bar at 5 + 2 x 10, and drops what the user types.
    auto* bar = control<QProgressBar>(dialog_, 1177);
    auto* server = control<QLineEdit>(dialog_, 1168);
    std::vector<int> seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        seen.push_back(bar->value());
        QTest::keyClick(server, Qt::Key_X);
    });
    watch.start(50);
    platform::setNextAnswer(platform::MessageAnswer::Ok);
    QTest::mouseClick(control<QPushButton>(dialog_, 1), Qt::LeftButton);
    watch.stop();

    EXPECT_GE(std::count(seen.begin(), seen.end(), 25), 3) << "the bar stood at 25 while freq.html waited";
    EXPECT_EQ(platform::controlText(dialog_, 1168), "ftp.example.test") << "typing was excluded";
    ASSERT_EQ(platform::shownMessages().size(), 1u);
    EXPECT_EQ(platform::shownMessages()[0].text, "Upload Successful");
}

TEST_F(UploadDialogTest, AWrongPasswordShowsTheCongestionBoxAndLeavesTheBar)
{
    control<QLineEdit>(dialog_, 1170)->clear();
    type(1170, "wrong");
    platform::setNextAnswer(platform::MessageAnswer::Ok);
    QTest::keyClick(control<QLineEdit>(dialog_, 1168), Qt::Key_Return);
    ASSERT_EQ(platform::shownMessages().size(), 1u);
    EXPECT_EQ(platform::shownMessages()[0].text,
              "Internet Congestion! The site could not be contacted.  Please try again.");
    EXPECT_EQ(platform::shownMessages()[0].caption, "ERROR!");
    EXPECT_EQ(platform::shownMessages()[0].icon, platform::MessageIcon::None);
    EXPECT_EQ(control<QProgressBar>(dialog_, 1177)->value(), 0);
    EXPECT_TRUE(dialog_.isVisible());
}

// ---- Promotion Links ---------------------------------------------------------------------

constexpr Place promoteShown[] = {
    {1146, {38, 10, 50, 14}, "Google"},
    {1138, {93, 10, 150, 14}, nullptr},
    {1147, {38, 30, 50, 14}, "Alexa"},
    {1139, {93, 30, 150, 14}, nullptr},
    {1148, {38, 50, 50, 14}, "Promotion/Seo"},
    {1145, {93, 50, 150, 14}, nullptr},
    {1149, {38, 70, 50, 14}, "Email optimize"},
    {1141, {93, 70, 150, 14}, nullptr},
    {1150, {38, 90, 50, 14}, "Site submitter"},
    {1142, {93, 90, 150, 14}, nullptr},
    {2, {38, 114, 205, 16}, "Close"},
};

constexpr int kCheckBoxes[] = {1152, 1153, 1154, 1155, 1156, 1157, 1158, 1159, 1161, 1179};

TEST_F(DialogTest, PromotionLinksShowsFiveAddressesAndHidesATickedSubmissionPanel)
{
    CPromoteDlg dialog;
    show(dialog);
    const platform::DialogUnits units(platform::dialogFont());
    EXPECT_EQ(dialog.windowTitle(), "Promotion Links");
    EXPECT_EQ(dialog.size(), units.toPixels(281, 142));
    expectPlaces(dialog, promoteShown, true);
    const int addressEdits[] = {1138, 1139, 1145, 1141, 1142};
    for (std::size_t i = 0; i < std::size(addressEdits); ++i)
        EXPECT_EQ(platform::controlText(dialog, addressEdits[i]), promotionEndpoints.shownAddresses[i]);
    EXPECT_TRUE(control<QLineEdit>(dialog, 1138)->hasFocus());

    for (const int id : {1140, 1151, 1143, 1144, 1163, 1})
        EXPECT_FALSE(control<QWidget>(dialog, id)->isVisible()) << id;
    EXPECT_EQ(platform::controlText(dialog, 1140), "http://");
    EXPECT_EQ(platform::controlText(dialog, 1143), "");
    EXPECT_EQ(platform::controlText(dialog, 1144), "");
    EXPECT_EQ(platform::controlText(dialog, 1), "Submit My Site Now");
    EXPECT_TRUE(control<QPushButton>(dialog, 1)->isDefault());
    for (const int id : kCheckBoxes) {
        EXPECT_TRUE(platform::isChecked(dialog, id)) << id;
        EXPECT_FALSE(control<QWidget>(dialog, id)->isVisible()) << id;
    }
    const auto* group = dialog.findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), "Submit To");
    EXPECT_FALSE(group->isVisible());
    auto* bar = control<QProgressBar>(dialog, 1163);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(DialogTest, PromotionLinksClosesByCloseEscapeAndTheCloseBox)
{
    expectEveryCloseEndsExec<CPromoteDlg>(2);
}

class PromoteDialogTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        net::settings().addConnectTo(":80:127.0.0.1:" + std::to_string(server_.port()));
        show(dialog_);
    }

    testkit::HttpTestServer server_{
        [](const testkit::RecordedRequest&) { return testkit::Answer::reply(testkit::httpReply(200, "OK", "")); }};
    testkit::TempDir work_;
    testkit::ScopedCurrentDir inWork_{work_.path()};
    CPromoteDlg dialog_;
};

TEST_F(PromoteDialogTest, EnterInAnEditSubmitsWritesTheReportAndOpensIt)
{
    auto* bar = control<QProgressBar>(dialog_, 1163);
    QSignalSpy moves(bar, &QProgressBar::valueChanged);
    QTest::keyClick(control<QLineEdit>(dialog_, 1141), Qt::Key_Return);

    EXPECT_EQ(server_.requests().size(), 17u);
    EXPECT_THAT(opened_, ElementsAre("result.html"));
    EXPECT_TRUE(testkit::readFile(work_.path() / "result.html").ends_with("</table></div></body></html>"));
    std::vector<int> values;
    for (const auto& move : moves)
        values.push_back(move.at(0).toInt());
    EXPECT_THAT(values, Contains(25));
    EXPECT_EQ(bar->maximum(), 30);
    EXPECT_EQ(bar->value(), 1);
    EXPECT_THAT(platform::shownMessages(), IsEmpty());
    EXPECT_TRUE(dialog_.isVisible());
}

TEST_F(PromoteDialogTest, AnInternetFailureShowsTheStopBoxAndOpensNothing)
{
    testkit::RefusingPort refusing;
    net::settings().clearConnectTo();
    net::settings().addConnectTo(":80:127.0.0.1:" + std::to_string(refusing.port()));
    platform::setNextAnswer(platform::MessageAnswer::Ok);
    QTest::keyClick(control<QLineEdit>(dialog_, 1138), Qt::Key_Enter, Qt::KeypadModifier);

    ASSERT_EQ(platform::shownMessages().size(), 1u);
    EXPECT_EQ(platform::shownMessages()[0].text, "Couldn't connect to server");
    EXPECT_EQ(platform::shownMessages()[0].icon, platform::MessageIcon::Stop);
    EXPECT_THAT(opened_, IsEmpty());
    EXPECT_EQ(testkit::readFile(work_.path() / "result.html").find("<tr><td width=50%>Award"), std::string::npos);
    EXPECT_EQ(control<QProgressBar>(dialog_, 1163)->value(), 5);
    EXPECT_TRUE(dialog_.isVisible());
}

} // namespace
} // namespace velmora
