#include "platform/DialogBuilder.h"

#include "platform/DialogUnits.h"
#include "platform/Edits.h"
#include "platform/ListView.h"
#include "platform/TabControl.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace velmora::platform {
namespace {

constexpr ControlSpec sampleControls[] = {
    {1000, ControlKind::TabControl, {7, 7, 350, 225}, ""},
    {1, ControlKind::PushButton, {368, 7, 50, 14}, "CREATE", DefaultButton},
    {2, ControlKind::PushButton, {368, 24, 50, 14}, "EXIT"},
    {1093, ControlKind::GroupBox, {24, 77, 312, 99}, "Special Features"},
    {1001, ControlKind::Label, {36, 37, 58, 13}, "Company Name"},
    {1005, ControlKind::Edit, {99, 37, 163, 13}, ""},
    {1092, ControlKind::Edit, {99, 52, 163, 12}, "", MultiLine | EnterNotTaken},
    {1008, ControlKind::Edit, {99, 125, 163, 63}, "", MultiLine | VScroll},
    {1095, ControlKind::Edit, {36, 87, 144, 26}, "", MultiLine},
    {1130, ControlKind::Edit, {280, 190, 63, 14}, "", NoHScroll},
    {1190, ControlKind::Edit, {200, 220, 100, 14}, "", Password},
    {1063, ControlKind::CheckBox, {99, 70, 37, 8}, "Bold"},
    {1119, ControlKind::Text, {212, 87, 124, 25}, "Choose \x93one\x94", Centered},
    {1200, ControlKind::Picture, {14, 27, 20, 20}, ""},
    {1118, ControlKind::ListView, {24, 177, 169, 40}, "Custom Templates"},
    {1197, ControlKind::ProgressBar, {24, 218, 169, 8}, "", Hidden},
};
constexpr DialogTemplate sampleTemplate{102, "Sample \xA9 Dialog", 425, 239, sampleControls};

class DialogBuilderTest : public testing::Test {
protected:
    void SetUp() override
    {
        buildDialog(dialog, sampleTemplate);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    template <class W>
    W& get(int id)
    {
        W* widget = control<W>(dialog, id);
        if (!widget)
            throw std::runtime_error("no control " + std::to_string(id));
        return *widget;
    }
    QDialog dialog;
};

TEST_F(DialogBuilderTest, EveryControlSitsAtItsConvertedRectangleNamedByItsId)
{
    const DialogUnits units(dialogFont());
    EXPECT_EQ(dialog.size(), units.toPixels(425, 239));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Sample \u00A9 Dialog"));
    for (const ControlSpec& spec : sampleControls) {
        QWidget* widget = control<QWidget>(dialog, spec.id);
        ASSERT_NE(widget, nullptr) << spec.id;
        EXPECT_EQ(widget->parentWidget(), &dialog) << spec.id;
        EXPECT_EQ(widget->geometry(), units.toPixels(spec.rect)) << spec.id;
        EXPECT_EQ(widget->font(), dialogFont()) << spec.id;
        EXPECT_EQ(widget->isVisible(), (spec.style & Hidden) == 0) << spec.id;
    }
    EXPECT_NE(control<TabControl>(dialog, 1000), nullptr);
    EXPECT_NE(control<QGroupBox>(dialog, 1093), nullptr);
    EXPECT_NE(control<QCheckBox>(dialog, 1063), nullptr);
    EXPECT_NE(control<QLabel>(dialog, 1200), nullptr);
    EXPECT_NE(control<StyleList>(dialog, 1118), nullptr);
    EXPECT_NE(control<QProgressBar>(dialog, 1197), nullptr);
    EXPECT_NE(control<QLineEdit>(dialog, 1005), nullptr);
    EXPECT_NE(control<QPlainTextEdit>(dialog, 1008), nullptr);
    EXPECT_EQ(control<QLineEdit>(dialog, 1008), nullptr);
    EXPECT_EQ(control<QWidget>(dialog, 4242), nullptr);
    EXPECT_TRUE(get<QPushButton>(1).isDefault());
    EXPECT_FALSE(get<QPushButton>(2).isDefault());
    EXPECT_EQ(get<QLabel>(1119).text(), QString::fromUtf8("Choose \u201Cone\u201D"));
    EXPECT_EQ(get<QLabel>(1119).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(get<QLabel>(1001).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(get<QPlainTextEdit>(1008).verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(get<QPlainTextEdit>(1095).horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(DialogBuilderTest, ControlsLaidOverGroupBoxesAndTabControlsShowAndTakeClicks)
{
    QWidget& edit = get<QWidget>(1095);  // inside group box 1093, on the tab control's frame
    QWidget* hit = dialog.childAt(edit.geometry().center());
    ASSERT_NE(hit, nullptr);
    EXPECT_TRUE(hit == &edit || edit.isAncestorOf(hit)) << hit->metaObject()->className();
    const QRect box = get<QGroupBox>(1093).geometry();
    EXPECT_EQ(dialog.childAt(box.topLeft() + QPoint(2, box.height() - 3)), &get<QGroupBox>(1093));
}

TEST_F(DialogBuilderTest, EnterInABoxThatDoesNotTakeItPressesTheDefaultButton)
{
    QSignalSpy create(&get<QPushButton>(1), &QPushButton::clicked);
    auto& subheading = get<QPlainTextEdit>(1092);
    subheading.setFocus();
    QTest::keyClicks(&subheading, "Fresh");
    QTest::keyClick(&subheading, Qt::Key_Return);
    EXPECT_EQ(create.count(), 1);
    QTest::keyClick(&subheading, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(create.count(), 2);
    EXPECT_EQ(controlText(dialog, 1092), "Fresh");
    QTest::keyClick(&subheading, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(&subheading, "daily");
    EXPECT_EQ(create.count(), 2);
    EXPECT_EQ(controlText(dialog, 1092), "Fresh\r\ndaily");

    // A single-line edit leaves Enter to the dialog too; an ordinary multi-line box keeps it.
    get<QLineEdit>(1005).setFocus();
    QTest::keyClick(&get<QLineEdit>(1005), Qt::Key_Return);
    EXPECT_EQ(create.count(), 3);
    auto& body = get<QPlainTextEdit>(1008);
    body.setFocus();
    QTest::keyClicks(&body, "one");
    QTest::keyClick(&body, Qt::Key_Return);
    QTest::keyClicks(&body, "two");
    EXPECT_EQ(create.count(), 3);
    EXPECT_EQ(controlText(dialog, 1008), "one\r\ntwo");
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(DialogBuilderTest, PasswordBoxMasksWhatIsTyped)
{
    auto& password = get<QLineEdit>(1190);
    password.setFocus();
    QTest::keyClicks(&password, "s3cret");
    EXPECT_EQ(password.echoMode(), QLineEdit::Password);
    EXPECT_EQ(controlText(dialog, 1190), "s3cret");
    EXPECT_FALSE(password.displayText().contains(QStringLiteral("s3cret")));
    EXPECT_EQ(password.displayText().size(), 6);
}

TEST_F(DialogBuilderTest, BoxWithoutSidewaysScrollingTakesNoMoreThanFits)
{
    auto& description = get<FittingLineEdit>(1130);
    description.setFocus();
    const QString typed(200, QLatin1Char('W'));
    QTest::keyClicks(&description, typed);
    const QString kept = description.text();
    EXPECT_GT(kept.size(), 3);
    EXPECT_LT(kept.size(), typed.size());
    EXPECT_TRUE(description.fits(kept));
    EXPECT_FALSE(description.fits(kept + QLatin1Char('W')));
    // What the program puts there (a loaded profile) is never cut.
    setControlText(dialog, 1130, std::string(200, 'W'));
    EXPECT_EQ(controlText(dialog, 1130), std::string(200, 'W'));
}

TEST_F(DialogBuilderTest, StaticControlsTakeFocusWhenGivenButTabSkipsThem)
{
    get<QLabel>(1001).setFocus();
    EXPECT_TRUE(get<QLabel>(1001).hasFocus());
    get<QLabel>(1200).setFocus();
    EXPECT_TRUE(get<QLabel>(1200).hasFocus());

    const std::array order{1, 2, 1005, 1092, 1063, 1008, 1095, 1130, 1190, 1118};
    setTabOrder(dialog, order);
    get<QPushButton>(1).setFocus();
    for (int id : {2, 1005, 1092, 1063, 1008, 1095, 1130, 1190, 1118, 1}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), &get<QWidget>(id)) << id;
    }
    // From a static text that has the focus, Tab goes on to the next control of the order that
    // follows it in the table, as from the control it labels.
    get<QLabel>(1001).setFocus();
    QTest::keyClick(&get<QLabel>(1001), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &get<QWidget>(1005));
    get<QLabel>(1200).setFocus();
    QTest::keyClick(&get<QLabel>(1200), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &get<QWidget>(1118));
    EXPECT_THROW(setTabOrder(dialog, std::array{1, 4242}), std::invalid_argument);
}

TEST_F(DialogBuilderTest, TextsAndChecksCrossAsWindows1252)
{
    setControlText(dialog, 1095, "caf\xE9\r\nbar");
    EXPECT_EQ(get<QPlainTextEdit>(1095).toPlainText(), QString::fromUtf8("caf\u00E9\nbar"));
    EXPECT_EQ(controlText(dialog, 1095), "caf\xE9\r\nbar");
    const std::string everyByte = [] {
        std::string bytes;
        for (int byte = 1; byte < 256; ++byte)
            if (byte != '\r' && byte != '\n')
                bytes += static_cast<char>(byte);
        return bytes + "\r\nlast line\r\n";
    }();
    for (int id : {1095, 1005}) {
        setControlText(dialog, id, everyByte);
        EXPECT_EQ(controlText(dialog, id), everyByte) << id;
    }
    EXPECT_EQ(controlText(dialog, 1063), "Bold");
    EXPECT_FALSE(isChecked(dialog, 1063));
    setChecked(dialog, 1063, true);
    EXPECT_TRUE(get<QCheckBox>(1063).isChecked());
    EXPECT_THROW(isChecked(dialog, 1005), std::invalid_argument);
    EXPECT_THROW(controlText(dialog, 4242), std::invalid_argument);
    EXPECT_THROW(setControlText(dialog, 1197, "x"), std::invalid_argument);
}

TEST_F(DialogBuilderTest, TabControlReportsOnlyTheUsersChanges)
{
    auto& tabs = get<TabControl>(1000);
    QSignalSpy changed(&tabs, &TabControl::selectionChanged);
    for (const char* caption : {"Welcome", "Anatomy", "Styles"})
        tabs.addTab(QString::fromLatin1(caption));
    EXPECT_EQ(tabs.currentIndex(), 0);
    tabs.selectQuietly(1);
    EXPECT_EQ(tabs.currentIndex(), 1);
    EXPECT_EQ(changed.count(), 0);
    QTabBar& bar = *tabs.tabBar();
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.tabRect(2).center());
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 2);
    EXPECT_EQ(bar.focusPolicy(), Qt::NoFocus);

    // The strip is on top and the frame fills the rest, drawn in a colour of its own.
    const QRect frame = tabs.frameRect();
    EXPECT_GE(frame.top(), bar.height() - 4);
    EXPECT_EQ(frame.bottom(), tabs.height() - 1);
    const QImage image = tabs.grab().toImage();
    const QColor inside = image.pixelColor(tabs.width() / 2, tabs.height() / 2);
    int edgePixels = 0;
    for (int y = frame.top() + 10; y < frame.bottom() - 10; ++y)
        if (image.pixelColor(frame.left(), y) != inside)
            ++edgePixels;
    EXPECT_GT(edgePixels, frame.height() / 2) << "no frame line on the left";
}

TEST(DialogBuilder, PictureShowsAtItsActualSize)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string file = folder.filePath("sample.png").toStdString();
    QPixmap sample(120, 104);
    sample.fill(Qt::darkCyan);
    ASSERT_TRUE(sample.save(QString::fromStdString(file)));
    const ControlSpec controls[] = {
        {1102, ControlKind::Picture, {180, 47, 156, 87}, "", 0, file},
    };
    QDialog dialog;
    buildDialog(dialog, DialogTemplate{102, "Picture", 425, 239, controls});
    auto* picture = control<QLabel>(dialog, 1102);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixmap().size(), QSize(120, 104));
    EXPECT_FALSE(picture->hasScaledContents());
    EXPECT_EQ(picture->geometry(), DialogUnits(dialogFont()).toPixels(DluRect{180, 47, 156, 87}));
}

constexpr ControlSpec focusControls[] = {
    {1001, ControlKind::Label, {10, 10, 50, 13}, "Company Name"},
    {1005, ControlKind::Edit, {70, 10, 100, 13}, ""},
    {1, ControlKind::PushButton, {70, 30, 50, 14}, "CREATE", DefaultButton},
    {1198, ControlKind::Picture, {10, 50, 20, 20}, ""},
};

TEST(DialogBuilder, TabFromAFocusedPictureAtTheEndGoesBackToTheFirstControl)
{
    QDialog dialog;
    buildDialog(dialog, DialogTemplate{102, "Focus", 200, 80, focusControls});
    setTabOrder(dialog, std::array{1, 1005});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* picture = control<QLabel>(dialog, 1198);
    picture->setFocus();
    QTest::keyClick(picture, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(dialog, 1));
    auto* label = control<QLabel>(dialog, 1001);
    label->setFocus();
    QTest::keyClick(label, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(dialog, 1005));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(dialog, 1));
    label->setFocus();
    QTest::keyClick(label, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), control<QWidget>(dialog, 1));
}

constexpr ControlSpec tightControls[] = {
    {1000, ControlKind::TabControl, {7, 7, 350, 225}, ""},
    {1067, ControlKind::CheckBox, {219, 86, 43, 8}, "Underline"},
    {1069, ControlKind::Label, {36, 37, 58, 19}, "Company Description"},
};

TEST(DialogBuilder, CaptionsFitTheBoxesTheyWereLaidOutFor)
{
    QDialog dialog;
    buildDialog(dialog, DialogTemplate{102, "Tight", 425, 239, tightControls});
    auto& tabs = *control<TabControl>(dialog, 1000);
    for (const char* caption : {"Welcome", "Anatomy", "Styles", "Home", "Testimonials", "Pictures",
                                "Features", "FAQ", "About", "Order"})
        tabs.addTab(QString::fromLatin1(caption));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QTabBar& bar = *tabs.tabBar();
    EXPECT_LE(bar.tabRect(bar.count() - 1).right(), tabs.width()) << "the ten tabs do not fit";
    for (int i = 0; i < bar.count(); ++i)
        EXPECT_TRUE(tabs.rect().contains(bar.tabRect(i))) << i;

    auto& underline = *control<QCheckBox>(dialog, 1067);
    QStyleOptionButton option;
    option.initFrom(&underline);
    option.text = underline.text();
    const QRect captionRoom =
        underline.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &underline);
    EXPECT_GE(captionRoom.width(), underline.fontMetrics().horizontalAdvance(underline.text()));
    // A label two lines tall wraps its words.
    auto& label = *control<QLabel>(dialog, 1069);
    EXPECT_TRUE(label.wordWrap());
    EXPECT_LE(label.heightForWidth(label.width()), label.height());
}

} // namespace
} // namespace velmora::platform
