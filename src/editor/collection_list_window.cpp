#include "collection_list_window.h"

#include "collection_gallery.h"
#include "collection_group_tree.h"
#include "collection_list_model.h"

#include "core/session.h"
#include "core/working_set.h"
#include "ui/accessible_names.h"
#include "ui/context_menu_key.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessaran {

namespace {

const QString hidden_key = QStringLiteral("collection_list/hidden_fields");
const QString view_key = QStringLiteral("collection_list/view");
const QString gallery_value = QStringLiteral("gallery");
// A column fitted to what it holds never takes more than this.
constexpr int widest_column = 280;

// The fields the user hid, as remembered; the default hides all but eight.
std::vector<int> hidden_fields()
{
    QSettings settings;
    std::vector<int> hidden;
    if (!settings.contains(hidden_key)) {
        const auto& shown = CollectionListModel::default_fields();
        for (int field = 1; field <= field_table_size; ++field) {
            if (std::find(shown.begin(), shown.end(), field) == shown.end())
                hidden.push_back(field);
        }
        return hidden;
    }
    for (const QString& f : settings.value(hidden_key).toString().split(QLatin1Char(','), Qt::SkipEmptyParts))
        hidden.push_back(f.toInt());
    return hidden;
}

QTableView* make_table(CollectionListModel* model, QWidget* parent)
{
    auto* table = new QTableView(parent);
    // Tab goes back to the filter; the arrows move between rows.
    table->setTabKeyNavigation(false);
    table->setObjectName(QStringLiteral("list_table"));
    table->setAccessibleName(QStringLiteral("Kaleidoscopes"));
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(CollectionListModel::icon_size + 4);
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    table->setColumnWidth(0, CollectionListModel::icon_size + 12);
    table->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    // Fitting the columns measures the rows in sight, not all 32767.
    table->horizontalHeader()->setResizeContentsPrecision(60);
    return table;
}

// One side of the switch between list and gallery: a button in the tab
// order; the arrows move to the other side and choose it.
QToolButton* make_switch(const char* name, const QString& text, const QString& tip, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setCheckable(true);
    b->setAutoExclusive(true);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

}  // namespace

CollectionListWindow::CollectionListWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm_list"));
    setWindowTitle(QStringLiteral("Collection list"));

    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("list_filter"));
    filter_->setPlaceholderText(QStringLiteral("Words to look for"));
    filter_->setClearButtonEnabled(true);
    auto* filter_label = new QLabel(QStringLiteral("&Filter:"), this);
    name_by_caption(filter_label, filter_);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("list_count"));

    model_ = new CollectionListModel(this);
    table_ = make_table(model_, this);
    apply_hidden_fields();
    gallery_ = new CollectionGallery(model_, this);
    groups_ = new CollectionGroupTree(model_, this);
    views_ = new QStackedWidget(this);
    views_->addWidget(table_);
    views_->addWidget(gallery_);
    views_->addWidget(groups_);
    as_list_
        = make_switch("list_as_list", QStringLiteral("List"), QStringLiteral("Show the kaleidoscopes as a list"), this);
    as_gallery_ = make_switch("list_as_gallery", QStringLiteral("Gallery"),
                              QStringLiteral("Show the kaleidoscopes as a gallery of pictures"), this);

    auto* top = new QHBoxLayout;
    top->addWidget(filter_label);
    top->addWidget(filter_, 1);
    top->addWidget(count_);
    top->addSpacing(8);
    top->addWidget(as_list_);
    top->addWidget(as_gallery_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(build_grouping());
    layout->addWidget(views_, 1);
    setTabOrder(filter_, as_list_);
    setTabOrder(as_list_, as_gallery_);
    setTabOrder(as_gallery_, group_by_);
    setTabOrder(group_by_, select_group_);
    setTabOrder(select_group_, table_);
    setTabOrder(table_, gallery_);
    setTabOrder(gallery_, groups_);

    connect_views();
    setFocusProxy(filter_);
    show_as_gallery(QSettings().value(view_key).toString() == gallery_value);
}

QHBoxLayout* CollectionListWindow::build_grouping()
{
    group_by_ = new QComboBox(this);
    group_by_->setObjectName(QStringLiteral("list_group_by"));
    for (const GroupFieldInfo& info : group_fields())
        group_by_->addItem(QString::fromLatin1(info.caption), int(info.field));
    auto* group_label = new QLabel(QStringLiteral("Group by:"), this);
    name_by_caption(group_label, group_by_);
    select_group_ = new QPushButton(QStringLiteral("Select this group"), this);
    select_group_->setObjectName(QStringLiteral("list_select_group"));
    select_group_->setToolTip(QStringLiteral("Make the group of the current row the working set"));
    select_group_->setEnabled(false);

    auto* grouping = new QHBoxLayout;
    grouping->addWidget(group_label);
    grouping->addWidget(group_by_);
    grouping->addWidget(select_group_);
    grouping->addStretch(1);
    return grouping;
}

