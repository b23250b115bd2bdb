// Sorting the working set: keys, the heapsort, permutation, direction, captions.
#include "common/core_temp_db.h"
#include "core/record_file.h"
#include "core/session.h"
#include "core/sorting.h"
#include "core/working_set.h"

#include <QtTest>

#include <algorithm>
#include <numeric>

using namespace tessaran;
using namespace tessaran::test;

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

ScopeRecord with_artist(const QString& artist)
{
    return make_record("scope", artist);
}

ScopeRecord with_date(const QString& date)
{
    return make_record("scope", QString(), date);
}

// The record numbers in the order a sort of the whole collection gives.
std::vector<int> sorted(const QList<ScopeRecord>& records, SortField field, bool descending = false)
{
    TempDb db(records);
    Session s = db.open_all();
    if (!sort_working_set(s.path(), s.ws(), field, descending))
        return {};
    return s.ws().positions();
}

// Checks that the heapsort left key[1..n] ascending and pos a permutation that
// carries each key from where it came.
template <typename K>
void check_sorted(const std::vector<K>& before, const std::vector<K>& key, const std::vector<int>& pos, int n)
{
    std::vector<int> seen(size_t(n) + 1, 0);
    for (int i = 1; i <= n; ++i) {
        QVERIFY(pos[size_t(i)] >= 1 && pos[size_t(i)] <= n);
        QCOMPARE(++seen[size_t(pos[size_t(i)])], 1);
        QVERIFY(key[size_t(i)] == before[size_t(pos[size_t(i)])]);
        if (i > 1)
            QVERIFY(!(key[size_t(i)] < key[size_t(i - 1)]));
    }
    std::vector<K> expected(before.begin() + 1, before.end());
    std::sort(expected.begin(), expected.end());
    QVERIFY(std::equal(expected.begin(), expected.end(), key.begin() + 1));
}

}  // namespace

