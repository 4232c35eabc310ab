#include "platform/Commands.h"

#include "platform/DialogBuilder.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace velmora::platform {
namespace {

class CommandsTest : public testing::Test {
protected:
    void SetUp() override { clearMessageSeam(); }
    void TearDown() override { clearMessageSeam(); }
};

struct NoDescription : std::exception {
    const char* what() const noexcept override { return ""; }
};

TEST_F(CommandsTest, AnEscapingErrorEndsTheCommandWithAStopBox)
{
    struct Case {
        std::function<void()> command;
        std::string text;
    };
    const Case cases[] = {
        {[] { throw std::runtime_error("Cannot save /tmp/x.dat: Permission denied"); },
         "Cannot save /tmp/x.dat: Permission denied"},
        {[] { throw 42; }, "Internal application error."},
        {[] { throw NoDescription(); }, "Internal application error."},
        // A system message or file name in UTF-8 reaches the box as the same characters.
        {[] { throw std::runtime_error("Cannot open caf\xC3\xA9.dat"); }, "Cannot open caf\xE9.dat"},
        // Our own texts are Windows-1252 already.
        {[] { throw std::runtime_error("caf\xE9"); }, "caf\xE9"},
    };
    for (const Case& c : cases) {
        clearMessageSeam();
        setNextAnswer(MessageAnswer::Ok);
        bool after = false;
        runCommand(nullptr, [&] {
            c.command();
            after = true;
        });
        EXPECT_FALSE(after);
        ASSERT_EQ(shownMessages().size(), 1u) << c.text;
        EXPECT_EQ(shownMessages()[0].text, c.text);
        EXPECT_EQ(shownMessages()[0].icon, MessageIcon::Stop);
        EXPECT_EQ(shownMessages()[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(shownMessages()[0].caption, "platform_tests");
    }
    bool ran = false;
    runCommand(nullptr, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(shownMessages().size(), 1u);
}

constexpr ControlSpec buttons[] = {
    {1, ControlKind::PushButton, {10, 10, 50, 14}, "CREATE", DefaultButton},
    {1001, ControlKind::Label, {10, 30, 50, 14}, "Label"},
};

TEST_F(CommandsTest, ClicksRunThroughTheDispatchAndTheWindowStaysUsable)
{
    QDialog dialog;
    buildDialog(dialog, DialogTemplate{102, "Dispatch", 100, 60, buttons});
    dialog.show();
    int runs = 0;
    onClicked(dialog, 1, [&] {
        ++runs;
        throw std::runtime_error("Profile ends early");
    });
    for (int click = 1; click <= 2; ++click) {
        setNextAnswer(MessageAnswer::Ok);
        QTest::mouseClick(control<QPushButton>(dialog, 1), Qt::LeftButton);
        EXPECT_EQ(runs, click);
        ASSERT_EQ(shownMessages().size(), static_cast<std::size_t>(click));
        EXPECT_EQ(shownMessages().back().text, "Profile ends early");
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_THROW(onClicked(dialog, 1001, [] {}), std::invalid_argument);
    EXPECT_THROW(onClicked(dialog, 4242, [] {}), std::invalid_argument);
}

TEST(Shell, FilesBecomeFileAddressesAndAddressesStay)
{
    EXPECT_EQ(shellUrl("http://www.example.com/a?b=c"), QUrl("http://www.example.com/a?b=c"));
    EXPECT_EQ(shellUrl("https://secure.example.org/"), QUrl("https://secure.example.org/"));
    EXPECT_EQ(shellUrl("mailto:shop@example.com"), QUrl("mailto:shop@example.com"));
    EXPECT_EQ(shellUrl("www.example.com"), QUrl("http://www.example.com"));
    EXPECT_EQ(shellUrl("/home/u/VelmoraP/index.html"),
              QUrl::fromLocalFile("/home/u/VelmoraP/index.html"));
    EXPECT_EQ(shellUrl("/tmp/a b#1.html").toString(), "file:///tmp/a b%231.html");
    EXPECT_TRUE(shellUrl("result.html").isLocalFile());
    EXPECT_TRUE(QDir::isAbsolutePath(shellUrl("result.html").toLocalFile()));

    std::vector<std::string> opened;
    setShellOpenRecorder([&](const std::string& what) { opened.push_back(what); });
    shellOpen("/home/u/VelmoraP/index.html");
    shellOpen("http://www.example.com");
    setShellOpenRecorder({});
    EXPECT_EQ(opened, (std::vector<std::string>{"/home/u/VelmoraP/index.html", "http://www.example.com"}));
}

} // namespace
} // namespace velmora::platform
