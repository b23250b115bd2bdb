// Painting the editor from the colour scheme, and removing the changed-data
// highlight again.
#include "editor_commands.h"
#include "picture_strip.h"
#include "record_editor.h"
#include "record_form_widget.h"

#include "appearance/scheme_paint.h"

#include <QMenuBar>

namespace tessaran {

void RecordEditor::apply_colors()
{
    paint_background(this, scheme_color(color_form_background));
    // The menu bar takes the form background too; its titles must stay readable.
    paint_background(menuBar(), scheme_color(color_form_background));
    form_->apply_colors();
    strip_->apply_colors();
    commands_->apply_colors();
}

void RecordEditor::restore_colors()
{
    form_->restore_colors();
}

}  // namespace tessaran
