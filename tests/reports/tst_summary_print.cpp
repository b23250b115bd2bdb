#include "common/core_temp_db.h"
#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "common/gui_pdf.h"
#include "common/scripted_dialogs.h"
#include "core/money.h"
#include "core/session.h"
#include "reports/printer_seam.h"
#include "reports/summary_print.h"
#include "reports/summary_window.h"

#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// Widths proportional to the characters: 0.01 inch per character per point.
double char_measure(const QString& t, int size, bool bold)
{
    return t.size() * size * (bold ? 0.011 : 0.01);
}

// Scope1 .. ScopeN by one artist: a summary of several pages.
QList<ScopeRecord> numbered_scopes(int n)
{
    QList<ScopeRecord> recs;
    for (int i = 1; i <= n; ++i)
        recs << make_record(QString("Scope%1").arg(i), "Artist");
    return recs;
}

}  // namespace

class TestSummaryPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }
    void cleanup()
    {
        set_printer_factory({});
        set_preview_hook({});
    }

    void fitting_data()
    {
        QTest::addColumn<int>("cell_chars");
        QTest::addColumn<double>("page_w");
        QTest::addColumn<int>("size");
        // 12 columns of n characters: width = 12 (n size 0.01 + 0.04).
        QTest::newRow("fits at 9 in landscape") << 8 << 11.0 << 9;
        QTest::newRow("smaller on a portrait page") << 8 << 8.5 << 7;
        QTest::newRow("down to 2") << 40 << 11.0 << 2;
        QTest::newRow("nothing fits") << 50 << 11.0 << 0;
    }
    void fitting()
    {
        QFETCH(int, cell_chars);
        QFETCH(double, page_w);
        QFETCH(int, size);
        const auto cols = summary_columns(SummaryKind::scope, "$");
        std::vector<QStringList> rows{QStringList(12, QString(cell_chars, 'x'))};
        const auto l = fit_summary(cols, rows, page_w, page_w == 11.0 ? 8.5 : 11.0, char_measure);
        if (size == 0) {
            QVERIFY(!l);
            return;
        }
        QVERIFY(l);
        QCOMPARE(l->size, size);
        QVERIFY(l->table_width <= page_w - 0.8 + 1e-9);
        QVERIFY(qAbs(l->table_left - (page_w / 2 - l->table_width / 2)) < 1e-9);
        QVERIFY(qAbs(l->table_right - (l->table_left + l->table_width)) < 1e-9);
        QVERIFY(qAbs(l->x[1] - (l->x[0] + l->w[0])) < 1e-9);
        QVERIFY(qAbs(l->c[0] - (l->x[0] + l->w[0] / 2)) < 1e-9);
        QCOMPARE(l->line_height, size * 1.5 / 72);
        QCOMPARE(l->row_pitch, size * 2.0 / 72);
    }

    void printed_pages()
    {
        QList<ScopeRecord> recs;
        for (int i = 1; i <= 90; ++i) {
            ScopeRecord r = make_record(QString("Scope%1").arg(i, 3, 10, QChar('0')), QString("Artist%1").arg(i),
                                        "3/14/2001", i * 10 * money_scale, i % 2 ? 0 : 99 * money_scale);
            r.store = fixed_text(QString("Store%1").arg(i), 50);
            recs << r;
        }
        TempDb db(recs);
        Session s = db.open_for_summary("Text: Scope\r\nPrice Paid: $1.00 to $900.00");
        const QString out = db.dir() + "/summary.pdf";
        set_printer_factory([out] { return make_pdf_printer(out); });
        ScriptedDialogs dialogs;
        SummaryWindow grid(s, SummaryKind::purchase);
        grid.show();
        dialogs.answer(MsgAnswer::cancel);
        QTest::mouseClick(control<QPushButton>(grid, "cmd_print"), Qt::LeftButton);  // Cancel prints nothing
        QVERIFY(!QFile::exists(out));
        QTest::mouseClick(control<QPushButton>(grid, "cmd_print"), Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList(2, "Send the kaleidoscope summary to default printer?"));
        QCOMPARE(dialogs.last().title, QString("Print kaleidoscope summary"));
        QCOMPARE(dialogs.last().buttons, MsgButtons::ok_cancel);
        const QStringList pages = pdf_pages(out);
        QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
        const QString first = pages.first();
        QVERIFY(first.contains("KALEIDOSCOPE SUMMARY " + grid.stamp()));
        QVERIFY(first.contains("Page 1"));
        QVERIFY(first.contains("Database file: " + db.path()));
        QVERIFY(first.contains("Number of kaleidoscopes in summary: 90"));
        QVERIFY(first.contains("Sorted by: Artist (Asc.)"));
        QVERIFY(first.contains("Price Paid: $1.00 to $900.00"));
        QVERIFY(first.contains("Scope001"));
        QVERIFY(pages.at(1).contains("Page 2"));
        QVERIFY(!pages.at(1).contains("Scope001"));
        // Rows keep their order and no row is split across pages.
        QVERIFY(pages.last().contains("Scope090"));
        QVERIFY(pages.last().contains("Page " + QString::number(pages.size())));
        int found = 0;
        for (const QString& page : pages)
            for (int i = 1; i <= 90; ++i)
                if (page.contains(QString("Scope%1").arg(i, 3, 10, QChar('0'))))
                    ++found;
        QCOMPARE(found, 90);
        // A price of 0 prints nothing; other prices in the currency form, right-aligned.
        const QStringList lines = pdf_text(out).split('\n');
        for (const QString& line : lines) {
            if (line.contains("Scope001 ")) {
                QVERIFY(line.contains("$10.00"));
                QVERIFY(!line.contains("$0.00"));
            }
            if (line.contains("Scope002 "))
                QVERIFY(line.contains("$99.00"));
        }
    }

    void unable_to_fit()
    {
        // Stored fields are too short to overflow a landscape page even at 2
        // points, so the table is given texts no record could hold.
        SummaryPrintData data;
        data.kind = SummaryKind::scope;
        data.columns = summary_columns(SummaryKind::scope, "$");
        data.rows = {QStringList(12, QString(120, 'W'))};
        QTemporaryDir dir;
        const QString out = dir.path() + "/never.pdf";
        set_printer_factory([out] { return make_pdf_printer(out); });
        ScriptedDialogs dialogs;
        const PrintOutcome o = run_print_job(nullptr, summary_print_job(nullptr, data));
        QCOMPARE(o, PrintOutcome::refused);
        QCOMPARE(dialogs.shown, (Shown{{"Unable to fit the data to the page"}}));
        QVERIFY(!QFile::exists(out));
    }

    void no_default_printer_offers_pdf()
    {
        TempDb db({make_record("Aurora", "Smith")});
        Session s = db.open_for_summary();
        set_printer_factory([] { return std::unique_ptr<QPrinter>(); });
        ScriptedDialogs dialogs;
        SummaryWindow grid(s, SummaryKind::scope);
        grid.show();
        const QString out = db.dir() + "/saved.pdf";
        dialogs.answer(MsgAnswer::ok);  // send to printer
        dialogs.answer(MsgAnswer::ok);  // save as PDF instead
        dialogs.choose_file(out);
        QTest::mouseClick(control<QPushButton>(grid, "cmd_print"), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 3);
        QVERIFY(dialogs.shown.at(1).text.startsWith("No default printer is installed"));
        QCOMPARE(dialogs.shown.at(1).buttons, MsgButtons::ok_cancel);
        QCOMPARE(dialogs.file_filters.last(), QStringList{"PDF (*.pdf)"});
        QCOMPARE(dialogs.last().text, "Pages saved to PDF file " + out);
        QVERIFY(pdf_text(out).contains("Aurora"));

        // Declining the PDF saves nothing and claims nothing.
        dialogs.shown.clear();
        dialogs.answer(MsgAnswer::ok);
        dialogs.answer(MsgAnswer::cancel);
        QTest::mouseClick(control<QPushButton>(grid, "cmd_print"), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 2);
    }

    void printer_that_cannot_start()
    {
        TempDb db({make_record("Aurora", "Smith")});
        Session s = db.open_for_summary();
        const QString bad = db.dir() + "/no/such/folder/out.pdf";
        set_printer_factory([bad] { return make_pdf_printer(bad); });
        ScriptedDialogs dialogs;
        SummaryWindow grid(s, SummaryKind::scope);
        grid.show();
        dialogs.answer(MsgAnswer::ok);
        dialogs.answer(MsgAnswer::ok);
        dialogs.choose_file(QString());  // cancel the PDF file dialog
        QTest::mouseClick(control<QPushButton>(grid, "cmd_print"), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 2);
        QVERIFY(dialogs.shown.at(1).text.contains("could not start the document"));
        QVERIFY(!QFile::exists(bad));
    }

    // The progress window counts the pages that come out; Cancel in the
    // middle leaves no PDF and reports nothing as printed.
    void progress_and_cancel_data()
    {
        QTest::addColumn<int>("cancel_at");
        QTest::newRow("to the end") << 0;
        QTest::newRow("cancelled at page 2") << 2;
    }
    void progress_and_cancel()
    {
        QFETCH(int, cancel_at);
        TempDb db(numbered_scopes(150));
        Session s = db.open_for_summary();
        const QString out = db.dir() + "/p.pdf";
        set_printer_factory([out] { return make_pdf_printer(out); });
        QStringList labels;
        set_print_progress_hook([&labels, cancel_at](QWidget* w, int page) {
            auto* dlg = qobject_cast<QProgressDialog*>(w);
            labels << dlg->labelText();
            if (page == cancel_at)
                dlg->cancel();
        });
        ScriptedDialogs dialogs;
        SummaryWindow grid(s, SummaryKind::scope);
        grid.show();
        QTest::mouseClick(control<QPushButton>(grid, "cmd_print"), Qt::LeftButton);
        set_print_progress_hook({});
        if (cancel_at) {
            QCOMPARE(labels, (QStringList{"Printing page 1 of 7", "Printing page 2 of 7"}));
            QVERIFY(!QFile::exists(out));
        } else {
            const int pages = pdf_pages(out).size();
            QVERIFY(pages >= 3);
            QCOMPARE(labels.size(), pages);
            QCOMPARE(labels.last(), QStringLiteral("Printing page %1 of %1").arg(pages));
        }
        QCOMPARE(dialogs.shown.size(), 1);  // only the "send to printer?" question
    }

    // Saving the pages as a PDF: the progress window is gone before the message
    // that tells the outcome, and does not come back over it.
    void progress_window_gone_before_the_outcome_data()
    {
        QTest::addColumn<bool>("target_is_folder");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("saved") << false << "Pages saved to PDF file ";
        QTest::newRow("write fails") << true << "The PDF file could not be finished: ";
    }
    void progress_window_gone_before_the_outcome()
    {
        QFETCH(bool, target_is_folder);
        QFETCH(QString, outcome);
        TempDb db(numbered_scopes(150));
        Session s = db.open_for_summary();
        const QString out = db.dir() + "/p.pdf";
        if (target_is_folder)
            QVERIFY(QDir().mkdir(out));
        set_printer_factory([] { return std::unique_ptr<QPrinter>(); });  // no printer
        set_print_progress_hook([](QWidget* w, int) { w->show(); });      // as for a long job
        ScriptedDialogs dialogs;
        dialogs.choose_file(out);
        SummaryWindow grid(s, SummaryKind::scope);
        grid.show();
        QTest::mouseClick(control<QPushButton>(grid, "cmd_print"), Qt::LeftButton);
        set_print_progress_hook({});
        QCOMPARE(dialogs.shown.size(), 3);  // send to printer?, save as PDF?, the outcome
        QVERIFY2(dialogs.last().text.startsWith(outcome), qPrintable(dialogs.last().text));
        QCOMPARE(dialogs.shown_under_progress, 0);
    }

    void preview_shows_the_same_pages()
    {
        TempDb db(numbered_scopes(70));
        Session s = db.open_for_summary();
        const QString out = db.dir() + "/p.pdf";
        set_printer_factory([out] { return make_pdf_printer(out); });
        int preview_pages = -1;
        set_preview_hook([&preview_pages](QWidget* dlg) {
            auto* w = dlg->findChild<QPrintPreviewWidget*>();
            QVERIFY(w);
            w->updatePreview();
            preview_pages = w->pageCount();
        });
        ScriptedDialogs dialogs;
        SummaryWindow grid(s, SummaryKind::scope);
        grid.show();
        QTest::mouseClick(control<QPushButton>(grid, "cmd_preview"), Qt::LeftButton);
        QVERIFY(dialogs.shown.isEmpty());
        QVERIFY(!QFile::exists(out));
        QTest::mouseClick(control<QPushButton>(grid, "cmd_print"), Qt::LeftButton);
        QCOMPARE(preview_pages, pdf_pages(out).size());
        QVERIFY(preview_pages >= 2);
    }
};

QTEST_MAIN(TestSummaryPrint)
#include "tst_summary_print.moc"