void CollectionListWindow::connect_views()
{
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_->set_filter(text);
        show_count();
    });
    const auto choose = [this](const QModelIndex& index) {
        if (const int position = model_->position_of_row(index.row()); position > 0)
            emit position_chosen(position);
    };
    connect(table_, &QAbstractItemView::activated, this, choose);
    connect(gallery_, &QAbstractItemView::activated, this, choose);
    connect(as_list_, &QToolButton::clicked, this, [this] { show_as_gallery(false); });
    connect(as_gallery_, &QToolButton::clicked, this, [this] { show_as_gallery(true); });
    connect(groups_, &CollectionGroupTree::list_row_chosen, this,
            [choose, this](int row) { choose(model_->index(row, 0)); });
    connect(group_by_, &QComboBox::currentIndexChanged, this, &CollectionListWindow::group_by_choice);
    connect(groups_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { select_group_->setEnabled(current_group().first != GroupField::none); });
    connect(select_group_, &QPushButton::clicked, this, [this] {
        if (const auto [field, value] = current_group(); field != GroupField::none)
            emit group_chosen(group_criteria(field, value));
    });
    connect(table_->horizontalHeader(), &QWidget::customContextMenuRequested, this,
            &CollectionListWindow::choose_columns);
    // The pictures of the rows in view are read once the rows rest, so that
    // scrolling through thousands of rows never waits for them.
    rested_ = new QTimer(this);
    rested_->setSingleShot(true);
    rested_->setInterval(150);
    connect(rested_, &QTimer::timeout, this, &CollectionListWindow::read_pictures_in_view);
    const auto rest_then_read = [this] { rested_->start(); };
    connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, this, rest_then_read);
    connect(gallery_->verticalScrollBar(), &QScrollBar::valueChanged, this, rest_then_read);
    connect(groups_->verticalScrollBar(), &QScrollBar::valueChanged, this, rest_then_read);
    connect(groups_, &QTreeView::expanded, this, rest_then_read);
    // New rows are read at once: nothing scrolls past them yet.
    connect(model_, &QAbstractItemModel::modelReset, this,
            [this] { QTimer::singleShot(0, this, &CollectionListWindow::read_pictures_in_view); });
    filter_->installEventFilter(this);
    table_->installEventFilter(this);
    gallery_->installEventFilter(this);
    groups_->installEventFilter(this);
}

QString CollectionListWindow::filter() const
{
    return filter_->text();
}

void CollectionListWindow::set_filter(const QString& words)
{
    filter_->setText(words);
}

QAbstractItemView* CollectionListWindow::view() const
{
    return static_cast<QAbstractItemView*>(views_->currentWidget());
}

void CollectionListWindow::group_by_choice()
{
    const auto field = GroupField(group_by_->currentData().toInt());
    if (const FileStatus st = groups_->group_by(field); !st)
        msgbox(this, QStringLiteral("The kaleidoscopes could not be grouped:\n") + st.error, MsgIcon::critical);
    select_group_->setEnabled(false);
    // Groups are the list's: the gallery stays as it is.
    if (as_list_->isChecked())
        show_as_gallery(false);
}

std::pair<GroupField, QString> CollectionListWindow::current_group() const
{
    const RowGroup* g = view() == groups_ ? groups_->current_group() : nullptr;
    return g ? std::pair(GroupField(group_by_->currentData().toInt()), g->value)
             : std::pair(GroupField::none, QString());
}

void CollectionListWindow::show_as_gallery(bool gallery)
{
    const QModelIndex current = view()->currentIndex();
    const int row = current.isValid() && current.model() == model_ ? current.row() : model_->row_of_position(position_);
    (gallery ? as_gallery_ : as_list_)->setChecked(true);
    model_->set_picture_side(gallery ? CollectionListModel::tile_picture_size : CollectionListModel::icon_size);
    const bool grouped = group_by_->currentData().toInt() != int(GroupField::none);
    if (grouped)
        groups_->take_columns(table_);
    views_->setCurrentWidget(gallery       ? static_cast<QWidget*>(gallery_)
                                 : grouped ? static_cast<QWidget*>(groups_)
                                           : table_);
    QSettings().setValue(view_key, gallery ? gallery_value : QStringLiteral("list"));
    if (row >= 0 && view()->model() == model_) {
        view()->setCurrentIndex(model_->index(row, gallery ? 0 : model_->column_of_field(1)));
        view()->scrollTo(view()->currentIndex());
    }
    // Groups are the list's: in the gallery their controls rest.
    group_by_->setEnabled(!gallery);
    select_group_->setEnabled(current_group().first != GroupField::none);
    rested_->start();
}

QSize CollectionListWindow::sizeHint() const
{
    if (!columns_fitted_)
        return {760, 560};
    int width = 0;
    for (int column = 0; column < model_->columnCount(); ++column) {
        if (!table_->isColumnHidden(column))
            width += table_->columnWidth(column);
    }
    const QMargins margins = layout()->contentsMargins();
    width += 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width() + margins.left()
        + margins.right();
    return {qMax(width, 480), 560};
}

void CollectionListWindow::fit_columns()
{
    if (columns_fitted_ || model_->shown() == 0)
        return;
    columns_fitted_ = true;
    for (int column = 1; column < model_->columnCount(); ++column) {
        if (table_->isColumnHidden(column))
            continue;
        table_->resizeColumnToContents(column);
        table_->setColumnWidth(column, qMin(table_->columnWidth(column), widest_column));
    }
}

