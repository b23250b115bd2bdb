#include "summary_model.h"

#include <QPainter>

namespace tessaran {

SummaryModel::SummaryModel(SummaryKind kind, std::vector<SummaryColumn> columns, std::vector<QStringList> rows,
                           QObject* parent)
    : QAbstractTableModel(parent), kind_(kind), columns_(std::move(columns)), rows_(std::move(rows))
{ }

int SummaryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int SummaryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant SummaryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const QStringList& row = rows_[static_cast<std::size_t>(index.row())];
        return index.column() < row.size() ? row.at(index.column()) : QString();
    }
    case Qt::BackgroundRole:
        // Column numbers count from 1: odd columns blue, even ones green.
        return (index.column() + 1) % 2 == 1 ? summary_odd_color() : summary_even_color();
    case Qt::ForegroundRole: return QColor(Qt::black);
    case Qt::TextAlignmentRole:
        if (summary_price_column(kind_, index.column()))
            return QVariant::fromValue(Qt::Alignment(Qt::AlignBottom | Qt::AlignRight));
        return QVariant::fromValue(Qt::Alignment(Qt::AlignBottom | Qt::AlignLeft));
    default: return {};
    }
}

QVariant SummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const SummaryColumn& c = columns_[static_cast<std::size_t>(section)];
    switch (role) {
    case Qt::DisplayRole: return c.grid_line2.isEmpty() ? c.grid_line1 : c.grid_line1 + QLatin1Char(' ') + c.grid_line2;
    case summary_heading_lines_role:
        return c.grid_line2.isEmpty() ? c.grid_line1 : c.grid_line1 + QLatin1Char('\n') + c.grid_line2;
    case Qt::ToolTipRole: return c.title;
    case Qt::BackgroundRole: return summary_heading_color();
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    default: return {};
    }
}

SummaryHeader::SummaryHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setObjectName(QStringLiteral("sumgrid_heading"));
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setFixedHeight(30);
}

QSize SummaryHeader::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    s.setHeight(30);
    return s;
}

void SummaryHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid() || !model())
        return;
    painter->save();
    painter->fillRect(rect, summary_heading_color());
    painter->setPen(QColor(128, 128, 128));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setPen(Qt::black);
    painter->setFont(font());
    // Headings wrap inside their column, so a narrow column shows them on two lines.
    const QString text = model()->headerData(logicalIndex, Qt::Horizontal, summary_heading_lines_role).toString();
    painter->drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignCenter | Qt::TextWordWrap, text);
    painter->restore();
}

}  // namespace tessaran
