// What assistive technology is told about a window: the accessible name of
// each control a keyboard user reaches, and what is wrong with them.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace tessaran::test {

// The name a screen reader announces for w.
QString accessible_name(QWidget* w);
// The controls that take the focus with Tab, in the window's tab order.
QList<QWidget*> tab_order(QWidget* window);
// The names of tab_order(window), a drop-down and its editable part once.
QStringList tab_names(QWidget* window);
// One line per fault: a focusable control without a name, with a name that
// another control of the window has (a drop-down and its editable part are
// one control), or named by the title of a frame or by its own value.
QStringList accessibility_faults(QWidget* window);

}  // namespace tessaran::test
