// Damaged databases opened in the program: an image count outside 0..10, text
// bytes no code page defines (how scans read them is the core's), and a file
// that shrinks under the program between counting its records and reading them.
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"
#include "common/gui_pdf.h"

#include "common/gui_colors.h"
#include "core/session.h"
#include "core/working_set.h"
#include "dialogs/criteria_dialog.h"
#include "dialogs/sort_dialog.h"
#include "reports/printer_seam.h"
#include "reports/record_sheet.h"
#include "reports/summary_window.h"
#include "ui/progress_window.h"

#include <QPrinter>
#include <QtTest>
#include <QtWidgets>

#include <functional>

using namespace tessaran;
using namespace tessaran::test;

namespace {

void cut_to_records(const QString& path, int n)
{
    QFile f(path);
    QVERIFY(f.resize(qint64(n) * rec_len_bytes));
}

// Cuts the database file when the progress window of a scan appears: after the
// records were counted, before the scan reads them.
class CutOnProgress : public QObject {
public:
    CutOnProgress(QString path, int keep) : path_(std::move(path)), keep_(keep) { qApp->installEventFilter(this); }
    ~CutOnProgress() override { qApp->removeEventFilter(this); }
    int cuts = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && qobject_cast<ProgressWindow*>(o) && cuts == 0) {
            ++cuts;
            QFile(path_).resize(qint64(keep_) * rec_len_bytes);
        }
        return false;
    }

private:
    QString path_;
    int keep_;
};

QByteArray with_image_count(const ScopeRecord& rec, qint16 count)
{
    QByteArray raw = encode_record(rec);
    qToLittleEndian<qint16>(count, raw.data() + offset_image_count);
    return raw;
}

ScopeRecord with_images(const QString& name, int n)
{
    ScopeRecord r = make_record(name, QStringLiteral("Artist"));
    for (int i = 1; i <= 10; ++i)
        r.image_files[size_t(i)] = i <= n ? QStringLiteral("/pics/%1-%2.jpg").arg(name).arg(i) : QString();
    r.image_count = qint16(n);
    return r;
}

}  // namespace

