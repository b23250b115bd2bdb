// The properties the fuzz targets in fuzz check, on inputs kept as data
// rows: edge inputs from the seeds and any input a fuzz run ever stopped on.
// (The recorded runs found none; see fuzz/README.md.)
#include "core/color_file.h"
#include "core/criteria.h"
#include "core/locale_dates.h"
#include "core/money.h"
#include "core/record_match.h"
#include "core/scope_record.h"
#include "core/session.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

using namespace tessaran;

namespace {

QByteArray filled(char c)
{
    return QByteArray(rec_len_bytes, c);
}

}  // namespace

class tst_fuzz_regressions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Any 2473 bytes decode; encoding is stable after one round; the binary
    // members go back as read; the byte-level matcher agrees with the decoded one.
    void record_bytes_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("wanted");
        QTest::newRow("all zero") << filled('\0') << QString();
        QTest::newRow("all 0xFF") << filled('\xff') << QStringLiteral("\u0178");
        QTest::newRow("undefined code page bytes") << filled('\x81') << QStringLiteral("\u0081");
        QTest::newRow("sharp s, capital is two letters") << filled('\xdf') << QStringLiteral("SS");
        QTest::newRow("micro sign, capital outside the code page") << filled('\xb5') << QStringLiteral("\u039c");
        QTest::newRow("leading blanks") << QByteArray(100, ' ') + filled('a').left(rec_len_bytes - 100)
                                        << QStringLiteral("A");
        QTest::newRow("wanted outside the code page") << filled('x') << QStringLiteral("\u4e2d");
        // clang-format on
    }

    void record_bytes()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QString, wanted);
        const ScopeRecord rec = decode_record(raw.constData());
        const QByteArray once = encode_record(rec);
        QCOMPARE(once.size(), rec_len_bytes);
        QCOMPARE(encode_record(decode_record(once.constData())), once);
        QCOMPARE(once.mid(offset_price_paid, 16), raw.mid(offset_price_paid, 16));
        QCOMPARE(once.mid(offset_image_count, 2 + image_slot_width), raw.mid(offset_image_count, 2 + image_slot_width));

        for (int slot = 1; slot <= text_slot_count; ++slot) {
            Criteria c;
            c.by_text = true;
            c.by_date = true;
            c.date_end = 50000;
            c.texts[size_t(slot - 1)] = wanted.toUpper();
            QCOMPARE(raw_record_matches(c, raw.constData()), record_matches(c, rec));
            c.by_date = false;
            QCOMPARE(raw_record_matches(c, raw.constData()), record_matches(c, rec));
        }
        Criteria extremes;
        extremes.by_paid = extremes.by_retail = true;
        extremes.paid_min = std::numeric_limits<qint64>::min();
        extremes.paid_max = std::numeric_limits<qint64>::max();
        extremes.retail_min = std::numeric_limits<qint64>::max();
        QCOMPARE(raw_record_matches(extremes, raw.constData()), record_matches(extremes, rec));
        QVERIFY(!criteria_text(extremes).isEmpty());
    }

    // A colour file the reader accepts writes back and reads as the same scheme;
    // one it refuses leaves the scheme alone and says why.
    void colour_file_bytes_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("only separators") << QByteArray(",,,\r\n\n\r,") << false;
        QTest::newRow("26 values on one line") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26") << true;
        QTest::newRow("more than 26") << QByteArray("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,x") << true;
        QTest::newRow("int overflow") << QByteArray("99999999999,2,3") << false;
        QTest::newRow("negative and blanks") << QByteArray(" -1 ,-2147483648,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26") << true;
        QTest::newRow("zero bytes") << QByteArray("1\0,2", 4) << false;
        // clang-format on
    }

    void colour_file_bytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, accepted);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.dat"));
        const QString out = dir.filePath(QStringLiteral("out.dat"));
        {
            QFile f(in);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        ColorScheme scheme = builtin_colors();
        QString error;
        QCOMPARE(read_color_file(in, scheme, &error), accepted);
        if (!accepted) {
            QCOMPARE(scheme, builtin_colors());
            QVERIFY(!error.isEmpty());
            return;
        }
        QVERIFY(write_color_file(out, scheme, &error));
        ColorScheme again{};
        QVERIFY(read_color_file(out, again, &error));
        QCOMPARE(again, scheme);
    }

    // Accepted money reads back from its display forms; accepted dates from
    // their short form.
    void typed_text_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("en huge") << "en_US" << "$922,337,203,685,477.5807";
        QTest::newRow("en past range") << "en_US" << "922337203685477.5808";
        QTest::newRow("en accounting") << "en_US" << "($0.00005)";
        QTest::newRow("de") << "de_DE" << "-1.234,56789 \u20ac";
        QTest::newRow("fr narrow space") << "fr_FR" << "12\u202f345,67 \u20ac";
        QTest::newRow("ar digits") << "ar_EG" << "\u0661\u0662\u066b\u0665";
        QTest::newRow("hi") << "hi_IN" << "\u20b91,23,456.78";
        QTest::newRow("en date two-digit year") << "en_US" << "3/4/01";
        QTest::newRow("en date year 0") << "en_US" << "1/1/0000";
        QTest::newRow("ja date") << "ja_JP" << "2001/03/04";
        QTest::newRow("sv iso") << "sv_SE" << "2001-03-04";
        QTest::newRow("lone surrogate") << "en_US" << QString(QChar(0xd800)) + "1";
        // clang-format on
    }

    void typed_text()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        qint64 amount = 0;
        if (parse_money(text, amount) == MoneyParse::ok) {
            QCOMPARE(money_from_text(text), amount);
            qint64 back = 0;
            if (amount != 0) {
                QCOMPARE(parse_money(money_text(amount), back), MoneyParse::ok);
                QCOMPARE(back, amount);
            }
            QCOMPARE(parse_money(money_plain_text(amount), back), MoneyParse::ok);
            QCOMPARE(back, amount);
        }
        const std::optional<QDate> d = parse_user_date(text);
        if (d && d->isValid()) {
            QCOMPARE(days_to_date(date_to_days(*d)), *d);
            if (d->year() >= 1000 && d->year() <= 9999)
                QCOMPARE(parse_user_date(short_date_text(*d)), d);
        }
        (void)stored_date_days(text);
    }
};

QTEST_GUILESS_MAIN(tst_fuzz_regressions)
#include "tst_fuzz_regressions.moc"
