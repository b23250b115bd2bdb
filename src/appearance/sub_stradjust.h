// Placement helpers: put a widget against an edge or a centre line. Lengths are
// twips (1440 per inch); on screen 15 twips make one pixel at 96 dpi.
#pragma once

#include <QRect>

class QWidget;

namespace tessaran {

constexpr int twips_per_pixel = 15;
inline int twips_to_px(double twips) { return static_cast<int>(twips / twips_per_pixel + (twips >= 0 ? 0.5 : -0.5)); }
inline double px_to_twips(int px) { return px * double(twips_per_pixel); }

// Geometry in twips of a widget (its rect within its parent).
struct TwipRect {
    double left = 0, top = 0, width = 0, height = 0;
};
TwipRect twip_rect(const QWidget* w);

double left_for_right(const TwipRect& obj, double x);
double left_for_center(const TwipRect& obj, double x);
double top_for_center(const TwipRect& obj, double y);
double top_for_bottom(const TwipRect& obj, double y);
int y_at_part(const TwipRect& obj, int n);  // rounded, halves to even
double x_at_part(const TwipRect& obj, int n);

// Widget overloads.
double left_for_right(const QWidget* obj, double x);
double left_for_center(const QWidget* obj, double x);
double top_for_center(const QWidget* obj, double y);
double top_for_bottom(const QWidget* obj, double y);
int y_at_part(const QWidget* obj, int n);
double x_at_part(const QWidget* obj, int n);

// Moves a widget to a position given in twips.
void move_twips(QWidget* w, double left, double top);

// sub_getavailscreen: stores the primary screen's work area in gv().work_area.
void sub_getavailscreen();
// Centres w horizontally on the screen and vertically in the screen height less 400 twips.
void centre_on_screen(QWidget* w);

}  // namespace tessaran
