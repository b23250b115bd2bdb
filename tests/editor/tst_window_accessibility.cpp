// Every window as assistive technology meets it: each control a keyboard user
// reaches has a name of its own, taken from its caption.
#include "common/gui_accessibility.h"
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "app/start_window.h"
#include "common/gui_colors.h"
#include "core/record_import.h"
#include "dialogs/color_dialog.h"
#include "dialogs/criteria_dialog.h"
#include "dialogs/criteria_window.h"
#include "dialogs/duplicates_window.h"
#include "dialogs/field_change_dialog.h"
#include "dialogs/import_preview.h"
#include "dialogs/inventory_dialog.h"
#include "dialogs/missing_pictures_dialog.h"
#include "dialogs/record_sheet_dialog.h"
#include "dialogs/remove_picture_dialog.h"
#include "dialogs/sort_dialog.h"
#include "dialogs/summary_choice_dialog.h"
#include "dialogs/web_catalogue_dialog.h"
#include "editor/collection_list_window.h"
#include "help/about_box.h"
#include "help/help_window.h"
#include "reports/statistics_window.h"
#include "reports/summary_window.h"
#include "ui/button_keys.h"

#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <functional>
#include <memory>

using namespace tessaran;
using namespace tessaran::test;

using WindowMaker = std::function<std::unique_ptr<QWidget>(RecordEditor*)>;
Q_DECLARE_METATYPE(WindowMaker)

