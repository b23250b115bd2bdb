// The summary table for the grid: texts, colours and alignment through roles,
// one row per record of the working set, nothing stored per cell but its text.
#pragma once

#include "core/summary_rows.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHeaderView>
#include <QStringList>

#include <vector>

namespace tessaran {

// Colours of the grid.
inline QColor summary_heading_color()
{
    return QColor(255, 225, 225);
}
inline QColor summary_odd_color()
{
    return QColor(225, 225, 255);
}  // columns 1, 3, 5 ...
inline QColor summary_even_color()
{
    return QColor(225, 255, 225);
}  // columns 2, 4, 6 ...

// The heading as the grid draws it, on its two lines; the display role gives
// it on one ("Scope Name"), as a screen reader says it.
inline constexpr int summary_heading_lines_role = Qt::UserRole + 1;

class SummaryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SummaryModel(SummaryKind kind, std::vector<SummaryColumn> columns, std::vector<QStringList> rows,
                 QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const std::vector<SummaryColumn>& columns() const { return columns_; }
    const std::vector<QStringList>& rows() const { return rows_; }
    SummaryKind kind() const { return kind_; }

private:
    SummaryKind kind_;
    std::vector<SummaryColumn> columns_;
    std::vector<QStringList> rows_;
};

// The heading row: its colour, a frame, and the heading wrapped to the column.
class SummaryHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit SummaryHeader(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

}  // namespace tessaran
