// The working set operations and the captions that describe it.
#include "common/core_temp_db.h"
#include "core/record_file.h"
#include "core/record_match.h"
#include "core/session.h"
#include "core/working_set.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

class tst_working_set : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void reset_all_takes_every_record_in_file_order()
    {
        WorkingSet ws;
        ws.set_matches({3, 1, 7, 9, 12, 2});  // an older, larger selection
        ws.restore_selection({false, Criteria(), "Text select: ", 0});
        ws.restore_sort({SortField::city, true, "[Sorted by: City(Desc.)]"});
        ws.reset_to_all(4);
        QCOMPARE(ws.positions(), std::vector<int>({1, 2, 3, 4}));
        QCOMPARE(ws.count(), int(4));
        QCOMPARE(ws.matched(), int(4));
        QVERIFY(ws.all());
        QCOMPARE(ws.selection_text(), QStringLiteral("All"));
        // The sort caption and the remembered sort are the caller's business.
        QCOMPARE(ws.sort_caption(), QStringLiteral("[Sorted by: City(Desc.)]"));
        QCOMPARE(ws.sort_field(), SortField::city);

        ws.reset_to_all(0);
        QCOMPARE(ws.count(), int(0));
        QCOMPARE(ws.matched(), int(0));
        QVERIFY(!ws.records().empty());  // slot 0 always exists
    }

    void clear_empties_and_unsorts()
    {
        WorkingSet ws;
        ws.reset_to_all(3);
        ws.restore_selection({false, Criteria(), "x", 3});
        ws.restore_sort({SortField::artist, true, "[Sorted by: Artist(Desc.)]"});
        ws.clear();
        QCOMPARE(ws.count(), int(0));
        QCOMPARE(ws.matched(), int(0));
        QVERIFY(ws.all());
        QCOMPARE(ws.selection_text(), QStringLiteral("All"));
        QCOMPARE(ws.sort_caption(), QStringLiteral("[Sorted by: Unsorted]"));
        QCOMPARE(ws.sort_field(), SortField::artist);
        QVERIFY(ws.sort().descending);
    }

    void adding_a_record_to_a_sorted_or_narrowed_set()
    {
        WorkingSet ws;
        // Five records, a selection of two in some order.
        const int count = 5;
        ws.set_matches({4, 2});
        // The new-record command: all records, then the pending slot.
        ws.reset_to_all(count);
        ws.reserve_new(count + 1);
        QCOMPARE(ws.position(), int(6));
        QCOMPARE(ws.count(), int(5));
        QCOMPARE(ws.records().at(6), int(6));
        // Saving it.
        ws.append_current();
        QCOMPARE(ws.count(), int(6));
        QCOMPARE(ws.matched(), int(6));
        QCOMPARE(ws.positions(), std::vector<int>({1, 2, 3, 4, 5, 6}));

        // An empty database gets its first record the same way.
        ws = WorkingSet();
        ws.reserve_new(1);
        QCOMPARE(ws.position(), int(1));
        QCOMPARE(ws.count(), int(0));
        ws.append_current();
        QCOMPARE(ws.count(), int(1));
        QCOMPARE(ws.records().at(1), int(1));
    }

    void append_after_a_sort_goes_to_the_end()
    {
        WorkingSet ws;
        ws.set_matches({3, 1, 2});
        ws.reserve_new(4);
        ws.append_current();
        QCOMPARE(ws.positions(), std::vector<int>({3, 1, 2, 4}));
    }

    void choosing_criteria_keeps_selection_and_find_apart()
    {
        WorkingSet ws;
        Criteria c;
        c.by_text = true;
        c.texts[1] = QStringLiteral("SMITH");
        ws.select(c);
        QVERIFY(!ws.all());
        QVERIFY(ws.selection().criteria.by_text);
        QCOMPARE(ws.selection_text(), criteria_text(c));
        QVERIFY(ws.find_text().isEmpty());

        // Select all: every criterion off, the text stays until the set is rebuilt.
        ws.select_everything();
        QVERIFY(ws.all());
        const Criteria& now = ws.selection().criteria;
        QVERIFY(!now.by_text && !now.by_date && !now.by_paid && !now.by_retail);
        QCOMPARE(ws.selection_text(), criteria_text(c));
        QCOMPARE(tessaran::selection_caption(ws.all(), now), QStringLiteral("[Selected: All]"));

        ws.set_find(c);
        QCOMPARE(ws.find_text(), criteria_text(c));
        QVERIFY(ws.find_criteria().by_text);
        QVERIFY(ws.all());  // finding selects nothing
    }

    void selection_caption_data()
    {
        // clang-format off
        QTest::addColumn<bool>("all");
        QTest::addColumn<bool>("date");
        QTest::addColumn<bool>("paid");
        QTest::addColumn<bool>("retail");
        QTest::addColumn<bool>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("all") << true << true << true << true << true << "[Selected: All]";
        QTest::newRow("date") << false << true << false << false << false << "[Selected:Date]";
        QTest::newRow("paid") << false << false << true << false << false << "[Selected:Price Paid]";
        QTest::newRow("retail") << false << false << false << true << false << "[Selected:Retail Price]";
        QTest::newRow("text") << false << false << false << false << true << "[Selected:Text]";
        QTest::newRow("date paid") << false << true << true << false << false << "[Selected:Date, Price Paid]";
        QTest::newRow("date retail") << false << true << false << true << false << "[Selected:Date, Retail Price]";
        QTest::newRow("paid retail") << false << false << true << true << false << "[Selected:Price Paid, Retail Price]";
        QTest::newRow("paid text") << false << false << true << false << true << "[Selected:Price Paid,Text]";
        QTest::newRow("retail text") << false << false << false << true << true << "[Selected:Retail Price,Text]";
        QTest::newRow("date text") << false << true << false << false << true << "[Selected:Date,Text]";
        QTest::newRow("everything") << false << true << true << true << true
                                    << "[Selected:Date, Price Paid, Retail Price,Text]";
        // clang-format on
    }
    void selection_caption()
    {
        QFETCH(bool, all);
        QFETCH(bool, date);
        QFETCH(bool, paid);
        QFETCH(bool, retail);
        QFETCH(bool, text);
        QFETCH(QString, caption);
        Criteria c;
        c.by_date = date;
        c.by_paid = paid;
        c.by_retail = retail;
        c.by_text = text;
        QCOMPARE(tessaran::selection_caption(all, c), caption);
    }

    void caption_parts()
    {
        QCOMPARE(database_caption(QStringLiteral(" /home/u/scopes.rnd  ")),
                 QStringLiteral("Database file: /home/u/scopes.rnd"));
        QCOMPARE(database_caption(QStringLiteral("/home/u/my scopes.rnd")),
                 QStringLiteral("Database file: /home/u/my scopes.rnd"));
        QCOMPARE(position_caption(3, 12), QStringLiteral("[Record 3 of 12]"));
        QCOMPARE(position_caption(32767, 32767), QStringLiteral("[Record 32767 of 32767]"));
        QCOMPARE(adding_caption(1), QStringLiteral("[Adding record 1]"));
    }

    void caption_follows_the_state()
    {
        Session s = Session::on_file(QStringLiteral("/home/u/scopes.rnd"));
        s.ws().reset_to_all(12);
        QVERIFY(s.ws().move_to(3));
        s.ws().restore_sort({SortField::artist, false, "[Sorted by: Artist(Asc.)]  "});
        QCOMPARE(s.caption(),
                 QStringLiteral("Database file: /home/u/scopes.rnd  [Record 3 of 12]  [Sorted by: Artist(Asc.)]  "
                                "[Selected: All]"));
        // A position past the working set is a record being added.
        Criteria paid_and_text;
        paid_and_text.by_paid = paid_and_text.by_text = true;
        s.ws().restore_selection({false, paid_and_text, QString(), 0});
        s.ws().reserve_new(13);
        QCOMPARE(s.caption(),
                 QStringLiteral("Database file: /home/u/scopes.rnd  [Adding record 13]  [Sorted by: Artist(Asc.)]  "
                                "[Selected:Price Paid,Text]"));
        s.open_read_only(QStringLiteral("another window"));
        QVERIFY(s.caption().endsWith(QLatin1String("[Selected:Price Paid,Text]  [Read-only]")));
    }
};

QTEST_GUILESS_MAIN(tst_working_set)
#include "tst_working_set.moc"
