// The collection list's rows in groups: a row per group (its value, count and
// price sums), the list's own rows under it in the list's order, narrowed by
// the same filter. Follows the list's rows as they change.
#pragma once

#include "core/collection_groups.h"

#include <QAbstractItemModel>

#include <vector>

namespace tessaran {

class CollectionListModel;

class CollectionGroupModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit CollectionGroupModel(CollectionListModel* rows, QObject* parent = nullptr);

    // Groups the rows by field (none: no groups); the reason when the
    // collection could not be read.
    FileStatus group_by(GroupField field);
    GroupField field() const { return field_; }
    // The group an index belongs to (a group's row or one of its rows); nullptr for none.
    const RowGroup* group_of(const QModelIndex& index) const;
    // The list's row an index shows; -1 for a group's own row.
    int list_row(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void regroup();
    void rows_changed(const QModelIndex& first, const QModelIndex& last, const QList<int>& roles);

    CollectionListModel* rows_;
    GroupField field_ = GroupField::none;
    std::vector<RowGroup> groups_;
    FileStatus status_;
};

}  // namespace tessaran
