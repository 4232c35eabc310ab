#pragma once

#include "platform/DialogTemplate.h"

#include <QString>
#include <QWidget>

#include <span>
#include <string>
#include <string_view>

class QDialog;

namespace velmora::platform {

// Creates every control of the template as a direct child of the dialog, at its rectangle
// converted from dialog units, with objectName = its id, the dialog font, its caption and its
// styles; Hidden controls stay hidden. The dialog gets the caption and a fixed size. Group
// boxes and tab controls are put below their siblings so the controls laid over them show.
// Static texts and pictures take the focus when given it (setFocus), but not by Tab or click.
void buildDialog(QDialog& dialog, const DialogTemplate& t);

// The control with this id, or nullptr when there is none of that type.
template <class W>
W* control(QWidget& dialog, int id)
{
    return dialog.findChild<W*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

// Makes Tab walk through these controls in this order (after the last, back to the first).
// A static text or picture that was given the focus hands Tab on to the first of them that
// follows it in the template.
void setTabOrder(QWidget& dialog, std::span<const int> ids);

// The text of a control (edit, static text, button, check box) as Windows-1252, with CR LF
// line breaks; and the reverse. A control id that does not exist throws std::invalid_argument.
std::string controlText(QWidget& dialog, int id);
// A one-line box set from here shows its text from the start.
void setControlText(QWidget& dialog, int id, std::string_view text);

// Check box state; throws std::invalid_argument when the id is not a check box.
bool isChecked(QWidget& dialog, int id);
void setChecked(QWidget& dialog, int id, bool checked);

} // namespace velmora::platform
