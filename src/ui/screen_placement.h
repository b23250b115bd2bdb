// Screen placement: twips (1440 per inch; on screen 15 twips make one pixel at
// 96 dpi) to pixels, the room a window may take on its screen, and where the
// collection list goes beside the editor.
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

// What a window's frame (title bar and borders) adds to its inner size, until
// the window system tells: title bars run to about 40 pixels.
inline constexpr QSize frame_allowance{16, 40};
// The height kept free for a desktop's panels where the window system does not
// say where they are (GNOME's top bar is 32 pixels, a Plasma panel 44 and more).
inline constexpr int panel_allowance = 56;

// The room windows may take on a screen whose free area is available: all of
// it where the window system reports its panels, else less a panel's height.
QRect room_for_windows(const QRect& available, bool panels_reported);
// Whether the window system reports panels and lets the program place its
// windows: X11 does; on Wayland the compositor alone knows and decides.
bool windows_placed_by_program();

// The room on the screen of w (the primary screen without w); 1024 x 768
// without a screen.
QRect work_area(const QWidget* w = nullptr);
// want, held within the work area less room for the window's frame: the inner
// size a window may take.
QSize fitted_to_screen(const QSize& want, const QWidget* w = nullptr);
// Centres w horizontally on the screen and vertically in the screen height less 400 twips.
void centre_on_screen(QWidget* w);

// Where the collection list opens: beside the editor (the editor moving over
// when that makes the room), or docked in the editor's own window.
struct ListPlacement {
    bool docked = true;
    int editor_left = 0;  // the editor's frame's left edge when beside
    int list_left = 0;    // the list's frame's left edge when beside
};
ListPlacement place_list_beside(const QRect& room, const QRect& editor_frame, int list_width, bool can_place);

}  // namespace tessaran
