#include "accessible_names.h"

#include "core/editor_fields.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace tessaran {

namespace {

// Qt on Linux announces a drop-down by its current value and leaves the
// caption to a relation that screen readers do not all read; a named
// drop-down is announced by its name, its value as its value. A drop-down
// that cannot be typed into has no text field of its own, so its current
// text is given as its (read-only) text: what a screen reader reads as the
// value, and what it says again when a change of it is announced.
class NamedComboBox : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit NamedComboBox(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) { }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return combo()->accessibleName().isEmpty() ? combo()->currentText() : combo()->accessibleName();
        if (t == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface && !combo()->isEditable())
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The text interface, read-only, over the current text.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int start, int end) const override
    {
        const QString t = combo()->currentText();
        if (end < 0 || end > t.size())
            end = int(t.size());
        return start >= 0 && start < end ? t.mid(start, end - start) : QString();
    }
    int characterCount() const override { return int(combo()->currentText().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return QString();
    }

private:
    QComboBox* combo() const { return static_cast<QComboBox*>(widget()); }
};

// A new choice in a drop-down that cannot be typed into is told as its text
// replacing the one before, which screen readers say as they do for fields.
void announce_choices(QComboBox* combo)
{
    if (combo->isEditable() || combo->property("announces_choices").toBool())
        return;
    combo->setProperty("announces_choices", true);
    auto* said = new QObject(combo);
    said->setProperty("text", combo->currentText());
    QObject::connect(combo, &QComboBox::currentTextChanged, said, [combo, said](const QString& now) {
        const QString before = said->property("text").toString();
        said->setProperty("text", now);
        if (!QAccessible::isActive())
            return;
        QAccessibleTextUpdateEvent update(combo, 0, before, now);
        QAccessible::updateAccessibility(&update);
    });
}

QAccessibleInterface* named_combo_boxes(const QString& key, QObject* object)
{
    // Every drop-down, named or not yet: an interface is made once and kept.
    auto* combo = key == QLatin1String("QComboBox") ? qobject_cast<QComboBox*>(object) : nullptr;
    return combo ? new NamedComboBox(combo) : nullptr;
}

}  // namespace

void install_accessible_names()
{
    static const bool installed = [] {
        QAccessible::installFactory(named_combo_boxes);
        return true;
    }();
    Q_UNUSED(installed);
}

void name_control(QWidget* field, const QString& name)
{
    install_accessible_names();
    field->setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(field))
        announce_choices(combo);
    // The editable part of a drop-down is what has the focus while typing.
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(name);
}

void name_by_caption(QLabel* caption, QWidget* field)
{
    caption->setBuddy(field);
    name_control(field, spoken_caption(caption->text()));
}

}  // namespace tessaran
