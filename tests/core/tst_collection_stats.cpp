// The figures of the statistics, checked against totals the test adds up on
// its own: exact money, averages to the cent, groups, the working set only.
#include "common/core_temp_db.h"
#include "core/collection_stats.h"
#include "core/money.h"
#include "core/session.h"

#include <QtTest>

#include <limits>

using namespace tessaran;
using namespace tessaran::test;

namespace {

ScopeRecord scope(const QString& artist, const QString& type, const QString& date, qint64 paid, qint64 retail)
{
    ScopeRecord r = make_record("Scope", artist, date, paid, retail);
    r.scopetype = fixed_text(type, 30);
    return r;
}

std::vector<int> positions(std::initializer_list<int> recnos)
{
    std::vector<int> v{0};
    for (const int n : recnos)
        v.push_back(int(n));
    return v;
}

}  // namespace

class tst_collection_stats : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void figures_of_a_collection()
    {
        // Amounts in ten-thousandths; 0 is no price.
        const QList<ScopeRecord> recs = {
            scope("Baker, Ann", "Wand", "3/4/2001", 1250000, 1500000),
            scope("Baker, Ann", "Cell", "6/1/2001", 333333, 0),
            scope("Cole, Ben", "Wand", "not a date", 0, 990000),
            scope("", "", "12/31/1999", 5, 7),
            scope("Cole, Ben", "Teleidoscope", "", 1000000, 2000000),
        };
        TempDb db(recs);
        CollectionStats s;
        QVERIFY(collect_stats(db.path(), positions({1, 2, 3, 4, 5}), 5, s).ok);
        qint64 paid = 0;
        qint64 retail = 0;
        for (const ScopeRecord& r : recs) {
            paid += r.price_paid;
            retail += r.price_retail;
        }
        QCOMPARE(s.count, 5);
        QCOMPARE(s.paid.total, paid);
        QCOMPARE(s.retail.total, retail);
        QCOMPARE(s.paid.priced, 4);
        QCOMPARE(s.paid.unpriced, 1);
        QCOMPARE(s.retail.unpriced, 1);
        QCOMPARE(s.paid.lowest, qint64(5));
        QCOMPARE(s.paid.highest, qint64(1250000));
        QCOMPARE(s.paid.average(), qint64(645800));  // 2583338 / 4 = 645834.5 -> $64.58
        qint64 diff = 0;
        QVERIFY(s.difference(diff));
        QCOMPARE(diff, retail - paid);

        const auto keys = [](const std::vector<GroupStats>& g) {
            QStringList k;
            for (const GroupStats& x : g)
                k << QStringLiteral("%1:%2:%3").arg(x.key).arg(x.count).arg(x.paid.total);
            return k;
        };
        QCOMPARE(keys(s.by_artist), (QStringList{"Baker, Ann:2:1583333", "Cole, Ben:2:1000000", "no artist:1:5"}));
        QCOMPARE(keys(s.by_type),
                 (QStringList{"Cell:1:333333", "Teleidoscope:1:1000000", "Wand:2:1250000", "no scope type:1:5"}));
        QCOMPARE(keys(s.by_year), (QStringList{"1999:1:5", "2001:2:1583333", "no date:2:1000000"}));

        // Only the working set counts: a selection gives the value of its part.
        QVERIFY(collect_stats(db.path(), positions({3, 5}), 2, s).ok);
        QCOMPARE(s.count, 2);
        QCOMPARE(s.paid.total, qint64(1000000));
        QCOMPARE(s.retail.total, qint64(2990000));

        // The JSON report gives amounts as decimal strings.
        const QJsonObject o = QJsonDocument::fromJson(stats_json(s, {db.path(), "Artist(Asc.)", "All"})).object();
        QCOMPARE(o.value("price_retail").toObject().value("total").toString(), QStringLiteral("299"));
        QCOMPARE(o.value("kaleidoscopes").toInt(), 2);
    }

    void totals_too_large_are_told_not_wrapped()
    {
        const qint64 big = std::numeric_limits<qint64>::max() - 10;
        TempDb db({scope("A", "Wand", "", big, 1), scope("A", "Wand", "", big, 1)});
        CollectionStats s;
        QVERIFY(collect_stats(db.path(), positions({1, 2}), 2, s).ok);
        QVERIFY(s.paid.overflow);
        QVERIFY(!s.retail.overflow);
        qint64 diff = 0;
        QVERIFY(!s.difference(diff));
        const QStringList lines = stats_csv_lines(s, {});
        QVERIFY(lines.contains(QStringLiteral("\"Total\",\"too large to add up\",\"$0.0002\"")));
        // Each of the lowest and highest is one price, shown whole.
        const QString whole = money_text(big);
        QVERIFY2(lines.contains(QStringLiteral("\"Lowest\",\"%1\",\"$0.0001\"").arg(whole)),
                 qPrintable(lines.join('\n')));
        QVERIFY(lines.contains(QStringLiteral("\"Highest\",\"%1\",\"$0.0001\"").arg(whole)));
        const QJsonObject o = QJsonDocument::fromJson(stats_json(s, {})).object().value("price_paid").toObject();
        QCOMPARE(o.value("highest").toString(), QStringLiteral("922337203685477.5797"));
    }

    void count_axis_names_whole_numbers_data()
    {
        QTest::addColumn<int>("most");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("top");
        QTest::newRow("none") << 0 << 1 << 1;
        QTest::newRow("three") << 3 << 1 << 3;
        QTest::newRow("five") << 5 << 1 << 5;
        QTest::newRow("eight") << 8 << 2 << 8;
        QTest::newRow("fourteen") << 14 << 5 << 15;
        QTest::newRow("forty-seven") << 47 << 10 << 50;
        QTest::newRow("a hundred and twenty") << 120 << 50 << 150;
        QTest::newRow("the largest collection") << 32767 << 10000 << 40000;
    }
    void count_axis_names_whole_numbers()
    {
        QFETCH(int, most);
        QFETCH(int, step);
        QFETCH(int, top);
        const CountAxis axis = count_axis_for(most);
        QCOMPARE(axis.step, step);
        QCOMPARE(axis.top, top);
        QVERIFY(axis.ticks() <= 6);
    }

    void text_report_lines()
    {
        TempDb db({scope("Baker, \"Annie\"", "Wand", "3/4/2001", 1250000, 0)});
        CollectionStats s;
        QVERIFY(collect_stats(db.path(), positions({1}), 1, s).ok);
        const QStringList lines = stats_csv_lines(s, {"/c/scopes.rnd", "Artist(Asc.)", "All"});
        QCOMPARE(lines.mid(0, 13),
                 (QStringList{"\"Collection statistics\"", "\"Database file\",\"/c/scopes.rnd\"",
                              "\"Number of kaleidoscopes\",\"1\"", "\"Sorted by\",\"Artist(Asc.)\"",
                              "\"Selection criteria\",\"All\"", "\" \"", "\"\",\"Purchase price\",\"Retail price\"",
                              "\"Total\",\"$125.00\",\"\"", "\"Average\",\"$125.00\",\"\"",
                              "\"Lowest\",\"$125.00\",\"\"", "\"Highest\",\"$125.00\",\"\"",
                              "\"Without a price\",\"0\",\"1\"", "\"Retail value less price paid\",\"($125.00)\""}));
        QVERIFY(lines.contains("\"Baker, \"\"Annie\"\"\",\"1\",\"$125.00\",\"\""));
    }
};

QTEST_GUILESS_MAIN(tst_collection_stats)
#include "tst_collection_stats.moc"
