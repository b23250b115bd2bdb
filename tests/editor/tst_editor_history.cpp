// What the record editor writes into the collection's history: each save,
// addition, deletion and import as one change; a history it cannot trust is
// set aside and the user told; a read-only window leaves the history alone.
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "appearance/scheme_paint.h"
#include "common/gui_colors.h"
#include "core/collection_history.h"
#include "core/collection_stats.h"
#include "core/record_file.h"
#include "dialogs/deleted_kaleidoscopes_window.h"
#include "dialogs/field_change_dialog.h"
#include "dialogs/import_preview.h"
#include "dialogs/kaleidoscope_history_window.h"
#include "editor/collection_list_window.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

enum class Write { save, add, remove, import };

// The kinds of the changes recorded for the kaleidoscope at record n, newest first.
QStringList kinds_at(const QString& collection, int n)
{
    CollectionHistory h(collection);
    if (!h.open().ok)
        return {"cannot open"};
    QStringList kinds;
    for (const KaleidoscopeVersion& v : h.versions_of(h.identity_at(n)))
        kinds << change_kind_name(v.kind);
    return kinds;
}

}  // namespace

Q_DECLARE_METATYPE(Write)

class tst_editor_history : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void each_write_is_one_change_data()
    {
        QTest::addColumn<Write>("command");
        QTest::addColumn<int>("record");
        QTest::addColumn<QStringList>("kinds");
        QTest::newRow("Save") << Write::save << 1 << QStringList{"save"};
        QTest::newRow("Add") << Write::add << 6 << QStringList{"add"};
        QTest::newRow("Delete") << Write::remove << 0 << QStringList{};
        QTest::newRow("Import") << Write::import << 7 << QStringList{"import"};
    }
    void each_write_is_one_change()
    {
        QFETCH(Write, command);
        QFETCH(int, record);
        QFETCH(QStringList, kinds);
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        f.dialogs.answers = {MsgAnswer::yes, MsgAnswer::yes};
        switch (command) {
        case Write::save:
            control<QLineEdit>(ed, "tb_city")->setText("Taos");
            control<QPushButton>(ed, "cmd_save")->click();
            break;
        case Write::add:
            control<QPushButton>(ed, "cmd_new")->click();
            control<QLineEdit>(ed, "tb_scopename")->setText("Foxtrot");
            control<QPushButton>(ed, "cmd_save")->click();
            break;
        case Write::remove: control<QPushButton>(ed, "cmd_del")->click(); break;
        case Write::import: {
            const QString csv = f.db.dir() + "/list.csv";
            QVERIFY(write_bytes(csv, "Name\r\nFoxtrot\r\nGolf\r\n"));
            f.dialogs.choose_file(csv);
            when_modal<ImportPreview>([](ImportPreview* d) { control<QPushButton>(d, "cmd_import")->click(); });
            control<QAction>(ed, "mnu_import")->trigger();
            break;
        }
        }
        for (const QString& text : f.dialogs.texts())
            QVERIFY2(!text.contains("not being recorded"), qPrintable(text));
        if (record > 0)
            QCOMPARE(kinds_at(f.db.path(), record), kinds);
        CollectionHistory h(f.db.path());
        QVERIFY(h.open().ok);
        const std::vector<DeletedKaleidoscope> gone = h.deleted();
        QCOMPARE(gone.size(), size_t(command == Write::remove ? 1 : 0));
        if (!gone.empty())
            QCOMPARE(decode_record(gone[0].bytes.constData()).scopename, make_record("Alpha").scopename);
    }

    // Undo and Redo from the menu, naming what they take back, also in a
    // window opened after the one that made the change has gone.
    void undo_and_redo_from_the_menu_data()
    {
        QTest::addColumn<Write>("command");
        QTest::addColumn<QString>("what");
        QTest::newRow("a save") << Write::save << "save of Alpha";
        QTest::newRow("a deletion") << Write::remove << "delete of Alpha";
    }
    void undo_and_redo_from_the_menu()
    {
        QFETCH(Write, command);
        QFETCH(QString, what);
        EditorFixture f(five_records());
        const QByteArray before = read_bytes(f.db.path());
        RecordEditor* ed = f.open();
        QVERIFY(!control<QAction>(ed, "mnu_undo")->isEnabled());
        f.dialogs.answers = {MsgAnswer::yes};
        if (command == Write::save) {
            control<QLineEdit>(ed, "tb_city")->setText("Taos");
            control<QPushButton>(ed, "cmd_save")->click();
        } else {
            control<QPushButton>(ed, "cmd_del")->click();
        }
        const QByteArray changed = read_bytes(f.db.path());
        QVERIFY(changed != before);
        for (int window = 0; window < 2; ++window) {  // the second as after a restart
            QCOMPARE(control<QAction>(ed, "mnu_undo")->text(), "U&ndo " + what);
            QCOMPARE(control<QAction>(ed, "mnu_undo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
            control<QAction>(ed, "mnu_undo")->trigger();
            QCOMPARE(read_bytes(f.db.path()), before);
            QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Alpha"));
            QCOMPARE(control<QLineEdit>(ed, "tb_city")->text(), QString());
            QCOMPARE(control<QAction>(ed, "mnu_redo")->text(), "&Redo " + what);
            control<QAction>(ed, "mnu_redo")->trigger();
            QCOMPARE(read_bytes(f.db.path()), changed);
            ed = f.open();
        }
        QCOMPARE(f.dialogs.texts().filter("not being recorded"), QStringList());
    }

    // Another program changed the kaleidoscope since: Undo says so and writes nothing.
    void undo_tells_what_another_program_changed()
    {
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        f.dialogs.answers = {MsgAnswer::yes};
        control<QLineEdit>(ed, "tb_city")->setText("Taos");
        control<QPushButton>(ed, "cmd_save")->click();
        ScopeRecord theirs = read_db(f.db.path()).at(0);
        theirs.city = fixed_text("Santa Fe", 50);
        QVERIFY(write_record(f.db.path(), 1, theirs));
        const QByteArray meddled = read_bytes(f.db.path());
        f.dialogs.shown.clear();
        f.dialogs.answers = {MsgAnswer::no};
        control<QAction>(ed, "mnu_undo")->trigger();
        QCOMPARE(f.dialogs.texts().last(),
                 QStringLiteral("Changes made before another program changed the collection cannot be undone."));
        QCOMPARE(read_bytes(f.db.path()), meddled);
        QVERIFY(!control<QAction>(ed, "mnu_undo")->isEnabled());
    }

    // The versions of the shown kaleidoscope, newest first, with each field's
    // old and new value; a restored version is on the form, not yet saved.
    void a_version_is_restored_onto_the_form()
    {
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        for (const char* city : {"Taos", "Reno"}) {
            f.dialogs.answers = {MsgAnswer::yes};
            control<QLineEdit>(ed, "tb_city")->setText(city);
            control<QPushButton>(ed, "cmd_save")->click();
        }
        const QByteArray saved = read_bytes(f.db.path());
        QStringList seen;
        when_modal<KaleidoscopeHistoryWindow>([&seen](KaleidoscopeHistoryWindow* w) {
            auto* versions = control<QTableWidget>(w, "tbl_versions");
            auto* fields = control<QTableWidget>(w, "tbl_fields");
            seen << w->windowTitle() << QString::number(versions->rowCount()) << versions->item(0, 2)->text()
                 << fields->item(0, 0)->text() + ": " + fields->item(0, 1)->text() + " -> "
                    + fields->item(0, 2)->text();
            versions->setCurrentCell(1, 0);
            seen << fields->item(0, 1)->text() + " -> " + fields->item(0, 2)->text();
            // In the scheme's colours, as every window of the program.
            QCOMPARE(w->palette().color(QPalette::Window), scheme_color(color_form_background));
            QCOMPARE(control<QPushButton>(w, "cmd_restore")->palette().color(QPalette::Button),
                     scheme_color(color_command_buttons));
            control<QPushButton>(w, "cmd_restore")->click();
        });
        control<QAction>(ed, "mnu_history")->trigger();
        QCOMPARE(seen, (QStringList{"History of Alpha", "2", "Saved", "City: Taos -> Reno", " -> Taos"}));
        QCOMPARE(control<QLineEdit>(ed, "tb_city")->text(), QStringLiteral("Taos"));
        QCOMPARE(control<QLineEdit>(ed, "tb_city")->palette().color(QPalette::Base), scheme_color(color_changed_data));
        QCOMPARE(read_bytes(f.db.path()), saved);
    }

    // Change a field...: the changes listed before anything is written, then
    // one write that one Undo takes back; a value the form refuses, and a
    // write by another program while the changes were shown, write nothing.
    void one_change_for_many_data()
    {
        QTest::addColumn<QString>("group");  // the list's group current when the command starts
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("from");  // empty: set to a new value
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("meddled");  // another program writes while the changes are shown
        QTest::addColumn<QString>("status");
        QTest::addColumn<QStringList>("after");  // "Scope name, City" of each kaleidoscope afterwards
        const QStringList unchanged{"Alpha, ", "Bravo, ", "Charlie, ", "Delta, ", "Echo, "};
        const QStringList all_taos{"Alpha, Taos", "Bravo, Taos", "Charlie, Taos", "Delta, Taos", "Echo, Taos"};
        // clang-format off
        QTest::newRow("the working set set to a new value")
            << "" << "City" << "" << "Taos" << false << "5 of 5 kaleidoscopes will change." << all_taos;
        QTest::newRow("one group of the list, a text replaced")
            << "2001" << "Scope name" << "a" << "o" << false << "2 of 2 kaleidoscopes will change."
            << QStringList{"Alpha, ", "Bravo, ", "Chorlie, ", "Delto, ", "Echo, "};
        QTest::newRow("a date the form refuses")
            << "" << "Date of purchase" << "" << "13/45/2000" << false << "Invalid entry for date of purchase field!"
            << unchanged;
        QTest::newRow("another program wrote meanwhile")
            << "" << "City" << "" << "Taos" << true << "4 of 5 kaleidoscopes will change." << all_taos;
        QTest::newRow("the group gone meanwhile")
            << "2003" << "City" << "" << "Reno" << true
            << "The group 2003 is no longer in the working set: choose a group again."
            << QStringList{"Alpha, ", "Bravo, ", "Charlie, ", "Delta, ", "Echo, Taos"};
        // clang-format on
    }
    void one_change_for_many()
    {
        QFETCH(QString, group);
        QFETCH(QString, field);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, meddled);
        QFETCH(QString, status);
        QFETCH(QStringList, after);
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        if (!group.isEmpty()) {
            control<QAction>(ed, "mnu_list")->trigger();
            auto* list = control<CollectionListWindow>(ed, "frm_list");
            auto* group_by = control<QComboBox>(list, "list_group_by");
            group_by->setCurrentIndex(group_by->findText("Year of purchase"));
            auto* tree = control<QTreeView>(list, "list_groups");
            tree->setCurrentIndex(tree->model()->match(tree->model()->index(0, 0), Qt::DisplayRole, group).value(0));
        }
        QByteArray before = read_bytes(f.db.path());
        QStringList seen;
        when_modal<FieldChangeDialog>([&](FieldChangeDialog* d) {
            seen << control<QComboBox>(d, "change_group")->currentText();
            auto* fields = control<QComboBox>(d, "change_field");
            fields->setCurrentIndex(fields->findText(field));
            if (!from.isEmpty()) {
                control<QRadioButton>(d, "change_replace")->click();
                QTest::keyClicks(control<QLineEdit>(d, "change_from"), from);
            }
            QTest::keyClicks(control<QLineEdit>(d, "change_to_edit"), to);
            QTest::keyClick(control<QLineEdit>(d, "change_to_edit"), Qt::Key_Return);  // Show changes
            auto* change = control<QPushButton>(d, "change_write");
            seen << control<QLabel>(d, "change_status")->text() << change->text()
                 << QString::number(control<QTreeWidget>(d, "change_list")->topLevelItemCount());
            if (meddled) {
                // Echo moves to Taos and out of the purchases of 2003.
                ScopeRecord theirs = read_db(f.db.path()).at(4);
                theirs.city = fixed_text("Taos", 50);
                theirs.date_bought = fixed_text("1/1/1999", int(theirs.date_bought.size()));
                QVERIFY(write_record(f.db.path(), 5, theirs));
                change->click();  // refused, told, and the changes shown again
                seen << control<QLabel>(d, "change_status")->text();
                before = read_bytes(f.db.path());
            }
            if (change->isEnabled())
                change->click();
            else
                d->reject();
        });
        control<QAction>(ed, "mnu_change_field")->trigger();
        const bool written = status.endsWith("will change.");
        QVERIFY2(seen.value(0).startsWith(group.isEmpty() ? "All 5 of the working set" : group + " ("),
                 qPrintable(seen.value(0)));
        QCOMPARE(seen.value(meddled ? 4 : 1), status);
        QCOMPARE(seen.value(2), seen.value(3) != "0" ? "&Change " + counted(seen.value(3).toInt()) : "&Change");
        QStringList stored;
        for (const ScopeRecord& r : read_db(f.db.path()))
            stored << trim_blanks(r.scopename) + ", " + trim_blanks(r.city);
        QCOMPARE(stored, after);
        if (!written) {
            QCOMPARE(read_bytes(f.db.path()), before);
            return;
        }
        QCOMPARE(f.dialogs.texts().filter("Another program").size(), meddled ? 1 : 0);
        QCOMPARE(f.dialogs.texts().last(),
                 QString("%1 kaleidoscopes were changed. Undo in the Kaleidoscope data menu takes the whole change "
                         "back.")
                     .arg(status.section(' ', 0, 0)));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), after.first().section(", ", 0, 0));
        ed = f.open();  // as after a restart
        QCOMPARE(control<QAction>(ed, "mnu_undo")->text(),
                 QString("U&ndo change of %1 kaleidoscopes").arg(status.section(' ', 0, 0)));
        control<QAction>(ed, "mnu_undo")->trigger();
        QCOMPARE(read_bytes(f.db.path()), before);
    }

    void a_deleted_kaleidoscope_is_restored()
    {
        EditorFixture f(five_records());
        const QByteArray before = read_bytes(f.db.path());
        RecordEditor* ed = f.open();
        f.dialogs.answers = {MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_next")->click();
        control<QPushButton>(ed, "cmd_del")->click();  // Bravo, record 2
        int listed = -1;
        when_modal<DeletedKaleidoscopesWindow>([&listed](DeletedKaleidoscopesWindow* w) {
            QTest::keyClicks(control<QLineEdit>(w, "ed_filter"), "brav");
            listed = control<QTableWidget>(w, "tbl_deleted")->rowCount();
            control<QPushButton>(w, "cmd_restore")->click();
        });
        control<QAction>(ed, "mnu_deleted")->trigger();
        QCOMPARE(listed, 1);
        QCOMPARE(read_bytes(f.db.path()), before);
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Bravo"));
        QCOMPARE(kinds_at(f.db.path(), 2), (QStringList{"restore", "delete"}));
        f.dialogs.shown.clear();
        control<QAction>(ed, "mnu_deleted")->trigger();
        QCOMPARE(f.dialogs.texts(), QStringList{"No deleted kaleidoscope is recorded in the collection's history."});
    }

    // A history that is not this program's is kept under another name, the
    // user told once, and the save goes ahead into a new history.
    void an_untrusted_history_is_set_aside_and_told()
    {
        EditorFixture f(five_records());
        const QString companion = history_path_of(f.db.path());
        QVERIFY(write_bytes(companion, QByteArray(4096, 'x')));
        RecordEditor* ed = f.open();
        QCOMPARE(f.dialogs.shown,
                 (Shown{{QStringLiteral("The history file %1 is damaged. It was kept as %1.set-aside and a new history "
                                        "was started.")
                             .arg(companion),
                         MsgIcon::exclamation}}));
        QCOMPARE(read_bytes(companion + ".set-aside"), QByteArray(4096, 'x'));
        f.dialogs.shown.clear();
        f.dialogs.answers = {MsgAnswer::yes};
        control<QLineEdit>(ed, "tb_city")->setText("Taos");
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(f.dialogs.texts().size(), 2);  // the question and "saved"
        QCOMPARE(kinds_at(f.db.path(), 1), QStringList{"save"});
    }
};

QTEST_MAIN(tst_editor_history)
#include "tst_editor_history.moc"
