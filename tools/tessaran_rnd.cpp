// tessaran-rnd: inspect, verify, dump and export a collection database from
// scripts (backups, migrations) without starting the program.
#include "record_check.h"

#include "catalogue/inventory_pdf.h"
#include "catalogue/web_catalogue.h"
#include "core/blank_text.h"
#include "core/collection_history.h"
#include "core/collection_lock.h"
#include "core/collection_stats.h"
#include "core/field_change.h"
#include "core/file_write.h"
#include "core/record_changes.h"
#include "core/record_file.h"
#include "core/record_import.h"
#include "core/scope_record.h"
#include "core/sorting.h"
#include "core/summary_export.h"
#include "core/summary_rows.h"
#include "core/working_set.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace tessaran;

namespace {

int usage()
{
    std::fputs("usage: tessaran-rnd info FILE [--locale NAME]\n"
               "       tessaran-rnd verify FILE [--strict] [--locale NAME]\n"
               "       tessaran-rnd dump FILE [N]\n"
               "       tessaran-rnd pictures FILE\n"
               "       tessaran-rnd export FILE --kind kaleidoscope|purchase\n"
               "       tessaran-rnd stats FILE [--json] [--locale NAME]\n"
               "       tessaran-rnd web FILE FOLDER [--no-prices] [--replace] [--locale NAME]\n"
               "       tessaran-rnd import SOURCE OUT.rnd [--append [--force]] [--skip-bad] [--locale NAME]\n"
               "       tessaran-rnd history FILE [--record N]\n"
               "       tessaran-rnd inventory FILE OUT.pdf [--retail|--paid] [--locale NAME]\n"
               "       tessaran-rnd replace FILE FIELD OLD NEW [--dry-run] [--force] [--locale NAME]\n"
               "\n"
               "verify exits 1 when the file is damaged so that the program cannot work\n"
               "with it (its length, its record count, an image count outside 0..10).\n"
               "Dates and years that do not read in the locale in use (the system's, or\n"
               "NAME such as en_US) and bytes that are no character are warnings: exit 0\n"
               "unless --strict. So are pictures that cannot be found, and a history\n"
               "(FILE-history) that does not agree with the collection: a change left\n"
               "unfinished, records another program changed.\n"
               "\n"
               "pictures lists every stored picture path by record and picture number,\n"
               "with the file it names (a relative path lies in the collection's folder)\n"
               "and whether that file is found.\n"
               "\n"
               "web writes the whole collection, sorted by artist, as a web catalogue into\n"
               "FOLDER (index.html, a page per kaleidoscope, its pictures scaled); without\n"
               "prices with --no-prices. A folder that holds anything only with --replace,\n"
               "which replaces the catalogue's own files in it. Pictures that cannot be\n"
               "read are named on standard error.\n"
               "\n"
               "import reads a comma-separated file (headings in the first row) or the\n"
               "JSON lines dump writes, checks every row as the program does, and writes\n"
               "OUT.rnd (an existing file only with --append). A rejected row is listed\n"
               "on standard error and nothing is written, unless --skip-bad. Columns that\n"
               "match no field and rows of empty cells are named on standard error. A\n"
               "dump's lines are stored as they stand, whatever the locale: a date that\n"
               "does not read in it is a warning. While a window of the program has\n"
               "OUT.rnd open for changes, --append refuses with exit status 3; --force\n"
               "adds the kaleidoscopes all the same (the window reads the collection\n"
               "again before its next step). What --append adds is recorded in the\n"
               "collection's history as the window's import is.\n"
               "\n"
               "history lists the changes the program recorded in FILE-history, oldest\n"
               "first, one line each: when (UTC), who, what kind of change, the\n"
               "kaleidoscope and the fields it changed. With --record N only the changes\n"
               "of the kaleidoscope that is record N now.\n"
               "\n"
               "inventory writes the whole collection, sorted by artist, as a PDF for an\n"
               "insurer: a line per kaleidoscope with its first picture, scope name,\n"
               "artist, year, date of purchase and both prices, page totals and the\n"
               "grand total, whose value is stated at retail prices (--retail, the\n"
               "default) or at purchase prices (--paid). Letter paper where the locale\n"
               "measures in inches, A4 elsewhere. OUT.pdf is written whole or not at all.\n"
               "\n"
               "replace replaces the text OLD by NEW within FIELD (named as dump names it,\n"
               "such as store) in every kaleidoscope, checked as the program checks an\n"
               "entry, and lists each change; with --dry-run only lists them. A new text\n"
               "that does not fit the field names the kaleidoscopes and changes nothing.\n"
               "The change is one safe write and one entry of the history, which one Undo\n"
               "in the program takes back. While a window has FILE open for changes it\n"
               "refuses with exit status 3, unless --force.\n",
               stderr);
    return 2;
}

void out(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

void err(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
}

int cmd_info(const QString& path)
{
    const DatabaseReport r = check_database(path);
    if (!r.unreadable.isEmpty()) {
        err(r.unreadable);
        return 1;
    }
    out(QStringLiteral("file: %1").arg(path));
    out(QStringLiteral("size: %1").arg(counted(r.size, QStringLiteral("byte"))));
    out(QStringLiteral("records: %1").arg(r.records));
    out(QStringLiteral("problems: %1").arg(r.errors.size() + r.warnings.size()));
    for (const QString& p : r.errors)
        out(QStringLiteral("  ") + p);
    for (const QString& p : r.warnings)
        out(QStringLiteral("  warning: ") + p);
    return 0;
}

// A collection without a history has nothing to disagree with.
QStringList history_warnings(const QString& path)
{
    if (!QFileInfo::exists(history_path_of(path)) && !QFileInfo(history_path_of(path)).isSymLink())
        return {};
    CollectionHistory history(path);
    if (const HistoryStatus st = history.open_for_reading(); !st)
        return {st.error};
    return history.disagreements();
}

int cmd_verify(const QString& path, bool strict)
{
    const DatabaseReport r = check_database(path);
    if (!r.unreadable.isEmpty()) {
        err(r.unreadable);
        return 1;
    }
    for (const QString& p : r.errors)
        out(p);
    QStringList warnings = r.warnings;
    // Pictures only where the records themselves can be read.
    if (r.errors.isEmpty())
        warnings << missing_picture_warnings(path) << history_warnings(path);
    for (const QString& p : warnings)
        out(QStringLiteral("warning: ") + p);
    return !r.errors.isEmpty() || (strict && !warnings.isEmpty()) ? 1 : 0;
}

int cmd_pictures(const QString& path)
{
    if (const QString why = unreadable_reason(path); !why.isEmpty()) {
        err(why);
        return 1;
    }
    // Only a collection has pictures to list: a file cut short or of another
    // kind is refused, as verify refuses it.
    const DatabaseReport report = check_database(path);
    if (!report.unreadable.isEmpty()) {
        err(report.unreadable);
        return 1;
    }
    if (report.size % rec_len_bytes != 0 || report.records > max_record_count) {
        err(QStringLiteral("%1 is not a collection: %2").arg(path, report.errors.first()));
        return 1;
    }
    for (const PictureLine& line : picture_lines(path))
        out(QStringLiteral("record %1, picture %2: %3 -> %4 (%5)")
                .arg(line.record)
                .arg(line.slot)
                .arg(line.stored, line.file, line.state()));
    return 0;
}

int cmd_dump(const QString& path, const QString& which)
{
    if (const QString why = unreadable_reason(path); !why.isEmpty()) {
        err(why);
        return 1;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return 1;
    }
    const qint64 size = file.size();
    const qint64 whole = size / rec_len_bytes;
    qint64 first = 1;
    qint64 last = whole;
    if (!which.isEmpty()) {
        bool ok = false;
        const qint64 n = which.toLongLong(&ok);
        if (!ok || n < 1 || n > whole) {
            err(QStringLiteral("record %1 is not in the file (1..%2)").arg(which).arg(whole));
            return 1;
        }
        first = last = n;
    }
    QByteArray raw(rec_len_bytes, '\0');
    for (qint64 n = first; n <= last; ++n) {
        if (!file.seek((n - 1) * rec_len_bytes) || file.read(raw.data(), rec_len_bytes) != rec_len_bytes) {
            err(QStringLiteral("record %1 cannot be read: %2").arg(n).arg(file.errorString()));
            return 1;
        }
        const QByteArray line = record_json(decode_record(raw.constData()), int(n)) + '\n';
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    }
    // Whatever could not be dumped, or would not open in the program, is told.
    int code = 0;
    if (which.isEmpty() && size % rec_len_bytes != 0) {
        err(QStringLiteral("%1: the last %2 %3 no whole record and were not dumped")
                .arg(path, counted(size % rec_len_bytes, QStringLiteral("byte")),
                     size % rec_len_bytes == 1 ? QStringLiteral("is") : QStringLiteral("are")));
        code = 1;
    }
    if (whole > max_record_count) {
        err(QStringLiteral("%1 holds %2 records, more than the %3 a collection can hold")
                .arg(path)
                .arg(whole)
                .arg(max_record_count));
        code = 1;
    }
    if (std::fflush(stdout) != 0) {
        err(QStringLiteral("cannot write the records to standard output"));
        code = 1;
    }
    return code;
}

// The export the program writes for a freshly opened collection: every record,
// sorted by artist ascending, no selection.
// The whole collection in the order a freshly opened one has: by artist. A
// file the program cannot work with is told as "cannot VERB PATH: reason".
bool read_by_artist(const QString& path, const QString& verb, WorkingSet& ws)
{
    const DatabaseReport report = check_database(path);
    if (!report.unreadable.isEmpty()) {
        err(report.unreadable);
        return false;
    }
    const QString cannot = QStringLiteral("cannot %1 %2: ").arg(verb, path);
    if (report.size % rec_len_bytes != 0 || report.records > max_record_count) {
        err(cannot + report.errors.value(0));
        return false;
    }
    ws.reset_to_all(report.records);
    QString error;
    if (!sort_working_set(path, ws, SortField::artist, false, &error)) {
        err(cannot + error);
        return false;
    }
    return true;
}

int cmd_export(const QString& path, const QString& kind_name)
{
    SummaryKind kind = SummaryKind::scope;
    if (kind_name == QLatin1String("kaleidoscope"))
        kind = SummaryKind::scope;
    else if (kind_name == QLatin1String("purchase"))
        kind = SummaryKind::purchase;
    else
        return usage();

    WorkingSet ws;
    if (!read_by_artist(path, QStringLiteral("export"), ws))
        return 1;

    SummaryExportHead head;
    head.stamp = general_date_text(QDateTime::currentDateTime());
    head.count = ws.count();
    head.selection_text = ws.selection_text();
    head.sort_caption = ws.sort_caption();

    // The writer replaces a file only when all is written, so export to a
    // scratch file and copy it out.
    QTemporaryDir scratch;
    const QString out_path = scratch.filePath(QStringLiteral("summary.txt"));
    if (const FileStatus st = write_summary_export(out_path, path, ws.records(), ws.count(), kind, head); !st) {
        err(QStringLiteral("cannot export %1: %2").arg(path, st.error));
        return 1;
    }
    QFile written(out_path);
    if (!written.open(QIODevice::ReadOnly)) {
        err(QStringLiteral("cannot export %1: %2").arg(path, written.errorString()));
        return 1;
    }
    const QByteArray bytes = written.readAll();
    if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout)
            != static_cast<std::size_t>(bytes.size())
        || std::fflush(stdout) != 0) {
        err(QStringLiteral("cannot write the export to standard output"));
        return 1;
    }
    return 0;
}

