// The selection and find criteria from the dialog's entries.
#include "core/criteria_entries.h"
#include "core/locale_dates.h"
#include "core/money.h"

#include <QtTest>

using namespace tessaran;

namespace {

// Entries by name: "slot:N" for a text slot, else a range box.
using Typed = QList<QPair<QString, QString>>;

CriteriaEntries entries_of(const Typed& typed)
{
    CriteriaEntries e;
    for (const auto& [field, text] : typed) {
        if (field.startsWith(QLatin1String("slot:")))
            e.texts[size_t(field.mid(5).toInt() - 1)] = text;
        else if (field == QLatin1String("date_beg"))
            e.date_beg = text;
        else if (field == QLatin1String("date_end"))
            e.date_end = text;
        else if (field == QLatin1String("paid_min"))
            e.paid_min = text;
        else if (field == QLatin1String("paid_max"))
            e.paid_max = text;
        else if (field == QLatin1String("retail_min"))
            e.retail_min = text;
        else if (field == QLatin1String("retail_max"))
            e.retail_max = text;
    }
    return e;
}

}  // namespace

class tst_criteria_entries : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void refused_data()
    {
        // clang-format off
        QTest::addColumn<Typed>("typed");
        QTest::addColumn<bool>("select");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        const QString date = QStringLiteral("Date range search");
        const QString price = QStringLiteral("Price search");
        QTest::newRow("nothing to select") << Typed{} << true << "No select criteria selected!" << "Select criteria";
        QTest::newRow("nothing to find") << Typed{} << false << "No find criteria selected!" << "Find criteria";
        QTest::newRow("blanks are nothing") << Typed{{"date_beg", "  "}, {"paid_min", " "}} << true
                                            << "No select criteria selected!" << "Select criteria";
        QTest::newRow("bad beginning") << Typed{{"date_beg", "13/45/2001"}} << true << "Invalid entry in beginning date!"
                                       << date;
        QTest::newRow("bad end") << Typed{{"date_beg", "1/1/2001"}, {"date_end", "soon"}} << true
                                 << "Invalid entry in ending date!" << date;
        QTest::newRow("reversed dates") << Typed{{"date_beg", "2/1/2001"}, {"date_end", "1/31/2001"}} << true
                                        << "Beginning date is AFTER ending date" << date;
        QTest::newRow("dates before prices") << Typed{{"date_end", "x"}, {"paid_min", "y"}} << true
                                             << "Invalid entry in ending date!" << date;
        QTest::newRow("bad paid min") << Typed{{"paid_min", "abc"}} << true << "Invalid entry in minimum price paid!"
                                      << price;
        QTest::newRow("bad paid max") << Typed{{"paid_max", "1.2.3"}} << true << "Invalid entry in maximum price paid!"
                                      << price;
        QTest::newRow("paid min above max") << Typed{{"paid_min", "20"}, {"paid_max", "10"}} << true
                                            << "Minimum price paid is greater than maximum price paid!" << price;
        QTest::newRow("paid before retail") << Typed{{"retail_min", "x"}, {"paid_max", "y"}} << false
                                            << "Invalid entry in maximum price paid!" << price;
        QTest::newRow("bad retail min") << Typed{{"retail_min", "-"}, {"slot:2", "x"}} << true
                                        << "Invalid entry in minimum retail price!" << price;
        QTest::newRow("bad retail max") << Typed{{"retail_max", "ten"}} << true
                                        << "Invalid entry in maximum retail price!" << price;
        QTest::newRow("retail min above max") << Typed{{"retail_min", "$5.01"}, {"retail_max", "$5.00"}} << true
                                              << "Minimum retail price is greater than maximum retail price!" << price;
        // clang-format on
    }
    void refused()
    {
        QFETCH(Typed, typed);
        QFETCH(bool, select);
        QFETCH(QString, message);
        QFETCH(QString, title);
        const auto result = criteria_from_entries(entries_of(typed), select ? CriteriaUse::select : CriteriaUse::find);
        const auto* refusal = std::get_if<CriteriaRefusal>(&result);
        QVERIFY(refusal);
        QCOMPARE(refusal->text, message);
        QCOMPARE(refusal->title, title);
    }

    void accepted()
    {
        const Typed typed{{"date_beg", "1/1/2000 10:30 PM"},
                          {"paid_min", "0"},
                          {"retail_max", "12.50"},
                          {"slot:2", "Smith "},
                          {"slot:15", "mint"}};
        const auto result = criteria_from_entries(entries_of(typed), CriteriaUse::find);
        const Criteria* c = std::get_if<Criteria>(&result);
        QVERIFY(c);
        QVERIFY(c->by_date && c->by_paid && c->by_retail && c->by_text);
        QCOMPARE(c->date_beg, date_to_days(QDate(2000, 1, 1)));  // the time of day dropped
        QCOMPARE(c->date_end, open_date_bound);
        QCOMPARE(c->paid_min, qint64(0));
        QCOMPARE(c->paid_max, open_money_max);
        QCOMPARE(c->retail_min, qint64(0));
        QCOMPARE(c->retail_max, qint64(125000));
        QCOMPARE(c->texts[1], QStringLiteral("SMITH "));  // the trailing blank must match too
        QCOMPARE(c->texts[14], QStringLiteral("MINT"));
        QVERIFY(c->texts[0].isEmpty());
    }

    void open_maximum_data()
    {
        QTest::addColumn<QString>("max");
        QTest::addColumn<qint64>("stored");
        QTest::newRow("blank") << "" << open_money_max;
        QTest::newRow("zero") << "0" << open_money_max;
        QTest::newRow("-999") << "-999" << open_money_max;
        QTest::newRow("a real maximum") << "$10.00" << qint64(100000);
    }
    void open_maximum()
    {
        QFETCH(QString, max);
        QFETCH(qint64, stored);
        const auto result
            = criteria_from_entries(entries_of({{"paid_min", "2"}, {"paid_max", max}}), CriteriaUse::select);
        const Criteria* c = std::get_if<Criteria>(&result);
        QVERIFY(c);
        QCOMPARE(c->paid_min, qint64(20000));
        QCOMPARE(c->paid_max, stored);
    }

    // Dates and amounts are read in the user's locale.
    void german_entries()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto result = criteria_from_entries(
            entries_of({{"date_beg", "14.03.2001"}, {"date_end", "31.12.2001"}, {"paid_min", "1.234,50 €"}}),
            CriteriaUse::select);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const Criteria* c = std::get_if<Criteria>(&result);
        QVERIFY(c);
        QCOMPARE(c->date_beg, date_to_days(QDate(2001, 3, 14)));
        QCOMPARE(c->date_end, date_to_days(QDate(2001, 12, 31)));
        QCOMPARE(c->paid_min, qint64(12345000));
    }
};

QTEST_GUILESS_MAIN(tst_criteria_entries)
#include "tst_criteria_entries.moc"
