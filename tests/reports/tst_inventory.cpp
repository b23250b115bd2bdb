// The inventory for the insurer as a PDF read back: a line per kaleidoscope
// in the working set's order, a note where its picture is missing or cannot
// be read, page totals that add up to the grand total, amounts never cut, the
// collection's name, the date and the count on every page, and no file at all
// where it cannot be written whole.
#include "catalogue/inventory_pdf.h"
#include "common/core_temp_db.h"
#include "common/gui_pdf.h"
#include "core/working_set.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

const qint64 largest = std::numeric_limits<qint64>::max();

// Records named K1..Kcount, each with a price of count - i + 1 dollars
// paid and twice that retail; the first picture of each as pictures says
// ("good", "none", "missing", "text", "cut"), the last entry standing for the
// rest.
QList<ScopeRecord> kaleidoscopes(int count, const QStringList& pictures)
{
    QList<ScopeRecord> records;
    for (int i = 1; i <= count; ++i) {
        ScopeRecord r = make_record(QStringLiteral("K%1").arg(i), QStringLiteral("Artist %1").arg(i), "3/14/2001",
                                    (count - i + 1) * 10000LL, 2 * (count - i + 1) * 10000LL);
        r.scopeyear = fixed_text("1999", 10);
        const QString kind = pictures.value(i - 1, pictures.last());
        if (kind != QLatin1String("none")) {
            r.image_count = 1;
            r.image_files[1] = fixed_text(kind + QStringLiteral(".jpg"), 60);
        }
        records << r;
    }
    return records;
}

InventoryResult write_all(const TempDb& db, const QString& pdf, InventoryValue value,
                          const InventoryProgress& progress = {})
{
    WorkingSet ws;
    ws.reset_to_all(int(read_db(db.path()).size()));
    std::vector<InventoryLine> lines;
    if (!inventory_lines(db.path(), ws.records(), ws.count(), lines))
        return {};
    return write_inventory_pdf(pdf, lines, {QStringLiteral("test"), QDate(2026, 12, 9), value}, progress);
}

}  // namespace

