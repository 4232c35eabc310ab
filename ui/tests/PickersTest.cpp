// The pickers: font and colour buttons, colour buttons, the two style lists and Browse.

#include "WizardTestSupport.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QTabBar>
#include <QTreeWidget>

using namespace velmora;
using uitest::NextModal;
using uitest::Wizard;

namespace {

// Clicks the list item whose text is `letter`.
void clickItem(QTreeWidget* list, const QString& letter)
{
    QTreeWidgetItem* item = list->findItems(letter, Qt::MatchExactly).value(0);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// Types a file name into an open file dialog and confirms it.
void chooseFile(QDialog& dialog, const std::filesystem::path& file)
{
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    QVERIFY(name);
    name->setText(QString::fromStdString(file.string()));
    QTest::keyClick(name, Qt::Key_Return);
}

} // namespace

class PickersTest : public QObject {
    Q_OBJECT

private slots:
    // Face and colour come from one dialog; cancel keeps them; a second opening forgets.
    void fontButtonsSetFaceAndColour_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("field");
        QTest::newRow("Home") << 3 << 1010 << 0;
        QTest::newRow("Testimonials") << 4 << 1021 << 1;
        QTest::newRow("Features") << 6 << 1036 << 2;
        QTest::newRow("FAQ") << 7 << 1136 << 3;
        QTest::newRow("About") << 8 << 1081 << 4;
        QTest::newRow("Order") << 9 << 1135 << 5;
    }
    void fontButtonsSetFaceAndColour()
    {
        QFETCH(int, page);
        QFETCH(int, button);
        QFETCH(int, field);
        TextStyle SiteProfile::*const styles[] = {&SiteProfile::homeBodyStyle, &SiteProfile::testimonialsStyle,
                                                  &SiteProfile::featuresStyle, &SiteProfile::faqStyle,
                                                  &SiteProfile::aboutStyle,    &SiteProfile::orderStyle};
        Wizard wizard;
        wizard.clickTab(page);
        NextModal pick([](QDialog& dialog) {
            auto* fonts = qobject_cast<QFontDialog*>(&dialog);
            QVERIFY(fonts);
            fonts->setCurrentFont(QFont("Liberation Serif", 14));
            auto* colour = dialog.findChild<QComboBox*>("fontColor");
            QVERIFY(colour);
            QCOMPARE(colour->currentIndex(), 0);
            colour->setCurrentIndex(colour->findText("Red"));
            dialog.accept();
        });
        wizard.click(button);
        QVERIFY(pick.ran());
        const TextStyle chosen{"Liberation Serif", ColorText::fromValue(0x0000FF)};
        QCOMPARE(wizard.profile.*styles[field], chosen);
        QCOMPARE((wizard.profile.*styles[field]).textColor.text(), std::string("0X000000FF"));
        QCOMPARE((wizard.profile.*styles[field]).textColor.htmlHex(), std::string("FF0000"));

        QString familyShown;
        int colourShown = -1;
        NextModal cancel([&](QDialog& dialog) {
            familyShown = static_cast<QFontDialog&>(dialog).currentFont().family();
            colourShown = dialog.findChild<QComboBox*>("fontColor")->currentIndex();
            dialog.reject();
        });
        wizard.click(button);
        QVERIFY(cancel.ran());
        QVERIFY(familyShown != "Liberation Serif");
        QCOMPARE(colourShown, 0);
        QCOMPARE(wizard.profile.*styles[field], chosen);
        // The other sections keep no style.
        for (int other = 0; other < 6; ++other) {
            if (other != field)
                QCOMPARE(wizard.profile.*styles[other], TextStyle{});
        }
    }

