// The start-up window's menus: disabled while another window is in charge,
// enabled again when it closes. Both routines do nothing when no start-up
// window is registered.
#pragma once

class QWidget;

namespace tessaran {

void set_startup_window(QWidget* window);
QWidget* startup_window();

// Disables every "mnu" action of the start-up window except the help and about
// items, then gives the start-up window the focus.
void hide_startup_menus();
// Enables every "mnu" action of the start-up window.
void show_startup_menus();

}  // namespace tessaran
