// Money: text to ten-thousandths and back under several locales.
#include "core/blank_text.h"
#include "core/money.h"

#include <QtTest>

#include <limits>
#include <optional>

using namespace tessaran;

class tst_money : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Plain decimals for scripts: written and read back exactly.
    void decimal_amounts_data()
    {
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "0";
        QTest::newRow("whole") << qint64(1250000) << "125";
        QTest::newRow("half") << qint64(125000) << "12.5";
        QTest::newRow("four places") << qint64(1) << "0.0001";
        QTest::newRow("negative") << qint64(-125000) << "-12.5";
        QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
        QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "922337203685477.5807";
    }
    void decimal_amounts()
    {
        QFETCH(qint64, amount);
        QFETCH(QString, text);
        QCOMPARE(decimal_amount(amount), text);
        QCOMPARE(money_from_decimal(text), std::optional<qint64>(amount));
        for (const char* bad : {"", "-", "1.23456", "12,5", "1e3", "922337203685477.5808", " 1 2"})
            QCOMPARE(money_from_decimal(QString::fromLatin1(bad)), std::optional<qint64>());
    }

    void nuller_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("empty");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("blanks") << QStringLiteral("   ") << true;
        QTest::newRow("three zero chars") << QString(3, QChar(0)) << true;
        QTest::newRow("digit 0") << QStringLiteral("0") << false;
        QTest::newRow("word") << QStringLiteral(" a ") << false;
    }
    void nuller()
    {
        QFETCH(QString, text);
        QFETCH(bool, empty);
        QCOMPARE(is_blank(text), empty);
    }

    void from_text_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("amount");
        const qint64 bad = invalid_money;
        QTest::newRow("empty") << "en_US" << "" << qint64(0);
        QTest::newRow("blank") << "en_US" << "   " << qint64(0);
        QTest::newRow("12.5") << "en_US" << "12.5" << qint64(125000);
        QTest::newRow("symbol") << "en_US" << "$12.50" << qint64(125000);
        QTest::newRow("grouped") << "en_US" << "$1,234,567.89" << qint64(12345678900);
        QTest::newRow("minus symbol") << "en_US" << "-$12.50" << qint64(-125000);
        QTest::newRow("accounting") << "en_US" << "($12.50)" << qint64(-125000);
        QTest::newRow("four places") << "en_US" << "0.0001" << qint64(1);
        QTest::newRow("half to even down") << "en_US" << "1.00005" << qint64(10000);
        QTest::newRow("half to even up") << "en_US" << "1.00015" << qint64(10002);
        QTest::newRow("above half") << "en_US" << "1.000051" << qint64(10001);
        QTest::newRow("negative half") << "en_US" << "-0.00025" << qint64(-2);
        QTest::newRow("euro sign") << "en_US" << "€12" << qint64(120000);
        QTest::newRow("iso code") << "en_US" << "USD 3" << qint64(30000);
        QTest::newRow("garbage") << "en_US" << "abc" << bad;
        QTest::newRow("digits and letters") << "en_US" << "12a" << bad;
        QTest::newRow("two points") << "en_US" << "1.2.3" << bad;
        QTest::newRow("bad grouping") << "en_US" << "12,50" << bad;
        QTest::newRow("two signs") << "en_US" << "(-12)" << bad;
        QTest::newRow("sign only") << "en_US" << "-" << bad;
        QTest::newRow("too large") << "en_US" << "99999999999999999999" << qint64(0);
        QTest::newRow("largest") << "en_US" << "922337203685477.5807" << qint64(9223372036854775807LL);
        QTest::newRow("smallest") << "en_US" << "-922337203685477.5808"
                                  << qint64(-9223372036854775807LL - 1);
        QTest::newRow("de plain") << "de_DE" << "12,5" << qint64(125000);
        QTest::newRow("de full") << "de_DE" << "1.234,50 €" << qint64(12345000);
        QTest::newRow("de point is grouping") << "de_DE" << "12.50" << bad;
        QTest::newRow("fr narrow nbsp") << "fr_FR" << QString::fromUtf8("1\u202F234,50\u00A0€") << qint64(12345000);
        QTest::newRow("fr accounting") << "fr_FR" << QString::fromUtf8("(1\u202F234,50\u00A0€)")
                                       << qint64(-12345000);
        QTest::newRow("sv minus sign") << "sv_SE" << QString::fromUtf8("\u22121\u00A0234,50 kr") << qint64(-12345000);
        QTest::newRow("de_CH symbol word") << "de_CH" << QString::fromUtf8("1\u2019234.50 CHF") << qint64(12345000);
        // clang-format on
    }
    void from_text()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(qint64, amount);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(money_from_text(text), amount);
    }

    void out_of_range_is_reported()
    {
        qint64 amount = 7;
        QCOMPARE(parse_money("922337203685477.5808", amount), MoneyParse::out_of_range);
        QCOMPARE(parse_money("12x", amount), MoneyParse::not_numeric);
        QCOMPARE(parse_money(" ", amount), MoneyParse::empty);
        QCOMPARE(amount, qint64(7));
    }

    void text_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << "en_US" << qint64(0) << "";
        QTest::newRow("12.50") << "en_US" << qint64(125000) << "$12.50";
        QTest::newRow("grouped") << "en_US" << qint64(12345000) << "$1,234.50";
        QTest::newRow("three places kept") << "en_US" << qint64(123450) << "$12.345";
        QTest::newRow("four places kept") << "en_US" << qint64(1) << "$0.0001";
        QTest::newRow("negative") << "en_US" << qint64(-125000) << "($12.50)";
        QTest::newRow("beyond double") << "en_US" << qint64(9007199254740993LL)
                                       << "$900,719,925,474.0993";
        QTest::newRow("de") << "de_DE" << qint64(12345000) << QString::fromUtf8("1.234,50\u00A0€");
        QTest::newRow("fr") << "fr_FR" << qint64(12345000) << QString::fromUtf8("1\u202F234,50\u00A0€");
        QTest::newRow("ja no decimals") << "ja_JP" << qint64(12340000) << QString::fromUtf8("￥1,234");
        QTest::newRow("ja fraction shown") << "ja_JP" << qint64(12345000) << QString::fromUtf8("￥1,234.5");
        // clang-format on
    }
    void text()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, amount);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(money_text(amount), text);
    }

    void round_trip_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        for (const char* name : {"en_US", "de_DE", "fr_FR", "de_CH", "sv_SE", "ja_JP", "hi_IN", "ar_EG", "nl_NL",
                                 "C", "es_PE", "fa_IR", "bg_BG", "da_DK", "he_IL", "pt_BR", "ccp_BD"})
            QTest::newRow(name) << QString::fromLatin1(name);
        // clang-format on
    }
    void round_trip()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        const qint64 amounts[] = {1,
                                  5,
                                  10,
                                  125000,
                                  -125000,
                                  123456789,
                                  -123456789,
                                  99990001,
                                  10000000000000LL,
                                  -1,
                                  9223372036854775807LL,
                                  -9223372036854775807LL - 1};
        for (const qint64 a : amounts) {
            const QString shown = money_text(a);
            QVERIFY2(money_from_text(shown) == a, qPrintable(shown + " from " + QString::number(a)));
            const QString plain = money_plain_text(a);
            QVERIFY2(money_from_text(plain) == a, qPrintable(plain + " from " + QString::number(a)));
        }
    }

    void plain_text_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << "en_US" << qint64(1250000) << "125";
        QTest::newRow("no grouping") << "en_US" << qint64(12345000) << "1234.5";
        QTest::newRow("zero") << "en_US" << qint64(0) << "0";
        QTest::newRow("negative") << "en_US" << qint64(-5) << "-0.0005";
        QTest::newRow("de comma") << "de_DE" << qint64(125000) << "12,5";
    }
    void plain_text()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, amount);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(money_plain_text(amount), text);
    }
};

QTEST_GUILESS_MAIN(tst_money)
#include "tst_money.moc"
