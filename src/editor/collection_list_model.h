// The rows of the collection list: one per kaleidoscope of the working set,
// narrowed by the filter and ordered by a column, read straight from the
// collection (nothing is decoded until a row is on screen).
#pragma once

#include "core/collection_index.h"
#include "core/record_file.h"

#include <QAbstractTableModel>
#include <QCache>
#include <QPixmap>

#include <vector>

namespace tessaran {

class WorkingSet;

class CollectionListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Column 0 shows the first picture; columns 1..27 the fields, in this order.
    static const std::vector<int>& column_fields();
    // The fields shown until the user chooses others.
    static const std::vector<int>& default_fields();
    static constexpr int icon_size = 48;
    // The pictures of the gallery's tiles.
    static constexpr int tile_picture_size = 160;

    explicit CollectionListModel(QObject* parent = nullptr);

    // Reads the working set's records, in its order; the filter and the
    // column order chosen stay. On failure the list is empty.
    FileStatus load(const QString& path, const WorkingSet& ws);
    void set_filter(const QString& entry);
    // Rows shown, and kaleidoscopes in the working set.
    int shown() const { return int(rows_.size()); }
    int total() const { return index_.size(); }
    // The collection the rows are read from, and the record number of each row shown.
    const QString& path() const { return path_; }
    std::vector<int> shown_records() const;
    // The working-set position of a row; the row of a position (-1: filtered out).
    int position_of_row(int row) const;
    int row_of_position(int position) const;
    // Starts reading the pictures of rows first..last (the rows in view once
    // scrolling rests); a row shows a placeholder until its picture is read.
    void read_pictures(int first, int last);
    // The longer side of the pictures the rows give (icon_size or
    // tile_picture_size), for the view that shows them.
    void set_picture_side(int side);
    int picture_side() const { return picture_side_; }
    // The position shown in the editor, whose row is marked.
    void set_current_position(int position);
    int field_of_column(int column) const;
    int column_of_field(int field) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // A column orders the rows by its field with the Sort dialog's keys (empty
    // dates last); column -1 (or the picture) keeps the working set's order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void apply_filter();
    QPixmap picture_of(int index_row) const;
    QString first_picture(int index_row) const;
    // A field's text in a row, as the list shows it.
    QString text_of(int index_row, int field) const;
    void picture_ready(const QString& path);

    QString path_;
    CollectionIndex index_;
    mutable RecordScanner scan_;
    std::vector<int> sorted_;  // index rows in the order chosen
    std::vector<int> rows_;    // the rows shown: sorted_ narrowed by the filter
    QStringList words_;
    int sort_column_ = -1;
    Qt::SortOrder sort_order_ = Qt::AscendingOrder;
    int current_position_ = 0;
    int picture_side_ = icon_size;
    mutable QCache<QString, QPixmap> icons_;
};

}  // namespace tessaran
