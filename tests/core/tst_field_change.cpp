// One change for many: the new value or the replaced text, checked as the
// form checks an entry; a text too long names the kaleidoscopes and changes
// nothing; the write is one safe write and one entry of the history that one
// Undo takes back whole, and nothing is written when another program changed
// the collection since the changes were shown.
#include "common/core_temp_db.h"
#include "core/collection_history.h"
#include "core/entry_checks.h"
#include "core/field_change.h"
#include "core/history_undo.h"
#include "core/working_set.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

QList<ScopeRecord> three()
{
    QList<ScopeRecord> records{make_record("Alpha", "Smith", "1/5/2000", 1000000),
                               make_record("Bravo", "Jones", "2/6/2001", 2000000), make_record("Charlie", "Smithers")};
    records[0].store = QStringLiteral("Harvest Festival");
    records[1].store = QStringLiteral("Harvest Festival");
    records[2].store = QStringLiteral("Corner Shop");
    return records;
}

}  // namespace

class tst_field_change : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void planned_as_the_form_checks_data()
    {
        // clang-format off
        QTest::addColumn<QString>("member");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QStringList>("changes");  // "record: before -> after"
        QTest::addColumn<QString>("refusal");
        QTest::newRow("a text replaced within") << "store" << true << "Festival" << "Fair" << QStringList{
            "1: Harvest Festival -> Harvest Fair", "2: Harvest Festival -> Harvest Fair"} << "";
        QTest::newRow("a field set, the same value left") << "artist" << false << "" << "Smith"
            << QStringList{"2: Jones -> Smith", "3: Smithers -> Smith"} << "";
        QTest::newRow("a price set") << "price_paid" << false << "" << "$1,250.50" << QStringList{
            "1: $100.00 -> $1,250.50", "2: $200.00 -> $1,250.50", "3:  -> $1,250.50"} << "";
        QTest::newRow("a price that is none") << "price_paid" << false << "" << "cheap" << QStringList{}
            << "Invalid entry for purchase price field!";
        QTest::newRow("a price replaced within") << "price_retail" << true << "1" << "2" << QStringList{}
            << "A price is set, not replaced within: give the new amount.";
        QTest::newRow("a date that is none") << "date_bought" << true << "2000" << "20000" << QStringList{}
            << "Invalid entry for date of purchase field!";
        QTest::newRow("a year that is none") << "scopeyear" << false << "" << "12a" << QStringList{}
            << scopeyear_message(check_scopeyear(QStringLiteral("12a")));
        QTest::newRow("a text too long") << "store" << true << "Harvest" << QString(45, QLatin1Char('x'))
            << QStringList{} << "The new text does not fit the field Store/Gallery (50 characters at most) of: "
                                "Alpha (record 1), Bravo (record 2). Nothing is changed.";
        // clang-format on
    }

    void planned_as_the_form_checks()
    {
        QFETCH(QString, member);
        QFETCH(bool, replace);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QStringList, changes);
        QFETCH(QString, refusal);
        TempDb db(three());
        WorkingSet ws;
        ws.reset_to_all(3);
        FieldChangePlan plan;
        QVERIFY(
            plan_field_change(db.path(), ws.records(), ws.count(), {*member_named(member), replace, from, to}, plan));
        QStringList told;
        for (const PlannedChange& c : plan.changes)
            told << QStringLiteral("%1: %2 -> %3").arg(c.record).arg(c.before, c.after);
        QCOMPARE(told, changes);
        QCOMPARE(plan.refusal, refusal);
    }

    void written_once_and_taken_back_whole()
    {
        TempDb db(three());
        const QByteArray before = read_bytes(db.path());
        CollectionHistory history(db.path());
        QVERIFY(history.open());
        WorkingSet ws;
        ws.reset_to_all(3);
        FieldChangePlan plan;
        QVERIFY(plan_field_change(db.path(), ws.records(), ws.count(), {m_store, true, "Festival", "Fair"}, plan));
        // Another program's write since the changes were shown: nothing is written.
        FieldChangePlan stale = plan;
        stale.stamp.size += 1;
        QVERIFY(!write_field_change(db.path(), stale, recorded_in(history)));
        QCOMPARE(read_bytes(db.path()), before);

        QVERIFY(write_field_change(db.path(), plan, recorded_in(history)));
        QCOMPARE(scope_names(db.path()), (QStringList{"Alpha", "Bravo", "Charlie"}));
        const QList<ScopeRecord> after = read_db(db.path());
        QCOMPARE(after[0].store.trimmed(), QStringLiteral("Harvest Fair"));
        QCOMPARE(after[1].store.trimmed(), QStringLiteral("Harvest Fair"));
        QCOMPARE(read_bytes(db.path()).mid(2 * rec_len_bytes), before.mid(2 * rec_len_bytes));
        const std::vector<HistoryChange> changes = history.changes();
        QCOMPARE(changes.back().kind, ChangeKind::many);
        QCOMPARE(changes.back().records.size(), std::size_t(2));
        // One Undo, after the program is started again, puts both back.
        CollectionHistory again(db.path());
        QVERIFY(again.open());
        QVERIFY(take_back(again, again.next_undo(), false).done);
        QCOMPARE(read_bytes(db.path()), before);
    }
};

QTEST_GUILESS_MAIN(tst_field_change)
#include "tst_field_change.moc"
