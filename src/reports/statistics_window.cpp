#include "statistics_window.h"

#include "appearance/scheme_paint.h"
#include "core/file_write.h"
#include "core/money.h"
#include "core/program_files.h"
#include "core/session.h"
#include "core/summary_rows.h"
#include "printer_seam.h"
#include "ui/named_tab_bar.h"
#include "ui/progress_window.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

#include <cmath>

namespace tessaran {

namespace {

// A cell shown as text that sorts by its value.
QStandardItem* cell(const QString& text, double sort_value, bool right)
{
    auto* item = new QStandardItem(text);
    item->setData(sort_value, Qt::UserRole);
    item->setEditable(false);
    if (right)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString total_text(const AmountStats& a)
{
    return a.overflow ? QStringLiteral("too large to add up") : money_text(a.total);
}

QTableView* group_table(QWidget* parent, const char* name, const QString& title, const std::vector<GroupStats>& groups)
{
    auto* model = new QStandardItemModel(0, 4, parent);
    model->setHorizontalHeaderLabels(
        {title, QStringLiteral("Kaleidoscopes"), QStringLiteral("Total paid"), QStringLiteral("Total retail value")});
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const GroupStats& g = groups[i];
        // The "no ..." group sorts last, whatever the order.
        auto* key = cell(g.key, double(i), false);
        model->appendRow({key, cell(QString::number(g.count), g.count, true),
                          cell(total_text(g.paid), double(g.paid.total), true),
                          cell(total_text(g.retail), double(g.retail.total), true)});
    }
    auto* proxy = new QSortFilterProxyModel(parent);
    proxy->setSourceModel(model);
    proxy->setSortRole(Qt::UserRole);
    auto* view = new QTableView(parent);
    // Tab moves on to the next control; the arrows move between cells.
    view->setTabKeyNavigation(false);
    view->setObjectName(QString::fromLatin1(name));
    view->setModel(proxy);
    view->setSortingEnabled(true);
    view->sortByColumn(0, Qt::AscendingOrder);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    // An amount is never cut: its column is as wide as its longest figure.
    for (int c = 1; c < model->columnCount(); ++c)
        view->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    return view;
}

// Round amounts from 0 to at most top, four to six of them: steps of 1, 2 or
// 5 times a power of ten.
std::vector<double> money_ticks(double top)
{
    const double rough = top / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= rough)
            break;
    }
    std::vector<double> ticks;
    for (int i = 0; i * step <= top * (1 + 1e-9) && i <= 10; ++i)
        ticks.push_back(i * step);
    return ticks;
}

// An amount on the money axis, in the locale's currency form; whole units
// unless the steps are smaller, so that the labels stay short.
QString axis_money(double value)
{
    const bool whole = value == std::floor(value);
    return QLocale().toCurrencyString(value, QString(), whole ? 0 : 2);
}

QChartView* chart_view(QWidget* parent, const char* name, QChart* chart)
{
    chart->legend()->setVisible(false);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(360, 300);
    // A chart is a picture of the tables beside it: Tab passes it by.
    view->setFocusPolicy(Qt::NoFocus);
    view->viewport()->setFocusPolicy(Qt::NoFocus);
    return view;
}

QChart* spending_chart(const std::vector<GroupStats>& by_year, int max_year_labels)
{
    // Spending per year of purchase. The money axis is labelled in the
    // locale's currency, and the years below the bars are labelled at most
    // max_year_labels times, each naming its count, so that they stay
    // readable however many years the collection spans.
    auto* spent = new QBarSet(QStringLiteral("Spent"));
    double most = 0;
    for (const GroupStats& y : by_year) {
        const double value = y.paid.overflow ? 0.0 : double(y.paid.total) / money_scale;
        *spent << value;
        most = std::max(most, value);
    }
    auto* bars = new QBarSeries;
    bars->append(spent);
    auto* spending = new QChart;
    spending->setTitle(QStringLiteral("Spending per year of purchase (kaleidoscopes)"));
    spending->addSeries(bars);
    auto* year_axis = new QCategoryAxis;
    year_axis->setObjectName(QStringLiteral("year_axis"));
    year_axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int years = int(by_year.size());
    year_axis->setRange(-0.5, std::max(0, years - 1) + 0.5);
    year_axis->setStartValue(-1);  // a label sits at its category's end: the first at 0
    const int every = std::max(1, (years + max_year_labels - 1) / max_year_labels);
    for (int i = 0; i < years; i += every) {
        const GroupStats& y = by_year[std::size_t(i)];
        year_axis->append(QStringLiteral("%1 (%2)").arg(y.key).arg(y.count), i);
    }
    year_axis->setLabelsAngle(-90);
    spending->addAxis(year_axis, Qt::AlignBottom);
    bars->attachAxis(year_axis);
    auto* value_axis = new QCategoryAxis;
    value_axis->setObjectName(QStringLiteral("money_axis"));
    value_axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const double money_top = most > 0 ? most * 1.1 : 1;
    value_axis->setRange(0, money_top);
    value_axis->setStartValue(-money_top);
    for (const double tick : money_ticks(money_top)) {
        // A tick past what an amount can hold has no label.
        if (tick * money_scale < 9.0e18)
            value_axis->append(axis_money(tick), tick);
    }
    spending->addAxis(value_axis, Qt::AlignLeft);
    bars->attachAxis(value_axis);
    return spending;
}

