#include "platform/FileDialog.h"

#include "platform/tests/ModalDriver.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace velmora::platform {
namespace {

class FileDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        clearFileDialogSeam();
        ASSERT_TRUE(folder.isValid());
    }
    void TearDown() override { clearFileDialogSeam(); }
    std::filesystem::path path(const char* name) const
    {
        return std::filesystem::path(folder.path().toStdString()) / name;
    }
    QTemporaryDir folder;
};

// Types a name into the dialog and presses its accept button, as a user does.
void chooseName(QWidget& modal, const QString& name, QString* directory = nullptr)
{
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    if (directory)
        *directory = dialog->directory().absolutePath();
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
    QTest::keyClick(edit, Qt::Key_Return);
}

TEST_F(FileDialogTest, SaveStartsInItsFolderAndAddsNoExtension)
{
    QString shownFolder;
    auto seen = test::whenModal([&](QWidget& modal) { chooseName(modal, "shop", &shownFolder); });
    const auto chosen = saveFileName(nullptr, {"Data Files (*.dat)", path(""), true});
    ASSERT_TRUE(*seen);
    EXPECT_EQ(shownFolder, folder.path());
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, path("shop"));
    ASSERT_EQ(shownFileDialogs().size(), 1u);
    EXPECT_TRUE(shownFileDialogs()[0].save);
}

TEST_F(FileDialogTest, ReplacingAFileIsConfirmedAndCancelGivesNothing)
{
    std::ofstream(path("old.dat")) << "kept";
    // Accepting a name that exists brings the question over the dialog; answering No (Escape)
    // goes back to the dialog, which the test then cancels.
    bool asked = false;
    auto seen = test::whenModal([&](QWidget& modal) {
        test::whenModal([&](QWidget& question) {
            asked = qobject_cast<QMessageBox*>(&question) != nullptr;
            QTest::keyClick(&question, Qt::Key_Escape);
        }, 150, [&modal](QWidget& other) { return &other != &modal; });
        chooseName(modal, "old.dat");
        EXPECT_TRUE(modal.isVisible());
        qobject_cast<QDialog*>(&modal)->reject();
    });
    const auto chosen = saveFileName(nullptr, {"Data Files (*.dat)", path(""), true});
    EXPECT_TRUE(*seen);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(chosen);
    std::ifstream old(path("old.dat"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "kept");
}

TEST_F(FileDialogTest, OpenReturnsTheChosenFileAndTheSeamAnswersWithoutShowing)
{
    std::ofstream(path("profile.dat")) << "x";
    auto seen = test::whenModal([](QWidget& modal) { chooseName(modal, "profile.dat"); });
    const auto chosen = openFileName(nullptr, {"Data Files (*.dat)", path(""), true});
    ASSERT_TRUE(*seen);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, path("profile.dat"));

    setNextFileAnswer(std::nullopt);
    EXPECT_FALSE(openFileName(nullptr, {}));
    setNextFileAnswer(path("any.dat"));
    EXPECT_EQ(saveFileName(nullptr, {"Data Files (*.dat)", path(""), false}), path("any.dat"));
    ASSERT_EQ(shownFileDialogs().size(), 3u);
    EXPECT_FALSE(shownFileDialogs()[1].save);
    EXPECT_EQ(shownFileDialogs()[2].options.filter, "Data Files (*.dat)");
    EXPECT_FALSE(shownFileDialogs()[2].options.confirmOverwrite);
}

} // namespace
} // namespace velmora::platform