// Every record of the file, in file order.
int cmd_stats(const QString& path, bool json)
{
    const DatabaseReport report = check_database(path);
    if (!report.unreadable.isEmpty()) {
        err(report.unreadable);
        return 1;
    }
    if (!report.errors.isEmpty()) {
        err(QStringLiteral("cannot read %1: %2").arg(path, report.errors.value(0)));
        return 1;
    }
    WorkingSet all;
    all.reset_to_all(report.records);
    CollectionStats stats;
    if (const FileStatus st = collect_stats(path, all.records(), all.count(), stats); !st) {
        err(QStringLiteral("cannot read %1: %2").arg(path, st.error));
        return 1;
    }
    const StatsHead head{path, QStringLiteral("Unsorted"), QStringLiteral("All")};
    if (json) {
        const QByteArray text = stats_json(stats, head);
        std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    } else {
        for (const QString& line : stats_csv_lines(stats, head))
            out(line);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

int cmd_inventory(const QString& path, const QString& pdf, bool paid)
{
    WorkingSet all;
    if (!read_by_artist(path, QStringLiteral("read"), all))
        return 1;
    std::vector<InventoryLine> lines;
    if (const FileStatus st = inventory_lines(path, all.records(), all.count(), lines); !st) {
        err(QStringLiteral("cannot read %1: %2").arg(path, st.error));
        return 1;
    }
    InventoryOptions options;
    options.collection = QFileInfo(path).completeBaseName();
    options.date = QDate::currentDate();
    options.value = paid ? InventoryValue::paid : InventoryValue::retail;
    const InventoryResult r = write_inventory_pdf(pdf, lines, options);
    if (!r.status) {
        err(r.status.error);
        return 1;
    }
    out(QStringLiteral("wrote the inventory of %1 on %2 to %3")
            .arg(counted(qint64(lines.size()), QStringLiteral("kaleidoscope")),
                 counted(r.pages, QStringLiteral("page")), pdf));
    if (r.without_picture + r.unreadable > 0)
        out(QStringLiteral("%1 without a picture, %2 that could not be read")
                .arg(counted(r.without_picture, QStringLiteral("kaleidoscope")),
                     counted(r.unreadable, QStringLiteral("picture"))));
    return 0;
}

int claim_for_append(const QString& out_path, bool force, CollectionLock& lock);

int cmd_replace(const QStringList& args, bool dry_run, bool force)
{
    const QString& path = args.at(1);
    const std::optional<Member> member = member_named(args.at(2));
    if (!member || args.at(3).isEmpty()) {
        err(!member ? QStringLiteral("no field is named %1: give it as dump names it, such as store").arg(args.at(2))
                    : QStringLiteral("the text to replace is empty"));
        return 2;
    }
    CollectionLock lock;
    if (!dry_run) {
        if (const int refused = claim_for_append(path, force, lock))
            return refused;
    }
    WorkingSet all;
    all.reset_to_all(whole_record_count(path));
    FieldChangePlan plan;
    if (const FileStatus st
        = plan_field_change(path, all.records(), all.count(), {*member, true, args.at(3), args.at(4)}, plan);
        !st) {
        err(QStringLiteral("cannot read %1: %2").arg(path, st.error));
        return 1;
    }
    if (!plan.refusal.isEmpty()) {
        err(plan.refusal);
        return 1;
    }
    for (const PlannedChange& c : plan.changes)
        out(QStringLiteral("record %1 \"%2\": \"%3\" -> \"%4\"").arg(c.record).arg(c.name, c.before, c.after));
    const QString count = counted(qint64(plan.changes.size()), QStringLiteral("kaleidoscope"));
    if (dry_run || plan.changes.empty()) {
        out((dry_run ? QStringLiteral("would change ") : QStringLiteral("changed ")) + count);
        return 0;
    }
    CollectionHistory history(path);
    for (const QString& told : {history.open().note})
        if (!told.isEmpty())
            err(QStringLiteral("warning: ") + told);
    if (const FileStatus st = write_field_change(path, plan, recorded_in(history)); !st) {
        err(QStringLiteral("cannot write %1: %2").arg(path, st.error));
        return 1;
    }
    out(QStringLiteral("changed ") + count);
    return 0;
}

int cmd_web(const QString& path, const QString& folder, bool include_prices, bool replace)
{
    WorkingSet all;
    if (!read_by_artist(path, QStringLiteral("read"), all))
        return 1;
    if (folder_has_entries(folder) && !replace) {
        err(QStringLiteral("%1 is not empty; give --replace to replace the catalogue's files in it").arg(folder));
        return 1;
    }
    const WebCatalogueResult r = write_web_catalogue(path, all.records(), all.count(), folder, include_prices);
    for (const QString& picture : r.unreadable)
        err(QStringLiteral("picture cannot be read: ") + picture);
    if (!r.status) {
        err(QStringLiteral("cannot write the catalogue: ") + r.status.error);
        return 1;
    }
    out(QStringLiteral("wrote %1 and %2 to %3")
            .arg(counted(r.kaleidoscopes, QStringLiteral("kaleidoscope")),
                 counted(r.pictures, QStringLiteral("picture")), folder));
    return 0;
}

// One line a change: when, who, what kind, which kaleidoscope, which fields.
QString history_line(const HistoryChange& c)
{
    QString what;
    if (c.kind == ChangeKind::outside) {
        what = QStringLiteral("the collection was changed by another program");
    } else if (c.records.size() == 1) {
        const RecordChange& r = c.records.front();
        const ScopeRecord now = decode_record((r.after.isEmpty() ? r.before : r.after).constData());
        what = QStringLiteral("record %1 \"%2\"")
                   .arg(r.record_after > 0 ? r.record_after : r.record_before)
                   .arg(trim_blanks(now.scopename));
        if (!r.before.isEmpty() && !r.after.isEmpty()) {
            const QStringList fields = changed_field_names(decode_record(r.before.constData()), now);
            if (!fields.isEmpty())
                what += QStringLiteral(": ") + fields.join(QStringLiteral(", "));
        }
    } else {
        what = counted(qint64(c.records.size()), QStringLiteral("kaleidoscope"));
    }
    return QStringLiteral("%1 %2 %3 %4")
        .arg(c.at.toUTC().toString(Qt::ISODate), c.user.isEmpty() ? QStringLiteral("-") : c.user,
             change_kind_name(c.kind), what);
}

int cmd_history(const QString& path, const QString& record)
{
    if (const QString why = unreadable_reason(path); !why.isEmpty()) {
        err(why);
        return 1;
    }
    CollectionHistory history(path);
    if (const HistoryStatus st = history.open_for_reading(); !st) {
        err(st.error);
        return 1;
    }
    qint64 identity = 0;
    if (!record.isEmpty()) {
        bool number = false;
        const int n = record.toInt(&number);
        identity = number ? history.identity_at(n) : 0;
        if (identity == 0) {
            err(QStringLiteral("record %1 is not in the history of %2").arg(record, path));
            return 1;
        }
    }
    for (const HistoryChange& c : history.changes(identity))
        out(history_line(c));
    return 0;
}

// The one writer of the collection for as long as the import runs, unless
// a window is: then only when told to go ahead. 0, or the exit status.
int claim_for_append(const QString& out_path, bool force, CollectionLock& lock)
{
    LockHolder holder;
    if (lock.take(out_path, &holder) == LockOutcome::in_use && !force) {
        err(QStringLiteral("%1 is open for changes in %2; close it there first, or give --force to add the "
                           "kaleidoscopes all the same")
                .arg(out_path, holder_text(holder)));
        return 3;
    }
    const DatabaseReport report = check_database(out_path);
    if (!report.unreadable.isEmpty() || !report.errors.isEmpty()) {
        err(report.unreadable.isEmpty() ? QStringLiteral("cannot add to %1: %2").arg(out_path, report.errors.value(0))
                                        : report.unreadable);
        return 1;
    }
    return 0;
}

int cmd_import(const QString& source_path, const QString& out_path, bool append, bool skip_bad, bool force)
{
    if (const QString why = unreadable_reason(source_path); !why.isEmpty()) {
        err(why);
        return 1;
    }
    QFile file(source_path);
    if (!file.open(QIODevice::ReadOnly)) {
        err(QStringLiteral("cannot read %1: %2").arg(source_path, file.errorString()));
        return 1;
    }
    ImportReader reader(file.readAll());
    file.close();
    if (!reader.error().isEmpty()) {
        err(QStringLiteral("cannot read %1: %2").arg(source_path, reader.error()));
        return 1;
    }
    if (QFileInfo::exists(out_path) && !append) {
        err(QStringLiteral("%1 exists; give --append to add the kaleidoscopes to it").arg(out_path));
        return 1;
    }
    CollectionLock lock;
    if (append && QFileInfo::exists(out_path))
        if (const int refused = claim_for_append(out_path, force, lock))
            return refused;
    QList<int> targets;
    for (const QString& h : reader.headings())
        targets << match_heading(h);
    if (const QString why = import_columns_problem(reader.headings(), targets); !why.isEmpty()) {
        err(QStringLiteral("cannot import %1: %2").arg(source_path, why));
        return 1;
    }
    // A column that goes nowhere would lose its values without a word.
    for (const QString& h : ignored_headings(reader.headings(), targets))
        err(QStringLiteral("column \"%1\" matches no field and is ignored").arg(h));
    // What is added to a collection goes into its history, as the window's import does.
    const bool recorded = append && QFileInfo::exists(out_path);
    CollectionHistory history(out_path);
    if (recorded) {
        const HistoryStatus st = history.open();
        for (const QString& told : {st.note, st.error})
            if (!told.isEmpty())
                err(QStringLiteral("warning: ") + told);
    }
    const int count_before = whole_record_count(out_path);
    // Each row is read, checked and written as it comes; a refused row keeps
    // the whole file from being written unless told to skip it.
    ImportCount count;
    const FileStatus st = append_import(out_path, reader, targets, !skip_bad, count, [](const ImportedRow& row) {
        if (!row.warning.isEmpty())
            err(QStringLiteral("line %1: warning: %2").arg(row.line).arg(row.warning));
        if (!row.problem.isEmpty())
            err(QStringLiteral("line %1: %2").arg(row.line).arg(row.problem));
    });
    if (reader.empty_rows() > 0)
        err(QStringLiteral("%1 skipped").arg(counted(reader.empty_rows(), QStringLiteral("empty row"))));
    if (count.refused > 0 && !skip_bad) {
        err(QStringLiteral("%1 rejected; nothing was written (give --skip-bad to import the others)")
                .arg(counted(count.refused, QStringLiteral("row"))));
        return 1;
    }
    if (!st) {
        err(QStringLiteral("cannot write %1: %2").arg(out_path, st.error));
        return 1;
    }
    if (recorded && history.is_open())
        if (const HistoryStatus st = history.record_appended(ChangeKind::import, count_before); !st)
            err(QStringLiteral("warning: ") + st.error);
    const int sound = count.imported;
    const int rejected = count.refused;
    out(QStringLiteral("imported %1, skipped %2")
            .arg(counted(sound, QStringLiteral("kaleidoscope")), counted(rejected, QStringLiteral("row"))));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Standard output redirected to a file past the size limit: a reported
    // failed write, not a killed tool.
    ignore_file_size_signal();
    // The inventory sets type, which needs fonts: a GUI application, on no screen.
    const bool draws = argc > 1 && std::strcmp(argv[1], "inventory") == 0;
    if (draws && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app
        = draws ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = app->arguments().mid(1);
    // Options that any command may take.
    bool strict = false;
    bool json = false;
    bool append = false;
    bool skip_bad = false;
    bool force = false;
    bool no_prices = false;
    bool replace = false;
    bool retail = false;
    bool paid = false;
    bool dry_run = false;
    const std::pair<const char*, bool*> flags[]
        = {{"--strict", &strict}, {"--json", &json},           {"--append", &append},   {"--skip-bad", &skip_bad},
           {"--force", &force},   {"--no-prices", &no_prices}, {"--replace", &replace}, {"--retail", &retail},
           {"--paid", &paid},     {"--dry-run", &dry_run}};
    for (qsizetype i = 0; i < args.size();) {
        bool* flag = nullptr;
        for (const auto& [name, target] : flags) {
            if (args.at(i) == QLatin1String(name))
                flag = target;
        }
        if (flag) {
            *flag = true;
            args.removeAt(i);
        } else if (args.at(i) == QLatin1String("--locale")) {
            if (i + 1 >= args.size())
                return usage();
            const QString name = args.at(i + 1);
            const QLocale locale(name);
            if (locale == QLocale::c() && name != QLatin1String("C") && name != QLatin1String("POSIX")) {
                err(QStringLiteral("unknown locale %1").arg(name));
                return 2;
            }
            QLocale::setDefault(locale);
            args.remove(i, 2);
        } else {
            ++i;
        }
    }
    if (args.size() < 2)
        return usage();
    const QString& command = args.at(0);
    const QString& path = args.at(1);
    if (command == QLatin1String("info") && args.size() == 2)
        return cmd_info(path);
    if (command == QLatin1String("verify") && args.size() == 2)
        return cmd_verify(path, strict);
    if (command == QLatin1String("pictures") && args.size() == 2)
        return cmd_pictures(path);
    if (command == QLatin1String("dump") && args.size() <= 3)
        return cmd_dump(path, args.value(2));
    if (command == QLatin1String("export") && args.size() == 4 && args.at(2) == QLatin1String("--kind"))
        return cmd_export(path, args.at(3));
    if (command == QLatin1String("stats") && args.size() == 2)
        return cmd_stats(path, json);
    if (command == QLatin1String("web") && args.size() == 3)
        return cmd_web(path, args.at(2), !no_prices, replace);
    if (command == QLatin1String("import") && args.size() == 3)
        return cmd_import(path, args.at(2), append, skip_bad, force);
    if (command == QLatin1String("history") && (args.size() == 2 || (args.size() == 4 && args.at(2) == "--record")))
        return cmd_history(path, args.value(3));
    if (command == QLatin1String("replace") && args.size() == 5)
        return cmd_replace(args, dry_run, force);
    if (command == QLatin1String("inventory") && args.size() == 3 && !(retail && paid))
        return cmd_inventory(path, args.at(2), paid);
    return usage();
}