QChart* types_chart(const std::vector<GroupStats>& by_type)
{
    // Kaleidoscopes per scope type: one bar each, the most common on top.
    auto* counts = new QBarSet(QStringLiteral("Kaleidoscopes"));
    QStringList type_names;
    int most_of_a_type = 0;
    for (auto it = by_type.crbegin(); it != by_type.crend(); ++it) {
        *counts << it->count;
        type_names << it->key;
        most_of_a_type = std::max(most_of_a_type, it->count);
    }
    auto* type_bars = new QHorizontalBarSeries;
    type_bars->append(counts);
    auto* types = new QChart;
    types->setTitle(QStringLiteral("Kaleidoscopes per scope type"));
    types->addSeries(type_bars);
    auto* type_axis = new QBarCategoryAxis;
    type_axis->append(type_names);
    QFont small = type_axis->labelsFont();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 2));
    type_axis->setLabelsFont(small);
    // Scope types are named whole, however long: the bars make room.
    type_axis->setTruncateLabels(false);
    types->addAxis(type_axis, Qt::AlignLeft);
    type_bars->attachAxis(type_axis);
    // Counts: whole numbers at every tick, each label at its tick.
    const CountAxis whole = count_axis_for(most_of_a_type);
    auto* count_axis = new QValueAxis;
    count_axis->setRange(0, whole.top);
    count_axis->setLabelFormat(QStringLiteral("%d"));
    count_axis->setTickCount(whole.ticks());
    types->addAxis(count_axis, Qt::AlignBottom);
    type_bars->attachAxis(count_axis);
    return types;
}

}  // namespace

StatisticsWindow::StatisticsWindow(const Session& s, QWidget* parent)
    : QDialog(parent), head_{
                           trim_blanks(s.path()),
                           sort_caption_inner(s.ws().sort_caption()).mid(QStringLiteral("Sorted by:").size()).trimmed(),
                           s.ws().selection_text()}
{
    setObjectName(QStringLiteral("frm_stats"));
    setWindowTitle(QStringLiteral("Collection statistics"));
    {
        ProgressWindow waiter(this);
        waiter.start(QStringLiteral("Adding up the kaleidoscopes..."), 100);
        const FileStatus st = collect_stats(s.path(), s.ws().records(), s.ws().count(), stats_,
                                            [&waiter](int percent) { waiter.step(percent); });
        waiter.close();
        if (!st) {
            msgbox(parent,
                   QStringLiteral("The kaleidoscopes could not be read from the database file ") + s.path()
                       + QStringLiteral(":\n") + st.error,
                   MsgIcon::critical);
            return;
        }
    }
    loaded_ = true;
    build();
}

