// Two writers on one collection, for real: the program in another process,
// the helper holding the collection as another window does, and tessaran-rnd
// import beside an open window. The second window is offered a read-only
// view, which refuses every write; a forced import is noticed and read again
// before the next step; every record any side saved is there exactly once.
#include "common/core_other_writer.h"
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "app/start_window.h"
#include "common/gui_colors.h"
#include "core/collection_history.h"
#include "core/collection_lock.h"
#include "core/file_write.h"
#include "core/program_files.h"
#include "core/record_file.h"
#include "dialogs/kaleidoscope_history_window.h"

#include <QtTest>
#include <QtWidgets>

#include <cstdio>

using namespace tessaran;
using namespace tessaran::test;

namespace {

QString in_use_text(const QString& path, const QString& holder)
{
    return QStringLiteral("The collection %1 is open for changes in %2.\n\n"
                          "Only one window at a time can change a collection. You can open it read-only here: "
                          "browse, select, sort, find, print and export work, but nothing can be saved, added, "
                          "deleted or imported.")
        .arg(path, holder);
}

QString read_only_text(const QString& holder)
{
    return QStringLiteral("This collection is open read-only, because it is open for changes in %1.\n"
                          "Nothing can be saved, added, deleted or imported here. To make changes, close it there "
                          "and open it here again.")
        .arg(holder);
}

struct ToolRun {
    int code = -1;
    QString err;
};

ToolRun import_append(const QString& source, const QString& collection, bool force)
{
    QProcess p;
    QStringList args{"import", source, collection, "--append"};
    if (force)
        args << QStringLiteral("--force");
    p.start(QStringLiteral(TESSARAN_BIN_DIR "/tessaran-rnd"), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError()).trimmed()};
}

enum class Step { save_edit, save_new, delete_shown, next };

// How the file at the collection's path comes to be another one while a
// window holds it.
enum class Swap { renamed_over, forced_import_then_taken, forced_import_noticed, hard_link };

}  // namespace

Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(Swap)

