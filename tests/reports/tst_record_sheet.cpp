#include "common/core_temp_db.h"
#include "common/gui_colors.h"
#include "common/gui_pdf.h"
#include "common/scripted_dialogs.h"
#include "core/money.h"
#include "core/session.h"
#include "reports/printer_seam.h"
#include "reports/record_sheet.h"
#include "reports/sheet_text.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

double chars(const QString& t)
{
    return t.size();
}

QString line_with(const QString& page, const QString& needle)
{
    for (const QString& line : page.split('\n'))
        if (line.contains(needle))
            return line;
    return QString();
}

}  // namespace

class TestRecordSheet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }
    void cleanup() { set_printer_factory({}); }

    void long_text_lines_data()
    {
        // clang-format off
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("width");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("worked example") << "aaa bbb ccc ddd eee fff" << 10.0
                                        << QStringList{"aaa bbb", "ccc ddd", "eee fff"};
        QTest::newRow("empty") << "   " << 10.0 << QStringList{};
        QTest::newRow("never written") << QString(8, QChar(0)) << 10.0 << QStringList{};
        QTest::newRow("last word moves down") << "aaaa bbbb cc" << 10.0 << QStringList{"aaaa bbbb", "cc"};
        QTest::newRow("wide word alone, first") << "abcdefghijklmn ab cd" << 10.0
                                                << QStringList{"abcdefghijklmn", "ab cd"};
        QTest::newRow("wide word alone, last") << "ab cd abcdefghijklmn" << 10.0
                                               << QStringList{"ab cd", "abcdefghijklmn"};
        QTest::newRow("line breaks start lines") << "first line\r\nsecond\r\n\r\nfourth" << 40.0
                                                 << QStringList{"first line", "second", "", "fourth"};
        QTest::newRow("break and wrap") << "aaa bbb ccc\nddd" << 8.0 << QStringList{"aaa bbb", "ccc", "ddd"};
        // clang-format on
    }
    void long_text_lines()
    {
        QFETCH(QString, text);
        QFETCH(double, width);
        QFETCH(QStringList, lines);
        QCOMPARE(tessaran::long_text_lines(text, width, chars), lines);
    }

    void range_prints_one_page_each()
    {
        QList<ScopeRecord> recs;
        for (int i = 1; i <= 5; ++i)
            recs << make_record(QString("Scope%1").arg(i), QString("Artist%1").arg(i));
        TempDb db(recs);
        Session s = db.open_all();
        // Working-set order differs from file order.
        s.ws().set_matches({5, 4, 3, 2, 1});
        const QString out = db.dir() + "/sheets.pdf";
        set_printer_factory([out] { return make_pdf_printer(out); });
        ScriptedDialogs dialogs;
        QVERIFY(print_record_sheets(nullptr, s.path(), s.ws(), 2, 4));
        QVERIFY(dialogs.shown.isEmpty());
        const QStringList pages = pdf_pages(out);
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages.at(0).contains("Scopename: Scope4"));
        QVERIFY(pages.at(1).contains("Scopename: Scope3"));
        QVERIFY(pages.at(2).contains("Scopename: Scope2"));
        QVERIFY(pdf_text(out).count('\f') == 3);
    }

    void sheet_content()
    {
        ScopeRecord r = make_record("Aurora", "Smith, J.", "3/14/2001", 125 * money_scale, 0);
        r.studio = fixed_text("Glassworks", 50);
        r.state = fixed_text("CA", 20);
        r.zip = fixed_text("90210", 10);
        r.phone = fixed_text("555-1234", 20);
        r.fax = fixed_text("555-9999", 20);
        r.scopetype = fixed_text("Cozy", 30);
        r.specfeatures = fixed_text("Turns smoothly.", 500);
        QString words;
        for (int i = 0; i < 60; ++i)
            words += QString("word%1 ").arg(i);
        r.comments = fixed_text(words, 500);
        r.image_count = 7;
        for (int k = 1; k <= 7; ++k)
            r.image_files[std::size_t(k)] = fixed_text(QString("/pics/image%1.jpg").arg(k), 60);
        TempDb db({r, make_record("Plain")});
        Session s = db.open_all();
        const QString out = db.dir() + "/sheet.pdf";
        set_printer_factory([out] { return make_pdf_printer(out); });
        QVERIFY(print_record_sheets(nullptr, s.path(), s.ws(), 1, 2));
        const QStringList pages = pdf_pages(out);
        QCOMPARE(pages.size(), 2);
        const QString p = pages.at(0);
        QVERIFY(p.contains("Scopename: Aurora"));
        QVERIFY(p.contains("Artist: Smith, J."));
        QVERIFY(p.contains("Studio: Glassworks"));
        QVERIFY(p.contains("Scope type: Cozy"));
        QVERIFY(p.contains("Date of purchase: 3/14/2001"));
        QVERIFY(p.contains("Purchase price: $125.00"));
        QVERIFY(!line_with(p, "Retail price:").contains("$"));
        QVERIFY(line_with(p, "State: CA").contains("Zip code: 90210"));
        QVERIFY(line_with(p, "Phone: 555-1234").contains("Fax: 555-9999"));
        QVERIFY(p.contains("Turns smoothly."));
        // The comments wrap onto several lines, every word printed once.
        QVERIFY(p.contains("word0 "));
        QVERIFY(p.contains("word59"));
        QVERIFY(line_with(p, "word0 ") != line_with(p, "word59"));
        // Images 1-5 on the left, 6 and 7 on the right from the same first line.
        const QString first = line_with(p, "/pics/image1.jpg");
        QVERIFY(first.contains("/pics/image6.jpg"));
        QVERIFY(first.indexOf("image1") < first.indexOf("image6"));
        QVERIFY(line_with(p, "/pics/image2.jpg").contains("/pics/image7.jpg"));
        QVERIFY(!line_with(p, "/pics/image3.jpg").contains("image8"));
        QVERIFY(line_with(p, "/pics/image5.jpg").trimmed() == "/pics/image5.jpg");
        // A record without images prints the heading alone.
        QVERIFY(pages.at(1).contains("IMAGES"));
        QVERIFY(!pages.at(1).contains("/pics/"));
    }

    // Asked for, a kaleidoscope's pictures follow its sheet on a page of
    // their own, each named, with a note for one that cannot be shown.
    void pictures_follow_their_sheet()
    {
        ScopeRecord r = make_record("Aurora", "Smith, J.");
        r.image_count = 2;
        r.image_files[1] = fixed_text("aurora.png", 60);
        r.image_files[2] = fixed_text("/nowhere/gone.jpg", 60);
        TempDb db({r, make_record("Plain")});
        QImage picture(400, 300, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        QVERIFY(picture.save(db.dir() + "/aurora.png"));
        Session s = db.open_all();
        const QString out = db.dir() + "/sheets.pdf";
        set_printer_factory([out] { return make_pdf_printer(out); });
        QVERIFY(print_record_sheets(nullptr, s.path(), s.ws(), 1, 2, true));
        const QStringList pages = pdf_pages(out);
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages.at(0).contains("Scopename: Aurora"));
        for (const char* said : {"PICTURES: Aurora", "aurora.png", "gone.jpg", "Picture not found"})
            QVERIFY2(pages.at(1).contains(QLatin1String(said)), said);
        QVERIFY(pages.at(2).contains("Scopename: Plain"));
    }

    // Without a printer the sheets go to a PDF: a refused printout never asks
    // for a file or touches one, and a chosen file is replaced only whole.
    void pdf_instead_of_a_printer_keeps_an_existing_file()
    {
        TempDb db({make_record("Only"), make_record("Second")});
        Session s = db.open_all();
        set_printer_factory([] { return std::unique_ptr<QPrinter>(); });
        ScriptedDialogs dialogs;
        const QString out = db.dir() + "/old.pdf";
        QVERIFY(write_bytes(out, "an earlier PDF"));

        s.ws().set_matches({1, 9});
        dialogs.answer(MsgAnswer::ok);  // save as PDF instead
        dialogs.choose_file(out);
        QVERIFY(!print_record_sheets(nullptr, s.path(), s.ws(), 1, 2));
        QCOMPARE(dialogs.files.size(), size_t(1));  // no file was asked for
        QCOMPARE(read_bytes(out), QByteArray("an earlier PDF"));

        s.ws().set_matches({1, 2});
        QVERIFY(print_record_sheets(nullptr, s.path(), s.ws(), 1, 2));
        QCOMPARE(dialogs.last().text, "Pages saved to PDF file " + out);
        QCOMPARE(pdf_pages(out).size(), 2);
        QCOMPARE(scratch_files_in(db.dir()), QStringList());
    }

    void preview_has_the_sheets()
    {
        QList<ScopeRecord> recs;
        for (int i = 1; i <= 4; ++i)
            recs << make_record(QString("S%1").arg(i));
        TempDb db(recs);
        Session s = db.open_all();
        set_printer_factory([&db] { return make_pdf_printer(db.dir() + "/x.pdf"); });
        int pages = -1;
        set_preview_hook([&pages](QWidget* dlg) {
            auto* w = dlg->findChild<QPrintPreviewWidget*>();
            QVERIFY(w);
            w->updatePreview();
            pages = w->pageCount();
        });
        preview_record_sheets(nullptr, s.path(), s.ws(), 2, 4);
        set_preview_hook({});
        QCOMPARE(pages, 3);
        QVERIFY(!QFile::exists(db.dir() + "/x.pdf"));
    }
};

QTEST_MAIN(TestRecordSheet)
#include "tst_record_sheet.moc"
