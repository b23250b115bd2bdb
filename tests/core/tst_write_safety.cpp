// Every write the program makes, run in a helper process as collectors meet
// it: a system call that fails half-way, another user's or a group's
// collection, a folder the user may not write, a file size limit. The file is
// always the old one or the new one, with its owner, group and mode, and the
// previous version is kept beside it.
#include "common/core_temp_db.h"
#include "core/file_write.h"
#include "core/record_file.h"

#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

struct HelperRun {
    int code = -1;
    QString out;
};

// Runs the helper; user is "" for this process's user, else setpriv arguments.
HelperRun run_helper(const QStringList& args, const QStringList& as_user = {},
                     const QProcessEnvironment& extra = QProcessEnvironment())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& k : extra.keys())
        env.insert(k, extra.value(k));
    p.setProcessEnvironment(env);
    if (as_user.isEmpty())
        p.start(QStringLiteral(TESSARAN_WRITE_HELPER), args);
    else
        p.start("setpriv", as_user + QStringList{QStringLiteral(TESSARAN_WRITE_HELPER)} + args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput())};
}

QStringList as(uid_t uid, gid_t gid, const QString& groups)
{
    return {QStringLiteral("--reuid=%1").arg(uid), QStringLiteral("--regid=%1").arg(gid),
            groups.isEmpty() ? QStringLiteral("--clear-groups") : QStringLiteral("--groups=") + groups};
}

struct stat stat_of(const QString& path)
{
    struct stat st { };
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

QList<ScopeRecord> three()
{
    return {make_record(QStringLiteral("Alpha")), make_record(QStringLiteral("Bravo")),
            make_record(QStringLiteral("Charlie"))};
}

constexpr uid_t owner_uid = 20001;
constexpr uid_t other_uid = 20002;
constexpr gid_t shared_gid = 4242;

}  // namespace

