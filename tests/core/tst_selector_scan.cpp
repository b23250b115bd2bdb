// The selection scan over the file and the find scan over working-set positions.
#include "common/core_temp_db.h"
#include "core/find_scan.h"
#include "core/selector_scan.h"
#include "core/session.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

Criteria artist_contains(const QString& text)
{
    Criteria c;
    c.by_text = true;
    c.texts[1] = text;  // the second slot: Artist
    return c;
}

QList<ScopeRecord> five_records()
{
    return {make_record("One", "Smith, Ann", QString(), 100000), make_record("Two", "Jones, Bob", QString(), 0),
            make_record("Three", "smithers", QString(), 250000), make_record("Four", "Brown", QString(), 50000),
            make_record("Five", "xSMITHx", QString(), 0)};
}

}  // namespace

class tst_selector_scan : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void retains_in_file_order_with_progress()
    {
        TempDb db(five_records());
        QVERIFY(db.ok());
        std::vector<int> kept;
        QList<int> seen;
        int total = 0;
        const FileStatus st = selector_scan(db.path(), 5, artist_contains("SMITH"), kept, [&](int r, int n) {
            seen.append(r);
            total = n;
        });
        QVERIFY2(st.ok, qPrintable(st.error));
        QCOMPARE(kept, (std::vector<int>{1, 3, 5}));
        QCOMPARE(seen, (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(total, 5);
    }

    void never_reads_past_the_end()
    {
        TempDb db(five_records());
        std::vector<int> kept;
        // A count larger than the file (it shrank since it was counted) fails
        // with the first missing record instead of passing off part of a scan.
        kept = {7};
        const FileStatus st = selector_scan(db.path(), 9, artist_contains("SMITH"), kept);
        QVERIFY(!st.ok);
        QCOMPARE(st.error, QStringLiteral("Record 6 lies outside the database file."));
        QVERIFY(kept.empty());
        QVERIFY(selector_scan(db.path(), 2, artist_contains("SMITH"), kept).ok);
        QCOMPARE(kept, (std::vector<int>{1}));
    }

    void missing_file_fails()
    {
        std::vector<int> kept{1};
        const FileStatus st = selector_scan("/nonexistent/x.rnd", 3, Criteria{}, kept);
        QVERIFY(!st.ok);
        QVERIFY(!st.error.isEmpty());
        QVERIFY(kept.empty());
    }

    void find_walks_working_set_order_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("pos");
        // Working set in the order 5, 4, 3, 2, 1: SMITH records sit at positions 1, 3, 5.
        QTest::newRow("from 1") << 1 << true << 1;
        QTest::newRow("from 2") << 2 << true << 3;
        QTest::newRow("from 4") << 4 << true << 5;
        QTest::newRow("past end") << 6 << false << 6;
        QTest::newRow("far past end") << 9 << false << 9;
    }
    void find_walks_working_set_order()
    {
        QFETCH(int, start);
        QFETCH(bool, found);
        QFETCH(int, pos);
        TempDb db(five_records());
        const std::vector<int> ws{0, 5, 4, 3, 2, 1};
        const FindScanResult r = find_scan(db.path(), artist_contains("SMITH"), ws, 5, start);
        QVERIFY(r.status.ok);
        QCOMPARE(r.found, found);
        QCOMPARE(r.pos, pos);
    }

    void find_without_match_ends_past_the_end()
    {
        TempDb db(five_records());
        const std::vector<int> ws{0, 1, 2, 3};
        const FindScanResult r = find_scan(db.path(), artist_contains("BROWN"), ws, 3, 1);
        QVERIFY(r.status.ok);
        QVERIFY(!r.found);
        QCOMPARE(r.pos, 4);
    }

    void find_with_no_criteria_takes_first_examined()
    {
        TempDb db(five_records());
        const std::vector<int> ws{0, 4, 2};
        const FindScanResult r = find_scan(db.path(), Criteria{}, ws, 2, 2);
        QVERIFY(r.found);
        QCOMPARE(r.pos, 2);
    }

    void find_reports_a_stale_working_set()
    {
        TempDb db(five_records());
        const std::vector<int> ws{0, 7};
        const FindScanResult r = find_scan(db.path(), artist_contains("NOBODY"), ws, 1, 1);
        QVERIFY(!r.status.ok);
        QVERIFY(r.status.error.contains(QLatin1String("7")));
    }
};

Q_DECLARE_METATYPE(std::vector<int>)

QTEST_GUILESS_MAIN(tst_selector_scan)
#include "tst_selector_scan.moc"
