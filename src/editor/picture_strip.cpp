#include "picture_strip.h"
#include "editor_gaps.h"

#include "appearance/scheme_paint.h"
#include "images/picture_viewer.h"
#include "images/thumbnails.h"
#include "ui/accessible_names.h"
#include "ui/command_button.h"
#include "ui/screen_placement.h"

#include "core/editor_fields.h"

#include <QPushButton>

#include <algorithm>

namespace tessaran {

namespace {

// Places w with its top-left corner at (left, top) twips inside its parent.
void place_twips(QWidget* w, double left, double top)
{
    w->move(twips_to_px(left), twips_to_px(top));
}

}  // namespace

PictureStrip::PictureStrip(const QString& collection, QWidget* parent)
    : QGroupBox(tr("Images"), parent), collection_(collection)
{
    setObjectName(QStringLiteral("frame_images"));
    setAccessibleName(spoken_caption(title()));
    // The buttons are placed by show_pictures, so the frame keeps a fixed height.
    setFixedHeight(twips_to_px(1200));
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        QPushButton* b = command_button(this, "cmd_images", QString::number(i + 1), QString());
        b->setFixedSize(twips_to_px(375), twips_to_px(375));
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, i] { emit picture_chosen(int(i) + 1); });
        buttons_[i] = b;
    }
    add_ = command_button(this, "cmd_add_image", QStringLiteral("Add an image"),
                          QStringLiteral("Add an image to this kaleidoscope record"));
    remove_ = command_button(this, "cmd_rem_image", QStringLiteral("Remove an image"),
                             QStringLiteral("Remove an image from this kaleidoscope record.  ")
                                 + QStringLiteral("NOTE: This does not delete the image from your computer."));
    show_all_ = command_button(this, "cmd_load_all_images", QStringLiteral("Display all images"),
                               QStringLiteral("Display all images for this kaleidoscope record"));
    close_all_ = command_button(this, "cmd_clear_all_images", QStringLiteral("Clear all images"),
                                QStringLiteral("Clear all images from the screen"));
    int w = 0;
    for (QPushButton* b : {add_, remove_, show_all_, close_all_})
        w = std::max(w, b->sizeHint().width());
    for (QPushButton* b : {add_, remove_, show_all_, close_all_})
        b->setFixedSize(w, twips_to_px(330));
    const int tens = twips_to_px(120 + 10 * (375 + 165) + 400);
    setMinimumWidth(tens + 2 * w + edge_gap);
    // A picture's preview arrives after its button was shown.
    connect(&Thumbnails::instance(), &Thumbnails::ready, this, [this](const QString& file) {
        for (int i = 1; i <= pictures_.count(); ++i) {
            if (file_of(i) == file)
                button(i)->setToolTip(Thumbnails::instance().tooltip(file));
        }
    });
}

void PictureStrip::set_pictures(const PictureList& pictures)
{
    pictures_ = pictures;
    show_buttons();
}

void PictureStrip::show_buttons()
{
    for (QPushButton* b : buttons_)
        b->hide();
    const int m = int((px_to_twips(height()) + 90) / 2);
    const double spacing = px_to_twips(buttons_[0]->width()) + 165;
    const QColor button_color = scheme_color(color_command_buttons);
    double right_edge = -1;
    const int count = pictures_.count();
    for (int i = 1; i <= count; ++i) {
        QPushButton* b = button(i);
        const double left = 120 + (i - 1) * spacing;
        place_twips(b, left, m - px_to_twips(b->height()) / 2);
        const QString file = file_of(i);
        b->setToolTip(Thumbnails::instance().tooltip(file));
        b->setAccessibleName(QStringLiteral("Picture %1").arg(i));
        b->setAccessibleDescription(file);
        b->setVisible(true);
        paint_button(b, button_color);
        right_edge = left + px_to_twips(b->width());
    }

    const double add_left = right_edge >= 0 ? right_edge + 400 : 170;
    place_twips(add_, add_left, m - px_to_twips(add_->height()));
    place_twips(remove_, add_left, m);
    const double all_left = add_left + px_to_twips(add_->width());
    place_twips(show_all_, all_left, m - px_to_twips(show_all_->height()));
    place_twips(close_all_, all_left, m);

    const bool any = count > 0;
    add_->setEnabled(true);
    remove_->setEnabled(any);
    show_all_->setEnabled(any);
    close_all_->setEnabled(any);
}

void PictureStrip::apply_colors()
{
    paint_background(this, scheme_color(color_images_frame));
    QPalette p = palette();
    p.setColor(QPalette::WindowText, scheme_color(color_images_title));
    setPalette(p);
    for (QPushButton* b : findChildren<QPushButton*>())
        paint_button(b, scheme_color(color_command_buttons));
}

void PictureStrip::mark_changed(const std::vector<int>& positions, const QColor& colour)
{
    for (const int i : positions) {
        if (i >= 1 && i <= int(buttons_.size()))
            paint_button(button(i), colour);
    }
}

bool PictureStrip::viewer_open(int i) const
{
    const PictureViewer* v = viewer(i);
    return v && v->isVisible();
}

void PictureStrip::show_in_viewer(int i, const QString& file, const QImage& picture, const QSize& natural,
                                  const QSize& largest)
{
    PictureViewer* v = viewer(i);
    if (!v) {
        v = new PictureViewer(window());
        viewers_[std::size_t(i - 1)] = v;
        connect(v, &PictureViewer::viewer_closed, this, &PictureStrip::viewer_closed);
    }
    v->open_picture(i, file, picture, natural, largest.width(), largest.height());
    v->show();
    v->raise();
    v->activateWindow();
}

bool PictureStrip::raise_viewer(int i)
{
    if (!viewer_open(i))
        return false;
    viewer(i)->raise();
    viewer(i)->activateWindow();
    return true;
}

bool PictureStrip::close_viewer(int i)
{
    if (!viewer_open(i))
        return false;
    viewer(i)->close();
    return true;
}

void PictureStrip::close_all_viewers()
{
    for (int i = 1; i <= int(viewers_.size()); ++i)
        close_viewer(i);
}

}  // namespace tessaran
