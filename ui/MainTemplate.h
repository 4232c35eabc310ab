#pragma once

#include "platform/DialogTemplate.h"

#include <array>
#include <span>
#include <string_view>

// The wizard window as data: the command column, the tab control and the ten pages, each page
// one table of its controls, laid over the tab control's display area.
namespace velmora::ui {

// Control ids the window's code refers to by name.
namespace id {
inline constexpr int create = 1;
inline constexpr int exit = 2;
inline constexpr int tabs = 1000;
inline constexpr int preview = 1165;
inline constexpr int promote = 1166;
inline constexpr int upload = 1167;
inline constexpr int webHostAdvice = 1196;
inline constexpr int saveProfile = 1187;
inline constexpr int loadProfile = 1188;
inline constexpr int next = 1199;
inline constexpr int templateList = 1118;
inline constexpr int buttonList = 1122;
inline constexpr int picturePath = 1104;
inline constexpr int browse = 1105;
inline constexpr int siteUrl = 1185;
inline constexpr int headingBold = 1063;
inline constexpr int headingItalic = 1065;
inline constexpr int headingUnderline = 1067;
inline constexpr int hostingCustomer = 1183;
} // namespace id

inline constexpr int kPageCount = 10;
inline constexpr int kLastPage = kPageCount - 1;

struct WizardPage {
    std::string_view caption;            // the tab's text
    int firstFocus;                      // the control that takes the focus after a tab click
    std::span<const platform::ControlSpec> controls;
};

// The ten pages in tab order.
extern const std::array<WizardPage, kPageCount> kWizardPages;

// Template 102: every control of the window, the command column and tab control first, then
// the pages in order. Only the command column, the tab control and the Welcome page start
// visible.
const platform::DialogTemplate& mainTemplate();

// The Tab key's order through the window's controls.
extern const std::span<const int> kKeyboardOrder;

// The two style lists: where their pictures come from and how wide each slice is.
struct StyleListSpec {
    int id;
    std::string_view column;
    int columnWidth; // pixels, also the width of one picture slice
    std::string_view strip;
    std::string_view items; // one letter per item
};
extern const std::array<StyleListSpec, 2> kStyleLists;

} // namespace velmora::ui
