#include "collection_list_model.h"

#include "core/money.h"
#include "core/picture_list.h"
#include "core/picture_paths.h"
#include "core/scope_record.h"
#include "core/sorting.h"
#include "core/working_set.h"
#include "images/thumbnails.h"

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QtEndian>

namespace tessaran {

namespace {

// What a row shows while its picture is read, or in place of one that cannot
// be shown: a plain frame (drawn with alpha, so that no window system paints
// it black), large enough to say why.
QPixmap placeholder(int side, const QString& why)
{
    static QHash<QString, QPixmap> drawn;
    const QString key = QString::number(side) + QLatin1Char('/') + why;
    if (const auto it = drawn.constFind(key); it != drawn.constEnd())
        return *it;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const QRect frame(4, 4, side - 9, side - 9);
    p.setPen(QColor(160, 160, 160));
    p.setBrush(QColor(228, 228, 228));
    p.drawRect(frame);
    if (side >= 96 && !why.isEmpty()) {
        p.setPen(QColor(70, 70, 70));
        p.drawText(frame.adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, why);
    }
    p.end();
    return *drawn.insert(key, QPixmap::fromImage(image));
}

}  // namespace

const std::vector<int>& CollectionListModel::column_fields()
{
    static const std::vector<int> fields = [] {
        std::vector<int> f = default_fields();
        for (int field = 1; field <= field_table_size; ++field) {
            if (std::find(f.begin(), f.end(), field) == f.end())
                f.push_back(field);
        }
        return f;
    }();
    return fields;
}

const std::vector<int>& CollectionListModel::default_fields()
{
    return overview_fields();
}

CollectionListModel::CollectionListModel(QObject* parent) : QAbstractTableModel(parent)
{
    // At most a few thousand previews in memory, whatever the collection's size.
    icons_.setMaxCost(16 * 1024);
    connect(&Thumbnails::instance(), &Thumbnails::ready, this, &CollectionListModel::picture_ready);
}

FileStatus CollectionListModel::load(const QString& path, const WorkingSet& ws)
{
    beginResetModel();
    path_ = path;
    scan_.close();
    FileStatus st = index_.build(path, ws.records(), ws.count());
    if (st)
        st = scan_.open(path);
    if (!st)
        index_ = CollectionIndex();
    sorted_.resize(std::size_t(index_.size()));
    for (int i = 0; i < index_.size(); ++i)
        sorted_[std::size_t(i)] = i;
    // The rows are made again from the new records below; none stays of the old.
    rows_.clear();
    endResetModel();
    if (sort_column_ > 0)
        sort(sort_column_, sort_order_);
    else
        apply_filter();
    return st;
}

void CollectionListModel::set_filter(const QString& entry)
{
    words_ = filter_words(entry);
    apply_filter();
}

void CollectionListModel::apply_filter()
{
    beginResetModel();
    std::vector<bool> match(std::size_t(index_.size()), false);
    for (const int row : index_.matching(words_))
        match[std::size_t(row)] = true;
    rows_.clear();
    rows_.reserve(sorted_.size());
    for (const int row : sorted_) {
        if (match[std::size_t(row)])
            rows_.push_back(row);
    }
    endResetModel();
}

std::vector<int> CollectionListModel::shown_records() const
{
    std::vector<int> records;
    records.reserve(rows_.size());
    for (const int row : rows_)
        records.push_back(index_.record_at(row));
    return records;
}

int CollectionListModel::position_of_row(int row) const
{
    return row >= 0 && row < shown() ? rows_[std::size_t(row)] + 1 : 0;
}

int CollectionListModel::row_of_position(int position) const
{
    const auto it = std::find(rows_.begin(), rows_.end(), position - 1);
    return it == rows_.end() ? -1 : int(it - rows_.begin());
}

void CollectionListModel::set_current_position(int position)
{
    if (position == current_position_)
        return;
    const int old_row = row_of_position(current_position_);
    current_position_ = position;
    for (const int row : {old_row, row_of_position(position)}) {
        if (row >= 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1), {Qt::FontRole, Qt::BackgroundRole});
    }
}

int CollectionListModel::field_of_column(int column) const
{
    return column >= 1 && column <= field_table_size ? column_fields()[std::size_t(column - 1)] : 0;
}

int CollectionListModel::column_of_field(int field) const
{
    const auto& f = column_fields();
    const auto it = std::find(f.begin(), f.end(), field);
    return it == f.end() ? -1 : int(it - f.begin()) + 1;
}

int CollectionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shown();
}

int CollectionListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : field_table_size + 1;
}

