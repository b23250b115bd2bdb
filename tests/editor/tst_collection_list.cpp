// The collection list driven as a collector drives it: Ctrl+L beside the
// editor, typing in the filter, the column headings, Enter on a row, the
// columns chosen from the heading's menu, and the list following the editor.
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "common/gui_colors.h"
#include "editor/collection_list_model.h"
#include "editor/collection_list_window.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

QStringList shown_names(const QTableView* table)
{
    const auto* model = qobject_cast<const CollectionListModel*>(table->model());
    QStringList names;
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->index(row, model->column_of_field(1)).data().toString();
    return names;
}

QStringList visible_headings(const QTableView* table)
{
    QStringList headings;
    for (int c = 0; c < table->model()->columnCount(); ++c) {
        if (!table->isColumnHidden(c))
            headings << table->model()->headerData(c, Qt::Horizontal).toString();
    }
    return headings;
}

// The list opened as the user opens it, docked in the shown editor.
CollectionListWindow* open_list(RecordEditor* ed)
{
    ed->show();
    control<QAction>(ed, "mnu_list")->trigger();
    return control<CollectionListWindow>(ed, "frm_list");
}

}  // namespace

class tst_collection_list : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        settings_dir.reset(new QTemporaryDir);
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings_dir->path());
    }
    void init()
    {
        reset_color_settings();
        QSettings().remove(QStringLiteral("collection_list"));
    }

    void opens_at_the_editors_side_on_the_working_set()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        QAction* list = control<QAction>(ed, "mnu_list");
        QCOMPARE(list->text(), QStringLiteral("C&ollection list"));
        QCOMPARE(list->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
        const int editor_width = ed->width();
        list->trigger();
        CollectionListWindow* w = control<CollectionListWindow>(ed, "frm_list");
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Collection list"));
        // No room beside the editor on this screen: the list docks at its
        // side, the editor widening where the screen has room, and never covers
        // the fields.
        QCOMPARE(w->window(), ed);
        QVERIFY(ed->width() >= editor_width);
        const auto* fields = control<QWidget>(ed, "frm_kaleido_scroll");
        QVERIFY(
            !QRect(w->mapTo(ed, QPoint()), w->size()).intersects(QRect(fields->mapTo(ed, QPoint()), fields->size())));
        QTRY_COMPARE(QApplication::focusWidget(), control<QLineEdit>(w, "list_filter"));
        auto* table = control<QTableView>(w, "list_table");
        // The working set's order: by artist.
        QCOMPARE(shown_names(table), (QStringList{"Echo", "Delta", "Bravo", "Alpha", "Charlie"}));
        QCOMPARE(control<QLabel>(w, "list_count")->text(), QStringLiteral("5 of 5 kaleidoscopes"));
        QCOMPARE(visible_headings(table),
                 (QStringList{"Picture", "Scope name", "Artist", "Scope type", "Scope year", "Date of purchase",
                              "Store/Gallery", "Purchase price", "Retail price"}));
        // The record shown in the editor is marked.
        const auto* model = w->model();
        QVERIFY(model->index(0, 1).data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!model->index(1, 1).data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(model->index(3, model->column_of_field(15)).data().toString(), QStringLiteral("$100.00"));
        QCOMPARE(model->index(3, model->column_of_field(14)).data().toString(), QStringLiteral("1/5/2000"));
        // Put away, the list gives the editor its width back.
        QTest::keyClick(control<QLineEdit>(w, "list_filter"), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(ed->width(), editor_width);
    }

    void filter_narrows_as_typed_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("count");
        QTest::newRow("a word") << "smith" << QStringList{"Echo", "Alpha", "Charlie"} << "3 of 5 kaleidoscopes";
        QTest::newRow("two words") << "smith ann" << QStringList{"Alpha"} << "1 of 5 kaleidoscopes";
        QTest::newRow("upper case") << "DELTA" << QStringList{"Delta"} << "1 of 5 kaleidoscopes";
        QTest::newRow("nothing matches") << "zebra" << QStringList{} << "0 of 5 kaleidoscopes";
    }
    void filter_narrows_as_typed()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, names);
        QFETCH(QString, count);
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        CollectionListWindow* w = open_list(ed);
        auto* filter = control<QLineEdit>(w, "list_filter");
        QTest::keyClicks(filter, typed);
        QCOMPARE(shown_names(control<QTableView>(w, "list_table")), names);
        QCOMPARE(control<QLabel>(w, "list_count")->text(), count);
        // Escape clears the filter first, then closes the window.
        QTest::keyClick(filter, Qt::Key_Escape);
        QCOMPARE(filter->text(), QString());
        QCOMPARE(control<QLabel>(w, "list_count")->text(), QStringLiteral("5 of 5 kaleidoscopes"));
        QVERIFY(w->isVisible());
        QTest::keyClick(filter, Qt::Key_Escape);
        QVERIFY(!w->isVisible());
    }

    void headings_order_the_view_only()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        CollectionListWindow* w = open_list(ed);
        auto* table = control<QTableView>(w, "list_table");
        const std::vector<int> before = ed->session().ws().positions();
        const int date = w->model()->column_of_field(14);
        table->horizontalHeader()->setSortIndicator(date, Qt::AscendingOrder);
        // Bravo has no date: last either way.
        QCOMPARE(shown_names(table), (QStringList{"Alpha", "Charlie", "Delta", "Echo", "Bravo"}));
        table->horizontalHeader()->setSortIndicator(date, Qt::DescendingOrder);
        QCOMPARE(shown_names(table), (QStringList{"Echo", "Delta", "Charlie", "Alpha", "Bravo"}));
        table->horizontalHeader()->setSortIndicator(w->model()->column_of_field(15), Qt::DescendingOrder);
        QCOMPARE(shown_names(table).mid(0, 3), (QStringList{"Charlie", "Alpha", "Delta"}));
        // The filter keeps the order chosen.
        QTest::keyClicks(control<QLineEdit>(w, "list_filter"), QStringLiteral("smith"));
        QCOMPARE(shown_names(table), (QStringList{"Charlie", "Alpha", "Echo"}));
        QCOMPARE(ed->session().ws().positions(), before);
        QVERIFY2(ed->windowTitle().contains(QLatin1String("[Sorted by: Artist(Asc.)]")), qPrintable(ed->windowTitle()));
    }

    // From the keyboard: the context-menu key on a cell opens its column's
    // heading menu, which sorts the view by that column.
    void the_keyboard_sorts_by_a_column()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        CollectionListWindow* w = open_list(ed);
        auto* table = control<QTableView>(w, "list_table");
        QTest::keyClick(control<QLineEdit>(w, "list_filter"), Qt::Key_Down);
        const int date = w->model()->column_of_field(14);
        table->setCurrentIndex(w->model()->index(0, date));
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* a : menu->actions())
                seen << a->text();
            menu->actions().at(1)->trigger();
            menu->close();
        });
        QTest::keyClick(table, Qt::Key_Menu);
        QCOMPARE(seen.mid(0, 2),
                 (QStringList{"Sort by Date of purchase, &ascending", "Sort by Date of purchase, &descending"}));
        QVERIFY(seen.contains(QStringLiteral("City")));
        QCOMPARE(shown_names(table), (QStringList{"Echo", "Delta", "Charlie", "Alpha", "Bravo"}));
    }

    void enter_shows_the_record_in_the_editor_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("caption");
        QTest::newRow("nothing edited") << false << false << "[Record 4 of 5]";
        QTest::newRow("edits saved first") << true << true << "[Record 4 of 5]";
        QTest::newRow("edits discarded") << true << false << "[Record 4 of 5]";
    }
    void enter_shows_the_record_in_the_editor()
    {
        QFETCH(bool, edited);
        QFETCH(bool, save);
        QFETCH(QString, caption);
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        auto* name = control<QLineEdit>(ed, "tb_scopename");
        if (edited)
            name->setText(QStringLiteral("Echo edited"));
        CollectionListWindow* w = open_list(ed);
        auto* filter = control<QLineEdit>(w, "list_filter");
        QTest::keyClicks(filter, QStringLiteral("a"));  // Echo, Delta, Bravo, Alpha, Charlie all hold an "a"
        QTest::keyClick(filter, Qt::Key_Down);
        auto* table = control<QTableView>(w, "list_table");
        QCOMPARE(table->currentIndex().row(), 0);
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, Qt::Key_Down);
        QTest::keyClick(table, Qt::Key_Down);
        f.dialogs.answers = {save ? MsgAnswer::yes : MsgAnswer::no};
        QTest::keyClick(table, Qt::Key_Return);
        QVERIFY2(ed->windowTitle().contains(caption), qPrintable(ed->windowTitle()));
        QCOMPARE(name->text(), QStringLiteral("Alpha"));
        if (edited)
            QCOMPARE(f.dialogs.shown.first().text,
                     QStringLiteral("Kaleidoscope data has been changed. Changes are highlighted and/or images have "
                                    "been removed. Do you want to save these changes to this record?"));
        QCOMPARE(read_db(f.db.path()).at(4).scopename.trimmed(),
                 save ? QStringLiteral("Echo edited") : QStringLiteral("Echo"));
        // The list marks the record now shown.
        QVERIFY(w->model()->index(3, 1).data(Qt::FontRole).value<QFont>().bold());
    }

    void follows_the_editor()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        CollectionListWindow* w = open_list(ed);
        auto* table = control<QTableView>(w, "list_table");
        auto* count = control<QLabel>(w, "list_count");
        // A deletion.
        f.dialogs.answers = {MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_del")->click();
        QCOMPARE(shown_names(table), (QStringList{"Delta", "Bravo", "Alpha", "Charlie"}));
        QCOMPARE(count->text(), QStringLiteral("4 of 4 kaleidoscopes"));
        // An addition.
        control<QPushButton>(ed, "cmd_new")->click();
        control<QLineEdit>(ed, "tb_scopename")->setText(QStringLiteral("Foxtrot"));
        f.dialogs.answers = {MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(count->text(), QStringLiteral("5 of 5 kaleidoscopes"));
        QVERIFY(shown_names(table).contains(QStringLiteral("Foxtrot")));
        // A change to a shown field.
        control<QPushButton>(ed, "cmd_begscope")->click();
        const QString first = control<QLineEdit>(ed, "tb_scopename")->text();
        control<QLineEdit>(ed, "tb_scopename")->setText(first + QStringLiteral(" renamed"));
        f.dialogs.answers = {MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(shown_names(table).first(), first + QStringLiteral(" renamed"));
    }

    void the_gallery_shows_the_same_rows()
    {
        for (const bool reopened : {false, true}) {
            EditorFixture f(five_records(), true);
            RecordEditor* ed = f.open();
            QVERIFY(f.show_active());
            CollectionListWindow* w = open_list(ed);
            auto* filter = control<QLineEdit>(w, "list_filter");
            auto* gallery = control<QListView>(w, "list_gallery");
            if (!reopened) {
                // From the filter, Tab reaches the switch (List, checked);
                // the arrow moves to Gallery and chooses it.
                QVERIFY(!gallery->isVisible());
                QTest::keyClick(filter, Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), control<QToolButton>(w, "list_as_list"));
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
                auto* as_gallery = control<QToolButton>(w, "list_as_gallery");
                QCOMPARE(QApplication::focusWidget(), as_gallery);
                QCOMPARE(as_gallery->text(), QStringLiteral("Gallery"));
            }
            // Remembered: the next list opens as the gallery.
            QVERIFY(gallery->isVisible());
            QVERIFY(!control<QTableView>(w, "list_table")->isVisible());
            // A tile is announced as the kaleidoscope it shows.
            QCOMPARE(gallery->model()->index(0, 0).data(Qt::AccessibleTextRole).toString(),
                     QStringLiteral("Echo, Adams SMITH"));
            // The filter narrows the tiles; the arrows move; Enter shows one.
            QTest::keyClicks(filter, QStringLiteral("smith"));
            QCOMPARE(gallery->model()->rowCount(), 3);
            QTest::keyClick(filter, Qt::Key_Down);
            QCOMPARE(QApplication::focusWidget(), gallery);
            QTest::keyClick(gallery, Qt::Key_Right);
            QTest::keyClick(gallery, Qt::Key_Return);
            QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Alpha"));
        }
    }

    // "Group by": a row per group with its count and sums, in the Sort
    // dialog's order, narrowed by the filter; the arrows open a group, Enter
    // shows a kaleidoscope, "Select this group" makes it the working set.
    void groups_with_totals()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        CollectionListWindow* w = open_list(ed);
        auto* group_by = control<QComboBox>(w, "list_group_by");
        group_by->setCurrentIndex(group_by->findText(QStringLiteral("Artist")));
        auto* tree = control<QTreeView>(w, "list_groups");
        QVERIFY(tree->isVisible());
        const auto labels = [tree] {
            QStringList said;
            for (int g = 0; g < tree->model()->rowCount(); ++g)
                said << tree->model()->index(g, 0).data(Qt::AccessibleTextRole).toString();
            return said;
        };
        QCOMPARE(labels(),
                 (QStringList{"Adams SMITH: 1 kaleidoscope", "Brown, Dee: 1 kaleidoscope, paid $50.00",
                              "Jones, Bob: 1 kaleidoscope", "Smith, Ann: 1 kaleidoscope, paid $100.00",
                              "smithers, Carl: 1 kaleidoscope, paid $250.00"}));
        QTest::keyClicks(control<QLineEdit>(w, "list_filter"), QStringLiteral("smith"));
        QCOMPARE(labels().size(), 3);
        // Down from the filter to the first group, Right opens it, Down to
        // its kaleidoscope, Enter shows it.
        QTest::keyClick(control<QLineEdit>(w, "list_filter"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), tree);
        QTest::keyClick(tree, Qt::Key_Right);
        QVERIFY(tree->isExpanded(tree->model()->index(0, 0)));
        QTest::keyClick(tree, Qt::Key_Down);
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Echo"));
        // The group of Smith, Ann becomes the working set. Groups are the
        // list's: in the gallery their controls rest.
        tree->setCurrentIndex(tree->model()->index(1, 0));
        auto* select_group = control<QPushButton>(w, "list_select_group");
        control<QToolButton>(w, "list_as_gallery")->click();
        QVERIFY(!select_group->isEnabled() && !group_by->isEnabled());
        control<QToolButton>(w, "list_as_list")->click();
        QVERIFY(select_group->isEnabled() && group_by->isEnabled());
        select_group->click();
        QVERIFY2(ed->windowTitle().contains(QStringLiteral("[Selected:Artist is Smith, Ann]")),
                 qPrintable(ed->windowTitle()));
        QVERIFY2(ed->windowTitle().contains(QStringLiteral("[Record 1 of 1]")), qPrintable(ed->windowTitle()));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Alpha"));
    }

    void pictures_come_once_read()
    {
        TempDb pictures;
        QList<ScopeRecord> records = five_records();
        records[4].image_count = 2;  // Echo, the first row: a picture beside the collection
        records[4].image_files[1] = fixed_text("pictures/red.png", 60);
        records[4].image_files[2] = fixed_text(pictures.dir() + "/second.png", 60);
        records[3].image_count = 1;  // Delta: a picture that is not there
        records[3].image_files[1] = fixed_text(pictures.dir() + "/gone.png", 60);
        EditorFixture f(records, true);
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(QDir(f.db.dir()).mkpath(QStringLiteral("pictures")));
        QVERIFY(image.save(f.db.dir() + QStringLiteral("/pictures/red.png")));
        RecordEditor* ed = f.open();
        const CollectionListModel* model = open_list(ed)->model();
        const auto picture
            = [model](int row) { return model->index(row, 0).data(Qt::DecorationRole).value<QPixmap>(); };
        // Read in the background once the rows rest; the row shows it then.
        QTRY_COMPARE(picture(0).toImage().pixelColor(24, 24), QColor(Qt::red));
        QCOMPARE(picture(0).width(), CollectionListModel::icon_size);
        // A picture that cannot be read keeps its placeholder; no picture, nothing.
        QVERIFY(!picture(1).isNull());
        QVERIFY(picture(1).toImage().pixelColor(24, 24) != QColor(Qt::red));
        QVERIFY(picture(2).isNull());
        // The gallery's tiles: larger, in proportion, and a frame for none.
        control<QToolButton>(ed, "list_as_gallery")->click();
        QCOMPARE(picture(0).size(), QSize(160, 106));
        QVERIFY(!picture(2).isNull());
    }

    void columns_chosen_are_remembered()
    {
        {
            EditorFixture f(five_records(), true);
            RecordEditor* ed = f.open();
            CollectionListWindow* w = open_list(ed);
            auto* table = control<QTableView>(w, "list_table");
            // What the heading's menu does for each field the user ticks or unticks.
            QMenu* menu = nullptr;
            QTimer::singleShot(0, [&] {
                menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                QVERIFY(menu);
                QAction* pick = nullptr;
                for (QAction* a : menu->actions()) {
                    if (a->text() == QLatin1String("City"))
                        pick = a;
                }
                QVERIFY(pick && !pick->isChecked());
                pick->trigger();
                menu->close();
            });
            emit table->horizontalHeader()->customContextMenuRequested(QPoint(5, 5));
            QVERIFY(visible_headings(table).contains(QStringLiteral("City")));
        }
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        QVERIFY(visible_headings(control<QTableView>(open_list(ed), "list_table")).contains("City"));
    }

private:
    std::unique_ptr<QTemporaryDir> settings_dir;
};

QTEST_MAIN(tst_collection_list)
#include "tst_collection_list.moc"
