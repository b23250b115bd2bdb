// The collection list in groups: a tree whose top rows are the groups (opened
// and closed with the arrow keys, each read out with its count and sums) and
// whose leaves are the list's rows, with the list's columns.
#pragma once

#include "core/collection_groups.h"

#include <QTreeView>

#include <vector>

class QTableView;

namespace tessaran {

class CollectionGroupModel;
class CollectionListModel;

class CollectionGroupTree : public QTreeView {
    Q_OBJECT
public:
    CollectionGroupTree(CollectionListModel* rows, QWidget* parent);

    // Groups the list's rows by field; the reason when the collection could not be read.
    FileStatus group_by(GroupField field);
    // The group the current row belongs to; nullptr when there is none.
    const RowGroup* current_group() const;
    // The columns as the list shows them: which are hidden, how wide.
    void take_columns(const QTableView* table);
    // The list's rows whose leaves are in view.
    std::vector<int> list_rows_in_view() const;

signals:
    // The user chose the list's row (Enter or a double click on a leaf).
    void list_row_chosen(int row);

private:
    void span_groups();

    CollectionGroupModel* groups_;
};

}  // namespace tessaran
