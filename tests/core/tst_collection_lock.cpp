// One writer at a time, between real processes: a writer in another process
// keeps its claim on the collection across every save (each puts a new file
// in place), a killed writer leaves nothing behind, a reader never shuts out a
// writer, and scratch files are cleared away exactly when nobody writes them.
#include "common/core_other_writer.h"
#include "common/core_temp_db.h"
#include "core/collection_lock.h"
#include "core/file_write.h"
#include "core/record_file.h"

#include <QtTest>

#include <cstdio>

#include <sys/stat.h>
#include <utime.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// Whether `flock` (another process) can take a shared lock on the file now.
bool free_for_others(const QString& path)
{
    return QProcess::execute("flock", {"--nonblock", "--shared", path, "true"}) == 0;
}

}  // namespace

class tst_collection_lock : public QObject {
    Q_OBJECT
private slots:
    void holder_in_plain_words_data()
    {
        // clang-format off
        QTest::addColumn<qint64>("pid");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("text");
        QTest::newRow("the program") << qint64(4242) << "tessaran" << "anna" << "TESSARAN V (process 4242, user anna)";
        QTest::newRow("the command") << qint64(7) << "tessaran-rnd" << "bert" << "tessaran-rnd (process 7, user bert)";
        QTest::newRow("user unknown") << qint64(7) << "tessaran" << "" << "TESSARAN V (process 7)";
        QTest::newRow("name unknown") << qint64(7) << "" << "anna" << "another program (process 7, user anna)";
        QTest::newRow("nothing known") << qint64(0) << "" << "" << "another program or another computer";
        // clang-format on
    }
    void holder_in_plain_words()
    {
        QFETCH(qint64, pid);
        QFETCH(QString, program);
        QFETCH(QString, user);
        QFETCH(QString, text);
        QCOMPARE(holder_text({pid, program, user}), text);
    }

