// The collection list's groups: one per value whatever its capitals, "(none)"
// for the empty one, the year of purchase from the date, the groups in the
// Sort dialog's order with their counts and sums; and "Select this group" as
// a selection that takes exactly that group and says so in the caption.
#include "common/core_temp_db.h"
#include "core/collection_groups.h"
#include "core/record_match.h"
#include "core/working_set.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// Records of "name|artist|date", each paid 10 dollars and worth 20.
QList<ScopeRecord> records_of(const QStringList& lines)
{
    QList<ScopeRecord> records;
    for (const QString& line : lines) {
        const QStringList p = line.split(QLatin1Char('|'));
        records << make_record(p.at(0), p.at(1), p.at(2).toLatin1(), 100000, 200000);
    }
    return records;
}

}  // namespace

class tst_collection_groups : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void groups_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("records");  // "name|artist|date of purchase"
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("labels");   // with the list's rows of each
        QTest::newRow("artists whatever their capitals, in the Sort dialog's order")
            << QStringList{"A|Smith, Ann|", "B|baker, tom|", "C|SMITH, ANN|", "D||"} << int(GroupField::artist)
            << QStringList{"(none): 1 kaleidoscope, paid $10.00, retail $20.00 [3]",
                           "baker, tom: 1 kaleidoscope, paid $10.00, retail $20.00 [1]",
                           "Smith, Ann: 2 kaleidoscopes, paid $20.00, retail $40.00 [0 2]"};
        QTest::newRow("years of purchase, undated last")
            << QStringList{"A|x|3/1/2005", "B|x|", "C|x|12/31/1999", "D|x|1/1/2005"} << int(GroupField::year_bought)
            << QStringList{"1999: 1 kaleidoscope, paid $10.00, retail $20.00 [2]",
                           "2005: 2 kaleidoscopes, paid $20.00, retail $40.00 [0 3]",
                           "(none): 1 kaleidoscope, paid $10.00, retail $20.00 [1]"};
        QTest::newRow("no grouping") << QStringList{"A|x|"} << int(GroupField::none) << QStringList{};
        // clang-format on
    }

    void groups()
    {
        QFETCH(QStringList, records);
        QFETCH(int, field);
        QFETCH(QStringList, labels);
        TempDb db(records_of(records));
        std::vector<int> numbers;
        for (int r = 1; r <= int(records.size()); ++r)
            numbers.push_back(r);
        std::vector<RowGroup> groups;
        QVERIFY(group_rows(db.path(), numbers, GroupField(field), groups));
        QStringList told;
        for (const RowGroup& g : groups) {
            QStringList rows;
            for (const int row : g.rows)
                rows << QString::number(row);
            told << group_label(g) + QStringLiteral(" [") + rows.join(QLatin1Char(' ')) + QLatin1Char(']');
        }
        QCOMPARE(told, labels);
    }

    // A group's selection takes the records of that value exactly, without
    // regard to case, the empty value too, and the caption names it.
    void a_group_is_selected_exactly_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QList<int>>("matched");
        QTest::addColumn<QString>("caption");
        QTest::newRow("a name") << "Smith, Ann" << QList<int>{1, 3} << "[Selected:Artist is Smith, Ann]";
        QTest::newRow("no artist") << "" << QList<int>{4} << "[Selected:Artist is (none)]";
    }

    void a_group_is_selected_exactly()
    {
        QFETCH(QString, value);
        QFETCH(QList<int>, matched);
        QFETCH(QString, caption);
        const QList<ScopeRecord> records = records_of({"A|Smith, Ann|", "B|Smith, Anne|", "C|SMITH, ANN|", "D||"});
        const Criteria c = group_criteria(GroupField::artist, value);
        QList<int> found;
        for (int r = 0; r < records.size(); ++r) {
            QCOMPARE(record_matches(c, records.at(r)), raw_record_matches(c, encode_record(records.at(r)).constData()));
            if (record_matches(c, records.at(r)))
                found << r + 1;
        }
        QCOMPARE(found, matched);
        QCOMPARE(selection_caption(false, c), caption);
    }
};

QTEST_GUILESS_MAIN(tst_collection_groups)
#include "tst_collection_groups.moc"
