// Deleting a record rewrites the file without it; the database is at every
// instant either the whole old file or the whole new one.
#include "common/core_temp_db.h"
#include "core/delete_record.h"
#include "core/session.h"

#include <QtTest>

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

}  // namespace

class tst_delete_record : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

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
        QCOMPARE(scratch_files_in(db.dir()), QStringList());
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
};

QTEST_GUILESS_MAIN(tst_delete_record)
#include "tst_delete_record.moc"
