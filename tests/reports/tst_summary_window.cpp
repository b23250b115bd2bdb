#include "common/core_temp_db.h"
#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "common/scripted_dialogs.h"
#include "core/money.h"
#include "core/session.h"
#include "reports/summary_header_panel.h"
#include "reports/summary_model.h"
#include "reports/summary_window.h"
#include "ui/screen_placement.h"

#include <QtTest>
#include <QtWidgets>

#include <tuple>

using namespace tessaran;
using namespace tessaran::test;

namespace {

const SummaryHeaderPanel::Item* find_item(const SummaryHeaderPanel* p, const QString& text, const QColor& color)
{
    for (const auto& it : p->items())
        if (it.text == text && it.color == color)
            return &it;
    return nullptr;
}

}  // namespace

class TestSumgrid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void header_height_data()
    {
        QTest::addColumn<QString>("criteria");
        QTest::addColumn<int>("height");
        QTest::newRow("All") << "All" << 110;
        QTest::newRow("empty") << "" << 110;
        QTest::newRow("three lines") << "Date: 1/1/2001 to 1/1/2002\r\nPrice Paid: $1.00 to $9.00\r\nText: x" << 140;
    }
    void header_height()
    {
        QFETCH(QString, criteria);
        QFETCH(int, height);
        QCOMPARE(SummaryWindow::header_height(criteria), height);
    }

    void one_record_purchase_summary()
    {
        ScopeRecord r = make_record("Aurora", "J. Smith", "3/14/2001", 125 * money_scale, 0);
        r.store = fixed_text("Glass Gallery", 50);
        TempDb db({r});
        Session s = db.open_for_summary();
        ScriptedDialogs dialogs;
        SummaryWindow grid(s, SummaryKind::purchase);
        QVERIFY(grid.loaded());
        QCOMPARE(grid.windowTitle(), QString("Kaleidoscope Summary"));
        SummaryModel* m = grid.model();
        QCOMPARE(m->rowCount(), 1);  // with the heading row: a grid of two rows
        QCOMPARE(m->columnCount(), 6);
        const QStringList headings{"Scope\nName",       "Artist",       "Date\nPurchased", "Purchase\nPrice ($)",
                                   "Retail\nPrice ($)", "Store/Gallery"};
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(m->headerData(c, Qt::Horizontal, summary_heading_lines_role).toString(), headings.at(c));
            // Said on one line.
            QCOMPARE(m->headerData(c, Qt::Horizontal).toString(), QString(headings.at(c)).replace('\n', ' '));
            QCOMPARE(m->headerData(c, Qt::Horizontal, Qt::BackgroundRole).value<QColor>(), QColor(255, 225, 225));
            QCOMPARE(m->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>(),
                     Qt::Alignment(Qt::AlignCenter));
        }
        // The heading block is read as text, line by line.
        grid.show();
        const QString heading
            = QAccessible::queryAccessibleInterface(grid.findChild<QWidget*>(QStringLiteral("pb_output")))
                  ->text(QAccessible::Description);
        QVERIFY2(heading.contains(QLatin1String("Number of kaleidoscopes in summary: 1")), qPrintable(heading));
        QVERIFY2(heading.contains(QLatin1String("Database file:")), qPrintable(heading));
        // The cells are the summary rows' (checked on the core); the grid shows them.
        QCOMPARE(m->index(0, 3).data().toString(), QStringLiteral("$125.00"));
        for (int c = 0; c < 6; ++c) {
            const QModelIndex i = m->index(0, c);
            QCOMPARE(i.data(Qt::BackgroundRole).value<QColor>(),
                     c % 2 == 0 ? QColor(225, 225, 255) : QColor(225, 255, 225));
            const Qt::Alignment want
                = (c == 3 || c == 4) ? (Qt::AlignBottom | Qt::AlignRight) : (Qt::AlignBottom | Qt::AlignLeft);
            QCOMPARE(i.data(Qt::TextAlignmentRole).value<Qt::Alignment>(), want);
        }
        QCOMPARE(control<QTableView>(grid, "sumgrid")->horizontalHeader()->height(), 30);
        QCOMPARE(control<QTableView>(grid, "sumgrid")->currentIndex(), m->index(0, 0));
    }

    void column_widths_from_seed_and_cells()
    {
        // No prices anywhere: the price columns are as wide as "Price" plus 2 x 5.
        TempDb db({make_record("A", "Someone with a long name"), make_record("Bb", "X")});
        Session s = db.open_for_summary();
        SummaryWindow grid(s, SummaryKind::purchase);
        const QFontMetrics fm(control<SummaryHeaderPanel>(grid, "pb_output")->font());
        QCOMPARE(control<SummaryHeaderPanel>(grid, "pb_output")->font().family(), QString("Arial"));
        QCOMPARE(control<SummaryHeaderPanel>(grid, "pb_output")->font().pointSize(), 8);
        const auto* view = control<QTableView>(grid, "sumgrid");
        const QStringList widest{"Scope", "Someone with a long name", "Purchased", "Price", "Price"};
        for (int c = 0; c < widest.size(); ++c)
            QCOMPARE(view->columnWidth(c), fm.horizontalAdvance(widest[c]) + 10);
    }

    void header_panel_and_layout()
    {
        QList<ScopeRecord> recs;
        for (int i = 1; i <= 4; ++i)
            recs << varied_record(i);
        TempDb db(recs);
        Session s = db.open_for_summary("Date: 1/1/2001 to 1/1/2002\r\nPrice Paid: $1.00 to $9.00\r\nText: x");
        SummaryWindow grid(s, SummaryKind::scope);
        QCOMPARE(control<SummaryHeaderPanel>(grid, "pb_output")->height(), 140);
        QVERIFY(control<QTableView>(grid, "sumgrid")->isHidden());
        grid.show();
        QVERIFY(control<QTableView>(grid, "sumgrid")->isVisible());
        const SummaryHeaderPanel* p = control<SummaryHeaderPanel>(grid, "pb_output");
        QCOMPARE(p->x(), 10);
        QCOMPARE(p->y(), 10);
        QCOMPARE(control<QTableView>(grid, "sumgrid")->x(), 10);
        QCOMPARE(control<QTableView>(grid, "sumgrid")->y(), 10 + 140 + 10);
        QCOMPARE(p->width(), control<QTableView>(grid, "sumgrid")->width());

        QVERIFY(!grid.stamp().isEmpty());
        const auto* title = find_item(p, "KALEIDOSCOPE SUMMARY " + grid.stamp(), Qt::black);
        QVERIFY(title && title->bold && title->top == 5);
        QVERIFY(qAbs(title->left + p->text_width(title->text, true) / 2.0 - p->width() / 2.0) <= 1);
        const auto* dbline = find_item(p, "Database file: " + db.path(), Qt::black);
        QVERIFY(dbline && dbline->top == 35 && dbline->left == 5);
        // Each label once in black, its value once in red right after it.
        for (const auto& [label, value, top] :
             {std::tuple<QString, QString, double>{"Number of kaleidoscopes in summary: ", "4", 50},
              {"Sorted by:", " Artist (Asc.)", 65}}) {
            const auto* l = find_item(p, label, Qt::black);
            const auto* v = find_item(p, value, Qt::red);
            QVERIFY2(l && v, qPrintable(label));
            QCOMPARE(l->left, 5.0);
            QCOMPARE(l->top, top);
            QCOMPARE(v->top, top);
            QCOMPARE(v->left, 5.0 + p->text_width(label));
        }
        for (const auto& it : p->items())
            QVERIFY2(it.color != QColor(Qt::red) || !it.text.contains(QLatin1String("Number of")), "no over-printing");
        const auto* label = find_item(p, "Selection criteria: ", Qt::black);
        QVERIFY(label && label->top == 80);
        const double crit_x = 5 + p->text_width("Selection criteria: ") + 30;
        const auto* l1 = find_item(p, "Date: 1/1/2001 to 1/1/2002", Qt::black);
        const auto* l3 = find_item(p, "Text: x", Qt::black);
        QVERIFY(l1 && l3);
        QCOMPARE(l1->top, 80.0);
        QCOMPARE(l1->left, crit_x);
        QCOMPARE(l3->top, 110.0);

        // A narrow summary: the grid is as wide as its columns plus 20 px and
        // "Save to ASCII file" sits centred under it, Print left, Close right.
        int total = 20;
        for (int c = 0; c < 12; ++c)
            total += control<QTableView>(grid, "sumgrid")->columnWidth(c);
        QVERIFY(control<QTableView>(grid, "sumgrid")->width() <= total);
        const int mid = control<QTableView>(grid, "sumgrid")->x() + control<QTableView>(grid, "sumgrid")->width() / 2;
        QVERIFY(qAbs(control<QPushButton>(grid, "cmd_save")->geometry().center().x() - mid) <= 1);
        QCOMPARE(control<QPushButton>(grid, "cmd_print")->geometry().right() + 1 + 20,
                 control<QPushButton>(grid, "cmd_save")->x());
        QCOMPARE(control<QPushButton>(grid, "cmd_save")->geometry().right() + 1 + 20,
                 control<QPushButton>(grid, "cmd_close")->x());
        QVERIFY(control<QPushButton>(grid, "cmd_preview")->geometry().right()
                    < control<QPushButton>(grid, "cmd_print")->x()
                || control<QPushButton>(grid, "cmd_preview")->y()
                    > control<QPushButton>(grid, "cmd_print")->geometry().bottom());
        // The window narrows to the grid, whatever room Preview needs.
        QCOMPARE(grid.width(),
                 control<QTableView>(grid, "sumgrid")->width() + 2 * control<QTableView>(grid, "sumgrid")->x());
        QVERIFY(control<QPushButton>(grid, "cmd_preview")->x() >= 0
                && control<QPushButton>(grid, "cmd_preview")->geometry().bottom() < grid.height());
        // With its frame the window fits the screen's room, and a smaller
        // window (a compositor's choice) keeps every button in it.
        QVERIFY(grid.height() + frame_allowance.height() <= work_area(&grid).height());
        grid.resize(grid.width(), grid.height() - 120);
        for (const char* name : {"cmd_preview", "cmd_print", "cmd_save", "cmd_close"})
            QVERIFY2(control<QPushButton>(grid, name)->geometry().bottom() < grid.height(), name);
    }

    void save_to_ascii_file()
    {
        TempDb db({make_record("Aurora", "J. Smith", "3/14/2001", 125 * money_scale, 150 * money_scale)});
        Session s = db.open_for_summary();
        ScriptedDialogs dialogs;
        SummaryWindow grid(s, SummaryKind::purchase);
        grid.show();
        const QString out = db.dir() + "/sum.txt";

        dialogs.choose_file(QString());  // cancel: nothing happens
        QTest::mouseClick(control<QPushButton>(grid, "cmd_save"), Qt::LeftButton);
        QVERIFY(dialogs.shown.isEmpty());
        QVERIFY(!QFile::exists(out));

        dialogs.choose_file(out);
        QTest::mouseClick(control<QPushButton>(grid, "cmd_save"), Qt::LeftButton);
        QCOMPARE(dialogs.file_filters.last(), QStringList{"TXT (*.txt)"});
        QCOMPARE(
            dialogs.shown,
            (Shown{{"Data saved to ASCII file " + out, MsgIcon::none, MsgButtons::ok, QString("Save to ASCII file")}}));
        // The lines themselves are the export's (checked on the core); the window writes them.
        QVERIFY(read_bytes(out).contains("\"Aurora\",\"J. Smith\",\"3/14/2001\",\"125\",\"150\",\"\"\r\n"));
        QVERIFY(grid.isVisible());
    }

    void largest_working_set_opens()
    {
        QList<ScopeRecord> recs;
        recs.reserve(max_record_count);
        for (int i = 1; i <= max_record_count; ++i)
            recs << make_record(QString("Scope %1").arg(i % 977), QString("Artist %1").arg(i % 331));
        TempDb db(recs);
        QVERIFY(db.ok());
        Session s = db.open_for_summary();
        QCOMPARE(int(s.ws().count()), max_record_count);
        QElapsedTimer timer;
        timer.start();
        SummaryWindow grid(s, SummaryKind::scope);
        qInfo("summary of %d rows built in %lld ms", max_record_count, timer.elapsed());
        QVERIFY(grid.loaded());
        QCOMPARE(grid.model()->rowCount(), max_record_count);
        QCOMPARE(grid.model()->index(max_record_count - 1, 0).data().toString(),
                 QString("Scope %1").arg(max_record_count % 977));
        grid.show();
        QVERIFY(control<QTableView>(grid, "sumgrid")->isVisible());
    }
};

QTEST_MAIN(TestSumgrid)
#include "tst_summary_window.moc"