class tst_sorting : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void heapsort_against_std_sort_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("range");  // small ranges give many equal keys
        QTest::newRow("two") << 2 << 3;
        QTest::newRow("odd, ties") << 101 << 7;
        QTest::newRow("even, distinct") << 1000 << 1000000;
        QTest::newRow("large") << 5000 << 300;
    }
    void heapsort_against_std_sort()
    {
        QFETCH(int, n);
        QFETCH(int, range);
        QRandomGenerator rng(quint32(n * 7919 + range));
        std::vector<qint64> nums(size_t(n) + 1);
        std::vector<double> dates(size_t(n) + 1);
        std::vector<QString> texts(size_t(n) + 1);
        for (int i = 1; i <= n; ++i) {
            const int v = int(rng.bounded(range));
            nums[size_t(i)] = qint64(v) * 10001 - 5000;
            dates[size_t(i)] = v == 0 ? -99999.0 : 30000.0 + v;
            texts[size_t(i)] = QString::number(v * 37 % (range + 1), 36).toUpper();
        }
        std::vector<int> pos(size_t(n) + 1);
        for (int i = 1; i <= n; ++i)
            pos[size_t(i)] = i;

        auto k1 = nums;
        auto p1 = pos;
        heapsort_number(k1, p1, n);
        check_sorted(nums, k1, p1, n);
        auto k2 = dates;
        auto p2 = pos;
        heapsort_date(k2, p2, n);
        check_sorted(dates, k2, p2, n);
        auto k3 = texts;
        auto p3 = pos;
        heapsort_text(k3, p3, n);
        check_sorted(texts, k3, p3, n);
    }

    void heapsort_order_of_equal_keys()
    {
        // The exact procedure decides where equal keys land.
        std::vector<QString> key = {QString(), "X", "X", "X"};
        std::vector<int> pos = {0, 1, 2, 3};
        heapsort_text(key, pos, 3);
        QCOMPARE(pos, std::vector<int>({0, 2, 3, 1}));

        std::vector<qint64> one = {0, 42};
        std::vector<int> p = {0, 1};
        heapsort_number(one, p, 1);
        QCOMPARE(p, std::vector<int>({0, 1}));
    }

    void captions_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("desc");
        QTest::addColumn<QString>("caption");
        QTest::newRow("artist asc") << 2 << false << "[Sorted by: Artist(Asc.)]";
        QTest::newRow("date") << 14 << false << "[Sorted by: Date of purchase(Asc.)]";
        QTest::newRow("website") << 27 << true << "[Sorted by: Website(Desc.)]";
    }
    void captions()
    {
        QFETCH(int, field);
        QFETCH(bool, desc);
        QFETCH(QString, caption);
        QCOMPARE(sort_caption_for(SortField(field), desc), caption);
    }

    void artist_keys_are_trimmed_and_upper_cased()
    {
        // Three equal keys come out in the heapsort's own order for equal keys;
        // differing keys ("SMITH" < "Smith" < "smith") would give 3, 2, 1.
        QCOMPARE(sorted({with_artist("smith"), with_artist("Smith   "), with_artist("SMITH")}, SortField::artist),
                 std::vector<int>({2, 3, 1}));
    }

    void text_order_data()
    {
        // clang-format off
        QTest::addColumn<QStringList>("artists");
        QTest::addColumn<std::vector<int>>("ascending");
        QTest::newRow("Adams before adamson") << QStringList{"adamson", "Adams"} << std::vector<int>{2, 1};
        QTest::newRow("case ignored") << QStringList{"Adamson", "adams, b"} << std::vector<int>{2, 1};
        QTest::newRow("empty first") << QStringList{"Zed", "", "   ", "alpha"} << std::vector<int>{2, 3, 4, 1};
        QTest::newRow("leading blanks ignored") << QStringList{"   Zed", "Bo"} << std::vector<int>{2, 1};
        QTest::newRow("accents after letters") << QStringList{QString::fromUtf8("\u00c9mile"), "Ferris", "emery"}
                                               << std::vector<int>{3, 2, 1};
        // clang-format on
    }
    void text_order()
    {
        QFETCH(QStringList, artists);
        QFETCH(std::vector<int>, ascending);
        QList<ScopeRecord> recs;
        for (const QString& a : artists)
            recs.append(with_artist(a));
        QCOMPARE(sorted(recs, SortField::artist), ascending);
        std::reverse(ascending.begin(), ascending.end());
        QCOMPARE(sorted(recs, SortField::artist, true), ascending);
    }

    void scope_year_sorts_as_text()
    {
        ScopeRecord a = make_record("a");
        a.scopeyear = QStringLiteral("1999");
        ScopeRecord b = make_record("b");
        b.scopeyear = QStringLiteral("2001");
        ScopeRecord c = make_record("c");
        c.scopeyear = QStringLiteral("985");
        QCOMPARE(sorted({a, b, c}, SortField::scope_year), std::vector<int>({1, 2, 3}));
    }

    void every_text_field_sorts_its_own_member()
    {
        // Independently written: field number -> member name.
        const char* const member_for_field[28]
            = {"",       "scopename", "artist",  "studio",      "scopetype", "scopeyear", "extmat",
               "extclr", "celltype",  "edition", "objects",     "signed",    "mirrors",   "symmetry",
               "",       "",          "",        "salesperson", "store",     "street",    "city",
               "state",  "zip",       "country", "phone",       "fax",       "email",     "www"};
        QList<ScopeRecord> recs;
        QRandomGenerator rng(4711);
        for (int i = 1; i <= 40; ++i) {
            ScopeRecord r;
            // A different random value in every member, so each field orders differently.
            for (const TextMemberInfo& m : text_members())
                r.*(m.field) = QString::number(rng.bounded(1000000)).left(m.width);
            recs.append(r);
        }
        TempDb db(recs);
        Session s = db.session();
        int all40[40];
        std::iota(std::begin(all40), std::end(all40), int(1));
        for (int field = 1; field <= 27; ++field) {
            if (field >= 14 && field <= 16)
                continue;
            const TextMemberInfo* info = nullptr;
            for (const TextMemberInfo& m : text_members())
                if (QLatin1String(m.name) == QLatin1String(member_for_field[field]))
                    info = &m;
            QVERIFY(info);
            s.ws().reset_to_all(s.record_count());
            QVERIFY(sort_working_set(s.path(), s.ws(), SortField(field), false));
            const std::vector<int> got = s.ws().positions();
            for (size_t p = 1; p < got.size(); ++p) {
                const QString prev = recs.at(got[p - 1] - 1).*(info->field);
                const QString cur = recs.at(got[p] - 1).*(info->field);
                QVERIFY2(!(cur < prev), qPrintable(QStringLiteral("field %1").arg(field)));
            }
            std::vector<int> sorted = got;  // still every record once
            std::sort(sorted.begin(), sorted.end());
            QCOMPARE(sorted, std::vector<int>(std::begin(all40), std::end(all40)));
        }
    }

    void dates_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<std::vector<int>>("ascending");
        QTest::newRow("by value, not text") << "en_US" << QStringList{"2/1/2000", "12/1/1999", "1/5/2001"}
                                            << std::vector<int>{2, 1, 3};
        QTest::newRow("undated first") << "en_US" << QStringList{"3/3/2003", "", "1/1/1990"} << std::vector<int>{2, 3, 1};
        QTest::newRow("unreadable like undated") << "en_US" << QStringList{"5/5/2005", "31/31/31", "1/1/1990"}
                                                 << std::vector<int>{2, 3, 1};
        QTest::newRow("two-digit year") << "en_US" << QStringList{"3/4/01", "12/31/1999"} << std::vector<int>{2, 1};
        QTest::newRow("de_DE, day first") << "de_DE" << QStringList{"01.02.2000", "12.01.2000", ""}
                                          << std::vector<int>{3, 2, 1};
        // clang-format on
    }
    void dates()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, dates);
        QFETCH(std::vector<int>, ascending);
        QLocale::setDefault(QLocale(locale));
        QList<ScopeRecord> recs;
        for (const QString& d : dates)
            recs.append(with_date(d));
        QCOMPARE(sorted(recs, SortField::date_bought), ascending);
        // Descending: undated last.
        std::reverse(ascending.begin(), ascending.end());
        QCOMPARE(sorted(recs, SortField::date_bought, true), ascending);
    }

    void prices_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("en_US") << "en_US";
        QTest::newRow("de_DE") << "de_DE";
        QTest::newRow("fr_FR") << "fr_FR";
    }
    void prices()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        // 9.99, 10.00, 9.50, unpriced, 1000.01, 9.9999
        const qint64 paid[] = {99900, 100000, 95000, 0, 10000100, 99999};
        QList<ScopeRecord> recs;
        for (qint64 p : paid) {
            ScopeRecord r = make_record("s");
            r.price_paid = p;
            r.price_retail = 200000 - p;
            recs.append(r);
        }
        QCOMPARE(sorted(recs, SortField::price_paid), std::vector<int>({4, 3, 1, 6, 2, 5}));
        QCOMPARE(sorted(recs, SortField::price_retail), std::vector<int>({5, 2, 6, 1, 3, 4}));
        QCOMPARE(sorted(recs, SortField::price_paid, true), std::vector<int>({5, 2, 6, 1, 3, 4}));
    }

    void sorts_only_the_working_set()
    {
        QList<ScopeRecord> recs;
        for (const char* a : {"e", "d", "c", "b", "a"})
            recs.append(with_artist(QString::fromLatin1(a)));
        TempDb db(recs);
        Session s = db.session();
        s.ws().set_matches({1, 3, 5});  // a selection, then a record being added
        s.ws().reserve_new(4);
        QVERIFY(sort_working_set(s.path(), s.ws(), SortField::artist, false));
        QCOMPARE(s.ws().positions(), std::vector<int>({5, 3, 1}));
        QVERIFY(sort_working_set(s.path(), s.ws(), SortField::artist, true));
        QCOMPARE(s.ws().positions(), std::vector<int>({1, 3, 5}));
        QCOMPARE(s.ws().records().at(4), 4);
    }

    void one_entry_and_empty_sets()
    {
        QCOMPARE(sorted({with_artist("only")}, SortField::artist, true), std::vector<int>({1}));
        WorkingSet empty;  // nothing is read for an empty set
        QVERIFY(sort_working_set("/not-there.rnd", empty, SortField::city, false));
        QCOMPARE(empty.count(), int(0));
        QCOMPARE(empty.sort_field(), SortField::city);
        QCOMPARE(empty.sort_caption(), QStringLiteral("[Sorted by: City(Asc.)]"));
    }

    void failures_leave_the_set_alone()
    {
        TempDb db({with_artist("b"), with_artist("a")});
        Session s = db.open_all();
        QString why;
        QVERIFY(!sort_working_set(db.dir() + "/moved.rnd", s.ws(), SortField::artist, false, &why));
        QVERIFY(!why.isEmpty());
        QCOMPARE(s.ws().positions(), std::vector<int>({1, 2}));
        QCOMPARE(s.ws().sort_caption(), QStringLiteral("[Sorted by: Unsorted]"));
        QCOMPARE(s.ws().sort_field(), SortField::none);

        // A working set pointing past the file's end.
        s = db.session();
        s.ws().set_matches({2, 9});
        QVERIFY(!sort_working_set(s.path(), s.ws(), SortField::artist, false, &why));
        QCOMPARE(s.ws().positions(), std::vector<int>({2, 9}));

        QVERIFY(!sort_working_set(s.path(), s.ws(), SortField::none, false, &why));
        QVERIFY(!sort_working_set(s.path(), s.ws(), SortField(28), false, &why));
    }
};

QTEST_GUILESS_MAIN(tst_sorting)
#include "tst_sorting.moc"