    void another_process_keeps_its_claim_across_saves_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("names");  // the file afterwards
        QTest::newRow("nothing written") << QStringList{} << QStringList{"A", "B", "C"};
        QTest::newRow("a save") << QStringList{"save 2 B2"} << QStringList{"A", "B2", "C"};
        QTest::newRow("an addition") << QStringList{"append D"} << QStringList{"A", "B", "C", "D"};
        QTest::newRow("a deletion") << QStringList{"delete 1"} << QStringList{"B", "C"};
        QTest::newRow("one after another")
            << QStringList{"append D", "save 1 A2", "delete 2", "append E"} << QStringList{"A2", "C", "D", "E"};
    }
    void another_process_keeps_its_claim_across_saves()
    {
        QFETCH(QStringList, commands);
        QFETCH(QStringList, names);
        TempDb db({make_record("A"), make_record("B"), make_record("C")});
        OtherWriter other(db.path());
        QCOMPARE(other.first, QStringLiteral("taken"));
        for (const QString& c : commands) {
            QCOMPARE(other.run(c), QStringLiteral("ok"));
            // Every save put a new file in place; the claim is on it.
            LockHolder holder;
            QVERIFY(collection_in_use(db.path(), &holder));
            QCOMPARE(holder.pid, qint64(other.process.processId()));
            QCOMPARE(holder.program, QStringLiteral("write_helper"));
            QCOMPARE(holder.user, user_name());
        }
        QStringList stored;
        for (const ScopeRecord& r : read_db(db.path()))
            stored << trim_blanks(r.scopename);
        QCOMPARE(stored, names);

        CollectionLock here;
        LockHolder holder;
        QCOMPARE(here.take(db.path(), &holder), LockOutcome::in_use);
        QCOMPARE(holder.pid, qint64(other.process.processId()));
        QVERIFY(!here.held());
        // A third one is told the same; a second helper is refused outright.
        OtherWriter third(db.path());
        QCOMPARE(third.first, QStringLiteral("in use"));
    }

    void the_end_of_a_writer_frees_the_collection_data()
    {
        QTest::addColumn<bool>("killed");
        QTest::newRow("killed") << true;
        QTest::newRow("ended") << false;
    }
    void the_end_of_a_writer_frees_the_collection()
    {
        QFETCH(bool, killed);
        TempDb db({make_record("A")});
        OtherWriter other(db.path());
        QCOMPARE(other.run(QStringLiteral("save 1 A2")), QStringLiteral("ok"));
        if (killed) {
            other.process.kill();
        } else {
            other.process.closeWriteChannel();
        }
        QVERIFY(other.process.waitForFinished());
        QVERIFY(!collection_in_use(db.path()));
        CollectionLock here;
        QCOMPARE(here.take(db.path()), LockOutcome::taken);
    }

    void this_process_keeps_its_claim_across_its_own_saves_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("the file as this process left it") << "";
        // Its write is what is at the path afterwards, so the claim is on it.
        QTest::newRow("another program renamed a copy over it") << "renamed";
        // Written in place, so that both names keep seeing one file.
        QTest::newRow("the collection has a second name") << "linked";
    }
    void this_process_keeps_its_claim_across_its_own_saves()
    {
        QFETCH(QString, before);
        TempDb db({make_record("A"), make_record("B")});
        CollectionLock lock;
        QCOMPARE(lock.take(db.path()), LockOutcome::taken);
        QVERIFY(!collection_in_use(db.path()));  // its own lock does not count here
        QVERIFY(!free_for_others(db.path()));
        const QString second = db.dir() + QStringLiteral("/second.rnd");
        if (before == QLatin1String("renamed")) {
            QVERIFY(QFile::copy(db.path(), second));
            QCOMPARE(::rename(QFile::encodeName(second).constData(), QFile::encodeName(db.path()).constData()), 0);
            QVERIFY(!lock.on_current_file());
        } else if (before == QLatin1String("linked")) {
            QCOMPARE(::link(QFile::encodeName(db.path()).constData(), QFile::encodeName(second).constData()), 0);
        }
        const auto inode = [&] {
            struct stat st { };
            ::stat(QFile::encodeName(db.path()).constData(), &st);
            return st.st_ino;
        };
        const ino_t was = inode();
        QVERIFY(write_record(db.path(), 3, make_record("C")));
        // A new file took the collection's place, unless it has two names.
        QCOMPARE(inode() != was, before != QLatin1String("linked"));
        QVERIFY(lock.on_current_file());
        QVERIFY(!free_for_others(db.path()));
        if (before == QLatin1String("linked")) {
            QCOMPARE(read_bytes(second), read_bytes(db.path()));
            QVERIFY(!free_for_others(second));
        }
        // The kept previous version is not held.
        QVERIFY(free_for_others(backup_path_of(db.path())));
        lock.release();
        QVERIFY(free_for_others(db.path()));
    }

    void a_reader_shuts_out_no_writer()
    {
        if (::geteuid() == 0)
            QSKIP("root may write any file");
        TempDb db({make_record("A")});
        QVERIFY(QFile::setPermissions(db.path(), QFileDevice::ReadOwner));
        CollectionLock lock;
        QCOMPARE(lock.take(db.path()), LockOutcome::unavailable);
        QVERIFY(free_for_others(db.path()));
    }

    void stale_scratch_files_data()
    {
        // clang-format off
        QTest::addColumn<bool>("written_now");   // a living process holds the scratch file
        QTest::addColumn<bool>("sole_writer");   // this process holds the collection
        QTest::addColumn<int>("minutes_old");
        QTest::addColumn<bool>("removed");
        QTest::newRow("left by a killed writer, collection held") << false << true << 0 << true;
        QTest::newRow("left by a killed writer, collection not held") << false << false << 0 << false;
        QTest::newRow("left long ago, collection not held") << false << false << 11 << true;
        QTest::newRow("being written, collection held") << true << true << 0 << false;
        QTest::newRow("being written for long") << true << false << 11 << false;
        // clang-format on
    }
    void stale_scratch_files()
    {
        QFETCH(bool, written_now);
        QFETCH(bool, sole_writer);
        QFETCH(int, minutes_old);
        QFETCH(bool, removed);
        TempDb db({make_record("A")});
        const QString scratch = db.dir() + QStringLiteral("/.test.rnd.a1B2c3");
        const QString other_name = db.dir() + QStringLiteral("/.test.rnd.lock");
        QVERIFY(write_bytes(scratch, QByteArray(2473, 'x')));
        QVERIFY(write_bytes(other_name, QByteArray("x")));
        if (minutes_old > 0) {
            const qint64 then = QDateTime::currentSecsSinceEpoch() - 60 * minutes_old;
            const utimbuf times{time_t(then), time_t(then)};
            QCOMPARE(::utime(QFile::encodeName(scratch).constData(), &times), 0);
        }
        QProcess writer;
        if (written_now) {
            writer.start("flock", {scratch, "sleep", "60"});
            QVERIFY(writer.waitForStarted());
            QTRY_VERIFY(!free_for_others(scratch));
        }
        CollectionLock lock;
        if (sole_writer)
            QCOMPARE(lock.take(db.path()), LockOutcome::taken);
        remove_stale_scratch_files(db.path());
        QCOMPARE(!QFile::exists(scratch), removed);
        QVERIFY(QFile::exists(other_name));  // not a scratch file's name
        if (written_now) {
            writer.kill();
            writer.waitForFinished();
        }
    }
};

QTEST_GUILESS_MAIN(tst_collection_lock)
#include "tst_collection_lock.moc"
