#include "collection_list_window.h"

#include "collection_list_model.h"

#include "core/session.h"
#include "core/working_set.h"
#include "ui/accessible_names.h"
#include "ui/context_menu_key.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace tessaran {

namespace {

const QString hidden_key = QStringLiteral("collection_list/hidden_fields");

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
    table_ = new QTableView(this);
    // Tab goes back to the filter; the arrows move between rows.
    table_->setTabKeyNavigation(false);
    table_->setObjectName(QStringLiteral("list_table"));
    table_->setAccessibleName(QStringLiteral("Kaleidoscopes"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(CollectionListModel::icon_size + 4);
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    table_->setColumnWidth(0, CollectionListModel::icon_size + 12);
    table_->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    apply_hidden_fields();

    auto* top = new QHBoxLayout;
    top->addWidget(filter_label);
    top->addWidget(filter_, 1);
    top->addWidget(count_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);

    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_->set_filter(text);
        show_count();
    });
    connect(table_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (const int position = model_->position_of_row(index.row()); position > 0)
            emit position_chosen(position);
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
    connect(model_, &QAbstractItemModel::modelReset, this, rest_then_read);
    filter_->installEventFilter(this);
    table_->installEventFilter(this);
    setFocusProxy(filter_);
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
    }
    const int position = session.ws().position();
    model_->set_current_position(position);
    if (const int row = model_->row_of_position(position); row >= 0)
        table_->scrollTo(model_->index(row, 0));
}

void CollectionListWindow::read_pictures_in_view()
{
    const int first = table_->rowAt(0);
    int last = table_->rowAt(table_->viewport()->height() - 1);
    if (last < 0)
        last = model_->shown() - 1;
    if (first >= 0)
        model_->read_pictures(first, last);
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
            table_->setFocus();
            table_->setCurrentIndex(model_->index(0, model_->column_of_field(1)));
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
