// The collection list's search and order: words folded as the collector types
// them (case, accents, ligatures), every word in some field, and the Sort
// dialog's keys with empty dates last.
#include "common/core_temp_db.h"
#include "core/collection_index.h"
#include "core/sorting.h"
#include "core/working_set.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

ScopeRecord with_color(const QString& name, const QString& color, const QString& comments = QString())
{
    ScopeRecord r = make_record(name, QStringLiteral("Artist"));
    r.extclr = fixed_text(color, 30);
    r.comments = fixed_text(comments, 500);
    return r;
}

QStringList names_of(const QList<ScopeRecord>& records, const std::vector<int>& rows)
{
    QStringList names;
    for (const int row : rows)
        names << trim_blanks(records.at(row).scopename);
    return names;
}

}  // namespace

class tst_collection_index : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void folding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("case") << "Blue HOUR"
                              << "blue hour";
        QTest::newRow("accents") << "Dorée Façade"
                                 << "doree facade";
        QTest::newRow("ligatures") << "Œuvre Æther Straße"
                                   << "oeuvre aether strasse";
        QTest::newRow("digits and signs") << "No. 7 (2004)"
                                          << "no. 7 (2004)";
        QTest::newRow("empty") << ""
                               << "";
    }
    void folding()
    {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(folded_text(text), folded);
    }

    void filtering_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("nothing typed") << "" << QStringList{"Blue Hour", "Nightfall", "Façade", "Empty", "Œil"};
        QTest::newRow("blanks only") << "   " << QStringList{"Blue Hour", "Nightfall", "Façade", "Empty", "Œil"};
        QTest::newRow("one word, any field") << "blue" << QStringList{"Blue Hour", "Nightfall"};
        QTest::newRow("every word") << "blue twilight" << QStringList{"Nightfall"};
        QTest::newRow("words in different fields") << "hour cobalt" << QStringList{"Blue Hour"};
        QTest::newRow("case and accents typed") << "FACADE" << QStringList{"Façade"};
        QTest::newRow("accents stored, none typed") << "doree" << QStringList{"Façade"};
        QTest::newRow("ligature typed spelled out") << "oeil" << QStringList{"Œil"};
        QTest::newRow("a long text field") << "ampules" << QStringList{"Nightfall"};
        QTest::newRow("no word across two fields") << "hourartist" << QStringList{};
        QTest::newRow("a letter no record can hold") << "日本" << QStringList{};
        QTest::newRow("no match") << "green" << QStringList{};
    }
    void filtering()
    {
        QFETCH(QString, entry);
        QFETCH(QStringList, names);
        const QList<ScopeRecord> records{
            with_color("Blue Hour", "Cobalt"), with_color("Nightfall", "Twilight blue", "Liquid ampules"),
            with_color("Façade", "Dorée"), with_color("Empty", ""), with_color("Œil", "Red")};
        TempDb db(records);
        WorkingSet ws;
        ws.reset_to_all(records.size());
        CollectionIndex index;
        QVERIFY(index.build(db.path(), ws.records(), ws.count()));
        QCOMPARE(index.size(), 5);
        QCOMPARE(names_of(records, index.matching(filter_words(entry))), names);
    }

    void index_of_a_shrunk_file_fails()
    {
        TempDb db({make_record("A"), make_record("B")});
        WorkingSet ws;
        ws.reset_to_all(3);
        CollectionIndex index;
        const FileStatus st = index.build(db.path(), ws.records(), ws.count());
        QVERIFY(!st);
        QCOMPARE(st.error, QStringLiteral("Record 3 lies outside the database file."));
    }

    void list_sort_puts_empty_dates_last_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("date ascending") << 14 << false << QStringList{"Old", "mid", "New", "Undated", "unreadable"};
        QTest::newRow("date descending") << 14 << true << QStringList{"New", "mid", "Old", "Undated", "unreadable"};
        QTest::newRow("price as amount") << 15 << false << QStringList{"Undated", "unreadable", "New", "Old", "mid"};
        QTest::newRow("text without case") << 1 << false << QStringList{"mid", "New", "Old", "Undated", "unreadable"};
    }
    void list_sort_puts_empty_dates_last()
    {
        QFETCH(int, field);
        QFETCH(bool, descending);
        QFETCH(QStringList, names);
        const QList<ScopeRecord> records{
            make_record("Undated", QString(), QString(), 5), make_record("New", QString(), "3/1/2020", 90000),
            make_record("Old", QString(), "12/24/1999", 100000), make_record("unreadable", QString(), "31/31/2001", 10),
            make_record("mid", QString(), "7/4/2005", 1000000)};
        TempDb db(records);
        std::vector<int> order{0, 1, 2, 3, 4, 5};
        QVERIFY(sort_record_numbers(db.path(), order, 5, field, descending, true));
        QStringList got;
        for (int p = 1; p <= 5; ++p)
            got << trim_blanks(records.at(order[std::size_t(p)] - 1).scopename);
        // Records without a date stand last in no particular order among themselves.
        if (field == 14)
            std::sort(got.begin() + 3, got.end());
        QCOMPARE(got, names);
    }
};

QTEST_GUILESS_MAIN(tst_collection_index)
#include "tst_collection_index.moc"
