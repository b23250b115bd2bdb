// Dates under the user's locale: the short-date pattern, typed dates, day counts.
#include "core/locale_dates.h"
#include "core/session.h"

#include <QtTest>

using namespace tessaran;

class tst_dates : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void pattern_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("fmt");
        QTest::newRow("en_US widened") << "en_US" << "M/d/yyyy" << "m/d/yyyy";
        QTest::newRow("de_DE widened") << "de_DE" << "dd.MM.yyyy" << "dd.mm.yyyy";
        QTest::newRow("fr_FR kept") << "fr_FR" << "dd/MM/yyyy" << "dd/mm/yyyy";
        QTest::newRow("quoted y kept") << "bg_BG" << "d.MM.yyyy 'г'." << "d.mm.yyyy 'г'.";
        // clang-format on
    }
    void pattern()
    {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        QFETCH(QString, fmt);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(short_date_pattern(), pattern);
        QCOMPARE(locale_short_date_fmt(), fmt);
    }

    void locale_values()
    {
        LocaleLabels labels = current_locale_labels();
        QCOMPARE(labels.date_format, QStringLiteral("m/d/yyyy"));
        QCOMPARE(labels.currency_symbol, QStringLiteral("$"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        labels = current_locale_labels();
        QCOMPARE(labels.date_format, QStringLiteral("dd.mm.yyyy"));
        QCOMPARE(labels.currency_symbol, QString::fromUtf8("€"));
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
        // No bidi marks around the symbol.
        QCOMPARE(locale_currency_symbol(), QString::fromUtf8("ج.م."));
    }

    void parse_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("short four digits") << "en_US" << "3/4/2001" << QDate(2001, 3, 4);
        QTest::newRow("two digits 01") << "en_US" << "3/4/01" << QDate(2001, 3, 4);
        QTest::newRow("two digits 29") << "en_US" << "3/4/29" << QDate(2029, 3, 4);
        QTest::newRow("two digits 30") << "en_US" << "3/4/30" << QDate(1930, 3, 4);
        QTest::newRow("two digits 45") << "en_US" << "3/4/45" << QDate(1945, 3, 4);
        QTest::newRow("leap day of 2000") << "en_US" << "2/29/00" << QDate(2000, 2, 29);
        QTest::newRow("padded and trimmed") << "en_US" << "  03/04/2001 " << QDate(2001, 3, 4);
        QTest::newRow("long") << "en_US" << "Sunday, March 4, 2001" << QDate(2001, 3, 4);
        QTest::newRow("long lower case") << "en_US" << "march 4, 2001" << QDate(2001, 3, 4);
        QTest::newRow("short month name") << "en_US" << "Mar 4, 2001" << QDate(2001, 3, 4);
        QTest::newRow("iso") << "en_US" << "2001-03-04" << QDate(2001, 3, 4);
        QTest::newRow("old year") << "en_US" << "3/4/1799" << QDate(1799, 3, 4);
        QTest::newRow("de short") << "de_DE" << "04.03.2001" << QDate(2001, 3, 4);
        QTest::newRow("de two digits") << "de_DE" << "4.3.01" << QDate(2001, 3, 4);
        QTest::newRow("de long") << "de_DE" << QString::fromUtf8("Sonntag, 4. März 2001") << QDate(2001, 3, 4);
        QTest::newRow("de iso") << "de_DE" << "2001-03-04" << QDate(2001, 3, 4);
        QTest::newRow("fr short") << "fr_FR" << "04/03/2001" << QDate(2001, 3, 4);
        QTest::newRow("fr long") << "fr_FR" << "dimanche 4 mars 2001" << QDate(2001, 3, 4);
        QTest::newRow("time 12-hour dropped") << "en_US" << "3/14/2001 10:30 PM" << QDate(2001, 3, 14);
        QTest::newRow("time 24-hour dropped") << "en_US" << "3/14/2001 22:30" << QDate(2001, 3, 14);
        QTest::newRow("time with seconds") << "en_US" << "3/14/2001 22:30:05" << QDate(2001, 3, 14);
        QTest::newRow("de time dropped") << "de_DE" << "14.03.2001 22:30" << QDate(2001, 3, 14);
        QTest::newRow("fr time dropped") << "fr_FR" << "14/03/2001 22:30" << QDate(2001, 3, 14);
        QTest::newRow("iso with time") << "de_DE" << "2001-03-14 22:30" << QDate(2001, 3, 14);
        QTest::newRow("ja long") << "ja_JP" << QString::fromUtf8("2001年3月4日日曜日") << QDate(2001, 3, 4);
        QTest::newRow("pt long words") << "pt_BR" << QString::fromUtf8("domingo, 4 de março de 2001")
                                       << QDate(2001, 3, 4);
        // clang-format on
    }
    void parse()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QLocale::setDefault(QLocale(locale));
        const auto parsed = parse_user_date(text);
        QVERIFY2(parsed.has_value(), qPrintable(text));
        QCOMPARE(*parsed, date);
    }

    void reject_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "en_US" << "";
        QTest::newRow("word") << "en_US" << "yesterday";
        QTest::newRow("no year") << "en_US" << "3/4";
        QTest::newRow("four numbers") << "en_US" << "3/4/2001/5";
        QTest::newRow("day out of range") << "en_US" << "2/30/2001";
        QTest::newRow("month 13") << "en_US" << "13/1/2001";
        QTest::newRow("trailing word") << "en_US" << "3/4/2001 x";
        QTest::newRow("five-digit year") << "en_US" << "3/4/20011";
        QTest::newRow("time without a date") << "en_US" << "22:30";
        QTest::newRow("hour out of range") << "en_US" << "3/14/2001 25:30";
        QTest::newRow("bad date with a time") << "en_US" << "2/30/2001 10:30";
        QTest::newRow("two month names") << "en_US" << "March April 4 2001";
        QTest::newRow("de day first") << "de_DE" << "31.02.2001";
        // clang-format on
    }
    void reject()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QVERIFY(!parse_user_date(text).has_value());
    }

    void short_text_reads_back_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("en_US") << "en_US" << "3/4/2001";
        QTest::newRow("de_DE") << "de_DE" << "04.03.2001";
        QTest::newRow("fr_FR") << "fr_FR" << "04/03/2001";
        QTest::newRow("ko_KR") << "ko_KR" << "2001. 3. 4.";
        // clang-format on
    }
    void short_text_reads_back()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        const QDate d(2001, 3, 4);
        QCOMPARE(short_date_text(d), text);
        QCOMPARE(parse_user_date(short_date_text(d)).value_or(QDate()), d);
        // Dates of every year the two-digit rule could confuse read back as shown.
        for (int y = 1800; y <= 2100; y += 7) {
            const QDate any(y, 12, 31);
            QCOMPARE(parse_user_date(short_date_text(any)).value_or(QDate()), any);
        }
    }

    void day_counts()
    {
        QCOMPARE(date_to_days(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(date_to_days(QDate(1899, 12, 31)), 1.0);
        QCOMPARE(date_to_days(QDate(1900, 1, 1)), 2.0);
        QCOMPARE(date_to_days(QDate(2001, 3, 4)), 36954.0);
        QCOMPARE(date_to_days(QDate(1800, 1, 1)), -36522.0);
        QCOMPARE(days_to_date(36954.0), QDate(2001, 3, 4));
        QCOMPARE(days_to_date(36954.75), QDate(2001, 3, 4));
        QCOMPARE(days_to_date(-1.0), QDate(1899, 12, 29));
        QVERIFY(!days_to_date(1e300).isValid());
    }
};

QTEST_GUILESS_MAIN(tst_dates)
#include "tst_dates.moc"
