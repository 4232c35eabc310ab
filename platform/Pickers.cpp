#include "platform/Pickers.h"

#include "platform/Text.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include <array>

namespace velmora::platform {

namespace {

// The names of the sixteen standard colours, in the order of standardColors.
constexpr const char* standardColorNames[16] = {
    "Black", "Maroon", "Green", "Olive", "Navy", "Purple", "Teal", "Gray",
    "Silver", "Red", "Lime", "Yellow", "Blue", "Fuchsia", "Aqua", "White",
};

QColor fromBgr(std::uint32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

std::uint32_t toBgr(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8
        | static_cast<std::uint32_t>(color.blue()) << 16;
}

// Puts the colour choice under the font dialog's effects (beside strike-out and underline) and
// shows the sample in the chosen colour. Qt's dialog has no slot for it, so the effects box is
// found as the parent of its check boxes.
QComboBox* addColorChoice(QFontDialog& dialog)
{
    auto* colors = new QComboBox;
    colors->setObjectName(QStringLiteral("fontColor"));
    for (int i = 0; i < 16; ++i) {
        QPixmap swatch(16, 12);
        swatch.fill(fromBgr(standardColors[i]));
        colors->addItem(QIcon(swatch), QString::fromLatin1(standardColorNames[i]));
    }
    colors->setCurrentIndex(0);

    QGroupBox* effects = nullptr;
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
        if ((effects = qobject_cast<QGroupBox*>(box->parentWidget())))
            break;
    auto* label = new QLabel(QFontDialog::tr("&Color:"));
    label->setBuddy(colors);
    if (auto* layout = effects ? qobject_cast<QBoxLayout*>(effects->layout()) : nullptr) {
        layout->addWidget(label);
        layout->addWidget(colors);
    } else if (auto* layout = qobject_cast<QBoxLayout*>(dialog.layout())) {
        layout->addWidget(label);
        layout->addWidget(colors);
    } else {
        label->setParent(&dialog);
        colors->setParent(&dialog);
    }

    QLineEdit* sample = nullptr;
    for (QGroupBox* box : dialog.findChildren<QGroupBox*>())
        if (box != effects)
            if ((sample = box->findChild<QLineEdit*>()))
                break;
    if (sample) {
        auto paintSample = [sample](int index) {
            QPalette palette = sample->palette();
            palette.setColor(QPalette::Text, fromBgr(standardColors[index < 0 ? 0 : index]));
            sample->setPalette(palette);
        };
        QObject::connect(colors, &QComboBox::currentIndexChanged, sample, paintSample);
        paintSample(colors->currentIndex());
    }
    return colors;
}

// The run's custom colours, shared by every colour dialog; white until the user defines one.
std::array<QRgb, 16>& customColors()
{
    static std::array<QRgb, 16> colors = [] {
        std::array<QRgb, 16> white;
        white.fill(qRgb(255, 255, 255));
        return white;
    }();
    return colors;
}

} // namespace

std::optional<FontAnswer> pickFontAndColor(QWidget* owner)
{
    QFontDialog dialog(owner);
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setOption(QFontDialog::ScalableFonts);
    dialog.setOption(QFontDialog::NonScalableFonts);
    // The same start every time: the real family behind the application's font (an alias such
    // as "Sans Serif" would make a poor face name for a page).
    QFont start = QApplication::font();
    const QFontInfo real(start);
    start.setFamily(real.family());
    start.setStyleName(real.styleName());  // e.g. "Book": the dialog knows no "Normal" of it
    dialog.setCurrentFont(start);
    QComboBox* colors = addColorChoice(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const int index = colors->currentIndex();
    return FontAnswer{toCp1252(dialog.selectedFont().family()),
                      standardColors[index < 0 ? 0 : index]};
}

std::optional<std::uint32_t> pickColor(QWidget* owner)
{
    std::array<QRgb, 16>& custom = customColors();
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, QColor::fromRgb(custom[static_cast<std::size_t>(i)]));

    QColorDialog dialog(owner);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor(Qt::black);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i)
        custom[static_cast<std::size_t>(i)] = QColorDialog::customColor(i).rgb();
    if (!chosen)
        return std::nullopt;
    return toBgr(dialog.selectedColor());
}

} // namespace velmora::platform