class tst_two_writers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        reset_color_settings();
        db = std::make_unique<TempDb>(five_records());
        QVERIFY(QFile::copy(QStringLiteral(TESSARAN_SOURCE_DIR "/data/tessaran_defcolors.dat"),
                            db->dir() + QStringLiteral("/tessaran_defcolors.dat")));
        set_program_folder_for_tests(db->dir());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, db->dir() + QStringLiteral("/settings"));
        dialogs = std::make_unique<ScriptedDialogs>();
        window = std::make_unique<StartWindow>();
    }

    void cleanup()
    {
        delete editor();
        window.reset();
        dialogs.reset();
        set_program_folder_for_tests(QString());
        db.reset();
    }

    // The program itself, in a process of its own, has the collection open.
    void the_second_window_is_offered_read_only_or_nothing()
    {
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", QStringLiteral("offscreen"));
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(TESSARAN_BIN_DIR "/tessaran"), {db->path()});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(collection_in_use(db->path()), 30000);
        const QString holder
            = QStringLiteral("TESSARAN V (process %1, user %2)").arg(first.processId()).arg(user_name());
        const QByteArray before = read_bytes(db->path());

        // Cancel: nothing opens.
        dialogs->answer(MsgAnswer::cancel);
        QVERIFY(!window->open_database(db->path()));
        const Shown question{{in_use_text(db->path(), holder), MsgIcon::exclamation, MsgButtons::read_only_cancel}};
        QCOMPARE(dialogs->shown, question);
        QVERIFY(!editor());

        // Open Read-Only: browsing works, the caption says so.
        dialogs->shown.clear();
        dialogs->answer(MsgAnswer::ok);
        QVERIFY(window->open_database(db->path()));
        RecordEditor* ed = editor();
        QVERIFY(ed);
        QVERIFY2(ed->windowTitle().endsWith(QLatin1String("[Record 1 of 5]  [Sorted by: Artist(Asc.)]  "
                                                          "[Selected: All]  [Read-only]")),
                 qPrintable(ed->windowTitle()));
        control<QPushButton>(ed, "cmd_next")->click();
        QVERIFY2(ed->windowTitle().contains(QLatin1String("[Record 2 of 5]")), qPrintable(ed->windowTitle()));
        QVERIFY(control<QLineEdit>(ed, "tb_scopename")->isReadOnly());
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(dialogs->last().text, read_only_text(holder));
        QCOMPARE(read_bytes(db->path()), before);
        delete ed;

        // The first program is killed: its claim goes with it.
        first.kill();
        QVERIFY(first.waitForFinished());
        dialogs->shown.clear();
        QVERIFY(window->open_database(db->path()));
        QVERIFY(dialogs->texts().isEmpty());
        QVERIFY(!editor()->windowTitle().contains(QLatin1String("[Read-only]")));
        QVERIFY(!control<QLineEdit>(editor(), "tb_scopename")->isReadOnly());
    }

    void read_only_refuses_every_write_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Save") << "cmd_save";
        QTest::newRow("Add") << "cmd_new";
        QTest::newRow("Delete") << "cmd_del";
        QTest::newRow("Clear") << "cmd_clear";
        QTest::newRow("Add an image") << "cmd_add_image";
        QTest::newRow("Save from the menu") << "mnu_save";
        QTest::newRow("Import from the menu") << "mnu_import";
        QTest::newRow("Find missing pictures") << "mnu_missing_pictures";
        QTest::newRow("Change a field") << "mnu_change_field";
    }
    void read_only_refuses_every_write()
    {
        QFETCH(QString, command);
        OtherWriter other(db->path());
        QVERIFY(other.holds());
        dialogs->answer(MsgAnswer::ok);
        QVERIFY(window->open_database(db->path()));
        RecordEditor* ed = editor();
        const QByteArray before = read_bytes(db->path());
        dialogs->shown.clear();
        dialogs->answers = {MsgAnswer::yes, MsgAnswer::yes};
        if (command.startsWith(QLatin1String("cmd")))
            control<QPushButton>(ed, command.toLatin1().constData())->click();
        else
            control<QAction>(ed, command.toLatin1().constData())->trigger();
        const Shown refusal{{read_only_text(other.holder()), MsgIcon::information}};
        QCOMPARE(dialogs->shown, refusal);
        QVERIFY(dialogs->files.empty());  // no file dialog was opened
        QCOMPARE(read_bytes(db->path()), before);
        QVERIFY2(ed->windowTitle().contains(QLatin1String("[Record 1 of 5]")), qPrintable(ed->windowTitle()));
    }

    // A pick list can be changed even in a read-only window; leaving the
    // record offers to discard the change, never to save it.
    void read_only_edits_are_discarded_not_saved()
    {
        OtherWriter other(db->path());
        dialogs->answer(MsgAnswer::ok);
        QVERIFY(window->open_database(db->path()));
        RecordEditor* ed = editor();
        auto* mirrors = control<QComboBox>(ed, "combo_mirrors");
        mirrors->setCurrentText(QStringLiteral("3 mirror"));
        dialogs->shown.clear();
        dialogs->answers = {MsgAnswer::no};
        control<QPushButton>(ed, "cmd_next")->click();
        const QString discard = QStringLiteral("This collection is open read-only, so the changes highlighted cannot "
                                               "be saved. Do you want to discard them?");
        QCOMPARE(dialogs->texts(), QStringList{discard});
        QVERIFY2(ed->windowTitle().contains(QLatin1String("[Record 1 of 5]")), qPrintable(ed->windowTitle()));
        dialogs->answers = {MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_next")->click();
        QVERIFY2(ed->windowTitle().contains(QLatin1String("[Record 2 of 5]")), qPrintable(ed->windowTitle()));
        QCOMPARE(scope_names(db->path()), (QStringList{"Alpha", "Bravo", "Charlie", "Delta", "Echo"}));
    }

    // The window with the claim writes; the read-only one follows every
    // change before its next step, so it never walks a stale record number.
    void read_only_window_follows_the_writer()
    {
        OtherWriter other(db->path());
        dialogs->answer(MsgAnswer::ok);
        QVERIFY(window->open_database(db->path()));
        RecordEditor* ed = editor();
        auto* name = control<QLineEdit>(ed, "tb_scopename");
        // By artist: positions 1..5 hold records 5, 4, 2, 1, 3.
        control<QPushButton>(ed, "cmd_next")->click();
        QCOMPARE(name->text(), QStringLiteral("Delta"));
        QCOMPARE(other.run(QStringLiteral("delete 4")), QStringLiteral("ok"));  // Delta
        QCOMPARE(other.run(QStringLiteral("append Foxtrot")), QStringLiteral("ok"));
        QCOMPARE(other.run(QStringLiteral("save 1 Alpha two")), QStringLiteral("ok"));
        QTRY_VERIFY(ed->windowTitle().endsWith(QLatin1String("[Read-only]  [Changed by another program]")));
        control<QPushButton>(ed, "cmd_next")->click();
        // Read again: Delta is gone, so the step shows the new first position.
        QVERIFY2(ed->windowTitle().contains(QLatin1String("[Record 1 of 5]")), qPrintable(ed->windowTitle()));
        QVERIFY(!ed->windowTitle().contains(QLatin1String("Changed by another program")));
        // Every kaleidoscope there is now, each once.
        QStringList walked{name->text()};
        for (int i = 0; i < 4; ++i) {
            control<QPushButton>(ed, "cmd_next")->click();
            walked << name->text();
        }
        walked.sort();
        QCOMPARE(walked, (QStringList{"Alpha two", "Bravo", "Charlie", "Echo", "Foxtrot"}));
    }

    // The writing window's changes reach the read-only window's history of
    // the kaleidoscope; Undo there stays off, as it does when the claim is lost.
    void read_only_window_reads_the_history_and_cannot_undo()
    {
        OtherWriter other(db->path());
        dialogs->answer(MsgAnswer::ok);
        QVERIFY(window->open_database(db->path()));
        RecordEditor* ed = editor();
        {
            CollectionHistory writer(db->path());  // as the window holding the claim records
            QVERIFY(writer.open().ok);
            const ScopeRecord renamed = make_record("Echo, renamed");
            QVERIFY(write_recorded(
                &writer, ChangeKind::save,
                {{5, 5, read_bytes(db->path()).mid(4 * rec_len_bytes), encode_record(renamed)}},
                [&] { return write_record(db->path(), 5, renamed); }, nullptr));
        }
        QTRY_VERIFY(ed->windowTitle().endsWith(QLatin1String("[Changed by another program]")));
        QStringList versions;
        when_modal<KaleidoscopeHistoryWindow>([&versions](KaleidoscopeHistoryWindow* w) {
            versions << w->windowTitle() << control<QTableWidget>(w, "tbl_versions")->item(0, 2)->text();
            w->reject();
        });
        control<QAction>(ed, "mnu_history")->trigger();  // by artist, position 1 is record 5
        QCOMPARE(versions, (QStringList{"History of Echo, renamed", "Saved"}));
        QVERIFY(!control<QAction>(ed, "mnu_undo")->isEnabled());
        QCOMPARE(control<QAction>(ed, "mnu_undo")->text(), QStringLiteral("U&ndo"));
    }

    void import_beside_an_open_window_data()
    {
        // clang-format off
        QTest::addColumn<Step>("step");
        QTest::addColumn<QStringList>("names");  // the file at the end, in file order
        QTest::newRow("an edit saved after the import") << Step::save_edit
            << QStringList{"Alpha", "Bravo", "Charlie edited", "Delta", "Echo", "Imported one", "Imported two"};
        QTest::newRow("an addition saved after the import") << Step::save_new
            << QStringList{"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Imported one", "Imported two", "Added"};
        QTest::newRow("a deletion after the import") << Step::delete_shown
            << QStringList{"Alpha", "Bravo", "Delta", "Echo", "Imported one", "Imported two"};
        QTest::newRow("a step after the import") << Step::next
            << QStringList{"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Imported one", "Imported two"};
        // clang-format on
    }
    void import_beside_an_open_window()
    {
        QFETCH(Step, step);
        QFETCH(QStringList, names);
        QVERIFY(window->open_database(db->path()));
        RecordEditor* ed = editor();
        auto* name = control<QLineEdit>(ed, "tb_scopename");
        control<QPushButton>(ed, "cmd_endscope")->click();  // Charlie, record 3
        QCOMPARE(name->text(), QStringLiteral("Charlie"));
        if (step == Step::save_edit)
            name->setText(QStringLiteral("Charlie edited"));
        if (step == Step::save_new) {
            control<QPushButton>(ed, "cmd_new")->click();
            name->setText(QStringLiteral("Added"));
        }
        const QString source = db->dir() + QStringLiteral("/new.csv");
        QVERIFY(write_bytes(source, "scopename\nImported one\nImported two\n"));

        // Refused while the window holds the collection.
        const QByteArray before = read_bytes(db->path());
        const ToolRun refused = import_append(source, db->path(), false);
        QCOMPARE(refused.code, 3);
        QCOMPARE(refused.err,
                 QStringLiteral("%1 is open for changes in tst_two_writers (process %2, user %3); close "
                                "it there first, or give --force to add the kaleidoscopes all the same")
                     .arg(db->path())
                     .arg(QCoreApplication::applicationPid())
                     .arg(user_name()));
        QCOMPARE(read_bytes(db->path()), before);

        // Forced: the window notices, and nothing it then does loses a record.
        QCOMPARE(import_append(source, db->path(), true).code, 0);
        QTRY_VERIFY(ed->windowTitle().endsWith(QLatin1String("[Changed by another program]")));
        dialogs->shown.clear();
        dialogs->answers = {MsgAnswer::yes, MsgAnswer::yes, MsgAnswer::yes, MsgAnswer::yes};
        switch (step) {
        case Step::save_edit:
        case Step::save_new:
            control<QPushButton>(ed, "cmd_save")->click();  // refused and read again, the edit kept
            control<QPushButton>(ed, "cmd_save")->click();
            QVERIFY2(dialogs->last().text.endsWith(QLatin1String("saved to database")),
                     qPrintable(dialogs->texts().join(QLatin1Char('|'))));
            break;
        case Step::delete_shown:
            control<QPushButton>(ed, "cmd_del")->click();
            QCOMPARE(dialogs->texts().first(),
                     QStringLiteral("Are you sure you want to delete this kaleidoscope from the database?"));
            break;
        case Step::next: {
            control<QPushButton>(ed, "cmd_next")->click();
            QVERIFY2(ed->windowTitle().contains(QLatin1String(" of 7]")), qPrintable(ed->windowTitle()));
            // The record shown is the one its position names in the file as it is now.
            const Session& s = ed->session();
            ScopeRecord stored;
            QVERIFY(read_record(s.path(), s.ws().record_at(s.ws().position()), stored));
            QCOMPARE(trim_blanks(stored.scopename), name->text());
            QVERIFY(QDir(db->dir()).entryList({".test.rnd.*"}, QDir::Hidden | QDir::Files).isEmpty());
            break;
        }
        }
        QCOMPARE(scope_names(db->path()), names);
        // The window's claim moved to the file the import put in place: another writer is refused.
        QCOMPARE(import_append(source, db->path(), false).code, 3);
    }

    // A window never writes without the lock on the file at its path: it
    // claims a file put in its place, or turns read-only when another window
    // claimed it first; every name of a hard-linked collection sees its saves.
    void the_claim_stays_on_the_file_at_the_path_data()
    {
        QTest::addColumn<Swap>("swap");
        QTest::newRow("a program renames a file of the same length over it") << Swap::renamed_over;
        QTest::newRow("a forced import, then another window claims the new file") << Swap::forced_import_then_taken;
        QTest::newRow("a forced import, noticed at once") << Swap::forced_import_noticed;
        QTest::newRow("a collection with a second name") << Swap::hard_link;
    }
    void the_claim_stays_on_the_file_at_the_path()
    {
        QFETCH(Swap, swap);
        const QString other_name = db->dir() + QStringLiteral("/second-name.rnd");
        if (swap == Swap::hard_link)
            QVERIFY(::link(QFile::encodeName(db->path()).constData(), QFile::encodeName(other_name).constData()) == 0);
        QVERIFY(window->open_database(db->path()));
        RecordEditor* ed = editor();
        auto* name = control<QLineEdit>(ed, "tb_scopename");
        name->setText(QStringLiteral("Edited here"));
        std::unique_ptr<OtherWriter> other;
        if (swap == Swap::renamed_over) {
            const QString copy = db->dir() + QStringLiteral("/copy.rnd");
            QVERIFY(QFile::copy(db->path(), copy));
            QCOMPARE(::rename(QFile::encodeName(copy).constData(), QFile::encodeName(db->path()).constData()), 0);
        } else if (swap == Swap::forced_import_then_taken || swap == Swap::forced_import_noticed) {
            const QString source = db->dir() + QStringLiteral("/new.csv");
            QVERIFY(write_bytes(source, "scopename\nImported\n"));
            QCOMPARE(import_append(source, db->path(), true).code, 0);
            if (swap == Swap::forced_import_then_taken) {
                other = std::make_unique<OtherWriter>(db->path());  // before the window has looked
                QVERIFY(other->holds());
            } else {
                // The window claims the new file as soon as it sees it.
                QTRY_VERIFY(ed->windowTitle().endsWith(QLatin1String("[Changed by another program]")));
                QVERIFY(!OtherWriter(db->path()).holds());
            }
        }
        const QByteArray before = read_bytes(db->path());
        dialogs->shown.clear();
        dialogs->answers = {MsgAnswer::yes, MsgAnswer::yes, MsgAnswer::yes, MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_save")->click();
        if (swap == Swap::forced_import_noticed)
            control<QPushButton>(ed, "cmd_save")
                ->click();  // the first was refused and the collection read again, the edit kept
        if (swap == Swap::forced_import_then_taken) {
            const QString lost = QStringLiteral(
                "Another program replaced the collection %1, and it is now open for changes in %2.\nThis window is "
                "read-only from now on: nothing can be saved, added, deleted or imported here. Your changes are "
                "still on screen.");
            QCOMPARE(dialogs->texts().last(), lost.arg(db->path(), other->holder()));
            QCOMPARE(read_bytes(db->path()), before);
            QCOMPARE(name->text(), QStringLiteral("Edited here"));
            QVERIFY(name->isReadOnly());
            QVERIFY2(ed->windowTitle().contains(QLatin1String("[Read-only]")), qPrintable(ed->windowTitle()));
            return;
        }
        QVERIFY2(dialogs->last().text.endsWith(QLatin1String("saved to database")),
                 qPrintable(dialogs->texts().join(QLatin1Char('|'))));
        QVERIFY(scope_names(db->path()).contains(QStringLiteral("Edited here")));
        // Whoever comes next finds the collection claimed, under either name.
        OtherWriter next(swap == Swap::hard_link ? other_name : db->path());
        QVERIFY(!next.holds());
        if (swap == Swap::hard_link) {
            QCOMPARE(read_bytes(other_name), read_bytes(db->path()));
            QCOMPARE(read_bytes(backup_path_of(db->path())), before);
        }
    }

private:
    std::unique_ptr<TempDb> db;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<StartWindow> window;
};

QTEST_MAIN(tst_two_writers)
#include "tst_two_writers.moc"
