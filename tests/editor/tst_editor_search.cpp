// Select, sort, find and delete driven from the record editor. The matching
// rules, the scans and the byte-level deletion are checked on the core; here
// the editor's calls, captions, questions and messages.
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "common/gui_colors.h"
#include "core/session.h"
#include "dialogs/criteria_dialog.h"
#include "dialogs/criteria_window.h"
#include "dialogs/sort_dialog.h"
#include "editor/record_search.h"
#include "ui/progress_window.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

using Ws = std::vector<int>;

// Fills the criteria dialog's text slots (by slot number) and presses Perform.
template <class D> void criteria(const QList<QPair<int, QString>>& entries)
{
    when_modal<D>([entries](D* d) {
        for (const auto& [k, text] : entries) {
            if (QComboBox* c = criteria_combo(d, k))
                c->setEditText(text);
            else
                criteria_box(d, k)->setText(text);
        }
        QTest::mouseClick(perform_button(d), Qt::LeftButton);
    });
}
void select_artist(const QString& text)
{
    criteria<SelectDialog>({{2, text}});
}
void find_artist(const QString& text)
{
    criteria<FindDialog>({{2, text}});
}

// How the user asks for the criteria behind the Select or Find button.
enum class Ask { right_click, menu_key, shift_f10, menu_item };

void ask_for_criteria(QWidget* ed, const char* button, Ask how)
{
    auto* b = control<QPushButton>(ed, button);
    switch (how) {
    case Ask::right_click:
        QTest::mousePress(b, Qt::RightButton);
        QTest::mouseRelease(b, Qt::RightButton);
        break;
    case Ask::menu_key:
        b->setFocus();
        QTest::keyClick(b, Qt::Key_Menu);
        break;
    case Ask::shift_f10:
        b->setFocus();
        QTest::keyClick(b, Qt::Key_F10, Qt::ShiftModifier);
        break;
    case Ask::menu_item:
        control<QAction>(ed, button == QLatin1String("cmd_select") ? "mnu_selcrit" : "mnu_findcrit")->trigger();
        break;
    }
}

// Remembers what the progress window showed.
class WaiterSpy : public QObject {
public:
    WaiterSpy() { qApp->installEventFilter(this); }
    ~WaiterSpy() override { qApp->removeEventFilter(this); }
    QStringList seen;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            if (auto* w = qobject_cast<ProgressWindow*>(o))
                seen << w->windowTitle() << control<QLabel>(w, "lbl_msg")->text()
                     << QString::number(control<QProgressBar>(w, "progbar")->maximum());
        return false;
    }
};

}  // namespace

Q_DECLARE_METATYPE(Ask)

