// Painting the editor from the colour scheme, and removing the changed-data
// highlight again.
#include "editor_commands.h"
#include "picture_strip.h"
#include "record_editor.h"
#include "record_form_widget.h"

#include "appearance/scheme_paint.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace tessaran {

void RecordEditor::apply_colors()
{
    paint_background(this, scheme_color(color_form_background));
    // The menu bar takes the form background too; its titles must stay readable.
    paint_background(menuBar(), scheme_color(color_form_background));
    form_->apply_colors();
    paint_background(strip_, scheme_color(color_images_frame));
    {
        QPalette p = strip_->palette();
        p.setColor(QPalette::WindowText, scheme_color(color_images_title));
        strip_->setPalette(p);
    }
    paint_background(commands_, scheme_color(color_control));
    const QColor button = scheme_color(color_command_buttons);
    for (const QWidget* area : {static_cast<QWidget*>(strip_), static_cast<QWidget*>(commands_)}) {
        for (QPushButton* b : area->findChildren<QPushButton*>())
            paint_button(b, button);
    }
}

void RecordEditor::restore_colors()
{
    form_->restore_colors();
}

}  // namespace tessaran
