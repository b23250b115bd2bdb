// Every window as assistive technology meets it: each control a keyboard user
// reaches has a name of its own, taken from its caption.
#include "common/gui_accessibility.h"
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "app/about_box.h"
#include "appearance/color_dialog.h"
#include "common/gui_colors.h"
#include "core/record_import.h"
#include "dialogs/criteria_dialog.h"
#include "dialogs/criteria_window.h"
#include "dialogs/import_preview.h"
#include "dialogs/record_sheet_dialog.h"
#include "dialogs/remove_picture_dialog.h"
#include "dialogs/sort_dialog.h"
#include "dialogs/summary_choice_dialog.h"
#include "dialogs/web_catalogue_dialog.h"
#include "editor/collection_list_window.h"
#include "reports/statistics_window.h"
#include "reports/summary_window.h"

#include <QTest>

#include <functional>
#include <memory>

using namespace tessaran;
using namespace tessaran::test;

using WindowMaker = std::function<std::unique_ptr<QWidget>(RecordEditor*)>;
Q_DECLARE_METATYPE(WindowMaker)

class tst_window_accessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void every_control_is_named_data()
    {
        QTest::addColumn<WindowMaker>("make");
        const auto row = [](const char* name, WindowMaker make) { QTest::newRow(name) << make; };
        row("record editor", [](RecordEditor*) { return std::unique_ptr<QWidget>(); });
        row("Select", [](RecordEditor* ed) { return std::make_unique<SelectDialog>(ed->session().locale, ed); });
        row("Find", [](RecordEditor* ed) { return std::make_unique<FindDialog>(ed->session().locale, ed); });
        row("Sort",
            [](RecordEditor* ed) { return std::make_unique<SortDialog>(ed->session().path, ed->session().ws, ed); });
        row("selection criteria",
            [](RecordEditor* ed) { return std::make_unique<SelectionCriteriaWindow>(QStringLiteral("All"), ed); });
        row("find criteria",
            [](RecordEditor* ed) { return std::make_unique<FindCriteriaWindow>(QStringLiteral("Artist: x"), ed); });
        row("summary choice", [](RecordEditor* ed) { return std::make_unique<SummaryChoiceDialog>(nullptr, ed); });
        row("record sheets", [](RecordEditor* ed) {
            return std::make_unique<RecordSheetDialog>(
                5, 1, [](int, int) { return true; }, nullptr, ed);
        });
        row("remove picture", [](RecordEditor* ed) {
            return std::make_unique<RemovePictureDialog>(QStringList{QStringLiteral("1 one.jpg")}, ed);
        });
        row("colours", [](RecordEditor* ed) { return std::make_unique<ColorDialog>(ed); });
        row("import preview", [](RecordEditor* ed) {
            return std::make_unique<ImportPreview>(QStringLiteral("/tmp/x.csv"),
                                                   read_import_source("scopename,artist\nA,B\n"), ed);
        });
        row("statistics", [](RecordEditor* ed) { return std::make_unique<StatisticsWindow>(ed->session(), ed); });
        row("summary", [](RecordEditor* ed) { return std::make_unique<SummaryWindow>(ed->session(), 1, ed); });
        row("web catalogue", [](RecordEditor* ed) {
            return std::make_unique<WebCatalogueDialog>(QStringLiteral("/tmp/catalogue"), ed);
        });
        row("about", [](RecordEditor* ed) { return std::make_unique<AboutBox>(ed); });
    }
    void every_control_is_named()
    {
        QFETCH(WindowMaker, make);
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        std::unique_ptr<QWidget> window = make(ed);
        QWidget* shown = window ? window.get() : ed;
        shown->show();
        const QStringList faults = accessibility_faults(shown);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }

    void collection_list_is_named()
    {
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        ed->show_collection_list();
        const QStringList faults = accessibility_faults(ed->collection_list());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(tst_window_accessibility)
#include "tst_window_accessibility.moc"
