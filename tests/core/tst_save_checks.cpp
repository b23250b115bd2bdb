// What a save refuses among the typed fields, and what it lets stand.
#include "common/core_temp_db.h"
#include "core/money.h"
#include "core/save_checks.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

Q_DECLARE_METATYPE(TypedField)

class tst_save_checks : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void entries_data()
    {
        // clang-format off
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("retail");
        QTest::addColumn<QString>("message");  // empty: the save goes on
        QTest::addColumn<TypedField>("field");
        // The stored record: year "19x9", date "31/31/1999", paid $12.50.
        const QString paid = money_text(125000);
        QTest::newRow("all sound") << "1999" << "3/4/2001" << "$10.00" << "" << "" << TypedField::scope_year;
        QTest::newRow("blank fields") << "" << "" << "" << "" << "" << TypedField::scope_year;
        QTest::newRow("stored odd year and date untouched") << "19x9" << "31/31/1999" << paid << "" << ""
                                                            << TypedField::scope_year;
        QTest::newRow("year typed as junk") << "19y9" << "3/4/2001" << paid << "" << "Non-numeric entry for scope year field!"
                                            << TypedField::scope_year;
        QTest::newRow("year too early") << "1699" << "3/4/2001" << paid << ""
                                        << "Entry for scope year field out of range!" << TypedField::scope_year;
        QTest::newRow("date typed as junk") << "1999" << "soon" << paid << ""
                                            << "Invalid entry for date of purchase field!" << TypedField::date_bought;
        QTest::newRow("date with a time of day") << "1999" << "3/4/2001 10:30 PM" << paid << "" << ""
                                                 << TypedField::scope_year;
        QTest::newRow("year before date") << "x" << "soon" << paid << "" << "Non-numeric entry for scope year field!"
                                          << TypedField::scope_year;
        QTest::newRow("paid not an amount") << "" << "" << "lots" << "" << "Invalid entry for purchase price field!"
                                            << TypedField::price_paid;
        QTest::newRow("paid too large") << "" << "" << "999999999999999999" << ""
                                        << "Invalid entry for purchase price field!" << TypedField::price_paid;
        QTest::newRow("retail not an amount") << "" << "" << paid << "ten" << "Invalid entry for retail price field!"
                                              << TypedField::price_retail;
        QTest::newRow("date before prices") << "" << "soon" << "x" << "y" << "Invalid entry for date of purchase field!"
                                            << TypedField::date_bought;
        // clang-format on
    }
    void entries()
    {
        QFETCH(QString, year);
        QFETCH(QString, date);
        QFETCH(QString, paid);
        QFETCH(QString, retail);
        QFETCH(QString, message);
        QFETCH(TypedField, field);
        ScopeRecord stored = make_record("Odd", QString(), "31/31/1999", 125000);
        stored.scopeyear = fixed_text("19x9", 10);
        const std::optional<EntryRefusal> refusal = refused_entry({year, date, paid, retail}, stored, 125000, 0);
        QCOMPARE(refusal.has_value(), !message.isEmpty());
        if (refusal) {
            QCOMPARE(refusal->message, message);
            QCOMPARE(refusal->field, field);
        }
    }
};

QTEST_GUILESS_MAIN(tst_save_checks)
#include "tst_save_checks.moc"
