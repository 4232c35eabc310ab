#pragma once

#include <span>
#include <string_view>

// Dialogs as data: each dialog is one table of controls, placed in dialog units and built into
// widgets by buildDialog (DialogBuilder.h).
namespace velmora::platform {

enum class ControlKind {
    Text,        // left-aligned static text that wraps
    Label,       // static text right-aligned against the edit box beside it
    GroupBox,
    PushButton,
    CheckBox,
    Edit,        // single line (QLineEdit) or, with MultiLine, several lines (QPlainTextEdit)
    Picture,     // a picture at its actual size, from a resource
    ListView,    // a one-column list with small pictures (StyleList, ListView.h)
    TabControl,  // a tab strip with a frame (TabControl, TabControl.h)
    ProgressBar,
};

// Style bits, combined with |.
enum ControlStyle : unsigned {
    DefaultButton = 1u << 0,  // the push button that Enter presses
    Password      = 1u << 1,  // single-line edit that shows bullets
    MultiLine     = 1u << 2,  // Enter starts a new line; words wrap, never a sideways scroll bar
    EnterNotTaken = 1u << 3,  // with MultiLine: Enter presses the default button, Ctrl+Enter = new line
    NoHScroll     = 1u << 4,  // single line that cannot scroll sideways: no more text than fits
    Centered      = 1u << 5,  // text or caption centred
    Hidden        = 1u << 6,  // created invisible
    VScroll       = 1u << 7,  // with MultiLine: vertical scroll bar always shown
    ReadOnly      = 1u << 8,  // edit that shows text the user cannot change
};

// A rectangle in dialog units: x, y of the top-left corner, width, height.
struct DluRect {
    int x, y, w, h;
};

struct ControlSpec {
    int id;                          // becomes the widget's objectName
    ControlKind kind;
    DluRect rect;
    std::string_view caption;        // Windows-1252; a ListView's column title
    unsigned style = 0;              // ControlStyle bits
    std::string_view picture = {};   // resource of a Picture, e.g. ":/pictures/137"
};

struct DialogTemplate {
    int id;
    std::string_view caption;        // Windows-1252
    int width, height;               // dialog units
    std::span<const ControlSpec> controls;
};

} // namespace velmora::platform
