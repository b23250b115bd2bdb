// The window-free checks of typed dates, prices and scope years.
#include "core/entry_checks.h"
#include "core/money.h"

#include <QtTest>

using namespace tessaran;

Q_DECLARE_METATYPE(tessaran::FieldCheck)
Q_DECLARE_METATYPE(tessaran::YearCheck)

class tst_entry_checks : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void date_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<FieldCheck>("result");
        QTest::addColumn<QString>("shown");
        QTest::newRow("blank") << "en_US" << "  " << FieldCheck::blank << "";
        QTest::newRow("zero chars") << "en_US" << QString(2, QChar(0)) << FieldCheck::blank << "";
        QTest::newRow("reformatted") << "en_US" << " 03/04/01 " << FieldCheck::ok << "3/4/2001";
        QTest::newRow("1799 refused, reformatted") << "en_US" << "03/04/1799" << FieldCheck::invalid_year
                                                   << "3/4/1799";
        QTest::newRow("garbage") << "en_US" << "soon" << FieldCheck::invalid << "soon";
        QTest::newRow("de") << "de_DE" << "4.3.01" << FieldCheck::ok << "04.03.2001";
        // clang-format on
    }
    void date()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(FieldCheck, result);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        const CheckedText c = check_date_text(text);
        QCOMPARE(c.result, result);
        QCOMPARE(c.text, shown);
    }

    void price_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<FieldCheck>("result");
        QTest::addColumn<QString>("shown");
        QTest::newRow("blank") << "en_US" << " " << FieldCheck::blank << "";
        QTest::newRow("12.5") << "en_US" << "12.5" << FieldCheck::ok << "$12.50";
        QTest::newRow("zero clears") << "en_US" << "0" << FieldCheck::ok << "";
        QTest::newRow("garbage") << "en_US" << "twelve" << FieldCheck::invalid << "twelve";
        QTest::newRow("too large") << "en_US" << "99999999999999999999" << FieldCheck::invalid
                                   << "99999999999999999999";
        QTest::newRow("the invalid marker itself") << "en_US" << "-9999" << FieldCheck::invalid << "-9999";
        QTest::newRow("de") << "de_DE" << "12,5" << FieldCheck::ok << QString::fromUtf8("12,50\u00A0€");
        QTest::newRow("de point") << "de_DE" << "12.5" << FieldCheck::invalid << "12.5";
        // clang-format on
    }
    void price()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(FieldCheck, result);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        const CheckedText c = check_price_text(text);
        QCOMPARE(c.result, result);
        QCOMPARE(c.text, shown);
        QCOMPARE(is_money(text.trimmed()), result == FieldCheck::ok);
    }

    void scopeyear_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<YearCheck>("result");
        QTest::newRow("blank") << "en_US" << "   " << YearCheck::blank;
        QTest::newRow("1699") << "en_US" << "1699" << YearCheck::out_of_range;
        QTest::newRow("1700") << "en_US" << "1700" << YearCheck::ok;
        QTest::newRow("1999.0") << "en_US" << "1999.0" << YearCheck::ok;
        QTest::newRow("1999.5") << "en_US" << "1999.5" << YearCheck::non_integer;
        QTest::newRow("19x9") << "en_US" << "19x9" << YearCheck::non_numeric;
        QTest::newRow("32767") << "en_US" << "32767" << YearCheck::ok;
        QTest::newRow("40000") << "en_US" << "40000" << YearCheck::out_of_range;
        QTest::newRow("negative") << "en_US" << "-1999" << YearCheck::out_of_range;
        QTest::newRow("exponent") << "en_US" << "2e3" << YearCheck::ok;
        QTest::newRow("huge exponent") << "en_US" << "1e400" << YearCheck::non_numeric;
        QTest::newRow("grouped reads its leading 1") << "en_US" << "1,999" << YearCheck::out_of_range;
        QTest::newRow("de point fraction") << "de_DE" << "1999.5" << YearCheck::non_integer;
        QTest::newRow("de comma fraction") << "de_DE" << "1999,5" << YearCheck::non_integer;
        QTest::newRow("de whole") << "de_DE" << "1999" << YearCheck::ok;
        // clang-format on
    }
    void scopeyear()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(YearCheck, result);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(check_scopeyear(text), result);
    }
};

QTEST_GUILESS_MAIN(tst_entry_checks)
#include "tst_entry_checks.moc"