class tst_damaged_db : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }
    void cleanup()
    {
        set_printer_factory({});
        QCoreApplication::processEvents();
    }

    // ---- Image counts outside 0..10 --------------------------------------------

    void image_count_out_of_range_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("-1") << -1 << 0;
        QTest::newRow("11") << 11 << 10;
    }

    void image_count_out_of_range()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        EditorFixture f({make_record("First"), with_images("Damaged", 10)});
        QByteArray file = read_bytes(f.db.path());
        file.replace(rec_len_bytes, rec_len_bytes, with_image_count(with_images("Damaged", 10), qint16(stored)));
        QVERIFY(write_bytes(f.db.path(), file));

        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        control<QPushButton>(ed, "cmd_next")->click();
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Damaged"));
        int visible = 0;
        for (int i = 1; i <= 10; ++i)
            visible += picture_strip(ed)->button(i)->isVisible() ? 1 : 0;
        QCOMPARE(visible, shown);
        // Only viewed: leaving it asks nothing.
        control<QPushButton>(ed, "cmd_prev")->click();
        control<QPushButton>(ed, "cmd_next")->click();
        QVERIFY(f.dialogs.shown.isEmpty());

        // Saving a change writes a count inside the range and keeps every
        // stored path, the ones never shown included.
        control<QLineEdit>(ed, "tb_city")->setText(QStringLiteral("Taos"));
        control<QPushButton>(ed, "cmd_save")->click();
        const ScopeRecord saved = read_db(f.db.path()).at(1);
        QCOMPARE(int(saved.image_count), shown);
        for (int i = 1; i <= 10; ++i)
            QVERIFY(!trim_blanks(saved.image_files[size_t(i)]).isEmpty());
        QCOMPARE(trim_blanks(saved.city), QStringLiteral("Taos"));

        // The record sheet lists as many pictures as the editor shows.
        QVERIFY(write_bytes(f.db.path(), file));
        const QString out = f.db.dir() + QStringLiteral("/sheet.pdf");
        set_printer_factory([out] { return make_pdf_printer(out); });
        QVERIFY(print_record_sheets(ed, f.state().path(), f.state().ws(), 2, 2));
        const QString text = pdf_text(out);
        QVERIFY2(text.contains(QLatin1String("IMAGES")), qPrintable(text));
        QCOMPARE(int(text.count(QLatin1String("/pics/Damaged-"))), shown);
    }

    // ---- Bytes no code page defines --------------------------------------------

    void undefined_code_page_bytes_survive()
    {
        // 0x81 0x8D 0x8F 0x90 0x9D are undefined in Windows-1252; 0x00 and 0x01 are controls.
        const QByteArray odd("\x81\x8D\x8F\x90\x9D\x00\x01Z", 8);
        ScopeRecord odd_rec = make_record("Odd", QStringLiteral("Artist"));
        QByteArray raw = encode_record(odd_rec);
        raw.replace(0, odd.size(), odd);       // scope name
        raw.replace(50 + 5, odd.size(), odd);  // artist, after its first blanks
        raw.replace(1311, odd.size(), odd);    // comments
        EditorFixture f({make_record("Plain", "Zed"), odd_rec});
        QVERIFY(write_bytes(f.db.path(), read_bytes(f.db.path()).left(rec_len_bytes) + raw));

        RecordEditor* ed = f.open();
        control<QPushButton>(ed, "cmd_endscope")->click();
        QVERIFY(f.dialogs.shown.isEmpty());

        // Saving another field writes the damaged bytes back as they were.
        control<QLineEdit>(ed, "tb_city")->setText(QStringLiteral("Taos"));
        control<QPushButton>(ed, "cmd_save")->click();
        const QByteArray stored = read_bytes(f.db.path()).mid(rec_len_bytes);
        QCOMPARE(stored.mid(0, odd.size()), odd);
        QCOMPARE(stored.mid(1311, odd.size()), odd);
        QCOMPARE(stored.mid(55, odd.size()), odd);

        QCOMPARE(f.dialogs.texts(),
                 (QStringList{"Are you sure you want to add this kaleidoscope to the database?",
                              "Kaleidoscope number 2 saved to database"}));
    }

    // ---- A file that shrinks under the program ---------------------------------

    void shrunk_file_stops_selection()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        const std::vector<int> before = f.state().ws().positions();
        CutOnProgress cut(f.db.path(), 2);
        when_modal<SelectDialog>([](SelectDialog* d) {
            criteria_box(d, 2)->setText(QStringLiteral("s"));
            QTest::mouseClick(perform_button(d), Qt::LeftButton);
        });
        control<QPushButton>(ed, "cmd_select")->click();
        QCOMPARE(cut.cuts, 1);
        QCOMPARE(
            f.dialogs.texts(),
            QStringList{"The kaleidoscope records could not be selected:\nRecord 3 lies outside the database file."});
        QCOMPARE(f.dialogs.last().icon, MsgIcon::critical);
        QCOMPARE(f.state().ws().positions(), before);
        QVERIFY(f.state().ws().all());
    }

    void shrunk_file_stops_summary_and_sheets_and_is_read_again()
    {
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        control<QPushButton>(ed, "cmd_endscope")->click();
        const std::vector<int> before = f.state().ws().positions();
        cut_to_records(f.db.path(), 3);
        const QByteArray cut = read_bytes(f.db.path());

        // Summary
        f.dialogs.shown.clear();
        {
            SummaryWindow grid(f.state(), SummaryKind::scope, ed);
            QVERIFY(!grid.loaded());
            QCOMPARE(f.dialogs.shown.size(), 1);
            QVERIFY2(f.dialogs.last().text.contains(QLatin1String("4")), qPrintable(f.dialogs.last().text));
            QCOMPARE(f.dialogs.last().icon, MsgIcon::critical);
        }
        // Record sheets
        f.dialogs.shown.clear();
        const QString out = f.db.dir() + QStringLiteral("/sheets.pdf");
        set_printer_factory([out] { return make_pdf_printer(out); });
        QVERIFY(!print_record_sheets(ed, f.state().path(), f.state().ws(), 1, 5));
        QCOMPARE(f.dialogs.texts(),
                 QStringList{QStringLiteral("Record 4 could not be read from the database file %1.").arg(f.db.path())});
        QVERIFY(!QFile::exists(out));
        // ... and when the collection file is gone, the message names it.
        f.dialogs.shown.clear();
        const QString moved = f.db.path() + QStringLiteral(".moved");
        QVERIFY(QFile::rename(f.db.path(), moved));
        QVERIFY(!print_record_sheets(ed, f.state().path(), f.state().ws(), 1, 1));
        QCOMPARE(f.dialogs.texts(),
                 QStringList{QStringLiteral("The kaleidoscopes could not be read from the database file %1:\n"
                                            "No such file or directory")
                                 .arg(f.db.path())});
        QVERIFY(QFile::rename(moved, f.db.path()));
        // The editor's own steps read the shrunk collection again before they
        // use a position. Delete of the record shown, which the file no longer
        // holds, removes nothing.
        f.dialogs.shown.clear();
        f.dialogs.answers = {MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_del")->click();
        QCOMPARE(f.dialogs.texts(),
                 QStringList{"The kaleidoscope shown was changed or removed by another program, so nothing has been "
                             "deleted. The collection has been read again."});
        QCOMPARE(read_bytes(f.db.path()), cut);
        QVERIFY2(ed->windowTitle().contains(QLatin1String("[Record 1 of 3]")), qPrintable(ed->windowTitle()));
        // Find searches the three records there are.
        f.dialogs.shown.clear();
        when_modal<FindDialog>([](FindDialog* d) {
            criteria_box(d, 2)->setText(QStringLiteral("nobody"));
            QTest::mouseClick(perform_button(d), Qt::LeftButton);
        });
        control<QPushButton>(ed, "cmd_find")->click();
        QCOMPARE(f.dialogs.texts(), QStringList{"No matching kaleidoscopes found."});
        // Sort orders the three records there are.
        f.dialogs.shown.clear();
        when_modal<SortDialog>([](SortDialog* d) {
            control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(1))->setChecked(true);
            control<QPushButton>(d, "cmd_sort")->click();
        });
        control<QPushButton>(ed, "cmd_sort")->click();
        QCOMPARE(f.dialogs.texts(), QStringList());
        QCOMPARE(f.state().ws().count(), 3);
        QVERIFY2(ed->windowTitle().contains(QLatin1String("[Record 1 of 3]  [Sorted by: Scope name(Asc.)]")),
                 qPrintable(ed->windowTitle()));
        // Record sheets asked for once the collection is gone: the file is
        // named, not offered as a range of no records.
        QVERIFY(QFile::rename(f.db.path(), moved));
        f.dialogs.shown.clear();
        control<QAction>(ed, "mnu_printforms")->trigger();
        QVERIFY2(f.dialogs.texts().last().startsWith(
                     QStringLiteral("The kaleidoscopes could not be read from the database file %1:").arg(f.db.path())),
                 qPrintable(f.dialogs.texts().join('|')));
        QVERIFY(QFile::rename(moved, f.db.path()));
    }
};

QTEST_MAIN(tst_damaged_db)
#include "tst_damaged_db.moc"
