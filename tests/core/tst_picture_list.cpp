// The pictures of the record shown: what a record gives, adding and removing.
#include "common/core_temp_db.h"
#include "core/picture_list.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

class tst_picture_list : public QObject {
    Q_OBJECT
private slots:
    void of_record_data()
    {
        // clang-format off
        QTest::addColumn<int>("stored_count");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("none") << 0 << QStringList{};
        QTest::newRow("two of three filled") << 2 << QStringList{"/p/1.jpg", "/p/2.jpg"};
        QTest::newRow("negative count") << -3 << QStringList{};
        QTest::newRow("count past the slots") << 99
                                              << QStringList{"/p/1.jpg", "/p/2.jpg", "/p/3.jpg", "", "", "", "", "", "", ""};
        // clang-format on
    }
    void of_record()
    {
        QFETCH(int, stored_count);
        QFETCH(QStringList, paths);
        ScopeRecord r = make_record(QStringLiteral("Scope"));
        r.image_count = qint16(stored_count);
        for (int i = 1; i <= 3; ++i)
            r.image_files[std::size_t(i)] = fixed_text(QStringLiteral("/p/%1.jpg").arg(i), image_slot_width);
        const PictureList list = PictureList::of_record(r);
        QCOMPARE(list.count(), int(paths.size()));
        QCOMPARE(list.paths(), paths);
        QCOMPARE(list.at(list.count() + 1), QString());
        QCOMPARE(list.at(0), QString());
    }

    void remove_data()
    {
        // clang-format off
        QTest::addColumn<int>("removed");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("first: the others move down") << 1 << QStringList{"b", "c", "d"};
        QTest::newRow("middle") << 3 << QStringList{"a", "b", "d"};
        QTest::newRow("last: nothing moves") << 4 << QStringList{"a", "b", "c"};
        QTest::newRow("none such") << 5 << QStringList{"a", "b", "c", "d"};
        QTest::newRow("slot 0") << 0 << QStringList{"a", "b", "c", "d"};
        // clang-format on
    }
    void remove()
    {
        QFETCH(int, removed);
        QFETCH(QStringList, left);
        PictureList list;
        for (const char* p : {"a", "b", "c", "d"})
            QVERIFY(list.add(QString::fromLatin1(p)));
        list.remove(removed);
        QCOMPARE(list.paths(), left);
        QCOMPARE(list.at(5), QString());
    }

    void add_stops_at_ten_and_replace_keeps_places()
    {
        PictureList list;
        for (int i = 1; i <= max_pictures; ++i)
            QVERIFY(list.add(QStringLiteral("/p/%1.jpg").arg(i)));
        QVERIFY(list.full());
        QVERIFY(!list.add(QStringLiteral("/p/11.jpg")));
        QCOMPARE(list.count(), 10);
        list.replace(3, QStringLiteral("/q/3.jpg"));
        list.replace(11, QStringLiteral("/q/11.jpg"));
        QCOMPARE(list.at(3), QStringLiteral("/q/3.jpg"));
        QCOMPARE(list.count(), 10);
        list.clear();
        QCOMPARE(list.count(), 0);
        QVERIFY(list.paths().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_picture_list)
#include "tst_picture_list.moc"