class tst_inventory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void lists_and_adds_up_data()
    {
        // clang-format off
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("pictures");
        QTest::addColumn<bool>("paid");
        QTest::addColumn<qint64>("price");      // of the first kaleidoscope, both prices; 0 keeps the plan above
        QTest::addColumn<QStringList>("said");  // on the last page
        QTest::addColumn<int>("unreadable");    // pictures named that cannot be shown
        // The notes wrap in the picture's box: "No picture", "Picture not
        // found", "Picture cannot be read".
        QTest::newRow("pictures and notes") << 5 << QStringList{"good", "none", "missing", "text", "cut"} << false
            << qint64(0) << QStringList{"No\n", "not found", "cannot be", "Grand total (5 kaleidoscopes)", "$15.00",
                                        "$30.00", "Value of the collection at retail prices: $30.00"} << 3;
        QTest::newRow("value at purchase prices") << 2 << QStringList{"good"} << true << qint64(0)
            << QStringList{"Value of the collection at purchase prices: $3.00"} << 0;
        QTest::newRow("many pages") << 70 << QStringList{"none"} << false << qint64(0)
            << QStringList{"Grand total (70 kaleidoscopes)", "$2,485.00", "$4,970.00"} << 0;
        QTest::newRow("an amount never cut") << 2 << QStringList{"good"} << false << qint64(999999999999900LL)
            << QStringList{"$99,999,999,999.99", "$100,000,000,000.00"} << 0;
        QTest::newRow("totals too large") << 3 << QStringList{"good"} << false << largest
            << QStringList{"too large to add up"} << 0;
        // clang-format on
    }

    void lists_and_adds_up()
    {
        QFETCH(int, count);
        QFETCH(QStringList, pictures);
        QFETCH(bool, paid);
        QFETCH(qint64, price);
        QFETCH(QStringList, said);
        QFETCH(int, unreadable);
        QList<ScopeRecord> records = kaleidoscopes(count, pictures);
        if (price != 0) {
            records[0].price_paid = price;
            records[0].price_retail = price;
            records[1].price_paid = price == largest ? price : 100;
        }
        TempDb db(records);
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(db.dir() + QStringLiteral("/good.jpg")));
        QVERIFY(write_bytes(db.dir() + QStringLiteral("/text.jpg"), "no picture"));
        // A copy cut short: it decodes, grey below the cut.
        const QByteArray whole = read_bytes(db.dir() + QStringLiteral("/good.jpg"));
        QVERIFY(write_bytes(db.dir() + QStringLiteral("/cut.jpg"), whole.left(whole.size() / 2)));
        const QString pdf = db.dir() + QStringLiteral("/inventory.pdf");
        const InventoryResult r = write_all(db, pdf, paid ? InventoryValue::paid : InventoryValue::retail);
        QVERIFY2(r.status, qPrintable(r.status.error));
        QCOMPARE(r.unreadable, unreadable);
        const QStringList pages = pdf_pages(pdf);
        QCOMPARE(pages.size(), r.pages);
        int listed = 0;
        for (int i = 0; i < pages.size(); ++i) {
            const QString& page = pages.at(i);
            for (const QString& always : {QStringLiteral("Inventory of test"), QStringLiteral("December 9, 2026"),
                                          QStringLiteral("%1 kaleidoscopes").arg(count),
                                          QStringLiteral("Page %1 of %2").arg(i + 1).arg(pages.size())})
                QVERIFY2(page.contains(always), qPrintable(always + QStringLiteral(" on page ") + page));
            static const QRegularExpression page_total(QStringLiteral("Page total \\((\\d+) kaleidoscopes\\)"));
            listed += page_total.match(page).captured(1).toInt();
        }
        // In the working set's order, each once, and counted on their pages.
        QCOMPARE(listed, count);
        const QString all = pages.join(QLatin1Char('\n'));
        QVERIFY(all.indexOf(QLatin1String("K1 ")) < all.indexOf(QLatin1String("K2 ")));
        for (const QString& s : said)
            QVERIFY2(pages.last().contains(s), qPrintable(s + QStringLiteral(" in ") + pages.last()));
    }

    void leaves_no_partial_file_data()
    {
        QTest::addColumn<QString>("target");  // in the collection's folder; NONE/ a folder that is not there
        QTest::addColumn<bool>("cancel");
        QTest::newRow("a folder that is not there") << "none/inventory.pdf" << false;
        QTest::newRow("cancelled over an older inventory") << "inventory.pdf" << true;
    }

    void leaves_no_partial_file()
    {
        QFETCH(QString, target);
        QFETCH(bool, cancel);
        TempDb db(kaleidoscopes(200, {"none"}));
        const QString pdf = db.dir() + QLatin1Char('/') + target;
        QFile older(pdf);
        if (cancel)
            QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older") == 5);
        older.close();
        const InventoryResult r
            = write_all(db, pdf, InventoryValue::retail, [&](int done, int) { return !cancel || done < 64; });
        QCOMPARE(r.cancelled, cancel);
        if (!cancel) {
            QVERIFY(!r.status);
            QVERIFY2(r.status.error.startsWith(QStringLiteral("The inventory cannot be written to ") + pdf),
                     qPrintable(r.status.error));
        }
        QCOMPARE(QFileInfo(pdf).size(), cancel ? 5 : 0);
        // Nor anything half written beside it.
        const QStringList left = cancel ? QStringList{"inventory.pdf", "test.rnd"} : QStringList{"test.rnd"};
        QCOMPARE(QDir(db.dir()).entryList(QDir::Files | QDir::Hidden), left);
    }
};

QTEST_MAIN(tst_inventory)
#include "tst_inventory.moc"
