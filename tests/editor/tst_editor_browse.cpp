// The record editor when it opens, shows, walks and clears records.
#include "appearance/color_settings.h"
#include "appearance/scheme_paint.h"
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"
#include "editor/limited_text_edit.h"

#include "common/gui_colors.h"
#include "core/color_file.h"
#include "core/money.h"
#include "core/session.h"
#include "core/vocabularies.h"
#include "help/about_box.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

QList<ScopeRecord> three_records()
{
    return {make_record("Aurora", "Baker, Ann", "3/4/2001", 125000),
            make_record("Borealis", QStringLiteral("Cole, Ben")),
            make_record("Cosmos", "Adams, Cy", QString(), 0, 99900)};
}

}  // namespace

class tst_editor_browse : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void load_shows_first_record_and_close_leaves()
    {
        EditorFixture f(three_records());
        RecordEditor* ed = f.open();
        QVERIFY(!f.startup->isEnabled());
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Aurora"));
        QCOMPARE(control<QLineEdit>(ed, "tb_price_paid")->text(), money_text(125000));
        QCOMPARE(control<QLineEdit>(ed, "tb_price_retail")->text(), QString());
        QCOMPARE(ed->windowTitle(),
                 QStringLiteral("Database file: ") + f.db.path()
                     + QStringLiteral("  [Record 1 of 3]  [Sorted by: Unsorted]  [Selected: All]"));
        QVERIFY(f.dialogs.shown.isEmpty());
        for (QPushButton* b : ed->findChildren<QPushButton*>()) {
            if (b->objectName().startsWith(QLatin1String("cmd")) && !b->objectName().contains(QLatin1String("image")))
                QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
        }
        QTest::mouseClick(control<QPushButton>(ed, "cmd_close"), Qt::LeftButton);
        QVERIFY(!ed->isVisible());
        QVERIFY(f.startup->isEnabled());
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    // A shortcut runs its button's routine: the leave question comes first.
    void record_keys_ask_before_leaving_an_edit()
    {
        EditorFixture f(three_records());
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        type_into(control<QLineEdit>(ed, "tb_city"), QStringLiteral("Taos"));
        f.dialogs.answer(MsgAnswer::no);
        QTest::keyClick(control<QLineEdit>(ed, "tb_city"), Qt::Key_PageDown, Qt::AltModifier);
        QCOMPARE(f.dialogs.texts().size(), 1);
        QVERIFY(f.dialogs.texts().first().startsWith(QLatin1String("Kaleidoscope data has been changed.")));
        QCOMPARE(f.state().ws().position(), int(2));
        QTest::keyClick(control<QLineEdit>(ed, "tb_city"), Qt::Key_End, Qt::AltModifier);
        QCOMPARE(f.state().ws().position(), int(3));
        QTest::keyClick(control<QLineEdit>(ed, "tb_city"), Qt::Key_Home, Qt::AltModifier);
        QCOMPARE(f.state().ws().position(), int(1));
    }

    void menu_items()
    {
        EditorFixture f(three_records());
        RecordEditor* ed = f.open();
        QStringList got;
        for (QMenu* m : {control<QMenu>(ed, "mnu_kaleido"), control<QMenu>(ed, "mnu_search"),
                         control<QMenu>(ed, "mnu_tools"), control<QMenu>(ed, "mnu_help")}) {
            got << m->objectName() + '=' + m->title();
            for (QAction* a : m->actions())
                got << a->objectName() + '=' + a->text();
        }
        QCOMPARE(got,
                 QStringLiteral(
                     "mnu_kaleido=&Kaleidoscope data|mnu_add=&Add a new kaleidoscope|"
                     "mnu_save=&Save current kaleidoscope data|mnu_delete=&Delete this kaleidoscope record|"
                     "mnu_clear=C&lear kaleidoscope form|mnu_change_field=Chan&ge a field...|sep5=|mnu_undo=U&ndo|"
                     "mnu_redo=&Redo|"
                     "mnu_history=&History of this kaleidoscope...|mnu_deleted=Deleted &kaleidoscopes...|sep1=|"
                     "mnu_summary=Kaleidoscope s&ummaries|"
                     "mnu_stats=Collection s&tatistics...|mnu_list=C&ollection list|sep2=|"
                     "mnu_printforms=Print kaleidoscope data forms|mnu_inventory=Print in&ventory...|"
                     "mnu_import=&Import kaleidoscopes...|"
                     "mnu_web=Export &web catalogue...|mnu_missing_pictures=Find &missing "
                     "pictures...|sep4=|mnu_close=&Close|mnu_search=&Search|"
                     "mnu_next=&Next kaleidoscope|mnu_prev=&Previous kaleidoscope|mnu_first=&First kaleidoscope|"
                     "mnu_last=&Last kaleidoscope|sep3=|mnu_find=&Find|mnu_findnxt=&Find next|"
                     "mnu_findcrit=Find &criteria...|mnu_duplicates=Find possible &duplicates...|"
                     "mnu_saved_selections=Saved s&elections|"
                     "mnu_tools=&Tools|mnu_select=Select &records|"
                     "mnu_sort=S&ort records|mnu_selcrit=Selection &criteria...|mnu_help=&Help|"
                     "mnu_helptopics=&Help topics|mnu_about=&About")
                     .split('|'));

        // A menu item runs its button's routine.
        control<QAction>(ed, "mnu_last")->trigger();
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Cosmos"));
        control<QAction>(ed, "mnu_first")->trigger();
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Aurora"));
        // So does the logo, for About.
        QString about;
        when_modal<AboutBox>([&about](AboutBox* box) { about = box->windowTitle(); });
        QTest::mouseClick(control<QLabel>(ed, "img_logo"), Qt::LeftButton);
        QCOMPARE(about, QStringLiteral("About TESSARAN V"));
    }

    void combo_lists_and_limits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("list");
        QTest::addColumn<int>("limit");
        QTest::newRow("scopetype") << "combo_scopetype" << 1 << 30;
    }

    void combo_lists_and_limits()
    {
        QFETCH(QString, name);
        QFETCH(int, list);
        QFETCH(int, limit);
        EditorFixture f(three_records());
        RecordEditor* ed = f.open();
        auto* combo = ed->findChild<QComboBox*>(name);
        QVERIFY(combo);
        QVERIFY(combo->isEditable());
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, vocabulary(list));
        QCOMPARE(combo->currentText(), QString());  // the stored record has no value here

        QVERIFY(f.show_active());
        combo->setFocus();
        QTest::keyClicks(combo->lineEdit(), QString(limit + 5, QLatin1Char('x')));
        QCOMPARE(combo->currentText(), QString(limit, QLatin1Char('x')));
        // Typed text never joins the list.
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QCOMPARE(combo->count(), vocabulary(list).size());
    }

    void navigation_stops_at_both_ends()
    {
        EditorFixture f(three_records());
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());

        QTest::mouseClick(control<QPushButton>(ed, "cmd_prev"), Qt::LeftButton);
        QCOMPARE(f.state().ws().position(), int(1));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Aurora"));
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(ed, "tb_scopename"));

        QTest::mouseClick(control<QPushButton>(ed, "cmd_next"), Qt::LeftButton);
        QCOMPARE(f.dialogs.texts(), QStringList());
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Borealis"));
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Record 2 of 3]")));
        QTest::mouseClick(control<QPushButton>(ed, "cmd_endscope"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Cosmos"));
        QCOMPARE(control<QLineEdit>(ed, "tb_price_retail")->text(), money_text(99900));

        QTest::mouseClick(control<QPushButton>(ed, "cmd_next"), Qt::LeftButton);  // no wrap-around
        QCOMPARE(f.state().ws().position(), int(3));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Cosmos"));
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(ed, "tb_scopename"));

        QTest::mouseClick(control<QPushButton>(ed, "cmd_begscope"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Aurora"));
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    void adding_state_caption_and_moves()
    {
        EditorFixture f(three_records());
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        QTest::mouseClick(control<QPushButton>(ed, "cmd_new"), Qt::LeftButton);
        QVERIFY(ed->windowTitle().contains(QStringLiteral("  [Adding record 4]  [Sorted by: Unsorted]")));
        QCOMPARE(f.state().ws().position(), int(4));
        QCOMPARE(f.state().ws().count(), int(3));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QString());
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(ed, "tb_scopename"));

        QTest::mouseClick(control<QPushButton>(ed, "cmd_next"), Qt::LeftButton);  // nothing after the new record
        QCOMPARE(f.state().ws().position(), int(4));
        QTest::mouseClick(control<QPushButton>(ed, "cmd_prev"), Qt::LeftButton);  // nothing typed: no question
        QVERIFY(f.dialogs.shown.isEmpty());
        QCOMPARE(f.state().ws().position(), int(3));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Cosmos"));
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Record 3 of 3]")));
    }

    void empty_database_start_enabling()
    {
        EditorFixture f({});
        RecordEditor* ed = f.open();
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Adding record 1]")));
        const QStringList enabled_expected = {"cmd_save", "cmd_clear", "cmd_close", "cmd_add_image"};
        for (QPushButton* b : {control<QPushButton>(ed, "cmd_new"), control<QPushButton>(ed, "cmd_save"),
                               control<QPushButton>(ed, "cmd_del"), control<QPushButton>(ed, "cmd_clear"),
                               control<QPushButton>(ed, "cmd_close"), control<QPushButton>(ed, "cmd_begscope"),
                               control<QPushButton>(ed, "cmd_prev"), control<QPushButton>(ed, "cmd_next"),
                               control<QPushButton>(ed, "cmd_endscope"), control<QPushButton>(ed, "cmd_find"),
                               control<QPushButton>(ed, "cmd_findnxt"), control<QPushButton>(ed, "cmd_select"),
                               control<QPushButton>(ed, "cmd_sort"), control<QPushButton>(ed, "cmd_add_image")}) {
            QCOMPARE(b->isEnabled(), enabled_expected.contains(b->objectName()));
        }
        // The menu follows its buttons, so no command reaches a record that is not there.
        QVERIFY(!control<QAction>(ed, "mnu_first")->isEnabled());
        QVERIFY(!control<QAction>(ed, "mnu_delete")->isEnabled());
        QVERIFY(control<QAction>(ed, "mnu_save")->isEnabled());
        control<QAction>(ed, "mnu_last")->trigger();
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Adding record 1]")));
        QVERIFY(f.dialogs.shown.isEmpty());
        // Summaries have no button: in an empty database the item refuses with its message.
        QVERIFY(control<QAction>(ed, "mnu_summary")->isEnabled());
        QVERIFY(control<QAction>(ed, "mnu_printforms")->isEnabled());
        control<QAction>(ed, "mnu_summary")->trigger();
        QCOMPARE(f.dialogs.shown,
                 (Shown{{"Last select operation returned no matching kaleidoscope records", MsgIcon::critical}}));
    }

    void clear_asks_and_keeps_stored_record()
    {
        EditorFixture f(three_records());
        RecordEditor* ed = f.open();
        f.dialogs.answer(MsgAnswer::no);
        QTest::mouseClick(control<QPushButton>(ed, "cmd_clear"), Qt::LeftButton);
        QCOMPARE(f.dialogs.shown,
                 (Shown{{"Do you really want to clear data for this kaleidoscope?", MsgIcon::exclamation,
                         MsgButtons::yes_no, "Clear MS"}}));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Aurora"));

        f.dialogs.answer(MsgAnswer::yes);
        control<QAction>(ed, "mnu_clear")->trigger();
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QString());
        QCOMPARE(control<QLineEdit>(ed, "tb_price_paid")->text(), QString());
        QCOMPARE(control<QComboBox>(ed, "combo_scopetype")->currentText(), QString());
        QCOMPARE(read_db(f.db.path()).at(0).price_paid, qint64(125000));
    }

    void enter_moves_to_next_field_data()
    {
        // clang-format off
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("line") << "tb_scopename" << "tb_artist";
        QTest::newRow("combo") << "combo_scopetype" << "combo_extmat";
        QTest::newRow("specfeatures") << "tb_specfeatures" << "tb_comments";
        // clang-format on
    }

    void enter_moves_to_next_field()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        EditorFixture f(three_records());
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        auto* start = ed->findChild<QWidget*>(from);
        start->setFocus();
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target, Qt::Key_Return);
        QWidget* now = QApplication::focusWidget();
        QVERIFY(now);
        const bool on_target
            = now->objectName() == to || (now->parentWidget() && now->parentWidget()->objectName() == to);
        QVERIFY2(on_target, qPrintable(now->objectName()));
        if (auto* text = qobject_cast<QPlainTextEdit*>(start))
            QVERIFY(!text->toPlainText().contains(QLatin1Char('\n')));
    }

    // Each frame's caption and labels take that frame's own entries of the scheme.
    void frames_take_their_own_colours_data()
    {
        QTest::addColumn<QString>("frame");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("title_entry");
        QTest::addColumn<int>("label_entry");
        QTest::newRow("parameters") << "frame_params"
                                    << "lbl_scopename" << 2 << 3;
        QTest::newRow("characteristics") << "frame_characteristics"
                                         << "lbl_mirrors" << 7 << 8;
        QTest::newRow("purchase") << "frame_purchase"
                                  << "lbl_price_paid" << 12 << 13;
        QTest::newRow("store") << "frame_store"
                               << "lbl_city" << 17 << 18;
    }
    void frames_take_their_own_colours()
    {
        QFETCH(QString, frame);
        QFETCH(QString, label);
        QFETCH(int, title_entry);
        QFETCH(int, label_entry);
        EditorFixture f(five_records());
        ColorScheme scheme = builtin_colors();
        for (int i = 0; i < color_count; ++i)
            scheme[std::size_t(i)] = 0x030201 * (i + 1);  // each entry a colour of its own
        QVERIFY(write_color_file(f.color_path, scheme));
        RecordEditor* ed = f.open();
        QCOMPARE(control<QGroupBox>(ed, frame.toLatin1().constData())->palette().color(QPalette::WindowText),
                 to_qcolor(0x030201 * (title_entry + 1)));
        QCOMPARE(control<QLabel>(ed, label.toLatin1().constData())->palette().color(QPalette::WindowText),
                 to_qcolor(0x030201 * (label_entry + 1)));
    }

    void missing_color_file_is_reported()
    {
        EditorFixture f(three_records());
        set_color_file_path(f.db.dir() + QStringLiteral("/nowhere.dat"));
        f.open();
        QCOMPARE(f.dialogs.shown,
                 (Shown{{"Color configuration file " + color_file_path() + " not found!", MsgIcon::critical}}));
    }
};

QTEST_MAIN(tst_editor_browse)
#include "tst_editor_browse.moc"
