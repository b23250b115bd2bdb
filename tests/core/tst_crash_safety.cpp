// A program killed at any moment while it saves and deletes records leaves its
// database as one of the collections the operations pass through, and a
// scratch file left behind by a killed delete does not disturb the next run.
#include "common/core_temp_db.h"
#include "core/collection_history.h"
#include "core/database.h"
#include "core/delete_record.h"
#include "core/file_write.h"
#include "core/history_undo.h"
#include "core/record_file.h"
#include "core/session.h"

#include <QtTest>

#include <atomic>
#include <csignal>
#include <functional>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

enum class OpKind { overwrite, append, remove };

struct Op {
    OpKind kind;
    int n;  // record written or deleted
    ScopeRecord rec;
};

// Operation i of run r on a collection of count records. Child and parent
// derive the same sequence, so the parent knows every state the file passes.
Op op_for(int run, int i, int count)
{
    QRandomGenerator rng(quint32(run * 100003 + i));
    OpKind kind;
    if (count < 8)
        kind = OpKind::append;
    else if (count > 40)
        kind = OpKind::remove;
    else
        kind = OpKind(rng.bounded(3));
    Op op{kind, 0, ScopeRecord()};
    switch (kind) {
    case OpKind::overwrite: op.n = 1 + int(rng.bounded(count)); break;
    case OpKind::append: op.n = count + 1; break;
    case OpKind::remove: op.n = 1 + int(rng.bounded(count)); return op;
    }
    op.rec = varied_record(1 + int(rng.bounded(500)));
    op.rec.scopename = QStringLiteral("run %1 op %2").arg(run).arg(i);
    op.rec.comments = QString(400, QChar(u'a' + i % 26));
    return op;
}

void apply(QByteArray& file, const Op& op)
{
    const qsizetype at = qsizetype(op.n - 1) * rec_len_bytes;
    if (op.kind == OpKind::remove)
        file.remove(at, rec_len_bytes);
    else if (op.kind == OpKind::append)
        file.append(encode_record(op.rec));
    else
        file.replace(at, rec_len_bytes, encode_record(op.rec));
}

// Counters the child shares with the parent: operations begun and finished.
struct Progress {
    std::atomic<int> begun{0};
    std::atomic<int> finished{0};
};

[[noreturn]] void child_loop(const QString& path, int run, Progress* progress)
{
    for (int i = 0;; ++i) {
        const int count = record_count_of(path);
        const Op op = op_for(run, i, count);
        progress->begun.store(i + 1);
        const FileStatus st
            = op.kind == OpKind::remove ? delete_record_file(path, op.n) : write_record(path, op.n, op.rec);
        if (!st.ok)
            _exit(2);
        progress->finished.store(i + 1);
    }
}

// The child's changes as the program makes them: each recorded in the
// collection's history around its write, with undos and redos among them.
[[noreturn]] void recording_child_loop(const QString& path, int run, Progress* progress)
{
    CollectionHistory history(path);
    if (!history.open())
        _exit(3);
    for (int i = 0;; ++i) {
        const int count = record_count_of(path);
        const Op op = op_for(run, i, count);
        const int step = QRandomGenerator(quint32(run * 7 + i)).bounded(5);
        progress->begun.store(i + 1);
        QByteArray before;
        if (op.kind != OpKind::append) {
            ScopeRecord unused;
            read_record(path, op.n, unused, &before);
        }
        const QByteArray after = op.kind == OpKind::remove ? QByteArray() : encode_record(op.rec);
        const int place_after = op.kind == OpKind::remove ? 0 : op.n;
        const int place_before = op.kind == OpKind::append ? 0 : op.n;
        bool ok = true;
        if (step == 0 || step == 1) {
            // A step with nothing to take back writes nothing: not a failure.
            const HistoryStep next = step == 0 ? history.next_undo() : history.next_redo();
            ok = !next.possible || take_back(history, next, step == 1).done;
        } else {
            const ChangeKind kind = op.kind == OpKind::remove ? ChangeKind::remove
                : op.kind == OpKind::append                   ? ChangeKind::add
                                                              : ChangeKind::save;
            HistoryStatus recorded;
            ok = write_recorded(
                     &history, kind, {{place_before, place_after, before, after}},
                     [&] {
                         return op.kind == OpKind::remove ? delete_record_file(path, op.n)
                                                          : write_record(path, op.n, op.rec);
                     },
                     &recorded)
                     .ok
                && recorded.ok;
        }
        if (!ok)
            _exit(2);
        progress->finished.store(i + 1);
    }
}

