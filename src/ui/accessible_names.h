// Names for assistive technology: a field is announced by its caption, as a
// sighted user reads it, not by the frame around it or by what it holds.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace tessaran {

// Drop-downs announced by their names, their values as values; before any
// window is made (naming a control does it too).
void install_accessible_names();
// Names field (and a drop-down's editable part) as name.
void name_control(QWidget* field, const QString& name);
// Ties the caption to its field (the caption's access key moves the focus
// there) and names the field by the caption as it is spoken.
void name_by_caption(QLabel* caption, QWidget* field);

}  // namespace tessaran
