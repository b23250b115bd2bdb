// The colour dialog's items and the scheme entries each one sets.
#include "core/color_items.h"
#include "core/session.h"

#include <QtTest>

using namespace tessaran;

class tst_color_items : public QObject {
    Q_OBJECT
private slots:
    void entries_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QList<int>>("entries");  // in box order
        QTest::newRow("Parameters frame") << 0 << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("Control") << 1 << QList<int>{23};
        QTest::newRow("Characteristics frame") << 2 << QList<int>{6, 7, 8, 9, 10};
        QTest::newRow("Purchase information frame") << 3 << QList<int>{11, 12, 13, 14, 15};
        QTest::newRow("Place of purchase frame") << 4 << QList<int>{16, 17, 18, 19, 20};
        QTest::newRow("Images") << 5 << QList<int>{21, 22};
        QTest::newRow("Form background") << 6 << QList<int>{24};
        QTest::newRow("Command buttons") << 7 << QList<int>{25};
        QTest::newRow("Changed data") << 8 << QList<int>{0};
        QTest::newRow("no such item") << 9 << QList<int>{};
    }
    // The boxes an item shows are the entries its defaults set.
    void entries()
    {
        QFETCH(int, item);
        QFETCH(QList<int>, entries);
        QCOMPARE(color_item_entries(item), entries);
        QList<int> shown;
        for (int slot = 0; slot <= 5; ++slot) {
            if (const int e = color_item_entry(item, slot); e >= 0)
                shown << e;
        }
        QCOMPARE(shown, entries);
        // One entry alone is shown in the single box.
        QCOMPARE(color_item_entry(item, 5) >= 0, entries.size() == 1);
    }

    void every_entry_belongs_to_one_item()
    {
        QList<int> all;
        for (int item = 0; item < color_item_names().size(); ++item)
            all << color_item_entries(item);
        std::sort(all.begin(), all.end());
        QList<int> expected;
        for (int e = 0; e < color_count; ++e)
            expected << e;
        QCOMPARE(all, expected);
        QCOMPARE(color_item_entries(all_color_items), expected);
    }

    void defaults_set_only_the_items_entries()
    {
        ColorScheme scheme;
        ColorScheme defaults;
        for (int e = 0; e < color_count; ++e) {
            scheme[std::size_t(e)] = e;
            defaults[std::size_t(e)] = 1000 + e;
        }
        const ColorScheme images = with_item_defaults(scheme, defaults, 5);
        for (int e = 0; e < color_count; ++e)
            QCOMPARE(images[std::size_t(e)], (e == 21 || e == 22) ? 1000 + e : e);
        QCOMPARE(with_item_defaults(scheme, defaults, all_color_items), defaults);
    }
};

QTEST_GUILESS_MAIN(tst_color_items)
#include "tst_color_items.moc"
