#include "option_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QRadioButton>

namespace tessaran {

namespace {

class OptionKeys : public QObject {
public:
    OptionKeys(const QList<QRadioButton*>& options, QObject* parent) : QObject(parent), options_(options)
    {
        for (QRadioButton* option : options_)
            option->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        int step = 0;
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Left)
            step = -1;
        else if (key->key() == Qt::Key_Down || key->key() == Qt::Key_Right)
            step = 1;
        const qsizetype at = options_.indexOf(static_cast<QRadioButton*>(watched));
        if (step == 0 || at < 0)
            return false;
        qsizetype to = at;
        do {
            to += step;
        } while (to >= 0 && to < options_.size() && !options_.at(to)->isEnabled());
        if (to < 0 || to >= options_.size())
            return true;
        options_.at(to)->setFocus(Qt::TabFocusReason);
        options_.at(to)->setChecked(true);
        return true;
    }

private:
    QList<QRadioButton*> options_;
};

}  // namespace

void choose_options_with_arrows(const QList<QRadioButton*>& options)
{
    if (!options.isEmpty())
        new OptionKeys(options, options.first());
}

}  // namespace tessaran
