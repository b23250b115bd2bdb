#include "scheme_paint.h"
#include "color_settings.h"

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
    return to_qcolor(current_colors().at(static_cast<std::size_t>(index)));
}

QColor contrasting_text(const QColor& background)
{
    // Perceived brightness (ITU-R BT.601 weights).
    const int luma = (299 * background.red() + 587 * background.green() + 114 * background.blue()) / 1000;
    return luma < 128 ? QColor(Qt::white) : QColor(Qt::black);
}

void paint_background(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    // Text the scheme does not colour (menu titles, radio and check box
    // captions) stays readable on any background; callers colour the rest.
    const QColor text = contrasting_text(c);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void paint_button(QWidget* button, const QColor& c)
{
    QPalette p = button->palette();
    p.setColor(QPalette::Button, c);
    p.setColor(QPalette::ButtonText, contrasting_text(c));
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
    // A drop-down's arrow is drawn in the button text colour on its own button
    // face, not on the form: it takes the colour that reads on that face, or
    // it would all but vanish on a dark form.
    for (QComboBox* combo : dialog->findChildren<QComboBox*>()) {
        QPalette p = combo->palette();
        const QColor face_text = contrasting_text(p.color(QPalette::Button));
        p.setColor(QPalette::ButtonText, face_text);
        p.setColor(QPalette::WindowText, face_text);
        combo->setPalette(p);
    }
}

}  // namespace tessaran
