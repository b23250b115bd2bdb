// Finding a window's controls by object name, as automation does: windows keep
// their controls private.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace tessaran::test {

inline const QObject* object_of(const QObject* o)
{
    return o;
}
inline const QObject* object_of(const QObject& o)
{
    return &o;
}
template <class P> const QObject* object_of(const std::unique_ptr<P>& p)
{
    return p.get();
}
template <class P> const QObject* object_of(const QPointer<P>& p)
{
    return p.data();
}

// The window's control of type T named name; a test that names a control the
// window does not have stops there with the name, rather than crashing later.
template <class T, class W> T* control(const W& window, const QString& name)
{
    const QObject* w = object_of(window);
    if (!w)
        qFatal("control %s looked for in no window", qPrintable(name));
    T* found = w->template findChild<T*>(name);
    if (!found)
        qFatal("%s has no control %s", qPrintable(w->objectName()), qPrintable(name));
    return found;
}

// Text slot k (1..26) of the selection or find window: its text box, or its
// drop-down (nullptr when the slot is the other kind); and the button that
// confirms the criteria (Perform selection, or Find).
inline QLineEdit* criteria_box(const QObject* window, int k)
{
    return window->findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^tb_[a-z]+_%1$").arg(k))).value(0);
}
inline QComboBox* criteria_combo(const QObject* window, int k)
{
    return window->findChildren<QComboBox*>(QRegularExpression(QStringLiteral("^combo_[a-z]+_%1$").arg(k))).value(0);
}
inline QWidget* criteria_field(const QObject* window, int k)
{
    if (QComboBox* c = criteria_combo(window, k))
        return c;
    return criteria_box(window, k);
}
inline QString criteria_entry(const QObject* window, int k)
{
    if (QComboBox* c = criteria_combo(window, k))
        return c->currentText();
    return criteria_box(window, k)->text();
}
inline QPushButton* perform_button(const QObject* window)
{
    auto* select = window->findChild<QPushButton*>(QStringLiteral("cmd_select"));
    return select ? select : control<QPushButton>(window, QStringLiteral("cmd_find"));
}

}  // namespace tessaran::test
