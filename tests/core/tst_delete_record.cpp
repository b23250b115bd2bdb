// Deleting a record rewrites the file without it; the database is at every
// instant either the whole old file or the whole new one.
#include "common/core_temp_db.h"
#include "core/delete_record.h"
#include "core/globalvars.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

QList<ScopeRecord> varied(int n)
{
    QList<ScopeRecord> list;
    for (int i = 1; i <= n; ++i)
        list.append(varied_record(i));
    return list;
}

QByteArray record_bytes(const QByteArray& file, int n)
{
    return file.mid(qsizetype(n - 1) * rec_len_bytes, rec_len_bytes);
}

QString scratch_in(const QString& dir)
{
    return QDir(dir).filePath(QString::fromLatin1(scratch_file_name));
}

void sleep_micro(long us)
{
    timespec ts{us / 1000000, (us % 1000000) * 1000};
    nanosleep(&ts, nullptr);
}

}  // namespace

class tst_delete_record : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { gv() = Globalvars{}; }

    void later_records_move_down_byte_for_byte_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("d");
        QTest::newRow("3 of 5") << 5 << 3;
        QTest::newRow("first of 5") << 5 << 1;
        QTest::newRow("last of 5") << 5 << 5;
        QTest::newRow("only record") << 1 << 1;
    }
    void later_records_move_down_byte_for_byte()
    {
        QFETCH(int, count);
        QFETCH(int, d);
        TempDb db(varied(count));
        QVERIFY(db.ok());
        // Hand-made bytes in slot 0 and zero bytes in a text must come through untouched.
        QByteArray before = read_bytes(db.path());
        before[qsizetype(count - 1) * rec_len_bytes + 1813] = '\x7f';
        before[10] = '\0';
        QVERIFY(write_bytes(db.path(), before));

        const FileStatus st = delete_record_file(db.path(), d);
        QVERIFY2(st.ok, qPrintable(st.error));
        const QByteArray after = read_bytes(db.path());
        QCOMPARE(after.size(), qsizetype(count - 1) * rec_len_bytes);
        for (int i = 1; i < d; ++i)
            QCOMPARE(record_bytes(after, i), record_bytes(before, i));
        for (int i = d + 1; i <= count; ++i)
            QCOMPARE(record_bytes(after, i - 1), record_bytes(before, i));
        QVERIFY(!QFile::exists(scratch_in(db.dir())));
    }

    void scratch_file_lives_beside_the_database_not_in_the_working_directory()
    {
        TempDb db(varied(3));
        QTemporaryDir cwd;
        const QString old_cwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(cwd.path()));
        // A left-over from a crash beside the database is simply replaced.
        QVERIFY(write_bytes(scratch_in(db.dir()), QByteArray("stale left-over")));
        const FileStatus st = delete_record_file(db.path(), 2);
        QDir::setCurrent(old_cwd);
        QVERIFY2(st.ok, qPrintable(st.error));
        QCOMPARE(read_db(db.path()).size(), 2);
        QVERIFY(!QFile::exists(scratch_in(cwd.path())));
        QVERIFY(!QFile::exists(scratch_in(db.dir())));
    }

    void keeps_the_access_rights()
    {
        TempDb db(varied(2));
        const auto perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(db.path(), perms));
        QVERIFY(delete_record_file(db.path(), 1).ok);
        const auto mode_bits = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                               | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                               | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFile::permissions(db.path()) & mode_bits, perms);
    }

    void refuses_a_record_outside_the_file_data()
    {
        QTest::addColumn<int>("d");
        QTest::newRow("zero") << 0;
        QTest::newRow("past end") << 4;
    }
    void refuses_a_record_outside_the_file()
    {
        QFETCH(int, d);
        TempDb db(varied(3));
        const QByteArray before = read_bytes(db.path());
        const FileStatus st = delete_record_file(db.path(), d);
        QVERIFY(!st.ok);
        QCOMPARE(read_bytes(db.path()), before);
    }

    void scratch_that_cannot_be_created_leaves_database_untouched()
    {
        TempDb db(varied(4));
        const QByteArray before = read_bytes(db.path());
        // A folder where the scratch file should go cannot be opened as a file.
        QVERIFY(QDir(db.dir()).mkdir(QString::fromLatin1(scratch_file_name)));
        const FileStatus st = delete_record_file(db.path(), 2);
        QVERIFY(!st.ok);
        QVERIFY(!st.error.isEmpty());
        QCOMPARE(read_bytes(db.path()), before);
    }

    // The rewrite fails part-way (file size limit) in a child process: the
    // database keeps every byte and no scratch file is left.
    void failure_part_way_leaves_database_untouched()
    {
        TempDb db(varied(40));
        const QByteArray before = read_bytes(db.path());
        int pipefd[2];
        QCOMPARE(::pipe(pipefd), 0);
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            ::close(pipefd[0]);
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit lim{qint64(rec_len_bytes) * 10, qint64(rec_len_bytes) * 10};
            ::setrlimit(RLIMIT_FSIZE, &lim);
            const FileStatus st = delete_record_file(db.path(), 3);
            const QByteArray msg = st.error.toUtf8();
            if (::write(pipefd[1], msg.constData(), size_t(msg.size())) < 0)
                _exit(3);
            _exit(st.ok ? 0 : 1);
        }
        ::close(pipefd[1]);
        QByteArray reason;
        char buf[256];
        for (ssize_t got; (got = ::read(pipefd[0], buf, sizeof buf)) > 0;)
            reason.append(buf, got);
        ::close(pipefd[0]);
        int status = 0;
        QCOMPARE(::waitpid(pid, &status, 0), pid);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 1);
        QVERIFY2(!reason.isEmpty(), "the system's reason is reported");
        QCOMPARE(read_bytes(db.path()), before);
        QVERIFY(!QFile::exists(scratch_in(db.dir())));
    }

    // A child deletes records in a loop and is killed at random moments; every
    // time the database is exactly one of the collections it passes through.
    void killed_at_random_moments_never_leaves_a_partial_file()
    {
        constexpr int records = 120;
        TempDb db(varied(records));
        const QByteArray original = read_bytes(db.path());
        QRandomGenerator rng(20240611);
        QElapsedTimer clock;
        clock.start();
        int kills = 0;
        int changed = 0;
        for (; kills < 40 && clock.elapsed() < 60000; ++kills) {
            QVERIFY(write_bytes(db.path(), original));
            const pid_t pid = ::fork();
            QVERIFY(pid >= 0);
            if (pid == 0) {
                // Always the middle record, so every deletion moves bytes in both halves.
                for (int n = records; n > 0; --n)
                    if (!delete_record_file(db.path(), (n + 1) / 2).ok)
                        _exit(2);
                _exit(0);
            }
            sleep_micro(long(rng.bounded(40000)));
            ::kill(pid, SIGKILL);
            int status = 0;
            QCOMPARE(::waitpid(pid, &status, 0), pid);

            // Replay the deletions on the bytes to know every legal state.
            const QByteArray now = read_bytes(db.path());
            QByteArray state = original;
            bool legal = now == state;
            for (int n = records; n > 0 && !legal; --n) {
                state.remove(qsizetype((n + 1) / 2 - 1) * rec_len_bytes, rec_len_bytes);
                legal = now == state;
            }
            QVERIFY2(legal, qPrintable(QStringLiteral("kill %1: file of %2 bytes is no complete collection")
                                           .arg(kills)
                                           .arg(now.size())));
            if (now != original)
                ++changed;
        }
        QVERIFY(kills >= 30);
        QVERIFY2(changed > 0, "the child got to delete something before being killed");
    }
};

QTEST_GUILESS_MAIN(tst_delete_record)
#include "tst_delete_record.moc"