void CollectionListWindow::follow(const Session& session)
{
    const std::vector<int> records(
        session.ws().records().begin(),
        session.ws().records().begin()
            + qMin<qsizetype>(session.ws().count() + 1, qsizetype(session.ws().records().size())));
    const FileStamp stamp = file_stamp(session.path());
    if (session.path() != path_ || records != records_ || stamp != stamp_) {
        path_ = session.path();
        records_ = records;
        stamp_ = stamp;
        if (const FileStatus st = model_->load(session.path(), session.ws()); !st)
            msgbox(this, QStringLiteral("The kaleidoscopes could not be listed:\n") + st.error, MsgIcon::critical);
        show_count();
        fit_columns();
    }
    position_ = session.ws().position();
    model_->set_current_position(position_);
    if (const int row = model_->row_of_position(position_); row >= 0) {
        // The gallery's arrows start from the kaleidoscope in the editor.
        if (view() == gallery_)
            gallery_->setCurrentIndex(model_->index(row, 0));
        if (view()->model() == model_)
            view()->scrollTo(model_->index(row, 0));
    }
}

void CollectionListWindow::read_pictures_in_view()
{
    if (view() == groups_) {
        for (const int row : groups_->list_rows_in_view())
            model_->read_pictures(row, row);
        return;
    }
    auto [first, last] = view() == gallery_
        ? gallery_->rows_in_view()
        : std::pair{table_->rowAt(0), table_->rowAt(table_->viewport()->height() - 1)};
    if (first >= 0 && last < 0)
        last = model_->shown() - 1;
    if (first >= 0)
        model_->read_pictures(first, last);
    else if (model_->shown() > 0 && view()->isVisible() && !rested_->isActive())
        rested_->start();  // the view has not laid its rows out yet: once it has
}

void CollectionListWindow::show_count()
{
    count_->setText(QStringLiteral("%1 of %2 kaleidoscopes").arg(model_->shown()).arg(model_->total()));
}

void CollectionListWindow::apply_hidden_fields()
{
    const std::vector<int> hidden = hidden_fields();
    for (int field = 1; field <= field_table_size; ++field) {
        const bool hide = std::find(hidden.begin(), hidden.end(), field) != hidden.end();
        table_->setColumnHidden(model_->column_of_field(field), hide);
    }
}

void CollectionListWindow::choose_columns(const QPoint& at)
{
    QHeaderView* heading = table_->horizontalHeader();
    heading_menu(heading->logicalIndexAt(at), heading->mapToGlobal(at));
}

void CollectionListWindow::heading_menu(int column, const QPoint& global)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("list_columns"));
    // The column's own sort first: the keyboard's way to sort the view.
    const int field = model_->field_of_column(column);
    if (field > 0) {
        const QString name = field_name(field);
        connect(menu.addAction(QStringLiteral("Sort by %1, &ascending").arg(name)), &QAction::triggered, this,
                [this, column] { table_->sortByColumn(column, Qt::AscendingOrder); });
        connect(menu.addAction(QStringLiteral("Sort by %1, &descending").arg(name)), &QAction::triggered, this,
                [this, column] { table_->sortByColumn(column, Qt::DescendingOrder); });
        menu.addSeparator();
    }
    for (const int f : CollectionListModel::column_fields()) {
        QAction* a = menu.addAction(field_name(f));
        a->setCheckable(true);
        a->setChecked(!table_->isColumnHidden(model_->column_of_field(f)));
        connect(a, &QAction::toggled, this, [this, f](bool shown) { show_field(f, shown); });
    }
    menu.exec(global);
}

void CollectionListWindow::show_field(int field, bool shown)
{
    table_->setColumnHidden(model_->column_of_field(field), !shown);
    QStringList hidden;
    for (int f = 1; f <= field_table_size; ++f) {
        if (table_->isColumnHidden(model_->column_of_field(f)))
            hidden << QString::number(f);
    }
    QSettings().setValue(hidden_key, hidden.join(QLatin1Char(',')));
}

bool CollectionListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == filter_ && key->key() == Qt::Key_Down && model_->shown() > 0) {
            view()->setFocus();
            view()->setCurrentIndex(view()->model()->index(0, view() == table_ ? model_->column_of_field(1) : 0));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            keyPressEvent(const_cast<QKeyEvent*>(key));
            return true;
        }
        // The context-menu keys in the table open the heading's menu for the
        // column of the current cell: sort by it, choose the columns.
        const bool menu_key = is_context_menu_key(key);
        if (watched == table_ && menu_key) {
            const int column = qMax(table_->currentIndex().column(), 0);
            QHeaderView* heading = table_->horizontalHeader();
            heading_menu(column,
                         heading->mapToGlobal(QPoint(heading->sectionViewportPosition(column), heading->height())));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CollectionListWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    // Escape first clears the filter, then closes.
    if (!filter_->text().isEmpty()) {
        filter_->clear();
        filter_->setFocus();
    } else {
        emit dismissed();
    }
}

}  // namespace tessaran
