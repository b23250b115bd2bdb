#include "common/core_temp_db.h"
#include "core/money.h"
#include "core/session.h"
#include "core/summary_export.h"
#include "core/summary_rows.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

SummaryExportHead head(int count, const QString& criteria = "All")
{
    SummaryExportHead h;
    h.stamp = "3/14/2001 10:15:30 PM";
    h.count = count;
    h.selection_text = criteria;
    h.sort_caption = "[Sorted by: Artist (Asc.)]";
    return h;
}

}  // namespace

class TestSummaryExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void quoting_data()
    {
        // clang-format off
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << "Aurora" << "\"Aurora\"";
        QTest::newRow("empty") << "" << "\"\"";
        QTest::newRow("inner quote doubled") << "The \"Big\" One" << "\"The \"\"Big\"\" One\"";
        QTest::newRow("comma kept") << "Smith, J." << "\"Smith, J.\"";
        // clang-format on
    }
    void quoting()
    {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(csv_quote(text), quoted);
    }

    void purchase_export_byte_by_byte()
    {
        ScopeRecord a = make_record("Aurora", "J. Smith", "3/14/2001", 125 * money_scale, 150 * money_scale);
        a.store = fixed_text("Glass Gallery", 50);
        ScopeRecord b = make_record("The \"Big\" One", QString::fromUtf8("Müller, Zoë"));
        ScopeRecord c = make_record("Dusk", "Adams", "", 125000, 0);
        TempDb db({a, b, c});
        QVERIFY(db.ok());
        const std::vector<int> order{0, 3, 1, 2};
        const QString out = db.dir() + "/summary.txt";
        const FileStatus st = write_summary_export(out, db.path(), order, 3, SummaryKind::purchase,
                                                   head(3, "Date: 1/1/2001 to 12/31/2001\r\nText: x"));
        QVERIFY2(st.ok, qPrintable(st.error));

        QByteArray expected;
        expected += "\"Kaleidoscope Summary completed at 3/14/2001 10:15:30 PM\"\r\n";
        expected += "\"Number of records selected:  3\"\r\n";
        expected += "\"Selected:  Date: 1/1/2001 to 12/31/2001\r\nText: x\"\r\n";
        expected += "\"Sorted by: Artist (Asc.)\"\r\n";
        expected += "\" \"\r\n";
        expected += "\"Dusk\",\"Adams\",\"\",\"12.5\",\"0\",\"\"\r\n";
        expected += "\"Aurora\",\"J. Smith\",\"3/14/2001\",\"125\",\"150\",\"Glass Gallery\"\r\n";
        expected += "\"The \"\"Big\"\" One\",\"M\xFCller, Zo\xEB\",\"\",\"0\",\"0\",\"\"\r\n";
        QCOMPARE(read_bytes(out), expected);
    }

    void scope_export_has_twelve_items_and_counts_lines()
    {
        QList<ScopeRecord> recs;
        for (int i = 1; i <= 12; ++i)
            recs << varied_record(i);
        TempDb db(recs);
        std::vector<int> order{0};
        for (int i = 1; i <= 12; ++i)
            order.push_back(int(i));
        const QString out = db.dir() + "/scopes.txt";
        QVERIFY(write_summary_export(out, db.path(), order, 12, SummaryKind::scope, head(12)).ok);
        const QList<QByteArray> lines = read_bytes(out).split('\n');
        QCOMPARE(lines.size(), 18);  // 17 lines, each ended by CR LF
        QVERIFY(lines.last().isEmpty());
        QCOMPARE(lines.at(1), QByteArray("\"Number of records selected:  12\"\r"));
        QCOMPARE(lines.at(2), QByteArray("\"Selected:  All\"\r"));
        const ScopeRecord& r = recs.at(0);
        QStringList items{summary_text(r.scopename), summary_text(r.artist),  summary_text(r.scopetype),
                          summary_text(r.scopeyear), summary_text(r.extmat),  summary_text(r.extclr),
                          summary_text(r.celltype),  summary_text(r.edition), summary_text(r.objects),
                          summary_text(r.signed_),   summary_text(r.mirrors), summary_text(r.symmetry)};
        QCOMPARE(lines.at(5), to_cp1252(csv_line(items)) + "\r");
    }

    void failure_keeps_old_file()
    {
        TempDb db({make_record("A")});
        const QString out = db.dir() + "/old.txt";
        QFile f(out);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old contents");
        f.close();
        // A working set pointing past the end of the file cannot be read.
        const FileStatus st = write_summary_export(out, db.path(), {0, 1, 7}, 2, SummaryKind::scope, head(2));
        QVERIFY(!st.ok);
        QVERIFY(st.error.contains("7"));
        QCOMPARE(read_bytes(out), QByteArray("old contents"));

        const FileStatus missing_db
            = write_summary_export(out, db.dir() + "/none.rnd", {0, 1}, 1, SummaryKind::scope, head(1));
        QVERIFY(!missing_db.ok);
        QVERIFY(!missing_db.error.isEmpty());
        QCOMPARE(read_bytes(out), QByteArray("old contents"));
    }

    void unwritable_target_and_short_caption()
    {
        TempDb db({make_record("A")});
        FileStatus st = write_summary_export(db.dir() + "/no/such/folder/x.txt", db.path(), {0, 1}, 1,
                                             SummaryKind::scope, head(1));
        QVERIFY(!st.ok);
        QVERIFY(!st.error.isEmpty());
        SummaryExportHead h = head(1);
        h.sort_caption = "]";
        st = write_summary_export(db.dir() + "/x.txt", db.path(), {0, 1}, 1, SummaryKind::scope, h);
        QVERIFY(!st.ok);
        QVERIFY(!QFile::exists(db.dir() + "/x.txt"));
    }
};

QTEST_GUILESS_MAIN(TestSummaryExport)
#include "tst_summary_export.moc"