namespace {

// Each window with its controls' names in the order Tab reaches them.
void add_windows()
{
    QTest::addColumn<WindowMaker>("make");
    QTest::addColumn<QStringList>("tabs");
    const auto row
        = [](const char* name, WindowMaker make, const QStringList& tabs) { QTest::newRow(name) << make << tabs; };
    const QStringList criteria_slots{"Scope name",
                                     "Artist",
                                     "Studio",
                                     "Scope type",
                                     "Scope year",
                                     "Exterior material",
                                     "Exterior color",
                                     "Cell type",
                                     "Edition",
                                     "Primary Cell Objects",
                                     "Signed",
                                     "Mirror system",
                                     "Point Symmetry",
                                     "Special features",
                                     "Comments",
                                     "Salesperson",
                                     "Store/Gallery",
                                     "Street",
                                     "City",
                                     "State",
                                     "Zip code",
                                     "Country",
                                     "Phone",
                                     "Fax",
                                     "Email",
                                     "Website",
                                     "Date purchased (m/d/yyyy), beginning",
                                     "Date purchased (m/d/yyyy), end",
                                     "Price paid ($), minimum",
                                     "Price paid ($), maximum",
                                     "Retail price ($), minimum",
                                     "Retail price ($), maximum"};
    // clang-format off
    row("record editor", [](RecordEditor*) { return std::unique_ptr<QWidget>(); }, {
        "Scope Name", "Artist (Last,First)", "Studio", "Date of purchase", "Purchase price", "Retail price",
        "Salesperson", "Store/Gallery", "Street address", "City", "State", "Zip code", "Country", "Phone", "Fax",
        "Email", "Website", "Scope type", "Exterior material", "Exterior color", "Cell type",
        "Primary cell objects", "Mirror system", "Scope year", "Edition", "Signed", "Point symmetry",
        "Special Features", "Comments", "Add an image", "First kaleidoscope", "Previous kaleidoscope",
        "Next kaleidoscope", "Last kaleidoscope", "Add a New Scope", "Save Scope Data", "Delete this Scope",
        "Clear Scope Data", "Find", "FindNext", "Select", "Sort", "Close"});
    row("Select", [](RecordEditor* ed) { return std::make_unique<SelectDialog>(ed->session().locale(), ed); },
        criteria_slots + QStringList{"Perform selection", "Select all", "Cancel"});
    row("Find", [](RecordEditor* ed) { return std::make_unique<FindDialog>(ed->session().locale(), ed); },
        criteria_slots + QStringList{"Find", "Cancel"});
    row("Sort", [](RecordEditor* ed) {
            return std::make_unique<SortDialog>(ed); },
        {"Scope name", "Ascending", "Descending", "Sort", "Cancel"});
    row("selection criteria", [](RecordEditor* ed) {
            return std::make_unique<SelectionCriteriaWindow>("All", ed); },
        {"Close"});
    row("find criteria", [](RecordEditor* ed) {
            return std::make_unique<FindCriteriaWindow>("Artist: x", ed); },
        {"Close"});
    row("summary choice", [](RecordEditor* ed) { return std::make_unique<SummaryChoiceDialog>(nullptr, ed); },
        {"Kaleidoscope information: Scope name, artist, type, scope year, exterior material, exterior color, "
         "cell type, edition, cell objects, signed, mirrors, point symmetry", "Create Summary", "Close"});
    row("record sheets", [](RecordEditor* ed) {
            return std::make_unique<RecordSheetDialog>(5, 1, [](int, int) { return true; }, nullptr, ed); },
        {"Records, from", "Records, to", "Include pictures", "Print", "Preview", "Print displayed kaleidoscope",
         "Cancel"});
    row("remove picture", [](RecordEditor* ed) {
            return std::make_unique<RemovePictureDialog>(QStringList{"1 one.jpg"}, ed); },
        {"Select image to remove", "Remove image", "Cancel"});
    row("colours", [](RecordEditor* ed) { return std::make_unique<ColorDialog>(ed); },
        {"Choose frame or control to change", "Frame", "Frame title", "Label", "Text background",
         "Text foreground", "Set choice to default colors", "Set all controls to default colors",
         "Sample field of Kaleidoscope parameters", "Sample field of Kaleidoscope characteristics",
         "Sample field of Purchase information", "Sample field of Place of purchase", "Sample command button 1",
         "Sample command button 2", "Cancel", "Accept"});
    row("import preview", [](RecordEditor* ed) {
            return std::make_unique<ImportPreview>("/tmp/x.csv",
                                                   QByteArray("scopename,artist\nA,B\n"), ed->session().path(), ed); },
        {"Field for the column scopename", "Field for the column artist", "Rows that cannot be imported",
         "Kaleidoscopes to import", "Import 1 kaleidoscopes", "Cancel"});
    row("statistics", [](RecordEditor* ed) { return std::make_unique<StatisticsWindow>(ed->session(), ed); },
        {"Cost and value", "Counts and totals", "By artist", "Save as PDF...", "Save as text...", "Close"});
    row("summary", [](RecordEditor* ed) { return std::make_unique<SummaryWindow>(ed->session(), SummaryKind::scope, ed); },
        {"Summary table", "Preview", "Print", "Save to ASCII file", "Close"});
    row("web catalogue", [](RecordEditor* ed) {
            return std::make_unique<WebCatalogueDialog>("/tmp/catalogue", ed); },
        {"Folder", "Browse...", "Include prices", "Export", "Cancel"});
    row("possible duplicates", [](RecordEditor* ed) {
            DuplicateGroup g{DuplicateGroup::Reason::name_and_artist, QStringLiteral("A, B"),
                             {{1, QStringLiteral("A"), QStringLiteral("B"), {}, {}}, {2, QStringLiteral("A"), QStringLiteral("B"), {}, {}}}};
            return std::make_unique<DuplicatesWindow>(std::vector<DuplicateGroup>{g}, 2, ed); },
        {"Possible duplicates", "Close"});
    row("change a field", [](RecordEditor* ed) {
            return std::make_unique<FieldChangeDialog>(ed->session().path(), [ed] { return ed->session().ws().positions(); },
                                                       GroupField::none, QString(), ed); },
        {"Group by", "Field", "Set to a new value", "Replace a text within it", "New value", "Show changes",
         "Changes", "Close"});
    row("inventory", [](RecordEditor* ed) { return std::make_unique<InventoryDialog>("/tmp/inventory.pdf", ed); },
        {"PDF file", "Browse...", "Retail prices", "Purchase prices", "Write PDF", "Cancel"});
    row("missing pictures", [](RecordEditor* ed) {
            PictureMatch found;
            found.missing.stored = QStringLiteral("/old/a.jpg");
            found.missing.uses = {{1, 1}};
            found.outcome = PictureMatch::Outcome::found;
            found.missing.scope_name = QStringLiteral("One");
            found.found = QStringLiteral("/new/a.jpg");
            return std::make_unique<MissingPicturesDialog>(std::vector<PictureMatch>{found}, ed->session().path(),
                "/new", ed); },
        {"Missing pictures", "Change 1 path", "Cancel"});
    row("help", [](RecordEditor* ed) {
            return std::make_unique<HelpWindow>(QStringLiteral(TESSARAN_BIN_DIR "/tessaran.html"), ed); },
        {"Contents", "Find", "Next", "Previous", "User guide", "Open in web browser", "Close"});
    row("start-up window", [](RecordEditor*) { return std::make_unique<StartWindow>(); }, {});
    row("about", [](RecordEditor* ed) { return std::make_unique<AboutBox>(ed); }, {"OK"});
    // clang-format on
}

}  // namespace

