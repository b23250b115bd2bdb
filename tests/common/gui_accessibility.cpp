#include "gui_accessibility.h"

#include <QtTest>
#include <QtWidgets>

namespace tessaran::test {

namespace {

QString own_value(QWidget* w)
{
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        return t->toPlainText();
    return QString();
}

bool takes_tab_focus(QWidget* w, QWidget* window)
{
    return (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled();
}

}  // namespace

QString accessible_name(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QList<QWidget*> tab_order(QWidget* window)
{
    QList<QWidget*> order;
    QWidget* w = window;
    // The chain of nextInFocusChain, as Tab walks it.
    for (int guard = 0; guard < 2000; ++guard) {
        w = w->nextInFocusChain();
        if (w == window)
            break;
        // A widget that hands its focus on (a tab widget to its tab bar) is not a stop.
        if (w->window() == window && takes_tab_focus(w, window) && !w->focusProxy())
            order << w;
    }
    return order;
}

QStringList tab_names(QWidget* window)
{
    QStringList names;
    QWidget* last = nullptr;
    for (QWidget* w : tab_order(window)) {
        QWidget* control = qobject_cast<QComboBox*>(w->parentWidget()) ? w->parentWidget() : w;
        if (control != last)
            names << accessible_name(control);
        last = control;
    }
    return names;
}

QStringList accessibility_faults(QWidget* window)
{
    QStringList faults;
    QStringList frames;
    for (QGroupBox* g : window->findChildren<QGroupBox*>())
        if (!g->title().isEmpty())
            frames << g->title();
    QMap<QString, QWidget*> owner;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!takes_tab_focus(w, window) || qobject_cast<QGroupBox*>(w) || qobject_cast<QTabWidget*>(w->parentWidget()))
            continue;
        // An unnamed helper widget is told by its class and its parent.
        const QString what = !w->objectName().isEmpty() ? w->objectName()
                                                        : QString::fromLatin1(w->metaObject()->className())
                + QStringLiteral(" in ") + (w->parentWidget() ? w->parentWidget()->objectName() : QString());
        const QString name = accessible_name(w);
        if (name.trimmed().isEmpty()) {
            faults << what + QStringLiteral(" has no name");
            continue;
        }
        if (frames.contains(name))
            faults << what + QStringLiteral(" is named by its frame: ") + name;
        const QString value = own_value(w);
        if (!value.isEmpty() && value == name)
            faults << what + QStringLiteral(" is named by its value: ") + name;
        QWidget* control = qobject_cast<QComboBox*>(w->parentWidget()) ? w->parentWidget() : w;
        if (owner.contains(name) && owner.value(name) != control)
            faults << what + QStringLiteral(" shares its name with ") + owner.value(name)->objectName()
                    + QStringLiteral(": ") + name;
        owner.insert(name, control);
    }
    // A picture is said by its name; a tab bar by what it chooses between,
    // not by the tab that happens to be chosen.
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->pixmap().isNull() && accessible_name(l).trimmed().isEmpty())
            faults << l->objectName() + QStringLiteral(" is a picture without a name");
    }
    for (QTabBar* bar : window->findChildren<QTabBar*>()) {
        if (bar->count() > 0 && accessible_name(bar) == bar->tabText(bar->currentIndex()))
            faults << QStringLiteral("the tab bar of ") + bar->parentWidget()->objectName()
                    + QStringLiteral(" is named by its chosen tab");
    }
    return faults;
}

}  // namespace tessaran::test
