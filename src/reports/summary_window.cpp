#include "summary_window.h"

#include "appearance/scheme_paint.h"
#include "core/session.h"
#include "core/summary_export.h"
#include "printer_seam.h"
#include "summary_header_panel.h"
#include "summary_model.h"
#include "summary_print.h"
#include "ui/command_button.h"
#include "ui/menu_state.h"
#include "ui/screen_placement.h"
#include "ui/summary_progress.h"
#include "ui/user_dialogs.h"
#include "ui/wait_cursor.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTableView>

#include <cmath>

namespace tessaran {

namespace {

// Layout constants of the window, in pixels.
constexpr int line_pitch = 15;
constexpr int first_line = 5;
constexpr int col_padding = 5;
constexpr int margin = 10;

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    QPushButton* b = command_button(parent, name, text);
    b->adjustSize();
    b->resize(qMax(b->width(), 90), b->height());
    return b;
}

// What the printout and the export need of the working set.
SummaryPrintData print_data(const Session& s, SummaryKind kind, const QString& stamp)
{
    SummaryPrintData d;
    d.kind = kind;
    d.stamp = stamp;
    d.path = s.path();
    d.count = s.ws().count();
    d.sort_caption = s.ws().sort_caption();
    d.selection_text = s.ws().selection_text();
    d.columns = summary_columns(d.kind, s.locale().currency_symbol);
    return d;
}

}  // namespace

SummaryWindow::SummaryWindow(const Session& session, SummaryKind kind, QWidget* parent)
    : QDialog(parent), session_(session), kind_(kind)
{
    setObjectName(QStringLiteral("frm_sumgrid"));
    setWindowTitle(QStringLiteral("Kaleidoscope Summary"));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    // The progress window shows while the table is built; this window stays hidden.
    progress_ = new SummaryProgress(parentWidget());
    progress_->setAttribute(Qt::WA_DeleteOnClose);
    progress_->show_now();

    pb_output = new SummaryHeaderPanel(this);
    sumgrid = new QTableView(this);
    // Tab moves on to the buttons; the arrows move between cells.
    sumgrid->setTabKeyNavigation(false);
    sumgrid->setObjectName(QStringLiteral("sumgrid"));
    sumgrid->setAccessibleName(QStringLiteral("Summary table"));
    sumgrid->hide();
    sumgrid->setHorizontalHeader(new SummaryHeader(sumgrid));
    sumgrid->setFont(pb_output->font());
    sumgrid->horizontalHeader()->setFont(pb_output->font());
    sumgrid->verticalHeader()->hide();
    sumgrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sumgrid->verticalHeader()->setDefaultSectionSize(QFontMetrics(pb_output->font()).height() + 4);
    sumgrid->setWordWrap(false);
    sumgrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sumgrid->setSelectionMode(QAbstractItemView::SingleSelection);
    sumgrid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    cmd_print = button(this, "cmd_print", QStringLiteral("Print"));
    cmd_preview = button(this, "cmd_preview", QStringLiteral("Preview"));
    cmd_save = button(this, "cmd_save", QStringLiteral("Save to ASCII file"));
    cmd_close = button(this, "cmd_close", QStringLiteral("Close"));
    setTabOrder(sumgrid, cmd_preview);
    setTabOrder(cmd_preview, cmd_print);
    setTabOrder(cmd_print, cmd_save);
    setTabOrder(cmd_save, cmd_close);
    connect(cmd_print, &QPushButton::clicked, this, &SummaryWindow::print);
    connect(cmd_preview, &QPushButton::clicked, this, &SummaryWindow::preview);
    connect(cmd_save, &QPushButton::clicked, this, &SummaryWindow::save_as_text);
    connect(cmd_close, &QPushButton::clicked, this, &SummaryWindow::close_window);

    paint_dialog(this);

    pb_output->setGeometry(margin, margin, 400, header_height(session_.ws().selection_text()));
    sumgrid->move(margin, pb_output->geometry().bottom() + 1 + margin);

    loaded_ = build_table();
    if (!loaded_ && progress_)
        progress_->close();
}

SummaryWindow::~SummaryWindow()
{
    if (progress_)
        progress_->close();
}

int SummaryWindow::header_height(const QString& selection_text)
{
    const int n = static_cast<int>(split_lines(selection_text).size());
    return first_line + 2 * line_pitch + line_pitch + line_pitch + line_pitch + line_pitch * n + line_pitch;
}

