#include "kaleidoscope_history_window.h"

#include "appearance/scheme_paint.h"
#include "core/record_changes.h"
#include "ui/accessible_names.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tessaran {
namespace {

ScopeRecord record_of(const QByteArray& bytes)
{
    return bytes.size() == rec_len_bytes ? decode_record(bytes.constData()) : ScopeRecord();
}

}  // namespace

QTableWidget* history_table(QWidget* parent, const char* name, const QStringList& headings)
{
    auto* t = new QTableWidget(0, int(headings.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headings);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->setTabKeyNavigation(false);
    return t;
}

void add_history_row(QTableWidget* t, const QStringList& cells)
{
    const int row = t->rowCount();
    t->insertRow(row);
    for (int c = 0; c < int(cells.size()); ++c)
        t->setItem(row, c, new QTableWidgetItem(cells.at(c)));
}

QPushButton* add_restore_and_close(QDialog* dialog, QBoxLayout* layout, const QString& text, const QString& tip)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QPushButton* restore = buttons->addButton(text, QDialogButtonBox::AcceptRole);
    restore->setObjectName(QStringLiteral("cmd_restore"));
    restore->setToolTip(tip);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmd_close"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return restore;
}

QString change_kind_text(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::save: return QStringLiteral("Saved");
    case ChangeKind::add: return QStringLiteral("Added");
    case ChangeKind::remove: return QStringLiteral("Deleted");
    case ChangeKind::import: return QStringLiteral("Imported");
    case ChangeKind::pictures: return QStringLiteral("Picture paths changed");
    case ChangeKind::many: return QStringLiteral("Changed with others");
    case ChangeKind::undo: return QStringLiteral("Undone");
    case ChangeKind::redo: return QStringLiteral("Redone");
    case ChangeKind::outside: return QStringLiteral("Changed by another program");
    case ChangeKind::restore: return QStringLiteral("Restored");
    }
    return QString();
}

QString change_time_text(const QDateTime& at)
{
    return QLocale().toString(at.toLocalTime(), QLocale::ShortFormat);
}

KaleidoscopeHistoryWindow::KaleidoscopeHistoryWindow(const QString& name, std::vector<KaleidoscopeVersion> versions,
                                                     QWidget* parent)
    : QDialog(parent), versions_(std::move(versions))
{
    setObjectName(QStringLiteral("frm_history"));
    setWindowTitle(QStringLiteral("History of %1").arg(name));
    auto* versions_label = new QLabel(QStringLiteral("&Versions, newest first:"), this);
    versions_table_ = history_table(this, "tbl_versions",
                                    {QStringLiteral("When"), QStringLiteral("Who"), QStringLiteral("Change")});
    versions_label->setBuddy(versions_table_);
    name_by_caption(versions_label, versions_table_);
    auto* fields_label = new QLabel(QStringLiteral("&Fields this version changed:"), this);
    fields_table_ = history_table(this, "tbl_fields",
                                  {QStringLiteral("Field"), QStringLiteral("Before"), QStringLiteral("After")});
    fields_label->setBuddy(fields_table_);
    name_by_caption(fields_label, fields_table_);
    for (const KaleidoscopeVersion& v : versions_)
        add_history_row(
            versions_table_,
            {change_time_text(v.at), v.user.isEmpty() ? QStringLiteral("-") : v.user, change_kind_text(v.kind)});
    versions_table_->resizeColumnsToContents();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(versions_label);
    layout->addWidget(versions_table_, 1);
    layout->addWidget(fields_label);
    layout->addWidget(fields_table_, 2);
    restore_ = add_restore_and_close(this, layout, QStringLiteral("&Restore this version"),
                                     QStringLiteral("Puts this version's values on the form, to be saved as usual"));
    connect(versions_table_, &QTableWidget::currentCellChanged, this, [this](int row) { show_fields(row); });
    versions_table_->setCurrentCell(0, 0);
    show_fields(versions_table_->currentRow());
    resize(720, 520);
    paint_dialog(this);
}

void KaleidoscopeHistoryWindow::show_fields(int row)
{
    fields_table_->setRowCount(0);
    restore_->setEnabled(row >= 0 && row < int(versions_.size()));
    if (!restore_->isEnabled())
        return;
    const KaleidoscopeVersion& v = versions_[std::size_t(row)];
    for (const FieldChange& c : field_changes(record_of(v.before), record_of(v.after)))
        add_history_row(fields_table_, {c.field, c.before, c.after});
    fields_table_->resizeColumnToContents(0);
}

ScopeRecord KaleidoscopeHistoryWindow::chosen() const
{
    const int row = versions_table_->currentRow();
    if (row < 0 || row >= int(versions_.size()))
        return ScopeRecord();
    const KaleidoscopeVersion& v = versions_[std::size_t(row)];
    return record_of(v.after.isEmpty() ? v.before : v.after);
}

}  // namespace tessaran
