// What assistive technology is told about the record editor: every control
// that takes the focus is named by its own caption, uniquely in the window,
// never by the frame around it or by its own value.
#include "common/gui_accessibility.h"
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "common/gui_colors.h"
#include "core/editor_fields.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tessaran;
using namespace tessaran::test;

class tst_editor_accessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void captions_become_names_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("plain") << "Store/Gallery"
                               << "Store/Gallery";
        QTest::newRow("line break and note") << "Artist\n(Last,First)"
                                             << "Artist (Last,First)";
        QTest::newRow("access key") << "&Filter:"
                                    << "Filter";
        QTest::newRow("a real ampersand") << "Salt && Pepper"
                                          << "Salt & Pepper";
        QTest::newRow("two lines") << "Primary\ncell objects"
                                   << "Primary cell objects";
    }
    void captions_become_names()
    {
        QFETCH(QString, caption);
        QFETCH(QString, spoken);
        QCOMPARE(spoken_caption(caption), spoken);
    }

    void every_field_is_named_by_its_caption_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("scope name") << "tb_scopename"
                                    << "Scope Name";
        QTest::newRow("artist") << "tb_artist"
                                << "Artist (Last,First)";
        QTest::newRow("store") << "tb_store"
                               << "Store/Gallery";
        QTest::newRow("city") << "tb_city"
                              << "City";
        QTest::newRow("a drop-down") << "combo_mirrors"
                                     << "Mirror system";
        QTest::newRow("its editable part") << "combo_mirrors_edit"
                                           << "Mirror system";
        QTest::newRow("two-line caption") << "combo_objects"
                                          << "Primary cell objects";
        QTest::newRow("long text") << "tb_comments"
                                   << "Comments";
        QTest::newRow("price") << "tb_price_paid"
                               << "Purchase price";
        QTest::newRow("an arrow") << "cmd_next"
                                  << "Next kaleidoscope";
    }
    void every_field_is_named_by_its_caption()
    {
        QFETCH(QString, field);
        QFETCH(QString, name);
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        QWidget* w = ed->findChild<QWidget*>(field);
        QVERIFY(w);
        QCOMPARE(accessible_name(w), name);
    }

    void no_control_is_unnamed_shared_or_named_by_frame_or_value()
    {
        QList<ScopeRecord> records = five_records();
        records[0].image_count = 2;
        records[0].image_files[1] = fixed_text(QStringLiteral("/pictures/one.jpg"), 60);
        records[0].image_files[2] = fixed_text(QStringLiteral("/pictures/two.jpg"), 60);
        EditorFixture f(records);
        RecordEditor* ed = f.open();
        ed->show();
        const QStringList faults = accessibility_faults(ed);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        QVERIFY(tab_order(ed).size() > 40);
        // Tab walks each frame down its columns, then the pictures, then the strip.
        // clang-format off
        QCOMPARE(tab_names(ed), (QStringList{
            "Scope Name", "Artist (Last,First)", "Studio",
            "Date of purchase", "Purchase price", "Retail price",
            "Salesperson", "Store/Gallery", "Street address", "City", "State", "Zip code", "Country", "Phone", "Fax",
            "Email", "Website",
            "Scope type", "Exterior material", "Exterior color", "Cell type", "Primary cell objects",
            "Mirror system", "Scope year", "Edition", "Signed", "Point symmetry", "Special Features", "Comments",
            "Picture 1", "Picture 2", "Add an image", "Remove an image", "Display all images", "Clear all images",
            "First kaleidoscope", "Previous kaleidoscope", "Next kaleidoscope", "Last kaleidoscope",
            "Add a New Scope", "Save Scope Data", "Delete this Scope", "Clear Scope Data", "Find", "FindNext",
            "Select", "Sort", "Close"}));
        // clang-format on
        // The picture buttons say which picture they are, and its path.
        QPushButton* second = ed->picture_button(2);
        QCOMPARE(accessible_name(second), QStringLiteral("Picture 2"));
        QCOMPARE(QAccessible::queryAccessibleInterface(second)->text(QAccessible::Description),
                 QStringLiteral("/pictures/two.jpg"));
        QVERIFY(!QAccessible::queryAccessibleInterface(control<QLabel>(ed, "img_logo"))
                     ->text(QAccessible::Description)
                     .isEmpty());
    }
};

QTEST_MAIN(tst_editor_accessibility)
#include "tst_editor_accessibility.moc"