bool SummaryWindow::build_table()
{
    const Session& s = session_;
    const SummaryKind kind = kind_;
    std::vector<SummaryColumn> columns = summary_columns(kind, s.locale().currency_symbol);
    ncols = static_cast<int>(columns.size());

    std::vector<QStringList> rows;
    const int count = s.ws().count();
    if (progress_)
        progress_->set_progress(0);
    const FileStatus st = read_summary_rows(s.path(), s.ws().records(), count, kind, rows, [this, count](int p) {
        if (progress_ && (p % 64 == 0 || p == count))
            progress_->set_progress(static_cast<int>(std::nearbyint(100.0 * p / count)));
    });
    if (!st) {
        msgbox(parentWidget(), st.error, MsgIcon::critical);
        return false;
    }

    // Widths: the seed word, then the widest cell; each distinct text measured once.
    const QFontMetrics fm(pb_output->font());
    QHash<QString, int> measured;
    auto width_of = [&fm, &measured](const QString& t) {
        auto it = measured.constFind(t);
        if (it != measured.constEnd())
            return it.value();
        const int w = fm.horizontalAdvance(t);
        measured.insert(t, w);
        return w;
    };
    col_px.assign(26, 0);
    for (int c = 1; c <= ncols; ++c)
        col_px[static_cast<std::size_t>(c)] = width_of(columns[static_cast<std::size_t>(c - 1)].seed);
    for (const QStringList& row : rows)
        for (int c = 1; c <= ncols && c <= row.size(); ++c)
            col_px[static_cast<std::size_t>(c)] = qMax(col_px[static_cast<std::size_t>(c)], width_of(row.at(c - 1)));
    for (int c = 1; c <= ncols; ++c)
        col_px[static_cast<std::size_t>(c)] += 2 * col_padding;

    col_title.clear();
    for (const SummaryColumn& c : columns)
        col_title << c.title;

    model_ = new SummaryModel(kind, std::move(columns), std::move(rows), this);
    sumgrid->setModel(model_);
    for (int c = 0; c < ncols; ++c)
        sumgrid->setColumnWidth(c, col_px[static_cast<std::size_t>(c + 1)]);
    if (model_->rowCount() > 0)
        sumgrid->setCurrentIndex(model_->index(0, 0));
    return true;
}

void SummaryWindow::draw_header()
{
    const Session& s = session_;
    summary_stamp = general_date_text(QDateTime::currentDateTime());
    pb_output->clear_items();
    pb_output->print_at(pb_output->width() / 2.0, first_line, QStringLiteral("KALEIDOSCOPE SUMMARY ") + summary_stamp,
                        1, Qt::black, true);
    pb_output->print_at(5, 35, QStringLiteral("Database file: ") + trim_blanks(s.path()), 0);
    // The label in black and the value in red after it, each drawn once: red
    // under black would leave red fringes on anti-aliased text.
    const auto label_and_value = [this](double y, const QString& label, const QString& value) {
        pb_output->print_at(5, y, label, 0, Qt::black);
        pb_output->print_at(5 + pb_output->text_width(label), y, value, 0, Qt::red);
    };
    const QString sort_label = QStringLiteral("Sorted by:");
    label_and_value(50, QStringLiteral("Number of kaleidoscopes in summary: "), QString::number(s.ws().count()));
    label_and_value(65, sort_label, sort_caption_inner(s.ws().sort_caption()).mid(sort_label.size()));
    const QString crit_label = QStringLiteral("Selection criteria: ");
    pb_output->print_at(5, 80, crit_label, 0);
    const double crit_x = 5 + (pb_output->text_width(crit_label) + 30);
    double y = 80;
    for (const QString& line : split_lines(s.ws().selection_text())) {
        pb_output->print_at(crit_x, y, line, 0);
        y += line_pitch;
    }
}

void SummaryWindow::size_window()
{
    const QRect wa = work_area(this);
    // The work area's right and bottom edges, in twips, less 200: the window
    // with its frame, so the frame comes off for the inner size.
    const int w = twips_to_px(px_to_twips(wa.right() + 1) - 200) - frame_allowance.width();
    const int h = twips_to_px(px_to_twips(wa.bottom() + 1) - 200) - frame_allowance.height();
    resize(qMax(w, 300), qMax(h, 300));
    const int button_top = height() - margin - cmd_close->height();
    for (QPushButton* b : {cmd_preview, cmd_print, cmd_save, cmd_close})
        b->move(b->x(), button_top);
    const int grid_top = sumgrid->y();
    sumgrid->resize(width() - 2 * margin, qMax(60, button_top - margin - grid_top));
}