void StatisticsWindow::build_summary()
{
    const StatsHead h = head_;
    lbl_head = new QLabel(this);
    lbl_head->setObjectName(QStringLiteral("lbl_head"));
    lbl_head->setText(QStringLiteral("Database file: ") + h.database + QStringLiteral("\nNumber of kaleidoscopes: ")
                      + QString::number(stats_.count) + QStringLiteral("\nSorted by: ") + h.sort
                      + QStringLiteral("\nSelection criteria: ") + h.selection);
    lbl_head->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbl_head->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* money = new QStandardItemModel(0, 2, this);
    money->setHorizontalHeaderLabels({QStringLiteral("Purchase price"), QStringLiteral("Retail price")});
    const auto row = [&](const QString& label, const QString& paid, const QString& retail) {
        money->appendRow({cell(paid, 0, true), cell(retail, 0, true)});
        money->setVerticalHeaderItem(money->rowCount() - 1, new QStandardItem(label));
    };
    const auto amount = [](const AmountStats& a, qint64 v) {
        return a.priced == 0 ? QString() : a.overflow ? QStringLiteral("too large to add up") : money_text(v);
    };
    row(QStringLiteral("Total"), amount(stats_.paid, stats_.paid.total), amount(stats_.retail, stats_.retail.total));
    row(QStringLiteral("Average"), amount(stats_.paid, stats_.paid.average()),
        amount(stats_.retail, stats_.retail.average()));
    row(QStringLiteral("Lowest"), money_text(stats_.paid.lowest), money_text(stats_.retail.lowest));
    row(QStringLiteral("Highest"), money_text(stats_.paid.highest), money_text(stats_.retail.highest));
    row(QStringLiteral("Without a price"), QString::number(stats_.paid.unpriced),
        QString::number(stats_.retail.unpriced));
    tbl_money = new QTableView(this);
    tbl_money->setTabKeyNavigation(false);
    tbl_money->setObjectName(QStringLiteral("tbl_money"));
    tbl_money->setAccessibleName(QStringLiteral("Cost and value"));
    tbl_money->setModel(money);
    tbl_money->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tbl_money->verticalHeader()->setDefaultSectionSize(tbl_money->fontMetrics().height() + 6);
    tbl_money->setMaximumHeight(tbl_money->verticalHeader()->length() + tbl_money->horizontalHeader()->height() + 6);
    qint64 diff = 0;
    lbl_difference
        = new QLabel(QStringLiteral("Retail value less price paid: ")
                         + (stats_.difference(diff) ? money_text(diff) : QStringLiteral("too large to add up")),
                     this);
    lbl_difference->setObjectName(QStringLiteral("lbl_difference"));
}

void StatisticsWindow::build_tables()
{
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    // The tabs are a list to choose from, named by what they choose between;
    // the chosen tab is said as its selected item. Named before any tab is
    // added, so that a screen reader never meets the bar under another name.
    name_tab_bar(tabs->tabBar(), QStringLiteral("Counts and totals"));
    tbl_artist = group_table(tabs, "tbl_artist", QStringLiteral("Artist"), stats_.by_artist);
    tbl_type = group_table(tabs, "tbl_type", QStringLiteral("Scope type"), stats_.by_type);
    tbl_year = group_table(tabs, "tbl_year", QStringLiteral("Year of purchase"), stats_.by_year);
    tabs->addTab(tbl_artist, QStringLiteral("By artist"));
    tabs->addTab(tbl_type, QStringLiteral("By scope type"));
    tabs->addTab(tbl_year, QStringLiteral("By year of purchase"));
    // Each table is named as its tab, the charts by what they show.
    tabs->setAccessibleName(QStringLiteral("Counts and totals"));
    tbl_artist->setAccessibleName(QStringLiteral("By artist"));
    tbl_type->setAccessibleName(QStringLiteral("By scope type"));
    tbl_year->setAccessibleName(QStringLiteral("By year of purchase"));
}

