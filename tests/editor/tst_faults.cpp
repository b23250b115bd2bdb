// A full disk while saving, deleting, creating, exporting, writing the colour
// file and writing a PDF: the user gets a clear message with the system's
// reason, the database stays as it was, and nothing is reported as done.
//
// The disk is "full" through a file size limit (RLIMIT_FSIZE, with SIGXFSZ
// ignored so the write fails with EFBIG instead of killing the process). It is
// set in this process only around the one action and lifted again at once: the
// windows under test cannot be driven in a forked child without their event
// loop. Root ignores read-only folders but not this limit.
#include "appearance/color_settings.h"
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"
#include "common/gui_pdf.h"

#include "app/start_window.h"
#include "common/gui_colors.h"
#include "core/color_file.h"
#include "core/database.h"
#include "core/delete_record.h"
#include "core/session.h"
#include "core/working_set.h"
#include "dialogs/color_dialog.h"
#include "reports/printer_seam.h"
#include "reports/record_sheet.h"
#include "reports/summary_window.h"

#include <QPrinter>
#include <QtTest>
#include <QtWidgets>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// While alive, no file of this process may grow past bytes.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = old_;
        lim.rlim_cur = rlim_t(bytes);
        ok_ = ::setrlimit(RLIMIT_FSIZE, &lim) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return ok_; }

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
    bool ok_ = false;
};

const QString too_large = QString::fromLocal8Bit(std::strerror(EFBIG));

QList<ScopeRecord> three_records()
{
    return {make_record("Alpha", "Smith", "1/5/2000", 1000000), make_record("Bravo", "Jones"),
            make_record("Charlie", "Brown", "6/1/2001", 2500000)};
}

}  // namespace

