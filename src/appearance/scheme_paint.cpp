#include "scheme_paint.h"

#include "core/globalvars.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace tessaran {

QColor to_qcolor(qint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

qint32 to_color_value(const QColor& c)
{
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

QColor scheme_color(int index)
{
    return to_qcolor(gv().color_scheme.at(static_cast<std::size_t>(index)));
}

void paint_background(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void paint_button(QWidget* button, const QColor& c)
{
    QPalette p = button->palette();
    p.setColor(QPalette::Button, c);
    button->setPalette(p);
    button->setAutoFillBackground(true);
}

void paint_text(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

void paint_field(QWidget* field, const QColor& background, const QColor& text)
{
    QPalette p = field->palette();
    p.setColor(QPalette::Base, background);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, background);
    p.setColor(QPalette::ButtonText, text);
    field->setPalette(p);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->setPalette(p);
}

void paint_dialog(QWidget* dialog)
{
    paint_background(dialog, scheme_color(color_form_background));
    const QColor button = scheme_color(color_command_buttons);
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        paint_button(b, button);
}

}  // namespace tessaran
