// The shortcuts that make scans, sorts, summaries and the export fast must give
// exactly what the plain way gives: cells and export lines made from the stored
// bytes, text sorts on ranks, dates looked up by their bytes, prices without the
// text round trip, and a database file mapped once for several scans.
#include "common/core_temp_db.h"
#include "core/locale_dates.h"
#include "core/money.h"
#include "core/record_file.h"
#include "core/record_match.h"
#include "core/session.h"
#include "core/sorting.h"
#include "core/summary_export.h"
#include "core/summary_rows.h"
#include "core/working_set.h"

#include <QtTest>

#include <random>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// Stored bytes with what real files hold and the encoder never writes: zero
// bytes, leading blanks, quotes, Windows-1252 letters and undefined bytes.
QByteArray awkward_record(int i)
{
    std::mt19937 rng(std::uint32_t(i) * 7919u + 1u);
    const char alphabet[] = {'a', 'Z', ' ', '"', '\0', ',', '\xE9', '\xDF', '\x80', '\x81', '\x9F', 'q', ' ', '1'};
    QByteArray raw = encode_record(varied_record(i));
    for (const TextMemberInfo& m : text_members()) {
        const int len = int(rng() % std::uint32_t(m.width + 1));
        for (int k = 0; k < len; ++k)
            raw[m.offset + k] = alphabet[rng() % sizeof alphabet];
    }
    const qint64 prices[] = {0, 1, -1, 123450000, 99995, -250000, 10000, 9223372036854775807LL};
    qToLittleEndian<qint64>(prices[size_t(i) % 8], raw.data() + offset_price_paid);
    qToLittleEndian<qint64>(prices[size_t(i + 3) % 8], raw.data() + offset_price_retail);
    return raw;
}

void use_locale(const QString& name)
{
    QLocale::setDefault(QLocale(name));
}

}  // namespace

class TestFastPaths : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { use_locale(QStringLiteral("en_US")); }

    void locales_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("en_US") << "en_US";
        QTest::newRow("de_DE") << "de_DE";
        QTest::newRow("fr_FR") << "fr_FR";
    }

    void cells_and_export_lines_from_bytes_data() { locales_data(); }
    void cells_and_export_lines_from_bytes()
    {
        QFETCH(QString, locale);
        use_locale(locale);
        for (const qint64 a :
             {qint64(0), qint64(1), qint64(10), qint64(12345), qint64(-12345), qint64(10000), qint64(123456789),
              std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max()})
            QCOMPARE(money_plain_bytes(a), to_cp1252(money_plain_text(a)));
        QTemporaryDir dir;
        const QString db = dir.filePath("a.rnd");
        QByteArray file;
        for (int i = 1; i <= 60; ++i)
            file += awkward_record(i);
        QVERIFY(write_bytes(db, file));
        const std::vector<int> ws = {0, 60, 3, 1, 59, 30, 2};
        for (const SummaryKind kind : {SummaryKind::scope, SummaryKind::purchase}) {
            for (int i = 0; i < 60; ++i) {
                const char* raw = file.constData() + i * rec_len_bytes;
                QCOMPARE(summary_cells_raw(raw, kind), summary_cells(decode_record(raw), kind));
            }
            SummaryExportHead head;
            head.stamp = "now";
            head.count = 6;
            head.selection_text = "All";
            head.sort_caption = "[Sorted by: Unsorted]";
            const QString out = dir.filePath("out.txt");
            QVERIFY(write_summary_export(out, db, ws, 6, kind, head));
            QFile f(out);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QList<QByteArray> lines = f.readAll().split('\n');
            for (int p = 1; p <= 6; ++p) {
                const ScopeRecord rec = decode_record(file.constData() + (ws[size_t(p)] - 1) * rec_len_bytes);
                QCOMPARE(lines.at(4 + p), to_cp1252(csv_line(export_record_items(rec, kind))) + '\r');
            }
        }
    }

    void prices_as_the_round_trip_shows_them_data() { locales_data(); }
    void prices_as_the_round_trip_shows_them()
    {
        QFETCH(QString, locale);
        use_locale(locale);
        for (const qint64 amount : {qint64(0), qint64(1), qint64(-1), qint64(12345678), qint64(-99990000),
                                    qint64(10000), qint64(123456789012345), std::numeric_limits<qint64>::max()}) {
            const qint64 back = money_from_text(money_plain_text(amount).trimmed());
            QCOMPARE(format_price(amount), money_text(back).trimmed());
        }
    }

    void dates_by_their_bytes_data() { locales_data(); }
    void dates_by_their_bytes()
    {
        QFETCH(QString, locale);
        // Switching the locale must not let a date keep the other locale's day.
        for (const QString& l : QStringList{"en_US", locale}) {
            use_locale(l);
            const QStringList stored = {short_date_text(QDate(2003, 5, 17)),
                                        "5/17/2003",
                                        "17.05.2003",
                                        "",
                                        "not a date",
                                        "2003-05-17",
                                        "  1/2/03 "};
            for (const QString& text : stored) {
                const QString padded = fixed_text(text, 15);
                const QByteArray bytes = to_cp1252(padded);
                QCOMPARE(stored_date_days_raw(bytes.constData(), 15), stored_date_days(padded));
                QCOMPARE(stored_date_days_raw(bytes.constData(), 15), stored_date_days(padded));
            }
        }
    }

    void text_sort_on_ranks_keeps_the_heapsort_order()
    {
        // Many equal keys and letters whose capitals differ in order from their bytes.
        const QStringList names = {"smith", "Émile", "ßtraße", "adams", "SMITH", "zoë", "adams ", "€uro", "", "b"};
        QList<ScopeRecord> recs;
        for (int i = 0; i < 200; ++i)
            recs << make_record(QString("scope %1").arg(i), names.at((i * 7) % names.size()));
        TempDb db(recs);
        Session s = db.open_all();
        QVERIFY(sort_working_set(s.path(), s.ws(), SortField::artist, false));

        std::vector<QString> keys(201);
        std::vector<int> pos(201);
        for (int p = 1; p <= 200; ++p) {
            keys[size_t(p)] = trim_blanks(recs.at(p - 1).artist).toUpper();
            pos[size_t(p)] = p;
        }
        heapsort_text(keys, pos, 200);
        for (int p = 1; p <= 200; ++p)
            QCOMPARE(s.ws().records()[size_t(p)], pos[size_t(p)]);
    }

    void a_kept_mapping_follows_the_file()
    {
        QList<ScopeRecord> recs{make_record("one"), make_record("two"), make_record("three")};
        TempDb db(recs);
        ScopeRecord r;
        {
            RecordScanner s;
            QVERIFY(s.open(db.path()));
            QVERIFY(s.read(2, r));
            QCOMPARE(trim_blanks(r.scopename), QString("two"));
        }
        QVERIFY(write_record(db.path(), 2, make_record("changed")));
        QVERIFY(write_record(db.path(), 4, make_record("four")));
        {
            RecordScanner s;
            QVERIFY(s.open(db.path()));
            QCOMPARE(s.count(), 4);
            QVERIFY(s.read(2, r));
            QCOMPARE(trim_blanks(r.scopename), QString("changed"));
        }
        QVERIFY(db.rewrite({make_record("alone")}));
        RecordScanner s;
        QVERIFY(s.open(db.path()));
        QCOMPARE(s.count(), 1);
        QVERIFY(s.read(1, r));
        QCOMPARE(trim_blanks(r.scopename), QString("alone"));
        QVERIFY(!s.raw(2));
    }
};

QTEST_GUILESS_MAIN(TestFastPaths)
#include "tst_fast_paths.moc"
