// The collection's history at full size: what opening it costs, what its entry
// adds to a save, undo of a deletion, a kaleidoscope's history among 100,000
// recorded changes, and how large 10,000 saves make it.
#include "bench_env.h"
#include "collection.h"

#include "core/collection_history.h"
#include "core/record_file.h"
#include "core/session.h"
#include "dialogs/kaleidoscope_history_window.h"
#include "editor/record_editor.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <functional>

namespace tessaran::bench {

namespace {

constexpr int saved_record = 16384;
constexpr int many_changes = 100000;
constexpr int shown_versions = 40;  // of the kaleidoscope whose history is opened

// A copy of the collection with a history of its own beside it.
QString recorded_copy()
{
    static QString path;
    if (!path.isEmpty())
        return path;
    const QString rnd = QDir(env().tmp.path()).filePath(QStringLiteral("recorded.rnd"));
    QFile::remove(history_path_of(rnd));
    if (copy_file(env().rnd_pristine, rnd) && CollectionHistory(rnd).open())
        path = rnd;
    return path;
}

// Opening the history as the editor does on every open: with the collection
// as the history last saw it, or after another program wrote it (here the
// same records copied back), when every record's fingerprint is compared.
void history_open(benchmark::State& st, bool written_elsewhere)
{
    const QString rnd = recorded_copy();
    CollectionHistory history(rnd);
    history.open();
    for (auto _ : st) {
        if (written_elsewhere) {
            st.PauseTiming();
            copy_file(env().rnd_pristine, rnd);
            st.ResumeTiming();
        }
        if (!history.open())
            st.SkipWithError("the history did not open");
    }
}

// One record changed, alternately two versions, through the same safe rewrite.
void save(benchmark::State& st, bool recorded)
{
    const QString rnd = recorded_copy();
    CollectionHistory history(rnd);
    history.open();
    ScopeRecord record = bench_record(saved_record);
    bool flip = false;
    for (auto _ : st) {
        st.PauseTiming();
        QByteArray before;
        ScopeRecord unused;
        read_record(rnd, saved_record, unused, &before);
        flip = !flip;
        record.comments = flip ? QStringLiteral("Changed by the benchmark.") : QStringLiteral("Changed again.");
        const QByteArray after = encode_record(record);
        st.ResumeTiming();
        const auto write = [&] { return write_record(rnd, saved_record, record); };
        HistoryStatus entry;
        const FileStatus written = recorded
            ? write_recorded(&history, ChangeKind::save, {{saved_record, saved_record, before, after}}, write, &entry)
            : write();
        if (!written || (recorded && !entry))
            st.SkipWithError("the record was not saved and recorded");
    }
}

// Undo in the editor after a deletion there: the kaleidoscope back at its
// place, the later records moved back, the undo recorded, every record
// reselected and resorted and the kaleidoscope shown.
void undo_delete(benchmark::State& st)
{
    QAction* undo = env().ed->findChild<QAction*>(QStringLiteral("mnu_undo"));
    for (auto _ : st) {
        st.PauseTiming();
        restore_rnd();
        reopen_state();
        env().ed->show_position(100);
        env().ed->delete_record();
        st.ResumeTiming();
        undo->trigger();
    }
    if (env().ed->session().record_count() != collection_size)
        st.SkipWithError("the deletion was not undone");
    restore_rnd();
    reopen_state();
}

// 100,000 recorded saves spread over the collection, shown_versions of them of
// record 1's kaleidoscope, written straight into the history in one transaction
// (recording them one by one would take the disk minutes of syncs).
bool fill_history(const QString& rnd, QString& error)
{
    qint64 shown = 0;
    {
        CollectionHistory history(rnd);
        if (!history.open()) {
            error = QStringLiteral("the history did not open");
            return false;
        }
        shown = history.identity_at(1);
    }
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(history_path_of(rnd)).constData(), &db) != SQLITE_OK) {
        error = QStringLiteral("the history could not be filled");
        sqlite3_close(db);
        return false;
    }
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* change = nullptr;
    sqlite3_stmt* version = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO change(at, user, kind, state, count_before, count_after, what) "
                       "VALUES('2026-01-01T10:00:00.000Z', 'collector', 'save', 'done', 32767, 32767, ?)",
                       -1, &change, nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO version(change, identity, record_before, record_after, bytes_before, "
                       "bytes_after) VALUES(last_insert_rowid(), ?, ?, ?, ?, ?)",
                       -1, &version, nullptr);
    bool ok = change && version;
    for (int i = 1; ok && i <= many_changes; ++i) {
        const int spread = 2 + (i * 7919) % (collection_size - 1);  // any record but the first
        const int n = i % (many_changes / shown_versions) == 0 ? 1 : spread;
        ScopeRecord r = bench_record(n);
        const QByteArray before = qCompress(encode_record(r), 9);
        r.comments = QStringLiteral("Version %1").arg(i);
        const QByteArray after = qCompress(encode_record(r), 9);
        const QByteArray what = "save of " + r.scopename.trimmed().toUtf8();
        sqlite3_bind_text(change, 1, what.constData(), int(what.size()), SQLITE_TRANSIENT);
        ok = sqlite3_step(change) == SQLITE_DONE;
        sqlite3_reset(change);
        sqlite3_bind_int64(version, 1, n == 1 ? shown : n);
        sqlite3_bind_int(version, 2, n);
        sqlite3_bind_int(version, 3, n);
        sqlite3_bind_blob(version, 4, before.constData(), int(before.size()), SQLITE_TRANSIENT);
        sqlite3_bind_blob(version, 5, after.constData(), int(after.size()), SQLITE_TRANSIENT);
        ok = ok && sqlite3_step(version) == SQLITE_DONE;
        sqlite3_reset(version);
    }
    sqlite3_finalize(change);
    sqlite3_finalize(version);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok)
        error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close(db);
    return ok;
}

