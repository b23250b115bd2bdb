// What the printouts of the demo collection say, read back from PDF, compared
// with the recorded golden text: the summary table of both kinds and every
// record sheet. (Runs of blanks are shortened: a stamp of another width moves
// the columns of its line, not what they say.)
#include "common/core_golden.h"
#include "common/core_temp_db.h"
#include "common/gui_colors.h"
#include "common/gui_pdf.h"
#include "common/scripted_dialogs.h"
#include "core/session.h"
#include "reports/printer_seam.h"
#include "reports/record_sheet.h"
#include "reports/summary_window.h"

#include <QPrinter>
#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

QByteArray printed_text(const QString& pdf, const QString& dir)
{
    static const QRegularExpression blanks(QStringLiteral(" {2,}"));
    return normalised_output(pdf_text(pdf).replace(blanks, QStringLiteral("  ")).toUtf8(), dir);
}

QList<ScopeRecord> demo_records()
{
    return read_db(QStringLiteral(TESSARAN_BIN_DIR "/demo.rnd"));
}

}  // namespace

class tst_golden_printouts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }
    void cleanup() { set_printer_factory({}); }

    void summary_print_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("kaleidoscope information") << int(SummaryKind::scope);
        QTest::newRow("purchase information") << int(SummaryKind::purchase);
    }
    void summary_print()
    {
        QFETCH(int, kind);
        TempDb db(demo_records(), QStringLiteral("demo.rnd"));
        Session s = db.open_for_summary();
        const QString out = db.dir() + QStringLiteral("/summary.pdf");
        set_printer_factory([out] { return make_pdf_printer(out); });
        ScriptedDialogs dialogs;
        SummaryWindow grid(s, SummaryKind(kind));
        grid.show();
        grid.findChild<QPushButton*>(QStringLiteral("cmd_print"))->click();
        const QString name = SummaryKind(kind) == SummaryKind::scope ? QStringLiteral("demo_summary_kaleidoscope.txt")
                                                                     : QStringLiteral("demo_summary_purchase.txt");
        const QString diff = golden_difference(name, printed_text(out, db.dir()));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    void record_sheets()
    {
        TempDb db(demo_records(), QStringLiteral("demo.rnd"));
        Session s = db.open_all();
        const QString out = db.dir() + QStringLiteral("/sheets.pdf");
        set_printer_factory([out] { return make_pdf_printer(out); });
        ScriptedDialogs dialogs;
        QVERIFY(print_record_sheets(nullptr, s.path(), s.ws(), 1, s.ws().count()));
        const QString diff = golden_difference("demo_record_sheets.txt", printed_text(out, db.dir()));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }
};

QTEST_MAIN(tst_golden_printouts)
#include "tst_golden_printouts.moc"
