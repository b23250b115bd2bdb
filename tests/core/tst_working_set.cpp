// The working set operations and the captions that describe it.
#include "common/core_temp_db.h"
#include "core/globalvars.h"
#include "core/record_file.h"
#include "core/working_set.h"

#include <QLocale>
#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

class tst_working_set : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        gv() = Globalvars{};
    }

    void reset_all_takes_every_record_in_file_order()
    {
        Globalvars& g = gv();
        g.rec_count = 4;
        g.ws_recno = {0, 3, 1, 7, 9, 12, 2};  // an older, larger selection
        g.ws_count = 6;
        g.sel_all = false;
        g.sel_matched = 0;
        g.sel_criteria = QStringLiteral("Text select: ");
        g.sort_caption = QStringLiteral("[Sorted by: City(Desc.)]");
        g.sort_field = 20;
        ws_reset_all();
        QCOMPARE(ws_positions(), std::vector<qint16>({1, 2, 3, 4}));
        QCOMPARE(g.ws_count, qint16(4));
        QCOMPARE(g.sel_matched, qint16(4));
        QVERIFY(g.sel_all);
        QCOMPARE(g.sel_criteria, QStringLiteral("All"));
        // The sort caption and the remembered sort are the caller's business.
        QCOMPARE(g.sort_caption, QStringLiteral("[Sorted by: City(Desc.)]"));
        QCOMPARE(g.sort_field, qint16(20));

        g.rec_count = 0;
        ws_reset_all();
        QCOMPARE(g.ws_count, qint16(0));
        QCOMPARE(g.sel_matched, qint16(0));
        QVERIFY(!g.ws_recno.empty());  // slot 0 always exists
    }

    void clear_empties_and_unsorts()
    {
        Globalvars& g = gv();
        g.rec_count = 3;
        ws_reset_all();
        g.sel_all = false;
        g.sel_criteria = QStringLiteral("x");
        g.sort_field = 2;
        g.sort_desc = true;
        g.sort_caption = QStringLiteral("[Sorted by: Artist(Desc.)]");
        ws_clear();
        QCOMPARE(g.ws_count, qint16(0));
        QCOMPARE(g.sel_matched, qint16(0));
        QVERIFY(g.sel_all);
        QCOMPARE(g.sel_criteria, QStringLiteral("All"));
        QCOMPARE(g.sort_caption, QStringLiteral("[Sorted by: Unsorted]"));
        QCOMPARE(g.sort_field, qint16(2));
        QVERIFY(g.sort_desc);
    }

    void adding_a_record_to_a_sorted_or_narrowed_set()
    {
        Globalvars& g = gv();
        // Five records, a selection of two in some order.
        g.rec_count = 5;
        g.ws_recno = {0, 4, 2};
        g.ws_count = 2;
        g.sel_matched = 2;
        // The new-record command: all records, then the pending slot.
        ws_reset_all();
        ws_reserve_new(g.rec_count + 1);
        QCOMPARE(g.ws_pos, qint16(6));
        QCOMPARE(g.ws_count, qint16(5));
        QCOMPARE(g.ws_recno.at(6), qint16(6));
        // Saving it.
        ws_append();
        QCOMPARE(g.ws_count, qint16(6));
        QCOMPARE(g.sel_matched, qint16(6));
        QCOMPARE(ws_positions(), std::vector<qint16>({1, 2, 3, 4, 5, 6}));

        // An empty database gets its first record the same way.
        gv() = Globalvars{};
        ws_reserve_new(1);
        QCOMPARE(gv().ws_pos, qint16(1));
        QCOMPARE(gv().ws_count, qint16(0));
        ws_append();
        QCOMPARE(gv().ws_count, qint16(1));
        QCOMPARE(gv().ws_recno.at(1), qint16(1));
    }

    void append_after_a_sort_goes_to_the_end()
    {
        Globalvars& g = gv();
        g.rec_count = 3;
        g.ws_recno = {0, 3, 1, 2};
        g.ws_count = 3;
        g.ws_pos = 4;
        ws_append();
        QCOMPARE(ws_positions(), std::vector<qint16>({3, 1, 2, 4}));
    }

    void selection_caption_data()
    {
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

    void caption_make_joins_trimmed_parts()
    {
        Globalvars& g = gv();
        g.db_text = QStringLiteral("Database file: /home/u/scopes.rnd  ");
        g.rec_text = QStringLiteral("  [Record 3 of 12]");
        g.sort_caption = QStringLiteral("[Sorted by: Artist(Asc.)]");
        g.sel_all = true;
        QCOMPARE(caption_make(),
                 QStringLiteral("Database file: /home/u/scopes.rnd  [Record 3 of 12]  [Sorted by: Artist(Asc.)]  "
                                "[Selected: All]"));
        g.sel_all = false;
        g.sel.by_paid = true;
        g.sel.by_text = true;
        g.rec_text = QStringLiteral("[Adding record 13]");
        QCOMPARE(caption_make(),
                 QStringLiteral("Database file: /home/u/scopes.rnd  [Adding record 13]  [Sorted by: Artist(Asc.)]  "
                                "[Selected:Price Paid,Text]"));
    }
};

QTEST_GUILESS_MAIN(tst_working_set)
#include "tst_working_set.moc"
