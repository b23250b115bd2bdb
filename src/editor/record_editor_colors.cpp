// Painting the editor from the colour scheme, and removing the changed-data
// highlight again.
#include "record_editor.h"

#include "appearance/scheme_paint.h"
#include "core/session.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tessaran {

namespace {

// Scheme entries of a data frame: frame, title, label, text background, text foreground.
struct FrameColors {
    int frame, title, label, text_back, text_fore;
};

constexpr FrameColors params_colors{1, 2, 3, 4, 5};
constexpr FrameColors characteristics_colors{6, 7, 8, 9, 10};
constexpr FrameColors purchase_colors{11, 12, 13, 14, 15};
constexpr FrameColors store_colors{16, 17, 18, 19, 20};

bool is_field_name(const QString& name)
{
    return name.startsWith(QLatin1String("tb")) || name.startsWith(QLatin1String("combo"));
}

}  // namespace

void RecordEditor::apply_colors()
{
    const std::array<std::pair<QGroupBox*, FrameColors>, 4> frames = {{{frame_params, params_colors},
                                                                       {frame_characteristics, characteristics_colors},
                                                                       {frame_purchase, purchase_colors},
                                                                       {frame_store, store_colors}}};

    paint_background(this, scheme_color(color_form_background));
    // The menu bar takes the form background too; its titles must stay readable.
    paint_background(menuBar(), scheme_color(color_form_background));
    for (const auto& [frame, c] : frames) {
        paint_background(frame, scheme_color(c.frame));
        // The frame's caption takes the frame-title colour.
        QPalette p = frame->palette();
        p.setColor(QPalette::WindowText, scheme_color(c.title));
        frame->setPalette(p);
        for (QLabel* l : frame->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
            if (l->objectName().startsWith(QLatin1String("lbl")))
                paint_text(l, scheme_color(c.label));
        }
    }
    paint_background(frame_images, scheme_color(color_images_frame));
    {
        QPalette p = frame_images->palette();
        p.setColor(QPalette::WindowText, scheme_color(color_images_title));
        frame_images->setPalette(p);
    }
    paint_background(lbl_controlbck, scheme_color(color_control));
    const QColor button = scheme_color(color_command_buttons);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->objectName().startsWith(QLatin1String("cmd")))
            paint_button(b, button);
    }
    restore_colors();
}

void RecordEditor::restore_colors()
{
    const std::array<std::pair<QGroupBox*, FrameColors>, 4> frames = {{{frame_params, params_colors},
                                                                       {frame_characteristics, characteristics_colors},
                                                                       {frame_purchase, purchase_colors},
                                                                       {frame_store, store_colors}}};
    for (const auto& [frame, c] : frames) {
        const QColor back = scheme_color(c.text_back);
        const QColor fore = scheme_color(c.text_fore);
        for (QWidget* w : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (is_field_name(w->objectName()))
                paint_field(w, back, fore);
        }
    }
}

}  // namespace tessaran
