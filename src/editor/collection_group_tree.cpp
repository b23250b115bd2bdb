#include "collection_group_tree.h"

#include "collection_group_model.h"
#include "collection_list_model.h"

#include <QHeaderView>
#include <QTableView>

namespace tessaran {

CollectionGroupTree::CollectionGroupTree(CollectionListModel* rows, QWidget* parent)
    : QTreeView(parent), groups_(new CollectionGroupModel(rows, this))
{
    setObjectName(QStringLiteral("list_groups"));
    setAccessibleName(QStringLiteral("Kaleidoscopes in groups"));
    setModel(groups_);
    // A group's row is a line of text, a kaleidoscope's as tall as its picture.
    setUniformRowHeights(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(CollectionListModel::icon_size, CollectionListModel::icon_size));
    setAllColumnsShowFocus(true);
    connect(groups_, &QAbstractItemModel::modelReset, this, &CollectionGroupTree::span_groups);
    connect(this, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (const int row = groups_->list_row(index); row >= 0)
            emit list_row_chosen(row);
        else
            setExpanded(index.siblingAtColumn(0), !isExpanded(index.siblingAtColumn(0)));
    });
}

FileStatus CollectionGroupTree::group_by(GroupField field)
{
    return groups_->group_by(field);
}

const RowGroup* CollectionGroupTree::current_group() const
{
    return groups_->group_of(currentIndex());
}

void CollectionGroupTree::take_columns(const QTableView* table)
{
    for (int c = 0; c < groups_->columnCount(); ++c) {
        setColumnHidden(c, table->isColumnHidden(c));
        setColumnWidth(c, table->columnWidth(c) + (c == 0 ? indentation() : 0));
    }
}

void CollectionGroupTree::span_groups()
{
    // A group's label runs across its row.
    for (int g = 0; g < groups_->rowCount(); ++g)
        setFirstColumnSpanned(g, QModelIndex(), true);
}

std::vector<int> CollectionGroupTree::list_rows_in_view() const
{
    std::vector<int> rows;
    for (QModelIndex i = indexAt(QPoint(1, 1)); i.isValid() && visualRect(i).top() < viewport()->height();
         i = indexBelow(i)) {
        if (const int row = groups_->list_row(i); row >= 0)
            rows.push_back(row);
    }
    return rows;
}

}  // namespace tessaran