class tst_faults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }
    void cleanup()
    {
        set_printer_factory({});
        set_program_folder_for_tests(QString());
    }

    void saving_a_new_record_on_a_full_disk()
    {
        EditorFixture f(three_records());
        RecordEditor* ed = f.open();
        const QByteArray before = read_bytes(f.db.path());
        ed->add_record();
        control<QLineEdit>(ed, "tb_scopename")->setText(QStringLiteral("Delta"));
        {
            FileSizeLimit full(before.size() + 1000);
            QVERIFY(full.ok());
            control<QPushButton>(ed, "cmd_save")->click();
        }
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{"Are you sure you want to add this kaleidoscope to the database?",
                              "The kaleidoscope could not be saved to the database file " + f.db.path() + ":\n"
                                  + too_large}));
        QCOMPARE(f.dialogs.last().icon, MsgIcon::critical);
        QCOMPARE(read_bytes(f.db.path()), before);
        QCOMPARE(f.state().record_count(), int(3));
        QCOMPARE(f.state().ws().count(), int(3));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Delta"));  // the typing is not lost

        // Once there is room again the same record goes in.
        f.dialogs.shown.clear();
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(f.dialogs.last().text, QStringLiteral("Kaleidoscope number 4 saved to database"));
        QCOMPARE(read_db(f.db.path()).size(), 4);
    }

    // The collection's history cannot grow: the save happens as it would
    // without one, and the user hears once that changes go unrecorded.
    void saving_when_the_history_cannot_grow()
    {
        EditorFixture f(three_records());
        RecordEditor* ed = f.open();
        const qint64 room = read_bytes(f.db.path()).size() + 100;
        for (const QString name : {"Alpha, renamed", "Alpha, renamed again"}) {
            type_into(control<QLineEdit>(ed, "tb_scopename"), name);
            FileSizeLimit full(room);
            QVERIFY(full.ok());
            control<QPushButton>(ed, "cmd_save")->click();
        }
        const QStringList told = f.dialogs.texts();
        QCOMPARE(told.size(), 5);  // the question and the outcome each time, the warning first
        QVERIFY2(told.at(1).startsWith("Changes to this collection are not being recorded: the history file "
                                       + f.db.path() + "-history cannot be written: "),
                 qPrintable(told.at(1)));
        QCOMPARE(told.at(2), QStringLiteral("Kaleidoscope number 1 saved to database"));
        QCOMPARE(told.at(4), QStringLiteral("Kaleidoscope number 1 saved to database"));
        QCOMPARE(read_db(f.db.path()).at(0).scopename.trimmed(), QStringLiteral("Alpha, renamed again"));
    }

    void deleting_on_a_full_disk()
    {
        QList<ScopeRecord> records;
        for (int i = 1; i <= 12; ++i)
            records << varied_record(i);
        EditorFixture f(records);
        RecordEditor* ed = f.open();
        control<QPushButton>(ed, "cmd_next")->click();
        const QByteArray before = read_bytes(f.db.path());
        {
            // The copy without the record fits only part-way.
            FileSizeLimit full(qint64(rec_len_bytes) * 4);
            QVERIFY(full.ok());
            control<QPushButton>(ed, "cmd_del")->click();
        }
        QCOMPARE(f.dialogs.shown.size(), 2);
        QCOMPARE(f.dialogs.last().text,
                 "The kaleidoscope could not be deleted from the database file " + f.db.path() + ":\n" + too_large
                     + "\nThe database has not been changed.");
        QCOMPARE(f.dialogs.last().icon, MsgIcon::critical);
        QCOMPARE(read_bytes(f.db.path()), before);
        QCOMPARE(scratch_files_in(f.db.dir()), QStringList());
        QCOMPARE(f.state().record_count(), int(12));
        QCOMPARE(f.state().ws().position(), int(2));
    }

    // Replacing a database whose folder does not let it go (immutable, which
    // stops root too): the old file stays and the editor does not open.
    void creating_over_a_database_that_cannot_be_replaced()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(folder));
        const QString target = QDir(folder).filePath(QStringLiteral("old.rnd"));
        QVERIFY(write_db(target, three_records()));
        const QByteArray before = read_bytes(target);
        if (QProcess::execute("chattr", {"+i", folder}) != 0)
            QSKIP("chattr +i is not available on this file system");
        struct Unlock {
            QString folder;
            ~Unlock() { QProcess::execute("chattr", {"-i", folder}); }
        } unlock{folder};

        set_program_folder_for_tests(dir.path());
        ScriptedDialogs dialogs;
        StartWindow window;
        dialogs.choose_file(target);
        control<QAction>(window, "mnu_newdatabase")->trigger();
        QCOMPARE(dialogs.shown.size(), 3);  // the two questions, then the failure
        QCOMPARE(dialogs.last().text,
                 "The database file " + target + " could not be created: The previous version could not be kept as "
                     + target + "~: " + QString::fromLocal8Bit(std::strerror(EPERM)));
        QCOMPARE(dialogs.last().icon, MsgIcon::critical);
        QCOMPARE(read_bytes(target), before);
        QVERIFY(!window.findChild<RecordEditor*>());
    }

    void text_export_on_a_full_disk()
    {
        TempDb db(three_records());
        Session s = db.open_for_summary();
        ScriptedDialogs dialogs;
        SummaryWindow grid(s, SummaryKind::purchase);
        QVERIFY(grid.loaded());
        grid.show();
        const QString out = db.dir() + QStringLiteral("/summary.txt");
        QVERIFY(write_bytes(out, "previous export"));
        const QByteArray before = read_bytes(db.path());
        dialogs.choose_file(out);
        {
            FileSizeLimit full(100);
            QVERIFY(full.ok());
            QTest::mouseClick(control<QPushButton>(grid, "cmd_save"), Qt::LeftButton);
        }
        QCOMPARE(dialogs.shown,
                 (Shown{{"The summary could not be saved to " + out + ":\n" + too_large, MsgIcon::critical}}));
        QCOMPARE(read_bytes(out), QByteArray("previous export"));
        QCOMPARE(read_bytes(db.path()), before);
        QVERIFY(!grid.isVisible());
        QCOMPARE(scratch_files_in(db.dir()), QStringList());
    }

    void colour_file_on_a_full_disk()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(TESSARAN_SOURCE_DIR "/data/tessaran_defcolors.dat"),
                            dir.filePath(QString::fromLatin1(default_color_file_name))));
        set_program_folder_for_tests(dir.path());
        set_color_file_path(dir.filePath(QString::fromLatin1(default_color_file_name)));
        QVERIFY(load_colors());
        const auto scheme = current_colors();
        ScriptedDialogs dialogs;
        ColorDialog d;
        d.show();
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(6);
        dialogs.choose_color(QColor(9, 9, 9));
        QTest::mouseClick(control<QWidget>(d, "pb_single"), Qt::LeftButton);
        {
            FileSizeLimit full(20);
            QVERIFY(full.ok());
            QTest::mouseClick(control<QPushButton>(d, "cmd_accept"), Qt::LeftButton);
        }
        const QString user = dir.filePath(QString::fromLatin1(user_color_file_name));
        QCOMPARE(dialogs.texts(),
                 (QStringList{"Save the current color scheme?",
                              "Color preferences could not be saved to " + QDir::toNativeSeparators(user) + ":\n"
                                  + too_large}));
        QVERIFY(!QFile::exists(user));
        QVERIFY(d.isVisible());
        QCOMPARE(current_colors(), scheme);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }

    // The PDF writer itself says nothing when its file cannot grow; the printout
    // must not be reported as done, and the cut-off file is not left behind.
    void pdf_output_on_a_full_disk_data()
    {
        QTest::addColumn<bool>("through_printer");
        QTest::newRow("printer writing a PDF") << true;
        QTest::newRow("no printer, saved as PDF") << false;
    }

    void pdf_output_on_a_full_disk()
    {
        QFETCH(bool, through_printer);
        TempDb db(three_records());
        Session s = db.open_all();
        const QString out = db.dir() + QStringLiteral("/sheets.pdf");
        ScriptedDialogs dialogs;
        if (through_printer) {
            set_printer_factory([out] { return make_pdf_printer(out); });
        } else {
            set_printer_factory([] { return std::unique_ptr<QPrinter>(); });
            dialogs.answer(MsgAnswer::ok);  // save as PDF instead
            dialogs.choose_file(out);
        }
        bool printed = true;
        {
            FileSizeLimit full(3000);
            QVERIFY(full.ok());
            printed = print_record_sheets(nullptr, s.path(), s.ws(), 1, 3);
        }
        QVERIFY(!printed);
        QCOMPARE(dialogs.last().text, "The PDF file could not be finished: " + out + "\n" + too_large);
        QCOMPARE(dialogs.last().icon, MsgIcon::critical);
        QVERIFY(!dialogs.texts().contains("Pages saved to PDF file " + out));
        QVERIFY(!QFile::exists(out));

        // With room the same printout is whole and reported.
        dialogs.shown.clear();
        if (!through_printer) {
            dialogs.answer(MsgAnswer::ok);
            dialogs.choose_file(out);
        }
        QVERIFY(print_record_sheets(nullptr, s.path(), s.ws(), 1, 3));
        QVERIFY(read_bytes(out).trimmed().endsWith("%%EOF"));
    }

    // "Print inventory..." from the menu: the file typed in its dialog, the
    // value at purchase prices; on a full disk nothing is left and the user is
    // told why, with room the inventory is written and reported.
    void inventory_on_a_full_disk()
    {
        EditorFixture f(three_records(), true);
        RecordEditor* ed = f.open();
        const QString out = f.db.dir() + QStringLiteral("/inventory.pdf");
        const auto write_inventory = [&] {
            QTimer::singleShot(0, [out] {
                auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(d && d->objectName() == QLatin1String("frm_inventory"));
                control<QLineEdit>(d, "inventory_file")->setText(out);
                control<QRadioButton>(d, "inventory_paid")->click();
                control<QPushButton>(d, "inventory_write")->click();
            });
            control<QAction>(ed, "mnu_inventory")->trigger();
        };
        {
            FileSizeLimit full(3000);
            QVERIFY(full.ok());
            write_inventory();
        }
        QCOMPARE(f.dialogs.last().text, "The inventory cannot be written to " + out + ":\n" + too_large);
        QCOMPARE(f.dialogs.last().icon, MsgIcon::critical);
        QVERIFY(!QFile::exists(out));
        write_inventory();
        QCOMPARE(f.dialogs.last().text,
                 "The inventory of 3 kaleidoscopes was written to " + out
                     + " (1 pages).\n3 kaleidoscopes have no picture; the inventory says so "
                       "beside each.");
        QVERIFY(pdf_text(out).contains(QLatin1String("Value of the collection at purchase prices: $350.00")));
    }
};

QTEST_MAIN(tst_faults)
#include "tst_faults.moc"