    void colourButtonsSetTheirColourAndCancelKeepsIt_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("field");
        QTest::newRow("Background Color") << 1123 << 0;
        QTest::newRow("Navigation Bar Color") << 1124 << 1;
        QTest::newRow("Navigation Link Color") << 1125 << 2;
    }
    void colourButtonsSetTheirColourAndCancelKeepsIt()
    {
        QFETCH(int, button);
        QFETCH(int, field);
        Wizard wizard;
        ColorText SiteProfile::*const fields[] = {&SiteProfile::backgroundColor, &SiteProfile::navBarColor,
                                                  &SiteProfile::navLinkColor};
        wizard.clickTab(2);
        NextModal pick([](QDialog& dialog) {
            auto* colours = qobject_cast<QColorDialog*>(&dialog);
            QVERIFY(colours);
            colours->setCurrentColor(QColor(0x55, 0x77, 0xAA));
            colours->accept();
        });
        wizard.click(button);
        QVERIFY(pick.ran());
        QCOMPARE(wizard.profile.*fields[field], ColorText::fromValue(0x00AA7755));
        QCOMPARE((wizard.profile.*fields[field]).text(), std::string("0X00AA7755"));

        NextModal cancel([](QDialog& dialog) {
            static_cast<QColorDialog&>(dialog).setCurrentColor(Qt::green);
            dialog.reject();
        });
        wizard.click(button);
        QVERIFY(cancel.ran());
        QCOMPARE(wizard.profile.*fields[field], ColorText::fromValue(0x00AA7755));
    }

    void customColoursAreSharedForTheRun()
    {
        Wizard wizard;
        wizard.clickTab(2);
        NextModal define([](QDialog& dialog) {
            QColorDialog::setCustomColor(0, QColor(1, 2, 3));
            dialog.reject();
        });
        wizard.click(1123);
        QVERIFY(define.ran());
        QColor seen;
        NextModal pick([&](QDialog& dialog) {
            seen = QColorDialog::customColor(0);
            dialog.reject();
        });
        wizard.click(1124);
        QVERIFY(pick.ran());
        QCOMPARE(seen, QColor(1, 2, 3));
    }

    void aMouseClickPicksAStyleTheKeyboardDoesNot()
    {
        Wizard wizard;
        wizard.clickTab(2);
        auto* templates = wizard.control<QTreeWidget>(ui::id::templateList);
        auto* buttons = wizard.control<QTreeWidget>(ui::id::buttonList);
        QCOMPARE(templates->topLevelItemCount(), 3);
        QCOMPARE(buttons->topLevelItemCount(), 4);
        QCOMPARE(templates->headerItem()->text(0), QString("Custom Templates"));
        QCOMPARE(buttons->headerItem()->text(0), QString("Custom Buttons"));

        clickItem(templates, "C");
        QCOMPARE(wizard.profile.buttonSet, (ButtonSet{'C', '\0'}));
        clickItem(buttons, "D");
        QCOMPARE(wizard.profile.buttonSet, (ButtonSet{'C', 'D'}));

        // The arrow keys move the highlight and change nothing.
        templates->setFocus();
        QTest::keyClick(templates, Qt::Key_Up);
        QTest::keyClick(templates, Qt::Key_Up);
        QCOMPARE(templates->currentItem()->text(0), QString("A"));
        QCOMPARE(wizard.profile.buttonSet, (ButtonSet{'C', 'D'}));

        // A click below the items clears the highlight and changes nothing.
        QTest::mouseClick(templates->viewport(), Qt::LeftButton, {},
                          QPoint(5, templates->viewport()->height() - 2));
        clickItem(templates, "A");
        QCOMPARE(wizard.profile.buttonSet, (ButtonSet{'A', 'D'}));
    }

    void browseSetsThePictureAndCancelKeepsIt()
    {
        Wizard wizard;
        wizard.clickTab(5);
        const auto picture = wizard.home / "soap.jpg";
        test::writeFile(picture, "not even a picture");
        NextModal pick([&](QDialog& dialog) { chooseFile(dialog, picture); });
        wizard.click(ui::id::browse);
        QVERIFY(pick.ran());
        QCOMPARE(wizard.profile.picturePath, picture.string());
        QCOMPARE(wizard.text(ui::id::picturePath), picture.string());

        NextModal cancel([](QDialog& dialog) { dialog.reject(); });
        wizard.click(ui::id::browse);
        QVERIFY(cancel.ran());
        QCOMPARE(wizard.profile.picturePath, picture.string());
        QCOMPARE(wizard.text(ui::id::picturePath), picture.string());

        // Typing into the box is not read by anything.
        wizard.setText(ui::id::picturePath, "/typed/by/hand.jpg");
        QCOMPARE(wizard.profile.picturePath, picture.string());
    }
};

VELMORA_WIZARD_TEST_MAIN(PickersTest)
#include "PickersTest.moc"
