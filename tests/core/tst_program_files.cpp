// Where the program finds its files, run from the build folder and installed:
// shipped files read from the install prefix, the user's colours and demo copy
// in the user's own folders.
#include "common/core_temp_db.h"
#include "core/color_file.h"
#include "core/program_files.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

class tst_program_files : public QObject {
    Q_OBJECT
    QTemporaryDir home_;

private slots:
    void init()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home_.filePath(QStringLiteral("data"))));
    }
    void cleanup() { set_program_folder_for_tests(QString()); }

    void build_folder_keeps_everything_beside_the_program()
    {
        QTemporaryDir bin;
        const QDir d(bin.path());
        QVERIFY(write_bytes(d.filePath(QStringLiteral("tessaran_defcolors.dat")), "defaults"));
        set_program_folder_for_tests(bin.path());
        QVERIFY(!is_installed());
        QCOMPARE(shipped_file(help_file_name), d.filePath(QStringLiteral("tessaran.html")));
        QCOMPARE(demo_database_path(), d.filePath(QStringLiteral("demo.rnd")));
        QCOMPARE(color_file_to_read(), d.filePath(QStringLiteral("tessaran_defcolors.dat")));
        // A folder of the colour file's name is no colour file.
        QVERIFY(d.mkdir(QStringLiteral("tessaran_colors.dat")));
        QCOMPARE(color_file_to_read(), d.filePath(QStringLiteral("tessaran_defcolors.dat")));
        QVERIFY(d.rmdir(QStringLiteral("tessaran_colors.dat")));
        QVERIFY(write_bytes(user_color_file(), "mine"));
        QCOMPARE(color_file_to_read(), d.filePath(QStringLiteral("tessaran_colors.dat")));
        QCOMPARE(documents_folder(), bin.path());
    }

    void installed_program_writes_only_in_the_users_folders()
    {
        QTemporaryDir prefix;
        const QDir p(prefix.path());
        QVERIFY(p.mkpath(QStringLiteral("bin")) && p.mkpath(QStringLiteral("share/tessaran")));
        const QDir share(p.filePath(QStringLiteral("share/tessaran")));
        QVERIFY(write_bytes(share.filePath(QStringLiteral("tessaran_defcolors.dat")), "defaults"));
        QVERIFY(write_db(share.filePath(QStringLiteral("demo.rnd")), {make_record(QStringLiteral("Demo"))}));
        QVERIFY(QFile::setPermissions(share.filePath(QStringLiteral("demo.rnd")),
                                      QFileDevice::ReadOwner | QFileDevice::ReadOther));
        set_program_folder_for_tests(p.filePath(QStringLiteral("bin")));
        QVERIFY(is_installed());
        QCOMPARE(shipped_file(help_file_name), share.filePath(QStringLiteral("tessaran.html")));

        const QString config = home_.filePath(QStringLiteral("config/org.tessaran.TessaranV"));
        const QString data = home_.filePath(QStringLiteral("data/org.tessaran.TessaranV"));
        QCOMPARE(user_color_file(), config + QStringLiteral("/tessaran_colors.dat"));
        QCOMPARE(color_file_to_read(), share.filePath(QStringLiteral("tessaran_defcolors.dat")));

        // The first opening copies the shipped demo; the copy is the user's to change.
        QString error;
        const QString demo = demo_database_path(&error);
        QCOMPARE(error, QString());
        QCOMPARE(demo, data + QStringLiteral("/demo.rnd"));
        QCOMPARE(read_bytes(demo), read_bytes(share.filePath(QStringLiteral("demo.rnd"))));
        QVERIFY(QFileInfo(demo).isWritable());
        QVERIFY(write_bytes(demo, "changed by the user"));
        QCOMPARE(demo_database_path(&error), demo);
        QCOMPARE(read_bytes(demo), QByteArray("changed by the user"));

        // A data folder that cannot be made is told, with both paths.
        QVERIFY(QFile::remove(demo));
        QVERIFY(QDir(data).removeRecursively());
        QVERIFY(write_bytes(data, "a file where the folder should be"));
        demo_database_path(&error);
        QVERIFY2(error.startsWith(QStringLiteral("The demo database could not be copied from ")
                                  + share.filePath(QStringLiteral("demo.rnd")) + QStringLiteral(" to ") + demo),
                 qPrintable(error));
        QVERIFY(QFile::remove(data));
    }
};

QTEST_GUILESS_MAIN(tst_program_files)
#include "tst_program_files.moc"
