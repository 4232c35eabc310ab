#include "platform/MessageBox.h"

#include "platform/tests/ModalDriver.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

class MessageBoxTest : public testing::Test {
protected:
    void SetUp() override { clearMessageSeam(); }
    void TearDown() override { clearMessageSeam(); }
};

TEST_F(MessageBoxTest, SeamAnswersTheNextBoxOnlyAndRecordsEveryBox)
{
    setNextAnswer(MessageAnswer::No);
    EXPECT_EQ(showMessage(nullptr, "Replace it?", "Save Profile", MessageIcon::Question,
                          MessageButtons::YesNo),
              MessageAnswer::No);
    setNextAnswer(MessageAnswer::Ok);
    EXPECT_EQ(showMessage(nullptr, "caf\xE9"), MessageAnswer::Ok);
    ASSERT_EQ(shownMessages().size(), 2u);
    EXPECT_EQ(shownMessages()[0].text, "Replace it?");
    EXPECT_EQ(shownMessages()[0].caption, "Save Profile");
    EXPECT_EQ(shownMessages()[0].icon, MessageIcon::Question);
    EXPECT_EQ(shownMessages()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(shownMessages()[1].caption, "platform_tests");  // the program file's name
    EXPECT_EQ(shownMessages()[1].icon, MessageIcon::None);

    // The seam is used up: the third box is really shown.
    auto seen = test::whenModal([](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(showMessage(nullptr, "third"), MessageAnswer::Ok);
    EXPECT_TRUE(*seen);
}

TEST_F(MessageBoxTest, RealBoxShowsTextCaptionIconAndButtons)
{
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons standard;
    auto seen = test::whenModal([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        standard = box->standardButtons();
        box->button(QMessageBox::Yes)->click();
    });
    const MessageAnswer answer = showMessage(nullptr, "Price \x80 5\r\n<b>not bold</b>", {},
                                             MessageIcon::Stop, MessageButtons::YesNoCancel);
    ASSERT_TRUE(*seen);
    EXPECT_EQ(answer, MessageAnswer::Yes);
    EXPECT_EQ(text, QString::fromUtf8("Price \u20AC 5\n<b>not bold</b>"));
    EXPECT_EQ(title, "platform_tests");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(standard, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
}

TEST_F(MessageBoxTest, EscapeAnswersCancelOrTheBoxsOnlyWayOut)
{
    struct Case {
        MessageButtons buttons;
        MessageAnswer answer;
    };
    for (Case c : {Case{MessageButtons::Ok, MessageAnswer::Ok},
                   Case{MessageButtons::OkCancel, MessageAnswer::Cancel},
                   Case{MessageButtons::YesNo, MessageAnswer::No},
                   Case{MessageButtons::YesNoCancel, MessageAnswer::Cancel}}) {
        auto seen = test::whenModal([](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
        EXPECT_EQ(showMessage(nullptr, "Escape", "Box", MessageIcon::Warning, c.buttons), c.answer)
            << static_cast<int>(c.buttons);
        EXPECT_TRUE(*seen);
    }
}

} // namespace
} // namespace velmora::platform
