#include "command_button.h"

#include <QPushButton>

namespace tessaran {

QPushButton* command_button(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    if (!tip.isEmpty())
        b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

}  // namespace tessaran