void StatisticsWindow::build()
{
    build_summary();
    build_tables();
    chart_spending = chart_view(this, "chart_spending", spending_chart(stats_.by_year, max_year_labels));
    chart_types = chart_view(this, "chart_types", types_chart(stats_.by_type));
    chart_spending->setAccessibleName(QStringLiteral("Chart: spending per year"));
    chart_types->setAccessibleName(QStringLiteral("Chart: kaleidoscopes per scope type"));

    cmd_pdf = new QPushButton(QStringLiteral("Save as PDF..."), this);
    cmd_pdf->setObjectName(QStringLiteral("cmd_pdf"));
    cmd_text = new QPushButton(QStringLiteral("Save as text..."), this);
    cmd_text->setObjectName(QStringLiteral("cmd_text"));
    cmd_close = new QPushButton(QStringLiteral("Close"), this);
    cmd_close->setObjectName(QStringLiteral("cmd_close"));
    connect(cmd_pdf, &QPushButton::clicked, this, &StatisticsWindow::save_pdf);
    connect(cmd_text, &QPushButton::clicked, this, &StatisticsWindow::save_text);
    connect(cmd_close, &QPushButton::clicked, this, &QDialog::accept);
    // Return closes the report, as Escape does; saving is always a choice.
    for (QPushButton* b : {cmd_pdf, cmd_text})
        b->setAutoDefault(false);
    cmd_close->setDefault(true);

    auto* charts = new QHBoxLayout;
    charts->addWidget(chart_spending, 3);
    charts->addWidget(chart_types, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {cmd_pdf, cmd_text, cmd_close})
        buttons->addWidget(b);
    auto* top = new QHBoxLayout;
    top->addWidget(lbl_head, 1);
    auto* money_box = new QVBoxLayout;
    money_box->addWidget(tbl_money);
    money_box->addWidget(lbl_difference);
    top->addLayout(money_box, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addWidget(tabs, 1);
    all->addLayout(charts, 1);
    all->addLayout(buttons);
    paint_dialog(this);
    resize(fitted_to_screen(QSize(1000, 760)));
}

void StatisticsWindow::save_text()
{
    const QString path = user_dialogs().save_file(this, QStringLiteral("Save as text"), documents_folder(),
                                                  {QStringLiteral("TXT (*.txt)"), QStringLiteral("CSV (*.csv)")});
    if (path.isEmpty())
        return;
    QByteArray bytes;
    for (const QString& line : stats_csv_lines(stats_, head_))
        bytes += to_cp1252(line) + "\r\n";
    FileStatus st = replace_file_contents(path, bytes, false);
    if (!st) {
        msgbox(this, QStringLiteral("The statistics could not be saved to ") + path + QStringLiteral(":\n") + st.error,
               MsgIcon::critical);
        return;
    }
    msgbox(this, QStringLiteral("Statistics saved to ") + path, MsgIcon::none, MsgButtons::ok,
           QStringLiteral("Save as text"));
}

void StatisticsWindow::save_pdf()
{
    PrintJob job;
    job.prepare = [](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Portrait);
        return true;
    };
    const QList<QStringList> lines = stats_rows(stats_, head_);
    job.paint = [this, lines](QPainter& painter, QPrinter& printer, PageProgress& progress) {
        InchPage page(painter, printer);
        QFont font(QStringLiteral("Arial"), 10);
        QFont bold = font;
        bold.setBold(true);
        const double left = 0.75;
        const double bottom = 10.25;
        const double step = page.text_height(font) * 1.15;
        double y = 0.75;
        const int per_page = std::max(1, int((bottom - y - 2 * step) / step));
        const int pages = int((lines.size() + per_page - 1) / per_page) + 1;
        int page_no = 1;
        if (!progress.page(page_no, pages))
            return;
        page.text(bold, left, y, QStringLiteral("COLLECTION STATISTICS"));
        y += 2 * step;
        // Each line of the report, its items in columns.
        for (const QStringList& items : lines) {
            if (y + step > bottom) {
                if (!progress.page(++page_no, pages))
                    return;
                printer.newPage();
                y = 0.75 + 2 * step;
            }
            const double widths[] = {3.2, 1.3, 1.4, 1.6};
            double x = left;
            for (int i = 0; i < items.size() && i < 4; ++i) {
                const QString item = items[i].trimmed();
                if (i == 0) {
                    page.text_elided(bold, x, y, item, widths[i] - 0.1);
                } else {
                    // An amount is never cut: a long one is set smaller to fit.
                    QFont fitted = font;
                    while (page.text_width(fitted, item) > widths[i] - 0.1 && fitted.pointSizeF() > 5)
                        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
                    page.text(fitted, x, y, item);
                }
                x += widths[i];
            }
            y += step;
        }
        // The two charts on a page of their own.
        if (!progress.page(++page_no, pages))
            return;
        printer.newPage();
        for (QChartView* view : {chart_spending, chart_types}) {
            const QRectF target(page.px_x(left), page.px_y(view == chart_spending ? 0.75 : 5.6), page.px_x(7.0),
                                page.px_y(4.5));
            view->chart()->scene()->render(&painter, target, view->chart()->sceneBoundingRect());
        }
    };
    save_job_as_pdf(this, job);
}

}  // namespace tessaran