void SummaryWindow::fit_window()
{
    int total = 20;
    for (int c = 1; c <= ncols; ++c)
        total += col_px[static_cast<std::size_t>(c)];
    if (total < sumgrid->width()) {
        sumgrid->resize(total, sumgrid->height());
        resize(total + 2 * margin, height());
    }
    pb_output->resize(sumgrid->width(), pb_output->height());
    draw_header();
    // "Save" centred under the grid, Print to its left, Close to its right.
    const int mid = sumgrid->x() + sumgrid->width() / 2;
    cmd_save->move(mid - cmd_save->width() / 2, cmd_save->y());
    cmd_print->move(cmd_save->x() - 20 - cmd_print->width(), cmd_save->y());
    cmd_close->move(cmd_save->x() + cmd_save->width() + 20, cmd_save->y());
    if (cmd_print->x() < margin) {
        // A very narrow summary: the window widens just enough for the three.
        const int needed = cmd_print->width() + cmd_save->width() + cmd_close->width() + 40 + 2 * margin;
        resize(qMax(width(), needed), height());
        const int shift = margin - cmd_print->x() + (width() - needed) / 2;
        for (QPushButton* b : {cmd_print, cmd_save, cmd_close})
            b->move(b->x() + shift, b->y());
    }
    // Preview goes left of Print where the window has room, else under it, so
    // it never keeps the window wider than the grid.
    if (cmd_print->x() - 20 - cmd_preview->width() >= margin) {
        cmd_preview->move(cmd_print->x() - 20 - cmd_preview->width(), cmd_save->y());
    } else {
        // The row above moves up to make room, so the window keeps a height
        // that fits the screen.
        const int row = cmd_save->height() + 6;
        for (QPushButton* b : {cmd_print, cmd_save, cmd_close})
            b->move(b->x(), b->y() - row);
        sumgrid->resize(sumgrid->width(), qMax(60, sumgrid->height() - row));
        cmd_preview->move(cmd_print->x() + cmd_print->width() - cmd_preview->width(), cmd_save->y() + row);
    }
    const QRect wa = work_area(this);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect full = screen ? screen->geometry() : wa;
    move(full.x() + (full.width() - width()) / 2, wa.y() + (wa.height() - height()) / 2);
}

void SummaryWindow::layout_window()
{
    if (laid_out_ || isMinimized())
        return;
    laid_out_ = true;
    size_window();
    pb_output->move(margin, pb_output->y());
    sumgrid->move(margin, sumgrid->y());
    fit_window();
    if (progress_)
        progress_->close();
    sumgrid->show();
}

void SummaryWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    layout_window();
}

void SummaryWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!isVisible())
        return;
    if (!laid_out_ || !event->oldSize().isValid()) {
        layout_window();
        return;
    }
    // Resized by the user or the window system: the buttons keep to the
    // bottom edge and the grid takes the height between.
    const int dy = event->size().height() - event->oldSize().height();
    for (QPushButton* b : {cmd_preview, cmd_print, cmd_save, cmd_close})
        b->move(b->x(), b->y() + dy);
    sumgrid->resize(sumgrid->width(), qMax(60, sumgrid->height() + dy));
}

void SummaryWindow::print()
{
    if (msgbox(this, QStringLiteral("Send the kaleidoscope summary to default printer?"), MsgIcon::none,
               MsgButtons::ok_cancel, QStringLiteral("Print kaleidoscope summary"))
        != MsgAnswer::ok)
        return;
    SummaryPrintData data = print_data(session_, kind_, summary_stamp);
    const Session& s = session_;
    FileStatus st;
    {
        const WaitCursor wait;
        st = read_summary_rows(s.path(), s.ws().records(), s.ws().count(), data.kind, data.rows);
    }
    if (!st) {
        msgbox(this, st.error, MsgIcon::critical);
        return;
    }
    run_print_job(this, summary_print_job(this, data));
}

void SummaryWindow::preview()
{
    SummaryPrintData data = print_data(session_, kind_, summary_stamp);
    const Session& s = session_;
    const FileStatus st = read_summary_rows(s.path(), s.ws().records(), s.ws().count(), data.kind, data.rows);
    if (!st) {
        msgbox(this, st.error, MsgIcon::critical);
        return;
    }
    preview_print_job(this, summary_print_job(this, data));
}

void SummaryWindow::save_as_text()
{
    const QString path = user_dialogs().save_file(this, QStringLiteral("Save to ASCII file"), QString(),
                                                  {QStringLiteral("TXT (*.txt)")});
    if (path.isEmpty())
        return;
    const Session& s = session_;
    SummaryExportHead head;
    head.stamp = general_date_text(QDateTime::currentDateTime());
    head.count = s.ws().count();
    head.selection_text = s.ws().selection_text();
    head.sort_caption = s.ws().sort_caption();
    FileStatus st;
    {
        const WaitCursor wait;
        st = write_summary_export(path, s.path(), s.ws().records(), s.ws().count(), kind_, head);
    }
    if (!st) {
        // The failure's own description, with the file it concerns.
        msgbox(this,
               QStringLiteral("The summary could not be saved to ") + path.trimmed() + QStringLiteral(":\n") + st.error,
               MsgIcon::critical);
        hide();
        reject();
        return;
    }
    msgbox(this, QStringLiteral("Data saved to ASCII file ") + path.trimmed(), MsgIcon::none, MsgButtons::ok,
           QStringLiteral("Save to ASCII file"));
}

void SummaryWindow::close_window()
{
    reject();
}

void SummaryWindow::done(int r)
{
    if (!menus_shown_) {
        menus_shown_ = true;
        show_startup_menus();
    }
    if (progress_)
        progress_->close();
    QDialog::done(r);
}

}  // namespace tessaran
