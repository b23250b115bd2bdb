// The benchmarks: each program operation through the functions its window
// calls, and the two baselines (one sequential read, SQLite) in the same run.
#include "bench_env.h"
#include "child_process.h"

#include "catalogue/web_catalogue.h"
#include "core/database.h"
#include "core/delete_record.h"
#include "core/field_text.h"
#include "core/money.h"
#include "core/picture_search.h"
#include "core/record_import.h"
#include "core/record_match.h"
#include "core/session.h"
#include "core/sorting.h"
#include "core/summary_export.h"
#include "core/summary_rows.h"
#include "core/working_set.h"
#include "editor/collection_list_model.h"
#include "editor/collection_list_window.h"
#include "editor/limited_text_edit.h"
#include "editor/record_editor.h"
#include "editor/record_search.h"
#include "reports/printer_seam.h"
#include "reports/record_sheet.h"
#include "reports/statistics_window.h"
#include "reports/summary_model.h"
#include "reports/summary_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>

namespace tessaran::bench {

void reg(const char* name, const Body& body, int iterations, int repetitions)
{
    benchmark::RegisterBenchmark(name, [body](benchmark::State& st) { body(st); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(iterations)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true);
}

namespace {

void fail_on_errors(benchmark::State& st)
{
    if (env().dialogs.errors > 0)
        st.SkipWithError(("the program reported: " + env().dialogs.error_text.toStdString()).c_str());
}

// ---- Baselines -------------------------------------------------------------

// One read() of the whole file into the buffer, in seconds.
double read_whole_file(const QByteArray& path, std::vector<char>& buffer, bool& whole)
{
    const auto start = std::chrono::steady_clock::now();
    const int fd = ::open(path.constData(), O_RDONLY);
    size_t got = 0;
    while (fd >= 0 && got < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
        if (n <= 0)
            break;
        got += size_t(n);
    }
    if (fd >= 0)
        ::close(fd);
    benchmark::DoNotOptimize(buffer.data());
    whole = got == buffer.size();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The physical limit every ratio is taken against, so it must not wander
// from run to run: the buffer's pages are touched and the file is in the page
// cache before anything is timed, and each figure is the best of repeated
// reads, taken once five more reads in a row have not bettered it by 2 %.
void seq_read(benchmark::State& st)
{
    BenchEnv& e = env();
    const QByteArray path = QFile::encodeName(e.rnd);
    std::fill(e.buffer.begin(), e.buffer.end(), char(1));
    bool whole = true;
    read_whole_file(path, e.buffer, whole);
    for (auto _ : st) {
        double best = read_whole_file(path, e.buffer, whole);
        for (int since_better = 0, reads = 1; since_better < 5 && reads < 100; ++reads) {
            const double t = read_whole_file(path, e.buffer, whole);
            if (t < best * 0.98) {
                best = t;
                since_better = 0;
            } else {
                ++since_better;
            }
        }
        st.SetIterationTime(best);
        if (!whole)
            st.SkipWithError("short read");
    }
}

Body sqlite_ids(const char* sql)
{
    return [sql](benchmark::State& st) {
        for (auto _ : st) {
            std::vector<qint64> ids = env().sql.ids(sql);
            benchmark::DoNotOptimize(ids.data());
        }
    };
}

void sqlite_open(benchmark::State& st)
{
    for (auto _ : st) {
        benchmark::DoNotOptimize(env().sql.scalar("SELECT count(*) FROM scopes"));
        std::vector<qint64> ids = env().sql.ids("SELECT id FROM scopes ORDER BY upper(artist)");
        benchmark::DoNotOptimize(ids.data());
    }
}

void sqlite_export(benchmark::State& st)
{
    for (auto _ : st)
        benchmark::DoNotOptimize(
            env().sql.export_csv("SELECT scopename, artist, date_bought, price_paid, price_retail, store FROM scopes "
                                 "ORDER BY upper(artist)",
                                 env().sqlite_export_path));
}

void sqlite_delete(benchmark::State& st)
{
    for (auto _ : st) {
        st.PauseTiming();
        restore_sqlite();
        st.ResumeTiming();
        if (!env().sql.exec("DELETE FROM scopes WHERE id = 12345"))
            st.SkipWithError("SQLite delete failed");
    }
    restore_sqlite();
}

// ---- The program -----------------------------------------------------------

// Opening: the checks that count the records, the working set reset, the sort by artist.
void open_db(benchmark::State& st)
{
    const QString path = env().rnd;
    for (auto _ : st) {
        const OpenCheck c = check_database_file(path);
        Session s = Session::on_file(path);
        s.ws().reset_to_all(s.record_count());
        if (!c.ok || !sort_working_set(s.path(), s.ws(), SortField::artist, false))
            st.SkipWithError("open failed");
        benchmark::DoNotOptimize(s.ws().records().data());
    }
    reopen_state();
}

// Select without the dialog: what OK in the selection dialog runs (progress
// window, scan, remembered sort by artist, record 1 shown).
Body select_by(Criteria (*criteria)())
{
    return [criteria](benchmark::State& st) {
        reopen_state();
        const Criteria c = criteria();
        for (auto _ : st) {
            if (env().ed->select_by(c) != SelectOutcome::selected)
                st.SkipWithError("nothing selected");
        }
        fail_on_errors(st);
        reopen_state();
    };
}

// The sort dialog's OK: sort the working set, show position 1. Every pass starts
// from the order opening gives.
Body sort_by(SortField field, bool descending)
{
    return [field, descending](benchmark::State& st) {
        for (auto _ : st) {
            st.PauseTiming();
            reopen_state();
            st.ResumeTiming();
            if (!env().ed->sort_by(field, descending))
                st.SkipWithError("sort failed");
        }
        fail_on_errors(st);
        reopen_state();
    };
}

// Find from position 1 over every record, nothing matching, ending at
// "No matching kaleidoscopes found.".
void find_next(benchmark::State& st)
{
    reopen_state();
    const Criteria none = no_match_criteria();
    for (auto _ : st)
        env().ed->find_by(none);
    if (env().dialogs.last_text != QLatin1String("No matching kaleidoscopes found."))
        st.SkipWithError("find did not read to the end");
    fail_on_errors(st);
    reopen_state();
}

// The summary table's model: every record of the working set read and made into cells.
Body summary_model(SummaryKind kind)
{
    return [kind](benchmark::State& st) {
        reopen_state();
        const Session& s = env().ed->session();
        for (auto _ : st) {
            std::vector<QStringList> rows;
            if (!read_summary_rows(s.path(), s.ws().records(), s.ws().count(), kind, rows))
                st.SkipWithError("rows not read");
            auto model = std::make_unique<SummaryModel>(kind, summary_columns(kind, s.locale().currency_symbol),
                                                        std::move(rows));
            benchmark::DoNotOptimize(model->rowCount());
            st.PauseTiming();
            model.reset();
            st.ResumeTiming();
        }
    };
}

// The summary window from "Create Summary" until it is painted on screen with
// its table; closing it is not timed.
Body summary_window(SummaryKind kind)
{
    return [kind](benchmark::State& st) {
        reopen_state();
        for (auto _ : st) {
            auto grid = std::make_unique<SummaryWindow>(env().ed->session(), kind, env().ed);
            if (!grid->loaded())
                st.SkipWithError("summary not loaded");
            grid->show();
            QApplication::processEvents();
            grid->repaint();
            st.PauseTiming();
            grid->reject();
            grid.reset();
            QApplication::processEvents();
            st.ResumeTiming();
        }
        fail_on_errors(st);
    };
}

// "Save to ASCII file" of the purchase summary window.
void export_text(benchmark::State& st)
{
    reopen_state();
    auto grid = std::make_unique<SummaryWindow>(env().ed->session(), SummaryKind::purchase, env().ed);
    grid->show();
    QApplication::processEvents();
    for (auto _ : st) {
        env().dialogs.files.push_back(env().export_path);
        grid->save_as_text();
    }
    grid->reject();
    grid.reset();
    fail_on_errors(st);
}

// The safe rewrite alone: scratch file, fsync, rename.
void delete_rewrite(benchmark::State& st)
{
    for (auto _ : st) {
        st.PauseTiming();
        restore_rnd();
        st.ResumeTiming();
        if (!delete_record_file(env().rnd, 12345))
            st.SkipWithError("delete failed");
    }
    restore_rnd();
    reopen_state();
}

// Delete from the editor: the question, the rewrite, the message, then every
// record reselected and resorted and position 1 shown.
void delete_in_editor(benchmark::State& st)
{
    for (auto _ : st) {
        st.PauseTiming();
        restore_rnd();
        reopen_state();
        env().ed->show_position(100);
        st.ResumeTiming();
        env().ed->delete_record();
    }
    if (env().ed->session().record_count() != collection_size - 1)
        st.SkipWithError("record not deleted");
    fail_on_errors(st);
    restore_rnd();
    reopen_state();
}

// "Print" in the purchase summary window, the printer writing a PDF file.
void print_summary(benchmark::State& st)
{
    reopen_state();
    auto grid = std::make_unique<SummaryWindow>(env().ed->session(), SummaryKind::purchase, env().ed);
    grid->show();
    QApplication::processEvents();
    for (auto _ : st)
        grid->print();
    grid->reject();
    grid.reset();
    fail_on_errors(st);
}

// "Print" in the record sheet dialog for positions 1..100.
void print_sheets(benchmark::State& st)
{
    reopen_state();
    for (auto _ : st)
        if (!print_record_sheets(env().ed, env().ed->session().path(), env().ed->session().ws(), 1, 100))
            st.SkipWithError("sheets not printed");
    fail_on_errors(st);
}

// Showing a record: positions spread over the whole working set.
void show_record(benchmark::State& st)
{
    reopen_state();
    const int n = env().ed->session().ws().count();
    int p = 0;
    for (auto _ : st) {
        p = int((qint64(p) * 7919 + 4099) % n) + 1;
        env().ed->show_position(p);
    }
    fail_on_errors(st);
    reopen_state();
}

// "Save Scope Data" after a change to the comments: checks, the question, the
// write, the message and the record shown again.
void save_record(benchmark::State& st)
{
    reopen_state();
    bool flip = false;
    for (auto _ : st) {
        st.PauseTiming();
        flip = !flip;
        env()
            .ed->findChild<LimitedTextEdit*>(QStringLiteral("tb_comments"))
            ->setPlainText(flip ? QStringLiteral("Changed by the benchmark.")
                                : QStringLiteral("Changed again by the benchmark."));
        st.ResumeTiming();
        env().ed->findChild<QPushButton*>(QStringLiteral("cmd_save"))->click();
    }
    if (!env().dialogs.last_text.endsWith(QLatin1String(" saved to database")))
        st.SkipWithError("record not saved");
    fail_on_errors(st);
    restore_rnd();
    reopen_state();
}

// The statistics window from its menu item until it is painted.
void stats_window(benchmark::State& st)
{
    reopen_state();
    for (auto _ : st) {
        StatisticsWindow window(env().ed->session(), env().ed);
        window.show();
        QApplication::processEvents();
        if (!window.loaded())
            st.SkipWithError("statistics not read");
        st.PauseTiming();
        window.close();
        st.ResumeTiming();
    }
    fail_on_errors(st);
}

// Importing the whole collection from a spreadsheet export of 32767 rows
// into a new collection, as the core does it: reading, checking every value,
// one safe write.
void import_csv(benchmark::State& st)
{
    QFile file(env().import_csv);
    if (!file.open(QIODevice::ReadOnly)) {
        st.SkipWithError("no CSV file");
        return;
    }
    const QByteArray csv = file.readAll();
    const QString out = env().export_path + QStringLiteral(".imported.rnd");
    for (auto _ : st) {
        QFile::remove(out);
        ImportReader reader(csv);
        QList<int> targets;
        for (const QString& h : reader.headings())
            targets << match_heading(h);
        ImportCount count;
        if (!append_import(out, reader, targets, true, count) || count.imported != max_record_count)
            st.SkipWithError("not every row imported");
    }
    QFile::remove(out);
    QFile::remove(out + QLatin1Char('~'));
}

// The whole command a script runs: "tessaran-rnd import CSV NEW.rnd", from
// start to exit, reading the file itself. Its peak memory is kept for the table.
void import_command(benchmark::State& st)
{
    const QString out = env().export_path + QStringLiteral(".command.rnd");
    const QByteArray tool = QFile::encodeName(QStringLiteral(TESSARAN_BIN_DIR "/tessaran-rnd"));
    const QByteArray csv = QFile::encodeName(env().import_csv);
    const QByteArray target = QFile::encodeName(out);
    for (auto _ : st) {
        st.PauseTiming();
        QFile::remove(out);
        st.ResumeTiming();
        // The collection's dates are en_US, as a cron job would say with --locale.
        const ChildRun run = run_child({tool, QByteArrayLiteral("import"), csv, target, QByteArrayLiteral("--locale"),
                                        QByteArrayLiteral("en_US")});
        if (!run.ok)
            st.SkipWithError("tessaran-rnd import failed");
        import_command_peak_mb() = std::max(import_command_peak_mb(), run.peak_rss_mb);
    }
    QFile::remove(out);
    QFile::remove(out + QLatin1Char('~'));
}

// The collection list from Ctrl+L until it is painted with its rows; closing
// it is not timed.
void list_window(benchmark::State& st)
{
    reopen_state();
    for (auto _ : st) {
        env().ed->show_collection_list();
        CollectionListWindow* w = env().ed->findChild<CollectionListWindow*>(QStringLiteral("frm_list"));
        QApplication::processEvents();
        w->repaint();
        st.PauseTiming();
        if (w->model()->total() != collection_size)
            st.SkipWithError("the list is not complete");
        // The list's window goes with its dock: the next pass makes and fills it anew.
        delete env().ed->findChild<QDockWidget*>(QStringLiteral("dock_list"));
        QApplication::processEvents();
        st.ResumeTiming();
    }
    fail_on_errors(st);
}

}  // namespace

void type_in_filter(benchmark::State& st, QLineEdit* filter, QWidget* shown)
{
    const QStringList typed{QStringLiteral("s"),  QStringLiteral("se"), QStringLiteral("sen"),
                            QStringLiteral("se"), QStringLiteral("s"),  QString()};
    int i = 0;
    for (auto _ : st) {
        filter->setText(typed.at(i++ % typed.size()));
        shown->repaint();
    }
}

namespace {

// One keystroke in the collection list's filter: the rows narrowed and the
// table painted.
void list_filter(benchmark::State& st)
{
    reopen_state();
    env().ed->show_collection_list();
    CollectionListWindow* w = env().ed->findChild<CollectionListWindow*>(QStringLiteral("frm_list"));
    QApplication::processEvents();
    type_in_filter(st, w->findChild<QLineEdit*>(QStringLiteral("list_filter")), w);
    delete env().ed->findChild<QDockWidget*>(QStringLiteral("dock_list"));
    QApplication::processEvents();
    fail_on_errors(st);
}

// The collection's copy without pictures, written once: the web catalogue's
// target is for a collection without them.
QString collection_without_pictures()
{
    const QString path = QFileInfo(env().rnd).absolutePath() + QStringLiteral("/no-pictures.rnd");
    if (QFileInfo::exists(path))
        return path;
    QFile in(env().rnd);
    QFile out(path);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return QString();
    QByteArray bytes = in.readAll();
    for (qsizetype at = 0; at + rec_len_bytes <= bytes.size(); at += rec_len_bytes) {
        bytes[at + offset_image_count] = 0;
        bytes[at + offset_image_count + 1] = 0;
    }
    return out.write(bytes) == bytes.size() ? path : QString();
}

// The web catalogue of the whole collection, sorted by artist. With
// missing_pictures the collection's picture paths, which name no files here,
// are each looked for and named on their pages.
Body web_export(bool missing_pictures)
{
    return [missing_pictures](benchmark::State& st) {
        const QString collection = missing_pictures ? env().rnd : collection_without_pictures();
        WorkingSet ws;
        ws.reset_to_all(record_count_of(collection));
        if (collection.isEmpty() || !sort_working_set(collection, ws, SortField::artist, false)) {
            st.SkipWithError("no collection to export");
            return;
        }
        const QString folder = QFileInfo(env().rnd).absolutePath() + QStringLiteral("/catalogue");
        for (auto _ : st) {
            st.PauseTiming();
            QDir(folder).removeRecursively();
            st.ResumeTiming();
            const WebCatalogueResult r = write_web_catalogue(collection, ws.records(), ws.count(), folder, true);
            if (!r.status || r.kaleidoscopes != collection_size)
                st.SkipWithError("the catalogue was not written");
        }
        QDir(folder).removeRecursively();
    };
}

// "Group by" in the collection list: the groups of the whole collection by
// each field in turn, made and painted (the first of each opened at once).
void group_list(benchmark::State& st)
{
    reopen_state();
    env().ed->show_collection_list();
    CollectionListWindow* w = env().ed->findChild<CollectionListWindow*>(QStringLiteral("frm_list"));
    QApplication::processEvents();
    auto* group_by = w->findChild<QComboBox*>(QStringLiteral("list_group_by"));
    auto* tree = w->findChild<QTreeView*>(QStringLiteral("list_groups"));
    int i = 0;
    for (auto _ : st) {
        group_by->setCurrentIndex(1 + i++ % (group_by->count() - 1));
        tree->repaint();
        if (tree->model()->rowCount() == 0)
            st.SkipWithError("no groups");
    }
    group_by->setCurrentIndex(0);
    delete env().ed->findChild<QDockWidget*>(QStringLiteral("dock_list"));
    QApplication::processEvents();
    fail_on_errors(st);
}

// The whole of "Find missing pictures" before its preview: every picture path
// of the collection looked up, then the missing ones (all of them here) matched
// by name in a folder of 5000 pictures, 2000 of which bear a missing name.
void missing_pictures(benchmark::State& st)
{
    const QString folder = QFileInfo(env().rnd).absolutePath() + QStringLiteral("/moved-pictures");
    QDir().mkpath(folder + QStringLiteral("/2019"));
    for (int i = 1; i <= 5000; ++i) {
        const QString name
            = i <= 2000 ? QStringLiteral("2019/scope%1_1.jpg").arg(i * 3) : QStringLiteral("2019/other%1.jpg").arg(i);
        QFile f(folder + QLatin1Char('/') + name);
        if (!f.exists() && !f.open(QIODevice::WriteOnly)) {
            st.SkipWithError("the picture folder cannot be made");
            return;
        }
    }
    for (auto _ : st) {
        std::vector<StoredPictureRef> all;
        if (!collection_pictures(env().rnd, all))
            st.SkipWithError("the collection cannot be read");
        const std::vector<PictureMatch> matches = match_missing_pictures(missing_only(all), folder, {});
        const auto found = std::count_if(matches.begin(), matches.end(), [](const PictureMatch& m) {
            return m.outcome == PictureMatch::Outcome::found;
        });
        if (found == 0)
            st.SkipWithError("no picture was found");
        benchmark::DoNotOptimize(found);
    }
    QDir(folder).removeRecursively();
}

}  // namespace

void register_benchmarks()
{
    set_printer_factory([] { return make_pdf_printer(env().pdf_path); });

    benchmark::RegisterBenchmark("seq_read", seq_read)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);

    reg("open", open_db, 3, 5);
    reg("sqlite/open", sqlite_open, 3, 5);

    reg("select_text", select_by(text_criteria), 3, 5);
    reg("sqlite/select_text", sqlite_ids(sql_text), 3, 5);
    reg("select_date", select_by(date_criteria), 3, 5);
    reg("sqlite/select_date", sqlite_ids(sql_date), 3, 5);
    reg("select_prices", select_by(price_criteria), 3, 5);
    reg("sqlite/select_prices", sqlite_ids(sql_prices), 3, 5);

    reg("sort_text", sort_by(SortField::scope_name, false), 3, 5);
    reg("sqlite/sort_text", sqlite_ids("SELECT id FROM scopes ORDER BY upper(scopename)"), 3, 5);
    reg("sort_date", sort_by(SortField::date_bought, false), 3, 5);
    reg("sqlite/sort_date", sqlite_ids("SELECT id FROM scopes ORDER BY date_bought"), 3, 5);
    reg("sort_price", sort_by(SortField::price_paid, false), 3, 5);
    reg("sqlite/sort_price", sqlite_ids("SELECT id FROM scopes ORDER BY price_paid"), 3, 5);
    reg("sort_desc", sort_by(SortField::artist, true), 3, 5);
    reg("sqlite/sort_desc", sqlite_ids("SELECT id FROM scopes ORDER BY upper(artist) DESC"), 3, 5);

    reg("find_next", find_next, 5, 5);
    reg("sqlite/find_next", sqlite_ids(sql_no_match), 5, 5);

    reg("summary_model_scope", summary_model(SummaryKind::scope), 2, 5);
    reg("summary_model_purchase", summary_model(SummaryKind::purchase), 2, 5);
    reg("summary_window_scope", summary_window(SummaryKind::scope), 1, 5);
    reg("summary_window_purchase", summary_window(SummaryKind::purchase), 1, 5);

    reg("stats_window", stats_window, 1, 5);
    reg("list_window", list_window, 1, 5);
    reg("list_filter", list_filter, 6, 5);
    reg("group_list", group_list, 11, 3);
    reg("web_export", web_export(false), 1, 3);
    reg("web_export_missing", web_export(true), 1, 3);
    reg("missing_pictures", missing_pictures, 1, 3);
    reg("import_csv", import_csv, 1, 3);
    reg("import_command", import_command, 1, 3);

    reg("export_text", export_text, 2, 5);
    reg("sqlite/export_text", sqlite_export, 2, 5);

    reg("delete_rewrite", delete_rewrite, 1, 5);
    reg("delete_in_editor", delete_in_editor, 1, 3);
    reg("sqlite/delete", sqlite_delete, 3, 5);

    reg("print_summary", print_summary, 1, 3);
    reg("print_sheets", print_sheets, 1, 3);

    reg("show_record", show_record, 200, 5);
    reg("save_record", save_record, 50, 5);

    register_history_benchmarks();
    register_gallery_benchmarks();
}

}  // namespace tessaran::bench
