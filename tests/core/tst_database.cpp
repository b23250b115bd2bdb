// Checks a database file must pass before it is opened, and creating one.
#include "core/database.h"
#include "core/scope_record.h"

#include <QtTest>

using namespace tessaran;

namespace {

QString make_file(const QTemporaryDir& dir, const QString& name, qint64 size)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(size))
        qFatal("cannot create %s", qPrintable(path));
    return path;
}

}  // namespace

class tst_database : public QObject {
    Q_OBJECT
private slots:
    void check_by_length_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << qint64(0) << true << 0;
        QTest::newRow("one record") << qint64(2473) << true << 1;
        QTest::newRow("one byte over") << qint64(2474) << false << 0;
        QTest::newRow("one byte short") << qint64(2472) << false << 0;
        QTest::newRow("two records") << qint64(4946) << true << 2;
    }

    void check_by_length()
    {
        QFETCH(qint64, size);
        QFETCH(bool, ok);
        QFETCH(int, count);
        QTemporaryDir dir;
        const QString path = make_file(dir, "scopes.rnd", size);
        const OpenCheck c = check_database_file(path);
        QCOMPARE(c.ok, ok);
        if (ok) {
            QCOMPARE(c.count, count);
            QVERIFY(c.message.isEmpty());
        } else {
            QCOMPARE(c.message,
                     QStringLiteral("The database file ") + path
                         + QStringLiteral(" does not have the correct record length for Tessaran V!"));
        }
    }

    void missing_file_and_folder()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("none.rnd"));
        OpenCheck c = check_database_file(missing);
        QVERIFY(!c.ok);
        QCOMPARE(c.message, QStringLiteral("File ") + missing + QStringLiteral(" does not exist!"));

        // A folder is not a database file, whatever its name.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.rnd")));
        const QString folder = dir.filePath(QStringLiteral("folder.rnd"));
        c = check_database_file(folder);
        QVERIFY(!c.ok);
        QCOMPARE(c.message, QStringLiteral("File ") + folder + QStringLiteral(" does not exist!"));
    }

    void record_limit()
    {
        QTemporaryDir dir;
        // Sparse files: the length is all that is checked.
        const QString at_limit = make_file(dir, "max.rnd", qint64(32767) * 2473);
        OpenCheck c = check_database_file(at_limit);
        QVERIFY(c.ok);
        QCOMPARE(c.count, 32767);

        const QString over = make_file(dir, "over.rnd", qint64(32768) * 2473);
        c = check_database_file(over);
        QVERIFY(!c.ok);
        QCOMPARE(c.count, 0);
        QCOMPARE(c.message,
                 QStringLiteral("The database file ") + over
                     + QStringLiteral(" holds 32768 records; Tessaran V can open at most 32767 records."));
    }

    void unreadable_file()
    {
        QTemporaryDir dir;
        const QString path = make_file(dir, "locked.rnd", 2473);
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        {
            QFile probe(path);
            if (probe.open(QIODevice::ReadOnly)) {
                QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
                QSKIP("running with rights that read any file");
            }
        }
        const OpenCheck c = check_database_file(path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QVERIFY(!c.ok);
        QVERIFY2(
            c.message.startsWith(QStringLiteral("The database file ") + path + QStringLiteral(" cannot be read: ")),
            qPrintable(c.message));
        QVERIFY(c.message.contains(QStringLiteral("ermission")));  // the system's reason
    }

    void create_new_and_over_existing()
    {
        QTemporaryDir dir;
        const QString fresh = dir.filePath(QStringLiteral("new.rnd"));
        QVERIFY(create_empty_database(fresh).ok);
        QVERIFY(QFileInfo(fresh).isFile());
        QCOMPARE(QFileInfo(fresh).size(), qint64(0));

        const QString old = make_file(dir, "old.rnd", 3 * 2473);
        QVERIFY(create_empty_database(old).ok);
        QCOMPARE(QFileInfo(old).size(), qint64(0));
        QVERIFY(check_database_file(old).ok);
    }

    void create_failure_keeps_reason()
    {
        QTemporaryDir dir;
        const FileStatus s = create_empty_database(dir.filePath(QStringLiteral("no/such/folder/x.rnd")));
        QVERIFY(!s.ok);
        QVERIFY(!s.error.isEmpty());

        // A file that cannot be deleted stays as it was.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ro")));
        const QString ro = dir.filePath(QStringLiteral("ro"));
        const QString path = make_file(dir, "ro/keep.rnd", 2473);
        QVERIFY(QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const FileStatus locked = create_empty_database(path);
        QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        if (locked.ok)
            QSKIP("running with rights that write into read-only folders");
        QVERIFY(!locked.error.isEmpty());
        QCOMPARE(QFileInfo(path).size(), qint64(2473));
    }
};

QTEST_GUILESS_MAIN(tst_database)
#include "tst_database.moc"
