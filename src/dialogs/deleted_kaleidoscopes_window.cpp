#include "deleted_kaleidoscopes_window.h"

#include "kaleidoscope_history_window.h"

#include "appearance/scheme_paint.h"
#include "core/blank_text.h"
#include "core/scope_record.h"
#include "ui/accessible_names.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tessaran {

DeletedKaleidoscopesWindow::DeletedKaleidoscopesWindow(std::vector<DeletedKaleidoscope> deleted, QWidget* parent)
    : QDialog(parent), deleted_(std::move(deleted))
{
    setObjectName(QStringLiteral("frm_deleted"));
    setWindowTitle(QStringLiteral("Deleted kaleidoscopes"));
    auto* filter_label = new QLabel(QStringLiteral("&Filter:"), this);
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("ed_filter"));
    filter_->setClearButtonEnabled(true);
    filter_label->setBuddy(filter_);
    name_by_caption(filter_label, filter_);
    table_ = new QTableWidget(0, 4, this);
    table_->setObjectName(QStringLiteral("tbl_deleted"));
    table_->setAccessibleName(QStringLiteral("Deleted kaleidoscopes"));
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Scope name"), QStringLiteral("Artist"), QStringLiteral("Deleted"), QStringLiteral("By")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setTabKeyNavigation(false);
    for (const DeletedKaleidoscope& d : deleted_) {
        const ScopeRecord r = decode_record(d.bytes.constData());
        const int row = table_->rowCount();
        table_->insertRow(row);
        const QStringList cells{trim_blanks(r.scopename), trim_blanks(r.artist), change_time_text(d.at),
                                d.user.isEmpty() ? QStringLiteral("-") : d.user};
        for (int c = 0; c < 4; ++c)
            table_->setItem(row, c, new QTableWidgetItem(cells.at(c)));
    }
    table_->resizeColumnsToContents();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    restore_ = buttons->addButton(QStringLiteral("&Restore"), QDialogButtonBox::AcceptRole);
    restore_->setObjectName(QStringLiteral("cmd_restore"));
    restore_->setToolTip(QStringLiteral("Puts the kaleidoscope back at its place and shows it"));
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmd_close"));
    auto* filter_row = new QHBoxLayout;
    filter_row->addWidget(filter_label);
    filter_row->addWidget(filter_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filter_row);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(filter_, &QLineEdit::textChanged, this, &DeletedKaleidoscopesWindow::filter);
    connect(table_, &QTableWidget::currentCellChanged, this, [this] { restore_->setEnabled(chosen() != nullptr); });
    table_->setCurrentCell(0, 0);
    restore_->setEnabled(chosen() != nullptr);
    resize(640, 440);
    paint_dialog(this);
}

void DeletedKaleidoscopesWindow::filter(const QString& text)
{
    const QString wanted = text.trimmed();
    int first = -1;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const bool shown = wanted.isEmpty() || table_->item(row, 0)->text().contains(wanted, Qt::CaseInsensitive)
            || table_->item(row, 1)->text().contains(wanted, Qt::CaseInsensitive);
        table_->setRowHidden(row, !shown);
        if (shown && first < 0)
            first = row;
    }
    table_->setCurrentCell(first, 0);
    restore_->setEnabled(chosen() != nullptr);
}

const DeletedKaleidoscope* DeletedKaleidoscopesWindow::chosen() const
{
    const int row = table_->currentRow();
    if (row < 0 || row >= int(deleted_.size()) || table_->isRowHidden(row))
        return nullptr;
    return &deleted_[std::size_t(row)];
}

}  // namespace tessaran