class tst_write_safety : public QObject {
    Q_OBJECT
private slots:
    void failing_system_calls_change_nothing_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("fault");
        for (const char* op : {"save", "append", "delete", "colors", "export"})
            for (const char* fault : {"write", "fsync", "close", "rename"})
                QTest::addRow("%s, %s fails", op, fault) << QString::fromLatin1(op) << QString::fromLatin1(fault);
    }

    void failing_system_calls_change_nothing()
    {
        QFETCH(QString, op);
        QFETCH(QString, fault);
        TempDb db(three());
        const QString target = op == QLatin1String("colors") ? db.dir() + QStringLiteral("/colors.dat")
            : op == QLatin1String("export")                  ? db.dir() + QStringLiteral("/summary.txt")
                                                             : db.path();
        if (target != db.path())
            QVERIFY(write_bytes(target, "the previous contents\r\n"));
        const QByteArray before = read_bytes(target);
        QProcessEnvironment env;
        env.insert("LD_PRELOAD", QStringLiteral(TESSARAN_FAULT_SHIM));
        env.insert("ASAN_OPTIONS", QStringLiteral("verify_asan_link_order=0:detect_leaks=0"));
        env.insert("TESSARAN_FAULT", fault);
        env.insert("TESSARAN_FAULT_DIR", QDir(db.dir()).canonicalPath());
        QStringList args{op, target};
        if (op == QLatin1String("export"))
            args << db.path();
        const HelperRun r = run_helper(args, {}, env);
        QVERIFY2(r.code == 1 && r.out.startsWith(QLatin1String("failed: ")) && r.out.size() > 10, qPrintable(r.out));
        QCOMPARE(read_bytes(target), before);
        QCOMPARE(scratch_files_in(db.dir()), QStringList());
    }

    // One previous version is kept, by a hard link where the file is replaced;
    // where even that fails, the save is done and the user is told.
    void previous_version_is_kept()
    {
        TempDb db(three());
        const QByteArray first = read_bytes(db.path());
        QCOMPARE(run_helper({"save", db.path()}).out, QStringLiteral("ok\n"));
        QCOMPARE(read_bytes(backup_path_of(db.path())), first);
        const QByteArray second = read_bytes(db.path());
        QCOMPARE(run_helper({"delete", db.path()}).code, 0);
        QCOMPARE(read_bytes(backup_path_of(db.path())), second);

        QProcessEnvironment env;
        env.insert("LD_PRELOAD", QStringLiteral(TESSARAN_FAULT_SHIM));
        env.insert("ASAN_OPTIONS", QStringLiteral("verify_asan_link_order=0:detect_leaks=0"));
        env.insert("TESSARAN_FAULT", QStringLiteral("link"));
        env.insert("TESSARAN_FAULT_DIR", QDir(db.dir()).canonicalPath());
        const HelperRun r = run_helper({"append", db.path()}, {}, env);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out,
                 QStringLiteral("ok\nThe previous version could not be kept as %1: %2\n")
                     .arg(backup_path_of(QFileInfo(db.path()).canonicalFilePath()),
                          QString::fromLocal8Bit(std::strerror(EPERM))));
        QCOMPARE(record_count_of(db.path()), 3);
    }

    void scratch_file_is_private_until_it_takes_the_place()
    {
        TempDb db(three());
        QVERIFY(QFile::setPermissions(db.path(),
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                          | QFileDevice::ReadOther));
        ScratchFile scratch(db.path());
        QVERIFY(scratch.open().ok);
        QVERIFY(QFileInfo(scratch.path()).fileName().startsWith(QLatin1String(".test.rnd.")));
        QCOMPARE(stat_of(scratch.path()).st_mode & 07777, mode_t(0600));
        QVERIFY(scratch.write(read_bytes(db.path())).ok);
        QVERIFY(scratch.commit().ok);
        QCOMPARE(stat_of(db.path()).st_mode & 07777, mode_t(0644));
    }

    void file_size_limit_is_reported()
    {
        TempDb db(three());
        const QByteArray before = read_bytes(db.path());
        QProcess p;
        p.start("sh",
                {"-c", "ulimit -f 4 && exec \"$0\" append \"$1\"", QStringLiteral(TESSARAN_WRITE_HELPER), db.path()});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);  // not killed by SIGXFSZ
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()),
                 QStringLiteral("failed: %1\n").arg(QString::fromLocal8Bit(std::strerror(EFBIG))));
        QCOMPARE(read_bytes(db.path()), before);
    }

    void other_users_data()
    {
        // clang-format off
        QTest::addColumn<int>("file_uid");
        QTest::addColumn<int>("file_gid");
        QTest::addColumn<int>("file_mode");
        QTest::addColumn<int>("dir_uid");
        QTest::addColumn<int>("dir_mode");
        QTest::addColumn<bool>("as_root");
        QTest::addColumn<bool>("backup_there");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("backup_group_kept");  // the saver may give the copy the collection's group
        const int root = 0;
        QTest::newRow("group member saves a group's collection")
            << int(owner_uid) << int(shared_gid) << 0660 << root << 0777 << false << false << true << true;
        QTest::newRow("another user's file this user may write")
            << int(owner_uid) << int(owner_uid) << 0666 << root << 0777 << false << false << true << false;
        QTest::newRow("root saves a user's collection")
            << int(owner_uid) << int(owner_uid) << 0640 << root << 0777 << true << false << true << true;
        QTest::newRow("setgid bit") << int(owner_uid) << int(shared_gid) << 02660 << root << 0777 << true << false << true << true;
        QTest::newRow("folder not writable, no backup possible")
            << int(other_uid) << int(other_uid) << 0644 << int(owner_uid) << 0755 << false << false << false << true;
        QTest::newRow("folder not writable, backup file writable")
            << int(other_uid) << int(other_uid) << 0644 << int(owner_uid) << 0755 << false << true << true << true;
        // clang-format on
    }

    void other_users()
    {
        QFETCH(int, file_uid);
        QFETCH(int, file_gid);
        QFETCH(int, file_mode);
        QFETCH(int, dir_uid);
        QFETCH(int, dir_mode);
        QFETCH(bool, as_root);
        QFETCH(bool, backup_there);
        QFETCH(bool, saved);
        QFETCH(bool, backup_group_kept);
        if (::geteuid() != 0)
            QSKIP("acting as other users needs root (setpriv): the owner, group and mode checks did not run");
        TempDb db(three());
        const QByteArray before = read_bytes(db.path());
        const QByteArray dir = QFile::encodeName(db.dir());
        const QByteArray file = QFile::encodeName(db.path());
        const QString backup = backup_path_of(db.path());
        if (backup_there) {
            QVERIFY(write_bytes(backup, "stale"));
            QCOMPARE(::chown(QFile::encodeName(backup).constData(), other_uid, other_uid), 0);
        }
        QCOMPARE(::chown(file.constData(), uid_t(file_uid), gid_t(file_gid)), 0);
        QCOMPARE(::chmod(file.constData(), mode_t(file_mode)), 0);
        QCOMPARE(::chown(dir.constData(), uid_t(dir_uid), uid_t(dir_uid)), 0);
        QCOMPARE(::chmod(dir.constData(), mode_t(dir_mode)), 0);

        const HelperRun r = run_helper({"save", db.path()},
                                       as_root ? QStringList() : as(other_uid, other_uid, QString::number(shared_gid)));
        ::chown(dir.constData(), 0, 0);  // so the temporary folder can go again
        if (!saved) {
            QCOMPARE(r.code, 1);
            QCOMPARE(r.out,
                     QStringLiteral("failed: The previous version could not be kept as %1: %2\n")
                         .arg(backup, QString::fromLocal8Bit(std::strerror(EACCES))));
            QCOMPARE(read_bytes(db.path()), before);
            return;
        }
        QVERIFY2(r.code == 0, qPrintable(r.out));
        QCOMPARE(trim_blanks(read_db(db.path()).at(0).scopename), QStringLiteral("Written by the helper"));
        const struct stat st = stat_of(db.path());
        QCOMPARE(int(st.st_uid), file_uid);
        QCOMPARE(int(st.st_gid), file_gid);
        QCOMPARE(int(st.st_mode & 07777), file_mode);
        QCOMPARE(read_bytes(backup), before);
        // The previous version is the collection's: its group and mode (and its
        // owner when root saved), however the save went.
        const struct stat kept = stat_of(backup);
        QCOMPARE(int(kept.st_mode & 0666), file_mode & 0666);
        if (backup_group_kept)
            QCOMPARE(int(kept.st_gid), file_gid);
        if (as_root)
            QCOMPARE(int(kept.st_uid), file_uid);
        QCOMPARE(scratch_files_in(db.dir()), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_write_safety)
#include "tst_write_safety.moc"
