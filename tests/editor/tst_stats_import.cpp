// The statistics window and the import, started from the editor's menu: they
// settle edits first, show the core's figures once, save them, and the import
// appends only what the user confirmed.
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"
#include "common/gui_pdf.h"

#include "common/gui_colors.h"
#include "core/collection_stats.h"
#include "core/money.h"
#include "core/session.h"
#include "dialogs/criteria_dialog.h"
#include "dialogs/import_preview.h"
#include "reports/statistics_window.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// Acts on the modal dialog of type D once it is up: the statistics window
// shows its progress window first, so the first modal is not always D.
template <class D> void when_up(std::function<void(D*)> act)
{
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto* d = qobject_cast<D*>(QApplication::activeModalWidget())) {
            timer->deleteLater();
            timer->stop();
            act(d);
        }
    });
    timer->start(20);
}

}  // namespace

class tst_stats_import : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void statistics_window()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        const QString text_out = f.db.dir() + QStringLiteral("/stats.txt");
        const QString pdf_out = f.db.dir() + QStringLiteral("/stats.pdf");
        f.dialogs.choose_file(text_out);
        f.dialogs.choose_file(pdf_out);
        when_up<StatisticsWindow>([&](StatisticsWindow* s) {
            QCOMPARE(s->windowTitle(), QStringLiteral("Collection statistics"));
            QVERIFY(control<QLabel>(s, "lbl_head")->text().contains(QStringLiteral("Number of kaleidoscopes: 5")));
            QVERIFY(control<QLabel>(s, "lbl_head")->text().contains(QStringLiteral("Sorted by: Artist(Asc.)")));
            const QAbstractItemModel* money = control<QTableView>(s, "tbl_money")->model();
            QCOMPARE(money->index(0, 0).data().toString(), QStringLiteral("$400.00"));
            QCOMPARE(money->headerData(0, Qt::Vertical).toString(), QStringLiteral("Total"));
            QCOMPARE(control<QTableView>(s, "tbl_artist")->model()->rowCount(), 5);
            // Clicking a heading sorts; the count column by its numbers.
            control<QTableView>(s, "tbl_year")->sortByColumn(2, Qt::DescendingOrder);
            QCOMPARE(control<QTableView>(s, "tbl_year")->model()->index(0, 0).data().toString(),
                     QStringLiteral("2001"));
            control<QPushButton>(s, "cmd_text")->click();
            control<QPushButton>(s, "cmd_pdf")->click();
            // Return closes the report; it never saves one unasked.
            QVERIFY(control<QPushButton>(s, "cmd_close")->isDefault());
            QTest::keyClick(control<QTableView>(s, "tbl_money"), Qt::Key_Return);
            QVERIFY(!s->isVisible());
        });
        control<QAction>(ed, "mnu_stats")->trigger();
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{"Statistics saved to " + text_out, "Pages saved to PDF file " + pdf_out}));
        CollectionStats core;
        QVERIFY(collect_stats(f.db.path(), f.state().ws().records(), f.state().ws().count(), core).ok);
        QByteArray expected;
        for (const QString& line : stats_csv_lines(core, {f.db.path(), "Artist(Asc.)", "All"}))
            expected += line.toLatin1() + "\r\n";
        QCOMPARE(read_bytes(text_out), expected);
        const QString pdf = pdf_text(pdf_out);
        QVERIFY(pdf.contains(QStringLiteral("COLLECTION STATISTICS")));
        // An artist with a comma stays one item on the page.
        QVERIFY2(pdf.contains(QStringLiteral("Adams SMITH")) && pdf.contains(QStringLiteral("Smith, Ann")),
                 qPrintable(pdf));

        // Refused like the summaries when the last selection matched nothing.
        when_modal<SelectDialog>([](SelectDialog* d) {
            criteria_box(d, 2)->setText(QStringLiteral("nobody at all"));
            QTest::mouseClick(perform_button(d), Qt::LeftButton);
        });
        control<QPushButton>(ed, "cmd_select")->click();
        f.dialogs.shown.clear();
        control<QAction>(ed, "mnu_stats")->trigger();
        QCOMPARE(f.dialogs.shown,
                 (Shown{{"Last select operation returned no matching kaleidoscope records", MsgIcon::critical}}));
    }

    // Amounts too long for a column and more years than fit under the chart.
    void large_amounts_and_many_years()
    {
        const qint64 big = 69996126320000000;  // $6,999,612,632,000.00
        QList<ScopeRecord> recs;
        for (int year = 1960; year < 2020; ++year)
            recs << make_record(QStringLiteral("Scope %1").arg(year), "Artist", QStringLiteral("6/1/%1").arg(year),
                                year == 2000 ? big : 100000);
        EditorFixture f(recs, true);
        RecordEditor* ed = f.open();
        const QString pdf_out = f.db.dir() + QStringLiteral("/stats.pdf");
        f.dialogs.choose_file(pdf_out);
        QStringList money_labels;
        QStringList year_labels;
        QStringList cut;
        when_up<StatisticsWindow>([&](StatisticsWindow* s) {
            // At the window's opening size no amount of the by-artist table is cut.
            auto* table = control<QTableView>(s, "tbl_artist");
            const QFontMetrics fm(table->font());
            for (int c = 1; c < table->model()->columnCount(); ++c) {
                const QString text = table->model()->index(0, c).data().toString();
                if (fm.horizontalAdvance(text) > table->columnWidth(c) - 4)
                    cut << text;
            }
            const QList<QAbstractAxis*> axes = control<QChartView>(s, "chart_spending")->chart()->axes();
            for (QAbstractAxis* axis : axes) {
                if (auto* labelled = qobject_cast<QCategoryAxis*>(axis))
                    (axis->orientation() == Qt::Vertical ? money_labels : year_labels) = labelled->categoriesLabels();
            }
            control<QPushButton>(s, "cmd_pdf")->click();
            control<QPushButton>(s, "cmd_close")->click();
        });
        control<QAction>(ed, "mnu_stats")->trigger();
        QCOMPARE(f.dialogs.texts(), QStringList{"Pages saved to PDF file " + pdf_out});
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join('|')));
        QVERIFY(!money_labels.isEmpty() && !year_labels.isEmpty());
        QCOMPARE(money_labels.first(), QStringLiteral("$0"));
        QVERIFY2(money_labels.contains(QStringLiteral("$2,000,000,000,000")), qPrintable(money_labels.join('|')));
        QCOMPARE(year_labels.size(), 10);  // every sixth of the 60 years
        QCOMPARE(year_labels.mid(0, 2), (QStringList{"1960 (1)", "1966 (1)"}));
        const QString pdf = pdf_text(pdf_out);
        QVERIFY2(pdf.contains(money_text(big + 59 * 100000)), qPrintable(pdf));
        QVERIFY(!pdf.contains(QChar(0x2026)));
    }

    void import_appends_the_confirmed_rows()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        const QString csv = f.db.dir() + QStringLiteral("/list.csv");
        QVERIFY(write_bytes(csv,
                            "Name,Artist,Notes,Purchase price\r\nZephyr,Young,  a note ,$5\r\nBad,X,,lots\r\n"
                            "Aardvark,Able,,\r\n"));
        const QByteArray before = read_bytes(f.db.path());

        // Cancel writes nothing.
        f.dialogs.choose_file(csv);
        when_modal<ImportPreview>([](ImportPreview* d) { control<QPushButton>(d, "cmd_cancel")->click(); });
        control<QAction>(ed, "mnu_import")->trigger();
        QCOMPARE(read_bytes(f.db.path()), before);

        f.dialogs.choose_file(csv);
        when_modal<ImportPreview>([](ImportPreview* d) {
            QCOMPARE(control<QTableWidget>(d, "tbl_columns")->item(2, 0)->text(), QStringLiteral("Notes"));
            QCOMPARE(control<QLabel>(d, "lbl_summary")->text(),
                     QStringLiteral("2 kaleidoscopes can be imported; 1 rows cannot and will be skipped."));
            // The unmatched column is given a field by hand.
            d->set_target(2, m_comments);
            QCOMPARE(control<QTableView>(d, "tbl_preview")->model()->headerData(3, Qt::Horizontal).toString(),
                     QStringLiteral("Comments"));
            QCOMPARE(control<QTableView>(d, "tbl_preview")->model()->index(0, 3).data().toString(),
                     QStringLiteral("a note"));
            QCOMPARE(control<QPushButton>(d, "cmd_import")->text(), QStringLiteral("Import 2 kaleidoscopes"));
            control<QPushButton>(d, "cmd_import")->click();
        });
        control<QAction>(ed, "mnu_import")->trigger();
        QCOMPARE(f.dialogs.texts().last(), QStringLiteral("2 kaleidoscopes were imported; 1 rows were skipped."));
        const QList<ScopeRecord> all = read_db(f.db.path());
        QCOMPARE(all.size(), 7);
        QCOMPARE(trim_blanks(all.at(5).comments), QStringLiteral("a note"));
        QCOMPARE(all.at(5).price_paid, qint64(50000));
        // Reset and sorted by artist, as a freshly opened database.
        QCOMPARE(f.state().ws().count(), int(7));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Aardvark"));
        QVERIFY(ed->windowTitle().contains(QStringLiteral("[Record 1 of 7]  [Sorted by: Artist(Asc.)]")));
    }

    // The preview reads the file again for another choice of fields; a file
    // gone since, or rows of empty cells, are told in the window.
    void import_preview_tells_what_it_leaves_out()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        const QString csv = f.db.dir() + QStringLiteral("/list.csv");
        QVERIFY(write_bytes(csv, "Name,Notes\r\nZephyr,x\r\n,\r\n,\r\n"));
        const QByteArray before = read_bytes(f.db.path());
        f.dialogs.choose_file(csv);
        QString summary;
        QString problem;
        bool import_enabled = true;
        when_modal<ImportPreview>([&](ImportPreview* d) {
            summary = control<QLabel>(d, "lbl_summary")->text();
            QVERIFY(QFile::remove(csv));
            d->set_target(1, m_comments);
            problem = control<QListWidget>(d, "lst_problems")->count()
                ? control<QListWidget>(d, "lst_problems")->item(0)->text()
                : QString();
            import_enabled = control<QPushButton>(d, "cmd_import")->isEnabled();
            control<QPushButton>(d, "cmd_cancel")->click();
        });
        control<QAction>(ed, "mnu_import")->trigger();
        QCOMPARE(summary, QStringLiteral("1 kaleidoscopes can be imported. 2 rows of empty cells are skipped."));
        QVERIFY2(problem.startsWith(QStringLiteral("The file ") + csv + QStringLiteral(" cannot be read again: ")),
                 qPrintable(problem));
        QVERIFY(!import_enabled);
        QCOMPARE(read_bytes(f.db.path()), before);
    }

    // Three columns that all mean the purchase price: nothing is imported
    // until the user has chosen one; then its values are the ones kept.
    void import_preview_asks_which_column_to_keep()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        const QString csv = f.db.dir() + QStringLiteral("/list.csv");
        QVERIFY(write_bytes(csv, "Name,Purchase Price ($),Price paid,Purchase price\r\nZephyr,1,2,3\r\n"));
        f.dialogs.choose_file(csv);
        QString summary;
        bool enabled_at_first = true;
        when_modal<ImportPreview>([&](ImportPreview* d) {
            summary = control<QLabel>(d, "lbl_summary")->text();
            enabled_at_first = control<QPushButton>(d, "cmd_import")->isEnabled();
            for (const char* name : {"combo_field_1", "combo_field_3"})
                control<QComboBox>(d, name)->setCurrentText(QStringLiteral("(ignored)"));
            control<QPushButton>(d, "cmd_import")->click();
        });
        control<QAction>(ed, "mnu_import")->trigger();
        QCOMPARE(summary,
                 QStringLiteral("The columns \"Purchase Price ($)\", \"Price paid\" and \"Purchase price\" "
                                "all go into Purchase price, and only one can; choose the one to import. "
                                "Set the field of each column above."));
        QVERIFY(!enabled_at_first);
        const QList<ScopeRecord> all = read_db(f.db.path());
        QCOMPARE(all.size(), 6);
        QCOMPARE(all.at(5).price_paid, qint64(20000));
    }
};

QTEST_MAIN(tst_stats_import)
#include "tst_stats_import.moc"
