#pragma once

#include <cstdint>
#include <optional>
#include <string>

class QWidget;

// The font-and-colour picker and the colour picker. Colours are 0x00BBGGRR.
namespace velmora::platform {

struct FontAnswer {
    std::string faceName;   // Windows-1252
    std::uint32_t bgr;
};

// Qt's font dialog (not the native one) with a colour choice added under its effects: the
// sixteen standard colours in a combo box named "fontColor". Each opening starts afresh (the
// default font, colour black), never with the previous choice. Nothing when cancelled.
std::optional<FontAnswer> pickFontAndColor(QWidget* owner);

// Qt's colour dialog (not the native one), starting at black. The custom colours the user
// defines stay for the rest of the run and are shared by every colour dialog; they start empty
// at each run. Nothing when cancelled.
std::optional<std::uint32_t> pickColor(QWidget* owner);

// The sixteen standard colours of the font picker, in its order, as 0x00BBGGRR.
inline constexpr std::uint32_t standardColors[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

} // namespace velmora::platform
