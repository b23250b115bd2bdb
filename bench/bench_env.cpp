#include "bench_env.h"

#include "collection.h"

#include "app/start_window.h"
#include "core/database.h"
#include "core/delete_record.h"
#include "core/field_text.h"
#include "core/locale_dates.h"
#include "core/money.h"
#include "core/record_file.h"
#include "core/record_import.h"
#include "core/record_match.h"
#include "core/session.h"
#include "core/sorting.h"
#include "core/summary_export.h"
#include "core/working_set.h"
#include "editor/record_editor.h"
#include "editor/record_search.h"
#include "reports/summary_window.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include <algorithm>
#include <cstring>

namespace tessaran::bench {

const char* const sql_text = "SELECT id FROM scopes WHERE upper(artist) LIKE '%SEN%'";
const char* const sql_date = "SELECT id FROM scopes WHERE date_bought BETWEEN '2000-01-01' AND '2004-12-31'";
const char* const sql_prices = "SELECT id FROM scopes WHERE price_paid BETWEEN 5000000 AND 15000000 "
                               "AND price_retail BETWEEN 8000000 AND 20000000";
const char* const sql_no_match = "SELECT id FROM scopes WHERE upper(artist) LIKE '%XQZ%' LIMIT 1";

BenchEnv& env()
{
    static BenchEnv e;
    return e;
}

namespace {

constexpr int artist_slot = 1;  // the text slots in dialog order: Scope name, Artist, ...

}  // namespace

bool copy_file(const QString& from, const QString& to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

Criteria text_criteria()
{
    Criteria c;
    c.by_text = true;
    c.texts[artist_slot] = QStringLiteral("SEN");
    return c;
}

Criteria date_criteria()
{
    Criteria c;
    c.by_date = true;
    c.date_beg = date_to_days(QDate(2000, 1, 1));
    c.date_end = date_to_days(QDate(2004, 12, 31));
    return c;
}

Criteria price_criteria()
{
    Criteria c;
    c.by_paid = true;
    c.paid_min = 500 * 10000LL;
    c.paid_max = 1500 * 10000LL;
    c.by_retail = true;
    c.retail_min = 800 * 10000LL;
    c.retail_max = 2000 * 10000LL;
    return c;
}

Criteria no_match_criteria()
{
    Criteria c;
    c.by_text = true;
    c.texts[artist_slot] = QStringLiteral("XQZ");
    return c;
}

bool restore_rnd()
{
    return copy_file(env().rnd_pristine, env().rnd);
}

bool restore_sqlite()
{
    BenchEnv& e = env();
    e.sql.close();
    const bool ok = copy_file(e.sqlite_pristine, e.sqlite);
    return e.sql.open(e.sqlite) && ok;
}

void reopen_state()
{
    // A collection copied back is another program's change: the editor reads
    // it again (and its history compares it) at its next step, here, not
    // inside the next timed operation.
    env().ed->findChild<QPushButton*>(QStringLiteral("cmd_begscope"))->click();
    // Every record by artist, position 1 shown, as opening leaves it.
    env().ed->select_all();
    env().ed->sort_by(SortField::artist, false);
}

// What a spreadsheet saves of a whole collection: every one of the 30 fields
// a column, UTF-8, items quoted where they hold the separator, quotes or line
// breaks, accented letters as they come.
bool write_import_csv(QString& error)
{
    BenchEnv& e = env();
    e.import_csv = QDir(e.tmp.path()).filePath(QStringLiteral("spreadsheet.csv"));
    QStringList headings;
    for (const int target : import_targets()) {
        if (target != import_ignored)
            headings << import_target_caption(target);
    }
    QByteArray csv = csv_line(headings).toUtf8() + "\r\n";
    RecordScanner db;
    if (const FileStatus st = db.open(e.rnd_pristine); !st) {
        error = QStringLiteral("collection not readable: ") + st.error;
        return false;
    }
    ScopeRecord r;
    const QString second_line = QStringLiteral(", signed \"inside\"\nby the artist");
    for (int n = 1; n <= db.count(); ++n) {
        db.read(n, r);
        QStringList items;
        for (const int target : import_targets()) {
            if (target == import_ignored)
                continue;
            if (target == m_price_paid || target == m_price_retail) {
                items << money_plain_text(target == m_price_paid ? r.price_paid : r.price_retail);
            } else if (target == import_images) {
                QStringList paths;
                for (int i = 1; i <= r.images_in_use(); ++i)
                    paths << shown_text(r.image_files[std::size_t(i)]);
                items << paths.join(QLatin1Char(';'));
            } else {
                const TextMemberInfo* info = text_member_info(Member(target));
                QString text = shown_text(r.*(info->field));
                // Commas, quotes and a line break in the long fields, where
                // they fit (the record keeps a line break as CR LF).
                if ((target == m_specfeatures || target == m_comments)
                    && text.size() + second_line.size() + 1 <= info->width)
                    text += second_line;
                items << text;
            }
        }
        csv += csv_line(items).toUtf8() + "\r\n";
    }
    QFile f(e.import_csv);
    if (!f.open(QIODevice::WriteOnly) || f.write(csv) != csv.size()) {
        error = QStringLiteral("cannot write the CSV file: ") + f.errorString();
        return false;
    }
    return true;
}

bool setup_env(QString& error)
{
    BenchEnv& e = env();
    if (!e.tmp.isValid()) {
        error = QStringLiteral("no temporary folder: ") + e.tmp.errorString();
        return false;
    }
    const QDir dir(e.tmp.path());
    e.rnd = dir.filePath(QStringLiteral("collection.rnd"));
    e.rnd_pristine = dir.filePath(QStringLiteral("collection_pristine.rnd"));
    e.sqlite = dir.filePath(QStringLiteral("collection.sqlite"));
    e.sqlite_pristine = dir.filePath(QStringLiteral("collection_pristine.sqlite"));
    e.export_path = dir.filePath(QStringLiteral("summary.txt"));
    e.sqlite_export_path = dir.filePath(QStringLiteral("summary_sqlite.txt"));
    e.pdf_path = dir.filePath(QStringLiteral("printout.pdf"));

    if (!write_collection(e.rnd_pristine, collection_size, error))
        return false;
    if (!copy_file(e.rnd_pristine, e.rnd)) {
        error = QStringLiteral("cannot copy the collection");
        return false;
    }
    if (!build_sqlite_copy(e.rnd_pristine, e.sqlite_pristine, error))
        return false;
    if (!restore_sqlite()) {
        error = QStringLiteral("cannot open the SQLite copy: ") + e.sql.error();
        return false;
    }
    e.buffer.assign(size_t(QFileInfo(e.rnd).size()), 1);

    // Opened as the start-up window opens a database: the editor comes up on it.
    e.startup = std::make_unique<StartWindow>();
    if (!e.startup->open_database(e.rnd)) {
        error = QStringLiteral("the program did not open the collection: ") + e.dialogs.last_text;
        return false;
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* ed = qobject_cast<RecordEditor*>(w))
            e.ed = ed;
    if (!e.ed) {
        error = QStringLiteral("the record editor did not open");
        return false;
    }
    QApplication::processEvents();
    return true;
}

namespace {

std::vector<qint64> working_set_sorted()
{
    const Session& s = env().ed->session();
    std::vector<qint64> v(s.ws().records().begin() + 1, s.ws().records().begin() + 1 + s.ws().count());
    std::sort(v.begin(), v.end());
    return v;
}

bool check_select(const char* what, const Criteria& c, const char* sql, QString& error)
{
    BenchEnv& e = env();
    reopen_state();
    const SelectOutcome o = e.ed->select_by(c);
    const std::vector<qint64> program = working_set_sorted();
    std::vector<qint64> lite = e.sql.ids(sql);
    std::sort(lite.begin(), lite.end());
    if (o != SelectOutcome::selected || program != lite) {
        error = QStringLiteral("%1: the program selected %2 records, SQLite %3")
                    .arg(QLatin1String(what))
                    .arg(program.size())
                    .arg(lite.size());
        return false;
    }
    std::printf("  %-28s %6zu records (SQLite: the same records)\n", what, program.size());
    return true;
}

qint64 line_count(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().count("\r\n");
}

}  // namespace

bool verify_results(QString& error)
{
    BenchEnv& e = env();
    const Session& s = env().ed->session();
    std::printf("Checking that the program and SQLite give the same results:\n");
    if (!check_select("select by artist", text_criteria(), sql_text, error)
        || !check_select("select by date range", date_criteria(), sql_date, error)
        || !check_select("select by both price ranges", price_criteria(), sql_prices, error))
        return false;

    // A find with no match reads every record and says so.
    reopen_state();
    e.ed->find_by(no_match_criteria());
    if (e.dialogs.last_text != QLatin1String("No matching kaleidoscopes found.") || !e.sql.ids(sql_no_match).empty()) {
        error = QStringLiteral("find: unexpected outcome \"%1\"").arg(e.dialogs.last_text);
        return false;
    }
    std::printf("  %-28s no match in %d records (SQLite: none)\n", "find", int(s.ws().count()));

    // Sorting by price: the same sequence of amounts as SQLite's ORDER BY.
    reopen_state();
    e.ed->sort_by(SortField::price_paid, false);
    std::vector<qint64> program;
    {
        RecordScanner scan;
        scan.open(e.rnd);
        ScopeRecord r;
        for (int p = 1; p <= s.ws().count(); ++p) {
            scan.read(s.ws().records()[size_t(p)], r);
            program.push_back(r.price_paid);
        }
    }
    const std::vector<qint64> lite = e.sql.ids("SELECT price_paid FROM scopes ORDER BY price_paid");
    if (program != lite) {
        error = QStringLiteral("sort by purchase price differs from SQLite's order");
        return false;
    }
    std::printf("  %-28s same order of amounts as SQLite\n", "sort by purchase price");

    // The text export: five heading lines and one per record.
    reopen_state();
    {
        SummaryWindow grid(e.ed->session(), SummaryKind::purchase, e.ed);
        e.dialogs.files.push_back(e.export_path);
        grid.save_as_text();
        grid.reject();
    }
    const qint64 lines = line_count(e.export_path);
    const qint64 lite_rows = e.sql.export_csv(
        "SELECT scopename, artist, date_bought, price_paid, price_retail, store FROM scopes ORDER BY upper(artist)",
        e.sqlite_export_path);
    if (lines != 5 + s.ws().count() || lite_rows != s.ws().count()) {
        error = QStringLiteral("export: %1 lines written, SQLite %2 rows").arg(lines).arg(lite_rows);
        return false;
    }
    std::printf("  %-28s %lld lines (SQLite: %lld rows)\n", "save summary as text", lines, lite_rows);

    // Deleting one record leaves one fewer, in both.
    if (FileStatus st = delete_record_file(e.rnd, 12345); !st || record_count_of(e.rnd) != collection_size - 1) {
        error = QStringLiteral("delete: ") + st.error;
        return false;
    }
    e.sql.exec("DELETE FROM scopes WHERE id = 12345");
    if (e.sql.scalar("SELECT count(*) FROM scopes") != collection_size - 1) {
        error = QStringLiteral("SQLite delete failed: ") + e.sql.error();
        return false;
    }
    std::printf("  %-28s %d records left (SQLite: the same)\n", "delete one record", collection_size - 1);
    if (!restore_rnd() || !restore_sqlite()) {
        error = QStringLiteral("cannot restore the databases");
        return false;
    }
    if (e.dialogs.errors > 0) {
        error = QStringLiteral("the program reported an error: ") + e.dialogs.error_text;
        return false;
    }
    reopen_state();
    return true;
}

}  // namespace tessaran::bench
