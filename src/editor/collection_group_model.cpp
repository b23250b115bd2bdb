#include "collection_group_model.h"

#include "collection_list_model.h"

#include <QFont>

namespace tessaran {

// An index's internal id: 0 for a group's own row, the group's number + 1
// for a row under it.

CollectionGroupModel::CollectionGroupModel(CollectionListModel* rows, QObject* parent)
    : QAbstractItemModel(parent), rows_(rows)
{
    connect(rows_, &QAbstractItemModel::modelReset, this, &CollectionGroupModel::regroup);
    connect(rows_, &QAbstractItemModel::dataChanged, this, &CollectionGroupModel::rows_changed);
}

FileStatus CollectionGroupModel::group_by(GroupField field)
{
    field_ = field;
    regroup();
    return status_;
}

void CollectionGroupModel::regroup()
{
    // Ungrouped, the list's rows are not read at all.
    if (field_ == GroupField::none && groups_.empty())
        return;
    beginResetModel();
    status_ = group_rows(rows_->path(), rows_->shown_records(), field_, groups_);
    if (!status_)
        groups_.clear();
    endResetModel();
}

void CollectionGroupModel::rows_changed(const QModelIndex&, const QModelIndex&, const QList<int>& roles)
{
    // A picture read or the marked row moved: the rows under every group may show it.
    for (int g = 0; g < int(groups_.size()); ++g) {
        const QModelIndex group = index(g, 0);
        emit dataChanged(index(0, 0, group), index(rowCount(group) - 1, columnCount() - 1, group), roles);
    }
}

const RowGroup* CollectionGroupModel::group_of(const QModelIndex& index) const
{
    if (!index.isValid())
        return nullptr;
    const std::size_t g = index.internalId() == 0 ? std::size_t(index.row()) : std::size_t(index.internalId() - 1);
    return g < groups_.size() ? &groups_[g] : nullptr;
}

int CollectionGroupModel::list_row(const QModelIndex& index) const
{
    if (!index.isValid() || index.internalId() == 0)
        return -1;
    const RowGroup* g = group_of(index);
    return g && index.row() < int(g->rows.size()) ? g->rows[std::size_t(index.row())] : -1;
}

QModelIndex CollectionGroupModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= columnCount())
        return {};
    if (!parent.isValid())
        return row < int(groups_.size()) ? createIndex(row, column, quintptr(0)) : QModelIndex();
    if (parent.internalId() != 0 || row >= int(groups_[std::size_t(parent.row())].rows.size()))
        return {};
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex CollectionGroupModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return createIndex(int(child.internalId() - 1), 0, quintptr(0));
}

int CollectionGroupModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return int(groups_.size());
    if (parent.internalId() != 0 || parent.column() != 0)
        return 0;
    return int(groups_[std::size_t(parent.row())].rows.size());
}

int CollectionGroupModel::columnCount(const QModelIndex&) const
{
    return rows_->columnCount();
}

QVariant CollectionGroupModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (index.internalId() != 0)
        return rows_->index(list_row(index), index.column()).data(role);
    // A group's own row: its label across the row, read whole by a screen reader.
    const RowGroup& g = groups_[std::size_t(index.row())];
    if (index.column() != 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return group_label(g);
    case Qt::FontRole: {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    default: return {};
    }
}

QVariant CollectionGroupModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    return rows_->headerData(section, orientation, role);
}

}  // namespace tessaran
