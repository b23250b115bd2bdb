#include "menu_state.h"

#include <QAction>
#include <QPointer>
#include <QWidget>

namespace tessaran {
namespace {

struct Registered {
    QPointer<QWidget> window;
    HeldActions held;
};

Registered& registered()
{
    static Registered r;
    return r;
}

QList<QAction*> held_actions()
{
    const Registered& r = registered();
    return r.window && r.held ? r.held() : QList<QAction*>();
}

}  // namespace

void set_startup_window(QWidget* window, HeldActions held)
{
    registered() = {window, std::move(held)};
}

QWidget* startup_window()
{
    return registered().window;
}

void hide_startup_menus()
{
    for (QAction* a : held_actions())
        a->setEnabled(false);
    if (QWidget* w = registered().window)
        w->setFocus();
}

void show_startup_menus()
{
    for (QAction* a : held_actions())
        a->setEnabled(true);
}

}  // namespace tessaran
