// Colour files: the six-line layout, reading, safe writing, choosing the file.
#include "common/core_colors.h"
#include "common/core_temp_db.h"
#include "core/color_file.h"

#include <QtTest>

#include <unistd.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

const QByteArray numbered_text = "1002,1007,1012,1017,1022\r\n"
                                 "1001,1003,1004,1005\r\n"
                                 "1006,1008,1009,1010\r\n"
                                 "1011,1013,1014,1015\r\n"
                                 "1016,1018,1019,1020\r\n"
                                 "1021,1023,1024,1025,1000\r\n";

}  // namespace

class tst_color_file : public QObject {
    Q_OBJECT

private slots:

    void layout_is_byte_exact()
    {
        QCOMPARE(color_file_text(numbered_scheme()), numbered_text);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tessaran_colors.dat"));
        QVERIFY(write_color_file(path, numbered_scheme()));
        QCOMPARE(read_bytes(path), numbered_text);
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("as written") << numbered_text;
        QTest::newRow("all on one line") << QByteArray(numbered_text).replace("\r\n", ",");
        QTest::newRow("unix line ends") << QByteArray(numbered_text).replace("\r\n", "\n");
        QTest::newRow("one per line, blanks") << QByteArray(numbered_text).replace(",", " \r\n ");
        QTest::newRow("no final line end") << numbered_text.chopped(2);
        QTest::newRow("extra values ignored") << numbered_text + "5,6\r\n";
    }
    void read()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.dat"));
        QVERIFY(write_bytes(path, bytes));
        ColorScheme s{};
        QString error;
        QVERIFY2(read_color_file(path, s, &error), qPrintable(error));
        QCOMPARE(s, numbered_scheme());
    }

    void read_failures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("25 values") << QByteArray(numbered_text).replace(",1000\r\n", "\r\n")
                                   << "holds 25 color values instead of 26.";
        QTest::newRow("empty") << QByteArray() << "holds 0 color values instead of 26.";
        QTest::newRow("not a number") << QByteArray(numbered_text).replace("1013", "red")
                                      << "holds \"red\", which is not a color value.";
    }
    void read_failures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.dat"));
        QVERIFY(write_bytes(path, bytes));
        ColorScheme s = builtin_colors();
        QString reason;
        QVERIFY(!read_color_file(path, s, &reason));
        QVERIFY2(reason.endsWith(error), qPrintable(reason));
        QCOMPARE(s, builtin_colors());  // untouched
    }

    void shipped_default_equals_builtin()
    {
        for (const char* folder : {TESSARAN_SOURCE_DIR "/data", TESSARAN_BIN_DIR}) {
            const QString path = QString::fromLatin1(folder) + QStringLiteral("/tessaran_defcolors.dat");
            QCOMPARE(read_bytes(path), color_file_text(builtin_colors()));
        }
        // Readable: black text on white fields, and changed data stands apart.
        const ColorScheme& s = builtin_colors();
        for (const int frame : {1, 6, 11, 16}) {
            QCOMPARE(s[size_t(frame + 3)], 16777215);
            QCOMPARE(s[size_t(frame + 4)], 0);
            QVERIFY(s[size_t(frame + 3)] != s[0]);
        }
    }

    void failed_write_keeps_old_file()
    {
        QTemporaryDir dir;
        // A name one byte short of the limit: the file exists, but the
        // temporary file beside it cannot be created.
        const QString path = dir.filePath(QString(250, QLatin1Char('c')));
        QVERIFY(write_bytes(path, "old"));
        QString reason;
        QVERIFY(!write_color_file(path, numbered_scheme(), &reason));
        QVERIFY(!reason.isEmpty());
        QCOMPARE(read_bytes(path), QByteArray("old"));
    }

    void read_only_folder_keeps_old_file()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tessaran_colors.dat"));
        QVERIFY(write_bytes(path, "old"));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        QString reason;
        const bool ok = write_color_file(path, numbered_scheme(), &reason);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!ok);
        QVERIFY(!reason.isEmpty());
        QCOMPARE(read_bytes(path), QByteArray("old"));
    }

    // A colour file the reader accepts writes back and reads as the same scheme;
    // one it refuses leaves the scheme alone and says why.
    void colour_file_bytes_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("only separators") << QByteArray(",,,\r\n\n\r,") << false;
        QTest::newRow("26 values on one line") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26") << true;
        QTest::newRow("more than 26") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,x") << true;
        QTest::newRow("int overflow") << QByteArray("99999999999,2,3") << false;
        QTest::newRow("negative and blanks") << QByteArray(" -1 ,-2147483648,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26") << true;
        QTest::newRow("zero bytes") << QByteArray("1\0,2", 4) << false;
        // clang-format on
    }

    void colour_file_bytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.dat"));
        const QString out = dir.filePath(QStringLiteral("out.dat"));
        {
            QFile f(in);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        ColorScheme scheme = builtin_colors();
        QString error;
        QCOMPARE(read_color_file(in, scheme, &error), accepted);
        if (!accepted) {
            QCOMPARE(scheme, builtin_colors());
            QVERIFY(!error.isEmpty());
            return;
        }
        QVERIFY(write_color_file(out, scheme, &error));
        ColorScheme again{};
        QVERIFY(read_color_file(out, again, &error));
        QCOMPARE(again, scheme);
    }
};

QTEST_GUILESS_MAIN(tst_color_file)
#include "tst_color_file.moc"
