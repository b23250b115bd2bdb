#include "menu_state.h"

#include <QAction>
#include <QPointer>
#include <QWidget>

namespace tessaran {
namespace {

QPointer<QWidget>& registered()
{
    static QPointer<QWidget> window;
    return window;
}

QList<QAction*> menu_actions()
{
    QList<QAction*> out;
    if (QWidget* w = registered()) {
        for (QAction* a : w->findChildren<QAction*>()) {
            if (a->objectName().startsWith(QLatin1String("mnu")))
                out << a;
        }
    }
    return out;
}

}  // namespace

void set_startup_window(QWidget* window)
{
    registered() = window;
}

QWidget* startup_window()
{
    return registered();
}

void hide_startup_menus()
{
    for (QAction* a : menu_actions()) {
        const QString& name = a->objectName();
        if (!name.contains(QLatin1String("topic")) && !name.contains(QLatin1String("help"))
            && !name.contains(QLatin1String("about")))
            a->setEnabled(false);
    }
    if (QWidget* w = registered())
        w->setFocus();
}

void show_startup_menus()
{
    for (QAction* a : menu_actions())
        a->setEnabled(true);
}

}  // namespace tessaran
