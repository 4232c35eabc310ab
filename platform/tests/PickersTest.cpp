#include "platform/Pickers.h"

#include "platform/tests/ModalDriver.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QPushButton>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

struct FontDialogState {
    QString family;
    int colorIndex = -1;
    int colorCount = 0;
};

// Notes what the font dialog shows when it opens, then picks `family` in standard colour
// `color` and presses OK, or cancels when family is empty.
std::shared_ptr<bool> answerFontDialog(FontDialogState& seen, QString family, int color)
{
    return test::whenModal([&seen, family, color](QWidget& modal) {
        auto* dialog = qobject_cast<QFontDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->testOption(QFontDialog::DontUseNativeDialog));
        auto* colors = dialog->findChild<QComboBox*>(QStringLiteral("fontColor"));
        ASSERT_NE(colors, nullptr);
        EXPECT_TRUE(colors->isVisible());
        seen = {dialog->currentFont().family(), colors->currentIndex(), colors->count()};
        if (family.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->setCurrentFont(QFont(family));
        colors->setCurrentIndex(color);
        dialog->accept();
    });
}

TEST(Pickers, FontAndColourComeFromOneDialogThatForgetsThePreviousChoice)
{
    FontDialogState first, second, third;
    auto shown = answerFontDialog(first, QStringLiteral("DejaVu Serif"), 9);  // Red
    const std::optional<FontAnswer> picked = pickFontAndColor(nullptr);
    ASSERT_TRUE(*shown);
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->faceName, "DejaVu Serif");
    EXPECT_EQ(picked->bgr, 0x0000FFu);
    EXPECT_EQ(first.colorIndex, 0);  // black
    EXPECT_EQ(first.colorCount, 16);
    EXPECT_NE(first.family, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(first.family, QFontInfo(first.family).family()) << "not a real family";

    shown = answerFontDialog(second, {}, 0);
    EXPECT_FALSE(pickFontAndColor(nullptr));
    ASSERT_TRUE(*shown);
    EXPECT_EQ(second.family, first.family);  // not the previous choice
    EXPECT_EQ(second.colorIndex, 0);

    shown = answerFontDialog(third, QStringLiteral("DejaVu Sans Mono"), 12);  // Blue
    const std::optional<FontAnswer> blue = pickFontAndColor(nullptr);
    ASSERT_TRUE(*shown && blue);
    EXPECT_EQ(blue->faceName, "DejaVu Sans Mono");
    EXPECT_EQ(blue->bgr, 0xFF0000u);
}

TEST(Pickers, ColourDialogStartsBlackAndKeepsCustomColoursForTheRunOnly)
{
    // Colours another run of Qt left behind are not this run's custom colours.
    QColorDialog::setCustomColor(0, Qt::green);

    QColor initial, firstCustom;
    auto shown = test::whenModal([&](QWidget& modal) {
        auto* dialog = qobject_cast<QColorDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->testOption(QColorDialog::DontUseNativeDialog));
        initial = dialog->currentColor();
        firstCustom = QColorDialog::customColor(0);
        // The user defines a custom colour, then picks another colour.
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        QPushButton* add = nullptr;
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            if (button->text().contains(QStringLiteral("Custom")))
                add = button;
        ASSERT_NE(add, nullptr);
        add->click();
        dialog->setCurrentColor(QColor(0xFF, 0x80, 0x00));
        dialog->accept();
    });
    const std::optional<std::uint32_t> picked = pickColor(nullptr);
    ASSERT_TRUE(*shown);
    ASSERT_TRUE(picked);
    EXPECT_EQ(*picked, 0x0080FFu);
    EXPECT_EQ(initial, QColor(Qt::black));
    EXPECT_EQ(firstCustom, QColor(Qt::white));

    // A later colour dialog, cancelled, still offers the custom colour.
    QColor kept;
    shown = test::whenModal([&](QWidget& modal) {
        kept = QColorDialog::customColor(0);
        qobject_cast<QDialog*>(&modal)->reject();
    });
    EXPECT_FALSE(pickColor(nullptr));
    ASSERT_TRUE(*shown);
    EXPECT_EQ(kept, QColor(0x12, 0x34, 0x56));
}

} // namespace
} // namespace velmora::platform
