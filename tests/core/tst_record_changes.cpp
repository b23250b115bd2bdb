// A kaleidoscope another program changed, told apart from one it replaced:
// which fields changed, and whether the record at the same place is still the
// same kaleidoscope.
#include "common/core_temp_db.h"
#include "core/record_changes.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

ScopeRecord charlie()
{
    ScopeRecord r = make_record("Charlie", "Smithers, Carl", "6/1/2001", 2500000);
    r.city = fixed_text("Stowe", 50);
    r.image_count = 1;
    r.image_files[1] = fixed_text("a.jpg", image_slot_width);
    return r;
}

}  // namespace

Q_DECLARE_METATYPE(tessaran::ScopeRecord)

class tst_record_changes : public QObject {
    Q_OBJECT
private slots:
    void changed_elsewhere_data()
    {
        QTest::addColumn<ScopeRecord>("after");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("same");
        ScopeRecord priced = charlie();
        priced.price_paid = 3000000;
        priced.city = fixed_text("Stowe Village", 50);
        QTest::newRow("a price and a city") << priced << QStringList{"Purchase price", "City"} << true;
        ScopeRecord renamed = charlie();
        renamed.scopename = fixed_text("Charlie II", 50);
        renamed.comments = QStringLiteral("Renamed by the artist");
        QTest::newRow("renamed, same artist") << renamed << QStringList{"Scope name", "Comments"} << true;
        ScopeRecord pictured = charlie();
        pictured.image_count = 2;
        pictured.image_files[2] = fixed_text("c.jpg", image_slot_width);
        QTest::newRow("a picture added") << pictured << QStringList{"Pictures"} << true;
        ScopeRecord framed = charlie();
        framed.image_files[1] = fixed_text("b.jpg", image_slot_width);
        QTest::newRow("a picture replaced") << framed << QStringList{"Pictures"} << true;
        const ScopeRecord other = make_record("Delta", "Brown, Dee", "12/31/2001", 500000);
        QTest::newRow("another kaleidoscope in its place")
            << other << QStringList{"Scope name", "Artist", "Date of purchase", "Purchase price", "City", "Pictures"}
            << false;
        ScopeRecord unchanged = charlie();
        unchanged.artist = QStringLiteral("Smithers, Carl  ");  // padding is no change
        QTest::newRow("nothing") << unchanged << QStringList{} << true;
    }
    void changed_elsewhere()
    {
        QFETCH(ScopeRecord, after);
        QFETCH(QStringList, fields);
        QFETCH(bool, same);
        QCOMPARE(changed_field_names(charlie(), after), fields);
        QCOMPARE(same_kaleidoscope(encode_record(charlie()).constData(), encode_record(after).constData()), same);
    }
};

QTEST_GUILESS_MAIN(tst_record_changes)
#include "tst_record_changes.moc"
