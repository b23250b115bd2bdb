// The start-up window's menus: the commands it names go quiet while another
// window is in charge and come back when that window closes. Both routines do
// nothing when no start-up window is registered.
#pragma once

#include <QList>

#include <functional>

class QAction;
class QWidget;

namespace tessaran {

// The actions that go quiet, asked for each time (the recent collections
// change); the help and about items are not among them.
using HeldActions = std::function<QList<QAction*>()>;

void set_startup_window(QWidget* window, HeldActions held = {});
QWidget* startup_window();

// Disables the held actions, then gives the start-up window the focus.
void hide_startup_menus();
// Enables the held actions again.
void show_startup_menus();

}  // namespace tessaran