void sleep_micro(long us)
{
    timespec ts{us / 1000000, (us % 1000000) * 1000};
    nanosleep(&ts, nullptr);
}

// Forks a child running loop (which never returns), waits until it has begun
// operation at_work_on, lets it work moment_us longer and kills it. The
// child's wait status; -1 when it never began that operation.
int killed_at_work(Progress* progress, const std::function<void()>& loop, int at_work_on, long moment_us)
{
    progress->begun.store(0);
    progress->finished.store(0);
    const pid_t pid = ::fork();
    if (pid == 0)
        loop();
    QElapsedTimer waiting;
    waiting.start();
    while (pid > 0 && progress->begun.load() < at_work_on && waiting.elapsed() < 120000)
        sleep_micro(20);
    const bool began = progress->begun.load() >= at_work_on;
    if (began)
        sleep_micro(moment_us);
    int status = -1;
    if (pid > 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    return began ? status : -1;
}

bool killed(int status)
{
    return status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

QList<ScopeRecord> varied(int n)
{
    QList<ScopeRecord> list;
    for (int i = 1; i <= n; ++i)
        list.append(varied_record(i));
    return list;
}

}  // namespace

class tst_crash_safety : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void killed_while_saving_and_deleting_leaves_a_whole_collection()
    {
        TempDb db(varied(20));
        QVERIFY(db.ok());
        const QString backup = backup_path_of(db.path());
        // Every collection the file has been, by content: a kept previous version must be one of them.
        QSet<QByteArray> states{read_bytes(db.path())};
        void* shared = ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        QVERIFY(shared != MAP_FAILED);
        auto* progress = new (shared) Progress;

        QRandomGenerator rng(7771);
        int kills = 0;
        int mid_operation = 0;
        int scratch_left = 0;
        int ops_total = 0;
        int ops_waited_for = 0;
        // A fixed number of kills, each once the child is at work on a chosen
        // operation: the same checks however busy the machine is.
        for (int run = 0; kills < 150; ++run) {
            const QByteArray start = read_bytes(db.path());
            const bool scratch_before = !scratch_files_in(db.dir()).isEmpty();
            // Killed as its chosen operation begins, or a moment into it.
            const int at_work_on = 1 + int(rng.bounded(4));
            const long moment = rng.bounded(2) == 1 ? long(rng.bounded(3000)) : 0;
            const int status = killed_at_work(
                progress, [&] { child_loop(db.path(), run, progress); }, at_work_on, moment);
            ops_waited_for += at_work_on - 1;
            QVERIFY2(killed(status),
                     qPrintable(QStringLiteral("run %1: an operation failed (status %2), scratch file left before: %3")
                                    .arg(run)
                                    .arg(status)
                                    .arg(scratch_before)));
            ++kills;

            const int begun = progress->begun.load();
            const int finished = progress->finished.load();
            QVERIFY(begun == finished || begun == finished + 1);
            ops_total += finished;
            if (begun != finished)
                ++mid_operation;

            // The states after `finished` and (when one was under way) after `begun` operations.
            QByteArray state = start;
            for (int i = 0; i < finished; ++i) {
                apply(state, op_for(run, i, int(state.size() / rec_len_bytes)));
                states.insert(state);
            }
            QByteArray next = state;
            if (begun != finished)
                apply(next, op_for(run, finished, int(state.size() / rec_len_bytes)));

            QVERIFY2(QFile::exists(db.path()),
                     qPrintable(QStringLiteral("kill %1: the database is missing").arg(kills)));
            const QByteArray now = read_bytes(db.path());
            QVERIFY2(now == state || now == next,
                     qPrintable(QStringLiteral("kill %1 (run %2, %3 of %4 operations done): the file of %5 bytes "
                                               "is neither the old nor the new collection")
                                    .arg(kills)
                                    .arg(run)
                                    .arg(finished)
                                    .arg(begun)
                                    .arg(now.size())));
            // The program would open it as it is.
            QVERIFY(check_database_file(db.path()).ok);
            if (QFile::exists(backup))
                QVERIFY2(states.contains(read_bytes(backup)),
                         qPrintable(
                             QStringLiteral("kill %1: the kept previous version is no earlier collection").arg(kills)));
            states.insert(now);
            if (!scratch_files_in(db.dir()).isEmpty())
                ++scratch_left;
        }
        progress->~Progress();
        ::munmap(shared, sizeof(Progress));
        QVERIFY2(ops_total >= ops_waited_for, "every operation waited for was done before the kill");
        QVERIFY2(mid_operation > 0, "some kills fell inside an operation");
        qInfo("%d kills, %d operations completed, %d kills inside an operation, %d left a scratch file", kills,
              ops_total, mid_operation, scratch_left);
    }

    // Killed at any moment of a recorded save, addition, deletion, undo or
    // redo: once the program opens the collection again, its history agrees
    // with it, without taking any of it for another program's change.
    void killed_while_recording_leaves_collection_and_history_agreeing()
    {
        TempDb db(varied(12));
        void* shared = ::mmap(nullptr, sizeof(Progress), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        QVERIFY(shared != MAP_FAILED);
        auto* progress = new (shared) Progress;
        QRandomGenerator rng(4242);
        int mid_operation = 0;
        for (int run = 0; run < 60; ++run) {
            const int at_work_on = 1 + int(rng.bounded(3));
            const long moment = rng.bounded(2) == 1 ? long(rng.bounded(20000)) : 0;
            const int status = killed_at_work(
                progress, [&] { recording_child_loop(db.path(), run, progress); }, at_work_on, moment);
            QVERIFY2(killed(status),
                     qPrintable(QStringLiteral("run %1: a change failed (status %2)").arg(run).arg(status)));
            if (progress->begun.load() != progress->finished.load())
                ++mid_operation;

            QVERIFY(check_database_file(db.path()).ok);
            CollectionHistory history(db.path());
            const HistoryStatus opened = history.open();
            QVERIFY2(opened.ok && opened.note.isEmpty(), qPrintable(opened.error + opened.note));
            QCOMPARE(history.disagreements(), QStringList());
            for (const HistoryChange& c : history.changes())
                QVERIFY2(
                    c.kind != ChangeKind::outside,
                    qPrintable(QStringLiteral("run %1: the program's own change was taken for another's").arg(run)));
        }
        progress->~Progress();
        ::munmap(shared, sizeof(Progress));
        QVERIFY2(mid_operation > 0, "some kills fell inside a change");
    }

    // Scratch files a killed program left beside the database never block a
    // save or a deletion, whatever they are called; only stale ones of ours are
    // cleared away. A database named like the old fixed scratch file is safe.
    void left_over_scratch_files_are_harmless_data()
    {
        // clang-format off
        QTest::addColumn<QString>("db_name");
        QTest::addColumn<QString>("leftover");
        QTest::addColumn<bool>("stale");
        QTest::newRow("stale copy") << "test.rnd" << ".test.rnd.AbC123" << true;
        QTest::newRow("fresh copy (another save under way)") << "test.rnd" << ".test.rnd.XyZ789" << false;
        QTest::newRow("collection named wrk.wrk") << "wrk.wrk" << ".wrk.wrk.Q1w2E3" << true;
        QTest::newRow("old fixed scratch name") << "test.rnd" << "wrk.wrk" << true;
        // clang-format on
    }

    void left_over_scratch_files_are_harmless()
    {
        QFETCH(QString, db_name);
        QFETCH(QString, leftover);
        QFETCH(bool, stale);
        TempDb db(varied(5), db_name);
        const QString leftover_path = QDir(db.dir()).filePath(leftover);
        QVERIFY(write_bytes(leftover_path, QByteArray(rec_len_bytes * 3 + 100, 'x')));
        if (stale) {
            QFile f(leftover_path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        }
        QByteArray expected = read_bytes(db.path());

        const ScopeRecord rec = make_record(QStringLiteral("Saved after a crash"));
        QVERIFY(write_record(db.path(), 6, rec).ok);
        expected.append(encode_record(rec));
        QCOMPARE(read_bytes(db.path()), expected);
        QVERIFY(delete_record_file(db.path(), 2).ok);
        expected.remove(rec_len_bytes, rec_len_bytes);
        QCOMPARE(read_bytes(db.path()), expected);

        // Ours and stale: cleared. Fresh, or not named as ours: left alone.
        const bool ours = leftover.startsWith(QLatin1Char('.'));
        QCOMPARE(QFile::exists(leftover_path), !(ours && stale));
    }
};

QTEST_GUILESS_MAIN(tst_crash_safety)
#include "tst_crash_safety.moc"
