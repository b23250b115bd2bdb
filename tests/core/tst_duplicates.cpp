// Possible duplicates: the same name and artist whatever the capitals,
// accents and blanks, or the same first picture however its path is kept;
// never two kaleidoscopes with nothing to compare, and a shared picture not
// told again where the name already told it.
#include "common/core_temp_db.h"
#include "core/duplicates.h"
#include "core/working_set.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

class tst_duplicates : public QObject {
    Q_OBJECT
private slots:
    void groups_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("kaleidoscopes");  // "name|artist|first picture", records 1..
        QTest::addColumn<QList<int>>("order");           // the working set's record numbers
        QTest::addColumn<QStringList>("groups");         // "reason shared: positions"
        QTest::newRow("capitals, accents and blanks")
            << QStringList{"Blue Hour|Abernathy, Rose|", "blue  hour|ABERNATHY,ROSE|", "Blue Hóur|Abernathy, Rose|",
                           "Blue Hour|Baker, Ellen|"}
            << QList<int>{1, 2, 3, 4} << QStringList{"name Blue Hour, Abernathy, Rose: 1 2 3"};
        QTest::newRow("nothing to compare")
            << QStringList{"||", " | |", "Alpha|Smith|"} << QList<int>{1, 2, 3} << QStringList{};
        QTest::newRow("a picture kept two ways")
            << QStringList{"Alpha|Smith|a.jpg", "Bravo|Jones|DIR/a.jpg", "Charlie|Brown|b.jpg"}
            << QList<int>{1, 2, 3} << QStringList{"picture DIR/a.jpg: 1 2"};
        QTest::newRow("a picture the name already tells")
            << QStringList{"Alpha|Smith|a.jpg", "alpha|smith|a.jpg", "Bravo|Jones|a.jpg"}
            << QList<int>{1, 2, 3} << QStringList{"name Alpha, Smith: 1 2", "picture DIR/a.jpg: 1 2 3"};
        QTest::newRow("in the working set's order")
            << QStringList{"Alpha|Smith|", "Bravo|Jones|", "Alpha|Smith|"} << QList<int>{3, 2, 1}
            << QStringList{"name Alpha, Smith: 1 3"};
        QTest::newRow("outside the working set") << QStringList{"Alpha|Smith|", "Alpha|Smith|"} << QList<int>{1}
                                                 << QStringList{};
        // clang-format on
    }

    void groups()
    {
        QFETCH(QStringList, kaleidoscopes);
        QFETCH(QList<int>, order);
        QFETCH(QStringList, groups);
        TempDb db;
        QList<ScopeRecord> records;
        for (const QString& k : kaleidoscopes) {
            const QStringList parts = k.split(QLatin1Char('|'));
            ScopeRecord r = make_record(parts.at(0), parts.at(1));
            if (!parts.at(2).isEmpty()) {
                r.image_count = 1;
                r.image_files[1] = fixed_text(QString(parts.at(2)).replace(QStringLiteral("DIR"), db.dir()), 60);
            }
            records << r;
        }
        QVERIFY(db.rewrite(records));
        WorkingSet ws;
        ws.set_matches(std::vector<int>(order.begin(), order.end()));
        std::vector<DuplicateGroup> found;
        QVERIFY(possible_duplicates(db.path(), ws.records(), ws.count(), found));
        QStringList told;
        for (const DuplicateGroup& g : found) {
            QString line = (g.reason == DuplicateGroup::Reason::name_and_artist ? QStringLiteral("name ")
                                                                                : QStringLiteral("picture "))
                + QString(g.shared).replace(db.dir(), QStringLiteral("DIR")) + QLatin1Char(':');
            for (const DuplicateMember& m : g.members)
                line += QLatin1Char(' ') + QString::number(m.position);
            told << line;
        }
        QCOMPARE(told, groups);
    }
};

QTEST_GUILESS_MAIN(tst_duplicates)
#include "tst_duplicates.moc"
