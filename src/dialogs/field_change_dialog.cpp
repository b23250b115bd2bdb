#include "field_change_dialog.h"

#include "appearance/scheme_paint.h"
#include "core/collection_groups.h"
#include "core/collection_stats.h"
#include "core/editor_fields.h"
#include "core/vocabularies.h"
#include "ui/accessible_names.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"
#include "ui/wait_cursor.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tessaran {

namespace {

const FormField* form_field(Member m)
{
    for (const FormField& f : form_fields()) {
        if (f.member == m)
            return &f;
    }
    return nullptr;
}

QComboBox* combo(const char* name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    return c;
}

QLabel* caption(const QString& text, QWidget* field, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    name_by_caption(label, field);
    return label;
}

}  // namespace

FieldChangeDialog::FieldChangeDialog(const QString& path, std::function<std::vector<int>()> working_set,
                                     GroupField group, const QString& value, QWidget* parent)
    : QDialog(parent), path_(path), working_set_(std::move(working_set))
{
    setObjectName(QStringLiteral("frm_change_field"));
    setWindowTitle(QStringLiteral("Change a field"));
    build_choices();
    group_by_->setCurrentIndex(group_by_->findData(int(group)));
    fill_groups(value);
    field_chosen();
    connect(group_by_, &QComboBox::currentIndexChanged, this, [this] { fill_groups(); });
    connect(field_, &QComboBox::currentIndexChanged, this, &FieldChangeDialog::field_chosen);
    for (QRadioButton* r : {set_, replace_})
        connect(r, &QRadioButton::toggled, this, &FieldChangeDialog::field_chosen);
    connect(group_, &QComboBox::currentIndexChanged, this, &FieldChangeDialog::forget_changes);
    connect(from_, &QLineEdit::textChanged, this, &FieldChangeDialog::forget_changes);
    connect(to_, &QComboBox::editTextChanged, this, &FieldChangeDialog::forget_changes);
    connect(preview_, &QPushButton::clicked, this, &FieldChangeDialog::show_changes);
    connect(change_, &QPushButton::clicked, this, &FieldChangeDialog::write_changes);
    resize(fitted_to_screen(QSize(760, 600), parentWidget()));
    paint_dialog(this);
}