class tst_window_accessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        install_button_keys();
    }
    void init() { reset_color_settings(); }

    void every_control_is_named_in_visual_order_data() { add_windows(); }
    void every_control_is_named_in_visual_order()
    {
        QFETCH(WindowMaker, make);
        QFETCH(QStringList, tabs);
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        std::unique_ptr<QWidget> window = make(ed);
        QWidget* shown = window ? window.get() : ed;
        shown->show();
        const QStringList faults = accessibility_faults(shown);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        QCOMPARE(tab_names(shown), tabs);
    }

    // Return presses the focused button and Escape leaves a dialog, as its
    // buttons say; the buttons are cut off from their work, only the key counts.
    void keys_answer_as_the_buttons_say_data() { add_windows(); }
    void keys_answer_as_the_buttons_say()
    {
        QFETCH(WindowMaker, make);
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        std::unique_ptr<QWidget> window = make(ed);
        QWidget* shown = window ? window.get() : ed;
        shown->show();
        shown->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown));
        QStringList deaf;
        for (QWidget* w : tab_order(shown)) {
            auto* button = qobject_cast<QPushButton*>(w);
            if (!button)
                continue;
            QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
            QSignalSpy clicked(button, &QAbstractButton::clicked);
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Return);
            if (clicked.count() != 1)
                deaf << accessible_name(button);
        }
        QVERIFY2(deaf.isEmpty(),
                 qPrintable(QStringLiteral("Return does not press: ") + deaf.join(QStringLiteral(", "))));
        if (tab_order(shown).size() < 2)
            return;  // menus only, or one button: Tab has nowhere to go

        // Tab goes round the window once and back. A control may take several
        // presses (the guide walks its links) but lets the focus go on.
        // A group of option buttons is one stop, at the one chosen; the
        // arrows move within it.
        const auto passed_over = [](QWidget* w) {
            auto* option = qobject_cast<QRadioButton*>(w);
            if (!option || option->isChecked() || !option->autoExclusive())
                return false;
            const QList<QRadioButton*> group
                = option->parentWidget()->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
            return std::any_of(group.begin(), group.end(), [](QRadioButton* b) { return b->isChecked(); });
        };
        QStringList tabs;
        for (QWidget* w : tab_order(shown)) {
            if (!passed_over(w) && !qobject_cast<QComboBox*>(w->parentWidget()))
                tabs << accessible_name(w);
        }
        tab_order(shown).constFirst()->setFocus(Qt::TabFocusReason);
        const auto named = [](QWidget* w) {
            return accessible_name(qobject_cast<QComboBox*>(w->parentWidget()) ? w->parentWidget() : w);
        };
        QStringList reached;
        for (qsizetype i = 0; i < tabs.size(); ++i) {
            QWidget* at = QApplication::focusWidget();
            reached << named(at);
            int presses = 0;
            do
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            while (QApplication::focusWidget() == at && ++presses < 500);
            QVERIFY2(presses < 500, qPrintable(named(at) + QStringLiteral(" holds the focus")));
        }
        QCOMPARE(reached, tabs);
        QCOMPARE(QApplication::focusWidget(), tab_order(shown).constFirst());
        if (!window)
            return;  // the editor is the main window: Escape has nothing to leave
        tab_order(shown).constFirst()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY2(!shown->isVisible(), "Escape leaves the window open");
    }

    // A drop-down that cannot be typed into gives its choice as its text, so
    // that a screen reader hears which field a column goes into, and hears
    // the new one when the arrow keys change it.
    void a_fixed_drop_down_gives_its_choice()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        ImportPreview preview("/tmp/x.csv", QByteArray("scopename,notes\nA,B\n"), ed->session().path(), ed);
        preview.show();
        auto* field = control<QComboBox>(preview, "combo_field_0");
        QAccessibleInterface* said = QAccessible::queryAccessibleInterface(field);
        QCOMPARE(said->text(QAccessible::Name), QStringLiteral("Field for the column scopename"));
        QVERIFY(said->textInterface());
        QCOMPARE(said->textInterface()->text(0, -1), QStringLiteral("Scope name"));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Down);
        QCOMPARE(said->textInterface()->text(0, said->textInterface()->characterCount()), field->currentText());
        QVERIFY(field->currentText() != QLatin1String("Scope name"));
    }

    // The statistics tabs are a list named by what it chooses between, each
    // tab an item of it, the chosen one selected and any of them pressable.
    void tabs_are_a_named_list()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        StatisticsWindow stats(ed->session(), ed);
        auto* bar = stats.findChild<QTabWidget*>(QStringLiteral("tabs"))->tabBar();
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(bar);
        QCOMPARE(list->role(), QAccessible::PageTabList);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Counts and totals"));
        QCOMPARE(list->childCount(), 3);
        QAccessibleInterface* by_type = list->child(1);
        QCOMPARE(by_type->role(), QAccessible::PageTab);
        QCOMPARE(by_type->text(QAccessible::Name), QStringLiteral("By scope type"));
        QVERIFY(list->child(0)->state().selected && !by_type->state().selected);
        QCOMPARE(list->indexOfChild(by_type), 1);
        QCOMPARE(by_type->parent(), list);
        by_type->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(bar->currentIndex(), 1);
        QVERIFY(by_type->state().selected);
    }

    void collection_list_is_named()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        ed->show();  // the list is docked in it
        control<QAction>(ed, "mnu_list")->trigger();
        const QStringList faults = accessibility_faults(control<CollectionListWindow>(ed, "frm_list"));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(tst_window_accessibility)
#include "tst_window_accessibility.moc"