class tst_editor_search : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }
    // A dialog driver left waiting by a failed test must not act in the next one.
    void cleanup() { QCoreApplication::processEvents(); }

    void selection_keeps_the_remembered_sort()
    {
        EditorFixture f(five_records(), true);
        f.session.ws().restore_sort({SortField::artist, true, "[Sorted by: Unsorted]"});
        RecordEditor* ed = f.open();
        WaiterSpy spy;
        select_artist(QStringLiteral("smith"));
        control<QPushButton>(ed, "cmd_select")->click();
        QCOMPARE(f.dialogs.texts(), QStringList{});
        QCOMPARE(spy.seen, (QStringList{"Tessaran Action", "Selecting kaleidoscope records...", "5"}));
        QCOMPARE(f.state().ws().positions(), (Ws{3, 1, 5}));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Charlie"));
        QVERIFY(
            ed->windowTitle().contains(QLatin1String("[Record 1 of 3]  [Sorted by: Artist(Desc.)]  [Selected:Text]")));
        QCOMPARE(f.state().ws().selection_text(), QStringLiteral("Text select:\r\n   Artist contains \"SMITH\""));

        // Select all sorts again by the remembered field.
        when_modal<SelectDialog>(
            [](SelectDialog* d) { QTest::mouseClick(control<QPushButton>(d, "cmd_selectall"), Qt::LeftButton); });
        control<QPushButton>(ed, "cmd_select")->click();
        QCOMPARE(f.state().ws().positions(), (Ws{3, 1, 2, 4, 5}));
        QVERIFY(ed->windowTitle().endsWith(QLatin1String("[Sorted by: Artist(Desc.)]  [Selected: All]")));
        QCOMPARE(f.state().ws().selection_text(), QStringLiteral("All"));
    }

    void no_match_keeps_the_working_set_and_caption()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        select_artist(QStringLiteral("smith"));
        control<QPushButton>(ed, "cmd_select")->click();
        control<QPushButton>(ed, "cmd_next")->click();
        const Ws before = f.state().ws().positions();
        const QString caption = ed->windowTitle();
        const QString criteria_text = f.state().ws().selection_text();

        select_artist(QStringLiteral("nobody"));
        control<QPushButton>(ed, "cmd_select")->click();
        QCOMPARE(f.dialogs.shown, (Shown{{"No matching kaleidoscope records were found.", MsgIcon::information}}));
        QCOMPARE(f.state().ws().positions(), before);
        QCOMPARE(ed->windowTitle(), caption);
        QCOMPARE(f.state().ws().matched(), int(0));
        QCOMPARE(f.state().ws().selection_text(), criteria_text);
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Alpha"));

        // The summary refuses although the editor still walks the previous working set.
        control<QAction>(ed, "mnu_summary")->trigger();
        QCOMPARE(f.dialogs.last(),
                 (ShownMessage{"Last select operation returned no matching kaleidoscope records", MsgIcon::critical}));

        // Find Next still walks the working set shown.
        f.dialogs.answer(MsgAnswer::yes);
        control<QPushButton>(ed, "cmd_findnxt")->click();
        QCOMPARE(f.dialogs.texts().last(), QStringLiteral("Previous find attempt produced no matches"));
    }

    void cancel_or_nothing_found_after_all_changes_nothing()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        control<QPushButton>(ed, "cmd_endscope")->click();
        const QString caption = ed->windowTitle();
        WaiterSpy spy;
        when_modal<SelectDialog>([](SelectDialog* d) {
            criteria_box(d, 1)->setText(QStringLiteral("Alpha"));
            QTest::mouseClick(control<QPushButton>(d, "cmd_cancel"), Qt::LeftButton);
        });
        control<QPushButton>(ed, "cmd_select")->click();
        QVERIFY(f.dialogs.shown.isEmpty());
        QVERIFY(spy.seen.isEmpty());
        QCOMPARE(ed->windowTitle(), caption);
        QCOMPARE(f.state().ws().position(), int(5));

        criteria<SelectDialog>({{3, "no such studio"}});
        control<QPushButton>(ed, "cmd_select")->click();
        QCOMPARE(f.dialogs.shown, (Shown{{"No matching kaleidoscope records were found.", MsgIcon::information}}));
        QVERIFY(f.state().ws().all());
        QCOMPARE(f.state().ws().selection_text(), QStringLiteral("All"));
        QVERIFY(ed->windowTitle().endsWith(QLatin1String("[Selected: All]")));
        QCOMPARE(f.state().ws().positions(), (Ws{5, 4, 2, 1, 3}));
    }

    void select_all_on_an_empty_database()
    {
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        QVERIFY(f.db.rewrite({}));
        when_modal<SelectDialog>([](SelectDialog* d) { control<QPushButton>(d, "cmd_selectall")->click(); });
        control<QPushButton>(ed, "cmd_select")->click();
        QCOMPARE(f.state().ws().count(), int(0));
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Adding record 1]")));
        QVERIFY(!control<QPushButton>(ed, "cmd_select")->isEnabled());
        QVERIFY(control<QPushButton>(ed, "cmd_save")->isEnabled());
    }

    void sort_then_sort_with_nothing_chosen()
    {
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        control<QPushButton>(ed, "cmd_endscope")->click();
        when_modal<SortDialog>([](SortDialog* d) {
            control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(1))->setChecked(true);
            control<QRadioButton>(d, "opt_descending")->setChecked(true);
            QTest::mouseClick(control<QPushButton>(d, "cmd_sort"), Qt::LeftButton);
        });
        control<QPushButton>(ed, "cmd_sort")->click();
        QCOMPARE(f.state().ws().positions(), (Ws{5, 4, 3, 2, 1}));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Echo"));
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Record 1 of 5]  [Sorted by: Scope name(Desc.)]")));

        // Sort with nothing chosen, then Cancel: order and caption stay, the remembered field is gone.
        when_modal<SortDialog>([](SortDialog* d) {
            control<QPushButton>(d, "cmd_sort")->click();
            control<QPushButton>(d, "cmd_cancel")->click();
        });
        control<QAction>(ed, "mnu_sort")->trigger();
        QCOMPARE(f.dialogs.shown, (Shown{{"No sort criterion selected!", MsgIcon::critical}}));
        QCOMPARE(f.state().ws().positions(), (Ws{5, 4, 3, 2, 1}));
        QCOMPARE(f.state().ws().sort_field(), SortField::none);
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Sorted by: Scope name(Desc.)]")));
    }

    void find_next_walks_and_asks_at_the_end()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        control<QPushButton>(ed, "cmd_findnxt")->click();  // before any Find
        QCOMPARE(f.dialogs.shown, (Shown{{"Previous find attempt produced no matches", MsgIcon::information}}));
        f.dialogs.shown.clear();

        // Position 1 matches and is shown already: Find shows it (again).
        find_artist(QStringLiteral("smith"));
        control<QPushButton>(ed, "cmd_find")->click();
        QCOMPARE(f.state().ws().position(), int(1));
        QCOMPARE(f.state().ws().find_text(), QStringLiteral("Text select:\r\n   Artist contains \"SMITH\""));
        QStringList visited;
        for (int i = 0; i < 2; ++i) {
            control<QPushButton>(ed, "cmd_findnxt")->click();
            visited << control<QLineEdit>(ed, "tb_artist")->text();
        }
        QCOMPARE(visited, (QStringList{"Smith, Ann", "smithers, Carl"}));

        // At the last match: No keeps the record and asks again at once; Yes starts over.
        f.dialogs.answer(MsgAnswer::no);
        control<QPushButton>(ed, "cmd_findnxt")->click();
        f.dialogs.answer(MsgAnswer::no);
        control<QPushButton>(ed, "cmd_findnxt")->click();
        QCOMPARE(f.state().ws().position(), int(5));
        f.dialogs.answer(MsgAnswer::yes);
        control<QAction>(ed, "mnu_findnxt")->trigger();
        QCOMPARE(f.dialogs.shown,
                 Shown(3,
                       {"End of file reached. Begin search from the beginning?", MsgIcon::none, MsgButtons::yes_no,
                        "Search criteria"}));
        QCOMPARE(f.state().ws().position(), int(1));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Echo"));

        // No match: the record stays, the find cancelled by the frame changes nothing.
        f.dialogs.shown.clear();
        control<QPushButton>(ed, "cmd_next")->click();
        find_artist(QStringLiteral("nobody"));
        control<QPushButton>(ed, "cmd_find")->click();
        QCOMPARE(
            f.dialogs.shown,
            (Shown{{"No matching kaleidoscopes found.", MsgIcon::information, MsgButtons::ok, "Search criteria"}}));
        QVERIFY(!f.state().ws().found());
        QCOMPARE(f.state().ws().position(), int(2));
        when_modal<FindDialog>([](FindDialog* d) {
            criteria_box(d, 1)->setText(QStringLiteral("Alpha"));
            d->close();
        });
        control<QPushButton>(ed, "cmd_find")->click();
        QCOMPARE(f.state().ws().find_criteria().texts[1], QStringLiteral("NOBODY"));
        QVERIFY(f.state().ws().find_criteria().texts[0].isEmpty());
    }

    void the_criteria_are_shown_on_request_data()
    {
        QTest::addColumn<Ask>("how");
        QTest::newRow("right click") << Ask::right_click;
        QTest::newRow("the context-menu key") << Ask::menu_key;
        QTest::newRow("Shift+F10") << Ask::shift_f10;
        QTest::newRow("the menu item") << Ask::menu_item;
    }
    void the_criteria_are_shown_on_request()
    {
        QFETCH(Ask, how);
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        QStringList texts;
        when_modal<SelectionCriteriaWindow>([&texts](SelectionCriteriaWindow* w) {
            texts << w->windowTitle() << w->heading() << w->text();
            QTest::mouseClick(control<QPushButton>(w, "cmd_close"), Qt::LeftButton);
        });
        ask_for_criteria(ed, "cmd_select", how);
        QCOMPARE(texts, (QStringList{"Selection criteria", "SELECTION CRITERIA", "All"}));

        // Before any Find there is nothing to show.
        QStringList unexpected;
        when_modal<FindCriteriaWindow>([&unexpected](FindCriteriaWindow*) { unexpected << "frm_findcrit"; },
                                       &unexpected);
        f.dialogs.shown.clear();
        ask_for_criteria(ed, "cmd_find", how);
        QCoreApplication::processEvents();
        QVERIFY(unexpected.isEmpty());
        // Asked from the menu, the user is told why nothing shows.
        QCOMPARE(f.dialogs.texts().size(), how == Ask::menu_item ? 1 : 0);

        find_artist(QStringLiteral("jones"));
        control<QPushButton>(ed, "cmd_find")->click();
        texts.clear();
        when_modal<FindCriteriaWindow>([&texts](FindCriteriaWindow* w) {
            texts << w->windowTitle() << w->heading() << w->text();
            control<QPushButton>(w, "cmd_close")->click();
        });
        ask_for_criteria(ed, "cmd_find", how);
        QCOMPARE(texts,
                 (QStringList{"Find criteria", "FIND CRITERIA", "Text select:\r\n   Artist contains \"JONES\""}));
    }

    void delete_asks_and_reselects()
    {
        EditorFixture f(five_records());
        const QByteArray before = read_bytes(f.db.path());
        RecordEditor* ed = f.open();
        control<QPushButton>(ed, "cmd_next")->click();
        f.dialogs.answer(MsgAnswer::no);
        control<QAction>(ed, "mnu_delete")->trigger();
        QCOMPARE(read_bytes(f.db.path()), before);
        f.dialogs.shown.clear();

        QVERIFY(ed->show_position(3));
        control<QLineEdit>(ed, "tb_scopename")->setText(QStringLiteral("edited, not saved"));
        control<QPushButton>(ed, "cmd_del")->click();
        QCOMPARE(
            f.dialogs.shown,
            (Shown{{"Are you sure you want to delete this kaleidoscope from the database?", MsgIcon::critical,
                    MsgButtons::yes_no},
                   {"Record 3 has been deleted from the database.\nRecords will now be reselected and resorted."}}));
        QCOMPARE(QFileInfo(f.db.path()).size(), qint64(4) * rec_len_bytes);
        QCOMPARE(f.state().ws().positions(), (Ws{1, 2, 3, 4}));
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Record 1 of 4]")));

        f.dialogs.shown.clear();
        control<QPushButton>(ed, "cmd_new")->click();
        control<QPushButton>(ed, "cmd_del")->click();
        QCOMPARE(f.dialogs.texts(),
                 QStringList{"This kaleidoscope has not been saved to the database, so there is nothing to delete."});
    }

    void delete_the_only_record()
    {
        EditorFixture f({make_record("Solo", "One")});
        RecordEditor* ed = f.open();
        control<QPushButton>(ed, "cmd_del")->click();
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{"Are you sure you want to delete this kaleidoscope from the database?",
                              "There are no records in current database"}));
        QCOMPARE(QFileInfo(f.db.path()).size(), qint64(0));
        QCOMPARE(f.state().ws().count(), int(0));
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Adding record 1]")));
        QVERIFY(!control<QPushButton>(ed, "cmd_del")->isEnabled());
        QVERIFY(control<QLineEdit>(ed, "tb_scopename")->text().isEmpty());
    }

    void delete_within_a_sorted_selection()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        select_artist(QStringLiteral("smith"));
        control<QPushButton>(ed, "cmd_select")->click();
        control<QPushButton>(ed, "cmd_next")->click();
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Alpha"));
        control<QPushButton>(ed, "cmd_del")->click();
        QCOMPARE(f.dialogs.last().text,
                 QStringLiteral(
                     "Record 2 has been deleted from the database.\nRecords will now be reselected and resorted."));
        // Former records 3 and 5 are now 2 and 4; still by artist, still the same criteria.
        QCOMPARE(f.state().ws().positions(), (Ws{4, 2}));
        QVERIFY(
            ed->windowTitle().contains(QLatin1String("[Record 1 of 2]  [Sorted by: Artist(Asc.)]  [Selected:Text]")));

        // Deleting the last match shows every record: the old working set would point at moved records.
        f.dialogs.shown.clear();
        select_artist(QStringLiteral("brown"));
        control<QPushButton>(ed, "cmd_select")->click();
        control<QPushButton>(ed, "cmd_del")->click();
        QCOMPARE(f.dialogs.texts().last(), QStringLiteral("No matching kaleidoscope records were found."));
        QCOMPARE(f.state().ws().positions(), (Ws{3, 1, 2}));
        QVERIFY(
            ed->windowTitle().contains(QLatin1String("[Record 1 of 3]  [Sorted by: Artist(Asc.)]  [Selected: All]")));
    }

    void delete_sorts_again_after_the_reselection()
    {
        // Equal artists: the unstable heapsort gives a different order when the
        // remembered sort runs twice (once in the reselection, once after it).
        QList<ScopeRecord> same;
        for (const char* name : {"Alpha", "Bravo", "Charlie", "Delta", "Echo"})
            same << make_record(QString::fromLatin1(name), QStringLiteral("Same, Artist"));
        EditorFixture f(same, true);
        QCOMPARE(f.session.ws().positions(), (Ws{2, 3, 4, 5, 1}));
        RecordEditor* ed = f.open();
        control<QPushButton>(ed, "cmd_del")->click();
        // One pass would give 2, 3, 4, 1 (Charlie first); two passes give this.
        QCOMPARE(f.state().ws().positions(), (Ws{3, 4, 1, 2}));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Delta"));
    }

    // "Find possible duplicates" from the Search menu: the groups in a
    // window whose rows show a kaleidoscope in the editor; none, a message.
    void possible_duplicates_are_shown_in_the_editor()
    {
        QList<ScopeRecord> records = five_records();
        records << make_record("alpha", "SMITH, ANN");
        EditorFixture f(records, true);
        RecordEditor* ed = f.open();
        when_modal<QDialog>([](QDialog* d) {
            auto* tree = control<QTreeWidget>(d, "dup_tree");
            QCOMPARE(tree->topLevelItem(0)->text(0),
                     QStringLiteral("Alpha, Smith, Ann: the same name and artist, 2 kaleidoscopes"));
            // The second of them: the one added last, written in capitals.
            tree->setFocus();
            tree->setCurrentItem(tree->topLevelItem(0)->child(1));
            QTest::keyClick(tree, Qt::Key_Return);
            d->reject();
        });
        control<QAction>(ed, "mnu_duplicates")->trigger();
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("alpha"));
        f.drop();
        EditorFixture single(five_records(), true);
        control<QAction>(single.open(), "mnu_duplicates")->trigger();
        QCOMPARE(single.dialogs.last().text,
                 QStringLiteral("No two of the 5 kaleidoscopes of the working set share a "
                                "name and artist or a picture."));
    }

    // Search > Saved selections: the selection in force and its sort kept
    // under a name with the collection, listed again after a restart, and
    // chosen to rebuild that working set from the collection as it is now.
    void saved_selections_rebuild_the_working_set()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        select_artist(QStringLiteral("smith"));
        control<QPushButton>(ed, "cmd_select")->click();
        QCOMPARE(f.state().ws().positions(), (Ws{5, 1, 3}));
        QMenu* saved = control<QMenu>(ed, "mnu_saved_selections");
        emit saved->aboutToShow();
        QCOMPARE(saved->actions().first()->text(), QStringLiteral("(none saved yet)"));
        when_modal<QInputDialog>([](QInputDialog* d) {
            d->setTextValue(QStringLiteral("Smiths"));
            d->accept();
        });
        saved->actions().at(2)->trigger();  // Save selection as...
        f.drop();

        // The program started again on the collection: everything in the working set.
        RecordEditor* next = f.open();
        QCOMPARE(f.state().ws().count(), 5);
        saved = control<QMenu>(next, "mnu_saved_selections");
        emit saved->aboutToShow();
        QCOMPARE(saved->actions().first()->text(), QStringLiteral("Smiths"));
        saved->actions().first()->trigger();
        QCOMPARE(f.state().ws().positions(), (Ws{5, 1, 3}));
        QVERIFY2(next->windowTitle().contains(QLatin1String("[Selected:Text]")), qPrintable(next->windowTitle()));
    }
};

QTEST_MAIN(tst_editor_search)
#include "tst_editor_search.moc"
