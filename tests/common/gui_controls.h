// Finding a window's controls by object name, as automation does: windows keep
// their controls private.
#pragma once

#include <QObject>
#include <QPointer>
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

}  // namespace tessaran::test