void FieldChangeDialog::build_choices()
{
    auto* intro = new QLabel(QStringLiteral("One field of many kaleidoscopes changed at once. Show the changes "
                                            "first: nothing is written until you press Change. Undo takes the "
                                            "whole change back."),
                             this);
    intro->setWordWrap(true);
    group_by_ = combo("change_group_by", this);
    for (const GroupFieldInfo& g : group_fields())
        group_by_->addItem(QString::fromLatin1(g.caption), int(g.field));
    group_ = combo("change_group", this);
    field_ = combo("change_field", this);
    for (const FormField& f : form_fields())
        field_->addItem(spoken_caption(QString::fromLatin1(f.caption)), int(f.member));
    // A group, so that a screen reader says what the two choices are for.
    auto* how = new QGroupBox(QStringLiteral("Change"), this);
    set_ = new QRadioButton(QStringLiteral("Set to a &new value"), how);
    set_->setObjectName(QStringLiteral("change_set"));
    set_->setChecked(true);
    replace_ = new QRadioButton(QStringLiteral("&Replace a text within it"), how);
    replace_->setObjectName(QStringLiteral("change_replace"));
    auto* how_row = new QHBoxLayout(how);
    how_row->addWidget(set_);
    how_row->addWidget(replace_);
    how_row->addStretch(1);
    from_ = new QLineEdit(this);
    from_->setObjectName(QStringLiteral("change_from"));
    to_ = combo("change_to", this);
    to_->setEditable(true);
    to_->setInsertPolicy(QComboBox::NoInsert);
    to_->setCompleter(nullptr);
    to_->lineEdit()->setObjectName(QStringLiteral("change_to_edit"));

    auto* form = new QFormLayout;
    form->addRow(caption(QStringLiteral("Group &by:"), group_by_, this), group_by_);
    form->addRow(caption(QStringLiteral("&Group:"), group_, this), group_);
    form->addRow(caption(QStringLiteral("&Field:"), field_, this), field_);
    form->addRow(how);
    form->addRow(caption(QStringLiteral("&Text to replace:"), from_, this), from_);
    to_label_ = caption(QStringLiteral("New &value:"), to_, this);
    form->addRow(to_label_, to_);

    preview_ = new QPushButton(QStringLiteral("&Show changes"), this);
    preview_->setObjectName(QStringLiteral("change_preview"));
    preview_->setDefault(true);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("change_list"));
    list_->setAccessibleName(QStringLiteral("Changes"));
    list_->setHeaderLabels(
        {QStringLiteral("Record"), QStringLiteral("Scope name"), QStringLiteral("Before"), QStringLiteral("After")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("change_status"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    change_ = buttons->addButton(QStringLiteral("&Change"), QDialogButtonBox::ActionRole);
    change_->setObjectName(QStringLiteral("change_write"));
    change_->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* preview_row = new QHBoxLayout;
    preview_row->addWidget(preview_);
    preview_row->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addLayout(preview_row);
    layout->addWidget(list_, 1);
    layout->addWidget(status_);
    layout->addWidget(buttons);
}

bool FieldChangeDialog::fill_groups(const QString& wanted)
{
    const QSignalBlocker quiet(group_);
    group_->clear();
    groups_.clear();
    records_ = working_set_();
    const GroupField by = GroupField(group_by_->currentData().toInt());
    if (const FileStatus st = group_rows(path_, records_, by, groups_); !st)
        msgbox(this, QStringLiteral("The kaleidoscopes could not be grouped:\n") + st.error, MsgIcon::critical);
    if (by == GroupField::none || groups_.empty())
        group_->addItem(QStringLiteral("All %1 of the working set").arg(records_.size()));
    for (const RowGroup& g : groups_)
        group_->addItem(QStringLiteral("%1 (%2)").arg(group_value_text(g.value)).arg(g.rows.size()));
    bool found = false;
    for (int i = 0; i < int(groups_.size()) && !found; ++i) {
        found = groups_[std::size_t(i)].value.compare(wanted, Qt::CaseInsensitive) == 0;
        if (found)
            group_->setCurrentIndex(i);
    }
    group_->setEnabled(!groups_.empty());
    forget_changes();
    return found;
}

void FieldChangeDialog::field_chosen()
{
    const Member m = Member(field_->currentData().toInt());
    const FormField* f = form_field(m);
    const bool price = is_price(m);
    // A price is set, never replaced within.
    replace_->setEnabled(!price);
    if (price && replace_->isChecked())
        set_->setChecked(true);
    const bool replacing = replace_->isChecked();
    from_->setEnabled(replacing);
    to_label_->setText(replacing ? QStringLiteral("Replace &with:") : QStringLiteral("New &value:"));
    name_by_caption(to_label_, to_);
    const QString typed = to_->currentText();
    {
        const QSignalBlocker quiet(to_);
        to_->clear();
        // The form's pick list, as suggestions: any value may be typed.
        if (f && f->kind == FieldKind::list && !replacing)
            to_->addItems(vocabulary(f->pick_list));
        to_->setEditText(typed);
        to_->lineEdit()->setMaxLength(f && f->limit > 0 && !replacing ? f->limit : 32767);
    }
    forget_changes();
}

std::vector<int> FieldChangeDialog::chosen_records() const
{
    const int g = group_->currentIndex();
    if (groups_.empty() || g < 0 || g >= int(groups_.size()))
        return records_;
    std::vector<int> records;
    for (const int row : groups_[std::size_t(g)].rows)
        records.push_back(records_.at(std::size_t(row)));
    return records;
}

void FieldChangeDialog::forget_changes()
{
    shown_ = false;
    plan_ = FieldChangePlan{};
    list_->clear();
    change_->setEnabled(false);
    change_->setText(QStringLiteral("&Change"));
    status_->setText(QStringLiteral("Press Show changes to see what would change."));
}

void FieldChangeDialog::show_changes()
{
    const ChangeForMany change{Member(field_->currentData().toInt()), replace_->isChecked(), from_->text(),
                               to_->currentText()};
    if (change.replace && change.from.isEmpty()) {
        forget_changes();
        status_->setText(QStringLiteral("Type the text to replace."));
        from_->setFocus();
        return;
    }
    WaitCursor wait;
    // The working set as it stands now: another program may have changed it,
    // and the group chosen may be gone from it; another is never changed instead.
    const int g = group_->currentIndex();
    const bool grouped = g >= 0 && g < int(groups_.size());
    const QString chosen = grouped ? groups_[std::size_t(g)].value : QString();
    if (!fill_groups(chosen) && grouped) {
        status_->setText(QStringLiteral("The group %1 is no longer in the working set: choose a group again.")
                             .arg(group_value_text(chosen)));
        return;
    }
    std::vector<int> records = chosen_records();
    records.insert(records.begin(), 0);
    FieldChangePlan plan;
    if (const FileStatus st = plan_field_change(path_, records, int(records.size()) - 1, change, plan); !st) {
        status_->setText(QStringLiteral("The kaleidoscopes could not be read:\n") + st.error);
        return;
    }
    list_->setUpdatesEnabled(false);
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(plan.changes.size()));
    for (const PlannedChange& c : plan.changes)
        items << new QTreeWidgetItem({QString::number(c.record), c.name, c.before, c.after});
    list_->addTopLevelItems(items);
    list_->setUpdatesEnabled(true);
    for (int c = 0; c < 3; ++c)
        list_->resizeColumnToContents(c);
    const int count = int(plan.changes.size());
    if (!plan.refusal.isEmpty())
        status_->setText(plan.refusal);
    else if (count == 0)
        status_->setText(QStringLiteral("No kaleidoscope would change."));
    else
        status_->setText(QStringLiteral("%1 of %2 will change.").arg(count).arg(counted(qint64(records.size()) - 1)));
    plan_ = std::move(plan);
    shown_ = plan_.refusal.isEmpty() && count > 0;
    change_->setEnabled(shown_);
    change_->setText(shown_ ? QStringLiteral("&Change ") + counted(count) : QStringLiteral("&Change"));
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
}

void FieldChangeDialog::write_changes()
{
    if (!shown_ || !write_)
        return;
    switch (write_(plan_)) {
    case Written::done:
        changed_ = int(plan_.changes.size());
        accept();
        return;
    case Written::again: show_changes(); return;
    case Written::refused: reject(); return;
    }
}

}  // namespace tessaran