QVariant CollectionListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= shown())
        return {};
    const int row = rows_[std::size_t(index.row())];
    const bool current = row + 1 == current_position_;
    switch (role) {
    case Qt::DisplayRole: {
        const int field = field_of_column(index.column());
        return field > 0 ? QVariant(text_of(row, field)) : QVariant();
    }
    case Qt::DecorationRole: {
        if (index.column() != 0)
            return {};
        const QPixmap picture = picture_of(row);
        return picture.isNull() ? QVariant() : QVariant(picture);
    }
    case Qt::AccessibleTextRole: {
        // The picture's cell, or a gallery's tile, is the kaleidoscope:
        // "Blue Hour, Abernathy, Rose".
        if (index.column() != 0)
            return {};
        QStringList said;
        for (const int field : {1, 2}) {
            if (const QString text = text_of(row, field); !text.isEmpty())
                said << text;
        }
        return said.isEmpty() ? QStringLiteral("Kaleidoscope without a name") : said.join(QStringLiteral(", "));
    }
    case Qt::ToolTipRole: {
        const QString path = index.column() == 0 ? first_picture(row) : QString();
        return path.isEmpty() ? QVariant() : QVariant(Thumbnails::instance().tooltip(path));
    }
    case Qt::TextAlignmentRole: {
        const Member member = field_member(field_of_column(index.column()));
        return is_price(member) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    }
    case Qt::FontRole: {
        if (!current)
            return {};
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    case Qt::BackgroundRole: return current ? QVariant(QColor(255, 236, 179)) : QVariant();
    case Qt::ForegroundRole: return current ? QVariant(QColor(Qt::black)) : QVariant();
    default: return {};
    }
}

QString CollectionListModel::text_of(int row, int field) const
{
    const char* raw = scan_.raw(index_.record_at(row));
    if (!raw)
        return QString();
    const Member member = field_member(field);
    if (is_price(member))
        return money_text(
            qFromLittleEndian<qint64>(raw + (member == m_price_paid ? offset_price_paid : offset_price_retail)));
    return trimmed_member_text(raw, member);
}

QVariant CollectionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("Picture") : field_name(field_of_column(section));
}

void CollectionListModel::sort(int column, Qt::SortOrder order)
{
    sort_column_ = column;
    sort_order_ = order;
    sorted_.resize(std::size_t(index_.size()));
    for (int i = 0; i < index_.size(); ++i)
        sorted_[std::size_t(i)] = i;
    const int field = field_of_column(column);
    if (field > 0 && index_.size() > 1) {
        // The sort orders record numbers; each is one row of the working set.
        std::vector<int> records(std::size_t(index_.size()) + 1, 0);
        int highest = 0;
        for (int i = 0; i < index_.size(); ++i) {
            records[std::size_t(i) + 1] = index_.record_at(i);
            highest = qMax(highest, index_.record_at(i));
        }
        std::vector<int> row_of_record(std::size_t(highest) + 1, 0);
        for (int i = 0; i < index_.size(); ++i)
            row_of_record[std::size_t(index_.record_at(i))] = i;
        if (sort_record_numbers(path_, records, index_.size(), field, order == Qt::DescendingOrder, true)) {
            for (int i = 0; i < index_.size(); ++i)
                sorted_[std::size_t(i)] = row_of_record[std::size_t(records[std::size_t(i) + 1])];
        }
    }
    apply_filter();
}

QString CollectionListModel::first_picture(int row) const
{
    const char* raw = scan_.raw(index_.record_at(row));
    return raw ? picture_file(first_picture_of(raw), path_) : QString();
}

void CollectionListModel::set_picture_side(int side)
{
    if (side == picture_side_)
        return;
    picture_side_ = side;
    icons_.clear();
    if (shown() > 0)
        emit dataChanged(index(0, 0), index(shown() - 1, 0), {Qt::DecorationRole});
}

QPixmap CollectionListModel::picture_of(int row) const
{
    const QString path = first_picture(row);
    if (path.isEmpty())
        return picture_side_ == icon_size ? QPixmap() : placeholder(picture_side_, QStringLiteral("No picture"));
    if (const QPixmap* icon = icons_.object(path))
        return *icon;
    // Only a preview already read is shown; reading is started for the rows
    // in view (read_pictures), never while the user scrolls past.
    Thumbnails& previews = Thumbnails::instance();
    if (!previews.is_done(path))
        return placeholder(picture_side_, QString());
    QPixmap icon(previews.preview_file(path));
    if (icon.isNull())
        return placeholder(picture_side_, QStringLiteral("Picture cannot be shown"));  // the tooltip says why
    if (icon.width() > picture_side_ || icon.height() > picture_side_)
        icon = icon.scaled(picture_side_, picture_side_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    icons_.insert(path, new QPixmap(icon), qMax(1, int(icon.width() * icon.height() * 4 / 1024)));
    return icon;
}

void CollectionListModel::read_pictures(int first, int last)
{
    for (int row = qMax(0, first); row <= last && row < shown(); ++row) {
        const QString path = first_picture(rows_[std::size_t(row)]);
        if (!path.isEmpty())
            Thumbnails::instance().preview_file(path);
    }
}

void CollectionListModel::picture_ready(const QString& path)
{
    Q_UNUSED(path);
    if (shown() > 0)
        emit dataChanged(index(0, 0), index(shown() - 1, 0), {Qt::DecorationRole});
}

}  // namespace tessaran
