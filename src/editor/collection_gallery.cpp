#include "collection_gallery.h"

#include "collection_list_model.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace tessaran {

namespace {

constexpr int tile_margin = 8;

// A tile: the picture centred in its square, the name in bold and the
// artist under it, each cut with an ellipsis where it is too long.
class TileDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        const int side = CollectionListModel::tile_picture_size;
        return {side + 2 * tile_margin, side + 2 * tile_margin + 2 * option.fontMetrics.height() + 4};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QAbstractItemModel* model = index.model();
        const auto* list = static_cast<const CollectionListModel*>(model);
        // The frame, selection and focus as the style draws an item, without
        // its own picture and text.
        opt.text.clear();
        opt.icon = QIcon();
        opt.features &= ~QStyleOptionViewItem::HasDecoration;
        const QWidget* view = option.widget;
        QStyle* style = view ? view->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, p, view);

        const int side = CollectionListModel::tile_picture_size;
        const QRect square(opt.rect.left() + (opt.rect.width() - side) / 2, opt.rect.top() + tile_margin, side, side);
        const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
        if (!picture.isNull()) {
            const QSize shown = picture.deviceIndependentSize().toSize();
            p->drawPixmap(QRect(square.center() - QPoint(shown.width() / 2, shown.height() / 2), shown), picture);
        }
        const bool selected = opt.state & QStyle::State_Selected;
        const QVariant marked = index.data(Qt::ForegroundRole);
        p->setPen(selected               ? opt.palette.color(QPalette::HighlightedText)
                      : marked.isValid() ? marked.value<QColor>()
                                         : opt.palette.color(QPalette::Text));
        const int line = opt.fontMetrics.height();
        QRect text_rect(opt.rect.left() + 4, square.bottom() + 4, opt.rect.width() - 8, line);
        QFont bold = opt.font;
        bold.setBold(true);
        p->setFont(bold);
        const QString name = model->index(index.row(), list->column_of_field(1)).data().toString();
        p->drawText(text_rect, Qt::AlignHCenter | Qt::AlignTop,
                    QFontMetrics(bold).elidedText(name, Qt::ElideRight, text_rect.width()));
        p->setFont(opt.font);
        text_rect.translate(0, line);
        const QString artist = model->index(index.row(), list->column_of_field(2)).data().toString();
        p->drawText(text_rect, Qt::AlignHCenter | Qt::AlignTop,
                    opt.fontMetrics.elidedText(artist, Qt::ElideRight, text_rect.width()));
    }
};

}  // namespace

CollectionGallery::CollectionGallery(CollectionListModel* model, QWidget* parent) : QListView(parent)
{
    setObjectName(QStringLiteral("list_gallery"));
    setAccessibleName(QStringLiteral("Kaleidoscopes"));
    // List mode laid out left to right: with tiles of one size the view never
    // measures more than the rows in sight, whatever the collection's size.
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setSpacing(4);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setItemDelegate(new TileDelegate(this));
    setModel(model);
    setModelColumn(0);
    verticalScrollBar()->setSingleStep(40);
}

std::pair<int, int> CollectionGallery::rows_in_view() const
{
    const int rows = model()->rowCount();
    // The first tile in sight; the top may fall between two rows of tiles.
    QModelIndex first;
    for (int y = 0; y <= 3 * spacing() + 2 && !first.isValid(); ++y)
        first = indexAt(QPoint(spacing() + CollectionListModel::tile_picture_size / 2, y));
    if (rows == 0 || !first.isValid())
        return {-1, -1};
    const QSize tile = sizeHintForIndex(first) + QSize(2 * spacing(), 2 * spacing());
    const int across = qMax(1, viewport()->width() / qMax(1, tile.width()));
    const int down = viewport()->height() / qMax(1, tile.height()) + 2;
    return {first.row(), qMin(rows - 1, first.row() + across * down)};
}

}  // namespace tessaran
