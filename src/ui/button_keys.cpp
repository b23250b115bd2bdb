#include "button_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace tessaran {

namespace {

class ButtonKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        // A default button already answers the key itself.
        if (button->autoDefault() || button->isDefault())
            return false;
        button->click();
        return true;
    }
};

}  // namespace

void install_button_keys()
{
    static ButtonKeys* const keys = [] {
        auto* k = new ButtonKeys(qApp);
        qApp->installEventFilter(k);
        return k;
    }();
    Q_UNUSED(keys);
}

}  // namespace tessaran
