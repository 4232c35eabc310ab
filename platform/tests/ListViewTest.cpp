#include "platform/ListView.h"

#include <QDialog>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora::platform {
namespace {

// A strip of three 100-pixel slices in three colours, as the design previews are cut.
QPixmap threeSlices()
{
    QPixmap strip(300, 40);
    QPainter painter(&strip);
    painter.fillRect(0, 0, 100, 40, Qt::red);
    painter.fillRect(100, 0, 100, 40, Qt::green);
    painter.fillRect(200, 0, 100, 40, Qt::blue);
    return strip;
}

class StyleListTest : public testing::Test {
protected:
    void SetUp() override
    {
        dialog.resize(400, 300);
        list = new StyleList(&dialog);
        list->setGeometry(10, 10, 250, 200);
        list->setColumn(QStringLiteral("Custom Templates"), 200);
        list->setImageStrip(threeSlices(), 100);
        for (const char* letter : {"A", "B", "C"})
            list->addItem(QString::fromLatin1(letter));
        other = new QLineEdit(&dialog);
        other->setGeometry(10, 220, 100, 20);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    QPoint centreOf(int row) const
    {
        return list->visualItemRect(list->topLevelItem(row)).center();
    }
    QDialog dialog;
    StyleList* list = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(StyleListTest, ItemsShowTheirSliceOfTheStrip)
{
    EXPECT_EQ(list->headerItem()->text(0), "Custom Templates");
    EXPECT_EQ(list->columnWidth(0), 200);
    EXPECT_EQ(list->iconSize(), QSize(100, 40));
    const QColor expected[] = {Qt::red, Qt::green, Qt::blue};
    for (int row = 0; row < 3; ++row) {
        const QImage slice = list->topLevelItem(row)->icon(0).pixmap(100, 40).toImage();
        EXPECT_EQ(slice.size(), QSize(100, 40));
        EXPECT_EQ(slice.pixelColor(0, 0), expected[row]) << row;
        EXPECT_EQ(slice.pixelColor(99, 39), expected[row]) << row;
    }
}

TEST_F(StyleListTest, MouseClicksAreReportedAndKeyboardSelectionIsNot)
{
    QSignalSpy clicks(list, &StyleList::mouseClicked);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(2));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(list->selectedRows(), std::vector<int>{2});
    EXPECT_EQ(list->itemText(2), "C");

    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->selectedRows(), std::vector<int>{1});
    EXPECT_EQ(clicks.count(), 1);

    // A click on empty space clears the selection; it is still a click.
    const QPoint below(20, list->viewport()->height() - 3);
    ASSERT_FALSE(list->indexAt(below).isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_TRUE(list->selectedRows().empty());
}

TEST_F(StyleListTest, HighlightShowsOnlyWhileTheListHasTheFocus)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(0));
    list->setFocus();
    ASSERT_TRUE(list->hasFocus());
    auto textColumnPixel = [this] {
        const QRect rect = list->visualItemRect(list->topLevelItem(0));
        return list->viewport()->grab().toImage().pixelColor(rect.left() + 180, rect.center().y());
    };
    const QColor base = list->palette().color(QPalette::Base);
    EXPECT_NE(textColumnPixel(), base);

    other->setFocus();
    ASSERT_FALSE(list->hasFocus());
    EXPECT_EQ(list->selectedRows(), std::vector<int>{0});  // still selected, just not shown
    EXPECT_EQ(textColumnPixel(), base);
}

} // namespace
} // namespace velmora::platform
