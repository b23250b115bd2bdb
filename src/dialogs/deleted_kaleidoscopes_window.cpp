#include "deleted_kaleidoscopes_window.h"

#include "kaleidoscope_history_window.h"

#include "appearance/scheme_paint.h"
#include "core/blank_text.h"
#include "core/scope_record.h"
#include "ui/accessible_names.h"

#include <QHBoxLayout>
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
    table_ = history_table(
        this, "tbl_deleted",
        {QStringLiteral("Scope name"), QStringLiteral("Artist"), QStringLiteral("Deleted"), QStringLiteral("By")});
    table_->setAccessibleName(QStringLiteral("Deleted kaleidoscopes"));
    for (const DeletedKaleidoscope& d : deleted_) {
        const ScopeRecord r = decode_record(d.bytes.constData());
        add_history_row(table_,
                        {trim_blanks(r.scopename), trim_blanks(r.artist), change_time_text(d.at),
                         d.user.isEmpty() ? QStringLiteral("-") : d.user});
    }
    table_->resizeColumnsToContents();

    auto* filter_row = new QHBoxLayout;
    filter_row->addWidget(filter_label);
    filter_row->addWidget(filter_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filter_row);
    layout->addWidget(table_, 1);
    restore_ = add_restore_and_close(this, layout, QStringLiteral("&Restore"),
                                     QStringLiteral("Puts the kaleidoscope back at its place and shows it"));
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
