// The main of the widget tests: one QApplication for the whole test program. CTest sets the
// offscreen platform and a private runtime folder; a test program started by hand (or by the
// test discovery) gets the same defaults.
#include "platform/Application.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    velmora::platform::ensurePrivateRuntimeDir();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
