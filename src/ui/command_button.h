// The command buttons of the windows: named for tests and automation, and never
// the default button, so Enter in a field does not press them by accident.
#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace tessaran {

QPushButton* command_button(QWidget* parent, const char* name, const QString& text, const QString& tip = QString());

}  // namespace tessaran
