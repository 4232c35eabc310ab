#include "platform/BusyWork.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace velmora::platform {
namespace {

using namespace std::chrono_literals;

class BusyWorkTest : public testing::Test {
protected:
    void SetUp() override
    {
        dialog.resize(200, 100);
        button = new QPushButton(QStringLiteral("CREATE"), &dialog);
        button->setGeometry(10, 10, 100, 30);
        bar = new QProgressBar(&dialog);
        bar->setGeometry(10, 50, 150, 20);
        bar->setRange(0, 3);
        bar->setValue(0);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    QDialog dialog;
    QPushButton* button = nullptr;
    QProgressBar* bar = nullptr;
};

TEST_F(BusyWorkTest, WindowKeepsPaintingAndTakesNoInputWhileTheWorkRuns)
{
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    int paints = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                ++count;
            return false;
        }
    } counter(paints);
    button->installEventFilter(&counter);

    QSignalSpy clicked(button, &QPushButton::clicked);
    bool closeRefused = false;
    // While the work sleeps, the user clicks the button, presses a key and tries to close.
    QTimer::singleShot(60, [&] {
        QTest::mouseClick(button, Qt::LeftButton);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        closeRefused = !dialog.close();
        button->update();
    });
    std::thread::id workThread;
    Qt::CursorShape cursorDuringWork = Qt::ArrowCursor;
    QTimer::singleShot(30, [&] {
        if (const QCursor* cursor = QApplication::overrideCursor())
            cursorDuringWork = cursor->shape();
    });
    {
        BusyCursor busy;
        runBlockingWork([&] {
            workThread = std::this_thread::get_id();
            std::this_thread::sleep_for(400ms);
        });
    }
    timer.stop();
    EXPECT_EQ(cursorDuringWork, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    EXPECT_NE(workThread, std::this_thread::get_id());
    EXPECT_GE(ticks, 10) << "the user-interface thread stopped";
    EXPECT_GE(paints, 1) << "the window did not repaint";
    EXPECT_EQ(clicked.count(), 0) << "a click got through";
    EXPECT_TRUE(closeRefused);
    EXPECT_TRUE(dialog.isVisible());

    // Afterwards input works again, and nothing held back arrives late.
    QCoreApplication::processEvents();
    EXPECT_EQ(clicked.count(), 0);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(BusyWorkTest, StepsPostedByTheWorkRunOnTheInterfaceThreadBeforeItReturns)
{
    std::vector<int> seenValues;
    const auto uiThread = std::this_thread::get_id();
    bool stepsOnUiThread = true;
    runBlockingWork([&] {
        for (int file = 1; file <= 3; ++file) {
            std::this_thread::sleep_for(20ms);
            postToUi([&, file] {
                stepsOnUiThread = stepsOnUiThread && std::this_thread::get_id() == uiThread;
                bar->setValue(file);
                seenValues.push_back(bar->value());
            });
        }
    });
    EXPECT_EQ(seenValues, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(stepsOnUiThread);
    EXPECT_EQ(bar->value(), 3);
}

TEST_F(BusyWorkTest, ExceptionsCrossBackToTheInterfaceThread)
{
    try {
        runBlockingWork([] { throw std::runtime_error("Cannot connect to www.example.com"); });
        ADD_FAILURE() << "nothing thrown";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Cannot connect to www.example.com");
    }
    EXPECT_THROW(runBlockingWork([] { throw 7; }), int);
    // A failing step is rethrown once the work ends; the work's own error comes first.
    EXPECT_THROW(runBlockingWork([] { postToUi([] { throw std::logic_error("step"); }); }),
                 std::logic_error);
    EXPECT_THROW(runBlockingWork([] {
                     postToUi([] { throw std::logic_error("step"); });
                     std::this_thread::sleep_for(30ms);
                     throw std::range_error("work");
                 }),
                 std::range_error);
    // Input is back after a failure.
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    // And a later run starts clean.
    EXPECT_NO_THROW(runBlockingWork([] {}));
}

} // namespace
} // namespace velmora::platform
