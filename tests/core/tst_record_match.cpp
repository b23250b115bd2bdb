// Testing records against selection or find criteria, and the criteria text.
#include "common/core_temp_db.h"
#include "core/criteria.h"
#include "core/locale_dates.h"
#include "core/record_file.h"
#include "core/record_match.h"
#include "core/session.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

double days(int y, int m, int d)
{
    return date_to_days(QDate(y, m, d));
}

// Both tests must agree: on the stored bytes and on the decoded record.
bool matches(const Criteria& c, const ScopeRecord& r)
{
    const QByteArray raw = encode_record(r);
    const bool on_bytes = raw_record_matches(c, raw.constData());
    const bool on_record = record_matches(c, decode_record(raw.constData()));
    if (on_bytes != on_record)
        QTest::qFail("matching on bytes and on the decoded record disagree", __FILE__, __LINE__);
    return on_bytes;
}

Criteria text_criteria(int slot, const QString& text)
{
    Criteria c;
    c.by_text = true;
    c.texts[size_t(slot - 1)] = text.toUpper();
    return c;
}

}  // namespace

class tst_record_match : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void text_slot_data()
    {
        // clang-format off
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<bool>("kept");
        QTest::newRow("ABC in ABC") << 1 << "ABC" << "abc" << true;
        QTest::newRow("abc not in ab c") << 1 << "ab c" << "abc" << false;
        QTest::newRow("trailing blank meets the fill") << 2 << "Smith" << "smith " << true;
        QTest::newRow("fill blanks only where there is room")
            << 2 << QString(45, QLatin1Char('x')) + QStringLiteral("Smith") << "smith " << false;
        QTest::newRow("blank alone matches a short name") << 3 << "Studio" << " " << true;
        QTest::newRow("accents") << 19 << QString::fromUtf8("Montr\u00e9al") << QString::fromUtf8("R\u00c9AL") << true;
        QTest::newRow("special features, deep inside")
            << 14 << QString(300, QLatin1Char('.')) + QStringLiteral("hand-blown") << "HAND-BLOWN" << true;
        QTest::newRow("comments, past the width") << 15 << QString(500, QLatin1Char('.')) + QStringLiteral("lost") << "lost" << false;
        QTest::newRow("website") << 26 << "www.scopes.example" << "SCOPES" << true;
        QTest::newRow("zip, wrong member") << 21 << "12345" << "SCOPES" << false;
        QTest::newRow("sharp s") << 18 << QString::fromUtf8("Straße 5") << "STRASSE" << true;
        QTest::newRow("micro sign") << 14 << QString::fromUtf8("5µm beads") << QString::fromUtf8("µM") << true;
        QTest::newRow("outside the code page") << 1 << "abc" << QString::fromUtf8("中") << false;
        QTest::newRow("leading blanks are not stored") << 1 << "   Aurora" << "  AURORA" << false;
        // clang-format on
    }
    void text_slot()
    {
        QFETCH(int, slot);
        QFETCH(QString, member);
        QFETCH(QString, wanted);
        QFETCH(bool, kept);
        ScopeRecord r;
        const TextMemberInfo* m = text_member_info(text_slots()[size_t(slot - 1)].member);
        r.*(m->field) = member;
        const Criteria c = text_criteria(slot, wanted);
        QCOMPARE(matches(c, r), kept);
        // The in-memory record as the editor holds it (not yet padded) agrees.
        QCOMPARE(record_matches(c, r), kept);
    }

    void every_byte_upper_cases_like_qstring()
    {
        for (int b = 1; b < 256; ++b) {
            const char byte = char(b);
            const QString ch = from_cp1252(&byte, 1);
            ScopeRecord r;
            r.comments = QString(3, ch.at(0));
            // The capital of the character, as a typed criterion would hold it.
            QVERIFY2(matches(text_criteria(15, ch), r), qPrintable(QString::number(b)));
            char up = 0;
            if (upper_cp1252(&byte, 1, &up))
                QCOMPARE(from_cp1252(&up, 1), ch.toUpper());
        }
    }

    void every_used_slot_must_match()
    {
        ScopeRecord r = make_record("Aurora", "Smith, Jo");
        r.city = QStringLiteral("Boston");
        Criteria c;
        c.by_text = true;
        c.texts[0] = QStringLiteral("AUR");
        c.texts[1] = QStringLiteral("JO");
        c.texts[18] = QStringLiteral("BOS");
        QVERIFY(matches(c, r));
        c.texts[19] = QStringLiteral("MA");  // state is blank
        QVERIFY(!matches(c, r));
        // No slot used: nothing to test.
        Criteria none;
        none.by_text = true;
        QVERIFY(matches(none, r));
        // Texts only count when the text test is in force.
        Criteria off;
        off.texts[0] = QStringLiteral("NOTHING LIKE IT");
        QVERIFY(matches(off, r));
    }

    void zero_bytes_are_not_blanks()
    {
        QByteArray raw = encode_record(make_record("x"));
        raw.replace(50, 50, QByteArray("Lee").leftJustified(50, '\0'));
        const Criteria blank = text_criteria(2, "LEE ");
        QVERIFY(!raw_record_matches(blank, raw.constData()));
        QVERIFY(!record_matches(blank, decode_record(raw.constData())));
        const Criteria lee = text_criteria(2, "LEE");
        QVERIFY(raw_record_matches(lee, raw.constData()));
        QVERIFY(record_matches(lee, decode_record(raw.constData())));
    }

    void prices_data()
    {
        QTest::addColumn<qint64>("price");
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<bool>("kept");
        QTest::newRow("min 0, open: unpriced kept") << qint64(0) << qint64(0) << qint64(-999) << true;
        QTest::newRow("min 10, open: unpriced dropped") << qint64(0) << qint64(100000) << qint64(-999) << false;
        QTest::newRow("at the minimum") << qint64(100000) << qint64(100000) << qint64(-999) << true;
        QTest::newRow("just below the minimum") << qint64(99999) << qint64(100000) << qint64(-999) << false;
        QTest::newRow("at the maximum") << qint64(250000) << qint64(0) << qint64(250000) << true;
        QTest::newRow("just above the maximum") << qint64(250001) << qint64(0) << qint64(250000) << false;
    }
    void prices()
    {
        QFETCH(qint64, price);
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        QFETCH(bool, kept);
        ScopeRecord r = make_record("s");
        r.price_paid = price;
        r.price_retail = 123;  // must not matter for the paid test
        Criteria paid;
        paid.by_paid = true;
        paid.paid_min = min;
        paid.paid_max = max;
        QCOMPARE(matches(paid, r), kept);

        std::swap(r.price_paid, r.price_retail);
        Criteria retail;
        retail.by_retail = true;
        retail.retail_min = min;
        retail.retail_max = max;
        QCOMPARE(matches(retail, r), kept);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("beg");
        QTest::addColumn<double>("end");
        QTest::addColumn<bool>("kept");
        const double y2k = days(2000, 1, 1);
        QTest::newRow("only beginning: on it") << "1/1/2000" << y2k << -999.0 << true;
        QTest::newRow("only beginning: before") << "12/31/1999" << y2k << -999.0 << false;
        QTest::newRow("only beginning: no date") << "" << y2k << -999.0 << false;
        QTest::newRow("only end: after") << "1/2/2000" << -999.0 << y2k << false;
        QTest::newRow("only end: no date") << "   " << -999.0 << y2k << false;
        QTest::newRow("both: last day") << "12/31/2000" << y2k << days(2000, 12, 31) << true;
        QTest::newRow("both: outside") << "1/1/2001" << y2k << days(2000, 12, 31) << false;
        QTest::newRow("unreadable date") << "13/45/2000" << -999.0 << -999.0 << false;
        QTest::newRow("two-digit year") << "3/4/01" << days(2001, 3, 4) << days(2001, 3, 4) << true;
    }
    void dates()
    {
        QFETCH(QString, stored);
        QFETCH(double, beg);
        QFETCH(double, end);
        QFETCH(bool, kept);
        Criteria c;
        c.by_date = true;
        c.date_beg = beg;
        c.date_end = end;
        QCOMPARE(matches(c, make_record("s", "", stored)), kept);
    }

    void dates_follow_the_locale()
    {
        Criteria c;
        c.by_date = true;
        c.date_beg = days(2000, 2, 1);
        const ScopeRecord r = make_record("s", "", "01.03.2000");  // 1 March in de_DE
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(matches(c, r));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(!matches(c, r));  // no such date in the US form
    }

    void all_tests_together()
    {
        ScopeRecord r = make_record("Aurora", "Smith", "5/5/2005", 500000, 750000);
        Criteria c;
        c.by_date = c.by_paid = c.by_retail = c.by_text = true;
        c.date_beg = days(2005, 1, 1);
        c.paid_min = 500000;
        c.retail_max = 750000;
        c.texts[0] = QStringLiteral("ROR");
        QVERIFY(matches(c, r));
        for (int fail = 0; fail < 4; ++fail) {
            Criteria d = c;
            switch (fail) {
            case 0: d.date_end = days(2004, 12, 31); break;
            case 1: d.paid_min = 500001; break;
            case 2: d.retail_max = 749999; break;
            case 3: d.texts[1] = QStringLiteral("JONES"); break;
            }
            QVERIFY(!matches(d, r));
        }
        QVERIFY(!raw_record_matches(c, nullptr));
    }

    void bytes_and_records_agree_on_a_scan()
    {
        QList<ScopeRecord> recs;
        for (int i = 1; i <= 400; ++i)
            recs.append(varied_record(i));
        TempDb db(recs);
        RecordScanner scan;
        QVERIFY(scan.open(db.path()));
        QRandomGenerator rng(99);
        for (int round = 0; round < 30; ++round) {
            Criteria c;
            c.by_date = rng.bounded(2);
            c.date_beg = rng.bounded(2) ? -999.0 : days(1990 + int(rng.bounded(30)), 1, 1);
            c.date_end = rng.bounded(2) ? -999.0 : days(2000 + int(rng.bounded(30)), 1, 1);
            c.by_paid = rng.bounded(2);
            c.paid_min = qint64(rng.bounded(3)) * 123456;
            c.paid_max = rng.bounded(2) ? -999 : qint64(rng.bounded(5)) * 123456;
            c.by_text = rng.bounded(2);
            c.texts[size_t(rng.bounded(26))] = QString::number(rng.bounded(10));
            int kept = 0;
            for (int n = 1; n <= scan.count(); ++n) {
                ScopeRecord r;
                QVERIFY(scan.read(n, r));
                const bool a = raw_record_matches(c, scan.raw(n));
                QCOMPARE(record_matches(c, r), a);
                kept += a;
            }
            QVERIFY(kept <= scan.count());
        }
    }

    void criteria_text_data()
    {
        // clang-format off
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("date range") << 1 << "1/1/2000 < Date bought < 12/31/2001";
        QTest::newRow("date from") << 2 << "1/1/2000 < Date bought < Any";
        QTest::newRow("date to") << 3 << "Any < Date bought < 12/31/2001";
        QTest::newRow("paid range") << 4 << "$10.00 < Price paid < $99.50";
        QTest::newRow("paid from") << 5 << "$10.00 < Price paid < Any";
        QTest::newRow("paid min 0 alone") << 6 << " < Price paid < Any";
        QTest::newRow("date and retail") << 7 << "Any < Date bought < 12/31/2001\r\n < Retail price < $5.00";
        QTest::newRow("texts") << 8
                               << "Text select:\r\n   Artist contains \"SMITH\"\r\n   Website contains \"WWW.X\"";
        QTest::newRow("everything") << 9
                                    << "1/1/2000 < Date bought < Any\r\n$10.00 < Price paid < Any\r\n"
                                       " < Retail price < $5.00\r\nText select:\r\n   Primary Cell Objects contains \"GLASS\"";
        // clang-format on
    }
    void criteria_text()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        Criteria c;
        const double beg = days(2000, 1, 1);
        const double end = days(2001, 12, 31);
        switch (kind) {
        case 1:
            c.by_date = true;
            c.date_beg = beg;
            c.date_end = end;
            break;
        case 2:
            c.by_date = true;
            c.date_beg = beg;
            break;
        case 3:
            c.by_date = true;
            c.date_end = end;
            break;
        case 4:
            c.by_paid = true;
            c.paid_min = 100000;
            c.paid_max = 995000;
            break;
        case 5:
            c.by_paid = true;
            c.paid_min = 100000;
            break;
        case 6: c.by_paid = true; break;
        case 7:
            c.by_date = true;
            c.date_end = end;
            c.by_retail = true;
            c.retail_max = 50000;
            break;
        case 8:
            c.by_text = true;
            c.texts[1] = QStringLiteral("  SMITH ");
            c.texts[2] = QStringLiteral("   ");  // blanks only: tested, not listed
            c.texts[25] = QStringLiteral("WWW.X");
            break;
        case 9:
            c.by_date = true;
            c.date_beg = beg;
            c.by_paid = true;
            c.paid_min = 100000;
            c.by_retail = true;
            c.retail_max = 50000;
            c.by_text = true;
            c.texts[9] = QStringLiteral("GLASS");
            break;
        }
        QCOMPARE(tessaran::criteria_text(c), text);
    }

    void criteria_text_in_another_locale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Criteria c;
        c.by_date = true;
        c.date_beg = days(2000, 1, 2);
        c.by_paid = true;
        c.paid_min = 125000;
        c.paid_max = 995000;
        const QString t = tessaran::criteria_text(c);
        const QStringList lines = t.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0), QStringLiteral("02.01.2000 < Date bought < Any"));
        QVERIFY2(lines.at(1).contains(QStringLiteral("12,50")), qPrintable(lines.at(1)));
        QVERIFY2(lines.at(1).contains(QStringLiteral(" < Price paid < ")), qPrintable(lines.at(1)));
        QVERIFY2(lines.at(1).contains(QStringLiteral("99,50")), qPrintable(lines.at(1)));
    }
};

QTEST_GUILESS_MAIN(tst_record_match)
#include "tst_record_match.moc"
