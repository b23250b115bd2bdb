// Painting windows and controls from the colour scheme.
#pragma once

#include <QColor>
#include <QtGlobal>

class QWidget;

namespace tessaran {

// Scheme entries used by more than one window.
enum SchemeIndex : int {
    color_changed_data = 0,
    color_images_frame = 21,
    color_images_title = 22,
    color_control = 23,
    color_form_background = 24,
    color_command_buttons = 25
};

// A colour value r + 256 g + 65536 b, and back.
QColor to_qcolor(qint32 value);
qint32 to_color_value(const QColor& c);
// The scheme entry as a colour.
QColor scheme_color(int index);

// Black or white, whichever reads better on the background.
QColor contrasting_text(const QColor& background);
// Window or frame background (auto-filled), with text that contrasts with it.
void paint_background(QWidget* w, const QColor& c);
// Button face colour, with a caption that contrasts with it.
void paint_button(QWidget* button, const QColor& c);
// Text colour of a label or field.
void paint_text(QWidget* w, const QColor& c);
// Background of an entry field (line edit, combo box, plain text edit).
void paint_field(QWidget* field, const QColor& background, const QColor& text);

// The dialogs' look: form background on the window, command-button colour on
// every push button inside it.
void paint_dialog(QWidget* dialog);

}  // namespace tessaran
