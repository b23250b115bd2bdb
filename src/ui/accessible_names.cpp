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
// drop-down is announced by its name, its value as its value.
class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) { }
    QString text(QAccessible::Text t) const override
    {
        const auto* combo = static_cast<const QComboBox*>(widget());
        if (t == QAccessible::Name)
            return combo->accessibleName().isEmpty() ? combo->currentText() : combo->accessibleName();
        if (t == QAccessible::Value)
            return combo->currentText();
        return QAccessibleWidget::text(t);
    }
};

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