// The collection with 100,000 recorded changes beside it, made once; empty
// (the benchmark told why) when it could not be made.
QString many_changes_copy(benchmark::State& st)
{
    static const QString rnd = QDir(env().tmp.path()).filePath(QStringLiteral("many_changes.rnd"));
    static QString failed = QStringLiteral("not made");
    if (failed == QLatin1String("not made")) {
        failed.clear();
        QFile::remove(history_path_of(rnd));
        if (!copy_file(env().rnd_pristine, rnd) || !fill_history(rnd, failed))
            failed = QStringLiteral("the history of 100,000 changes could not be made: ") + failed;
    }
    if (!failed.isEmpty())
        st.SkipWithError(failed.toStdString().c_str());
    return failed.isEmpty() ? rnd : QString();
}

// Opening the editor on a collection with a long history: the history's own
// checks and any unfinished change looked for.
void history_open_many(benchmark::State& st)
{
    const QString rnd = many_changes_copy(st);
    if (rnd.isEmpty())
        return;
    CollectionHistory history(rnd);
    for (auto _ : st)
        if (!history.open())
            st.SkipWithError("the history did not open");
}

// "History of this kaleidoscope" among 100,000 changes: the kaleidoscope's
// versions found and read, the window built and painted.
void history_window(benchmark::State& st)
{
    const QString rnd = many_changes_copy(st);
    if (rnd.isEmpty())
        return;
    CollectionHistory history(rnd);
    history.open();
    size_t shown = 0;
    for (auto _ : st) {
        const std::vector<KaleidoscopeVersion> versions = history.versions_of(history.identity_at(1));
        shown = versions.size();
        KaleidoscopeHistoryWindow window(QStringLiteral("Record 1"), versions);
        window.show();
        window.repaint();
        QApplication::processEvents();
    }
    if (shown != size_t(shown_versions))
        st.SkipWithError("the kaleidoscope's versions were not all found");
}

}  // namespace

void register_history_benchmarks()
{
    reg(
        "history_open", [](benchmark::State& st) { history_open(st, false); }, 2, 3);
    reg(
        "history_compare", [](benchmark::State& st) { history_open(st, true); }, 2, 3);
    reg(
        "save_plain", [](benchmark::State& st) { save(st, false); }, 10, 5);
    reg(
        "save_recorded", [](benchmark::State& st) { save(st, true); }, 10, 5);
    reg("undo_delete", undo_delete, 3, 3);
    reg("history_open_many", history_open_many, 2, 3);
    reg("history_window", history_window, 5, 3);
}

double history_size_after_saves(int saves)
{
    const QString rnd = QDir(env().tmp.path()).filePath(QStringLiteral("ordinary_saves.rnd"));
    QFile::remove(history_path_of(rnd));
    QString error;
    if (!write_collection(rnd, 200, error))
        return -1;
    CollectionHistory history(rnd);
    if (!history.open())
        return -1;
    for (int i = 1; i <= saves; ++i) {
        const int n = 1 + (i * 37) % 200;
        QByteArray before;
        ScopeRecord r;
        if (!read_record(rnd, n, r, &before))
            return -1;
        r.comments = QStringLiteral("Cleaned and polished, save %1.").arg(i);
        HistoryStatus recorded;
        if (!write_recorded(
                &history, ChangeKind::save, {{n, n, before, encode_record(r)}}, [&] { return write_record(rnd, n, r); },
                &recorded)
            || !recorded)
            return -1;
    }
    return double(QFileInfo(history_path_of(rnd)).size()) / (1024.0 * 1024.0);
}

}  // namespace tessaran::bench
