// Screen placement: twips (1440 per inch; on screen 15 twips make one pixel at
// 96 dpi) to pixels, the work area, and centring a window on the screen.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace tessaran {

constexpr int twips_per_pixel = 15;
inline int twips_to_px(double twips)
{
    return static_cast<int>(twips / twips_per_pixel + (twips >= 0 ? 0.5 : -0.5));
}
inline double px_to_twips(int px)
{
    return px * double(twips_per_pixel);
}

// The primary screen's work area (the screen less panels); 1024 x 768 without a screen.
QRect work_area();
// want, held within the primary screen's work area less room for the frame.
QSize fitted_to_screen(const QSize& want);
// Centres w horizontally on the screen and vertically in the screen height less 400 twips.
void centre_on_screen(QWidget* w);

}  // namespace tessaran
