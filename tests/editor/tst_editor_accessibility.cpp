// What assistive technology is told about the record editor: every control
// that takes the focus is named by its own caption, uniquely in the window,
// never by the frame around it or by its own value.
#include "common/gui_accessibility.h"
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "common/gui_colors.h"
#include "core/editor_fields.h"

#include <QtTest>
#include <QtWidgets>

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

    // Where the window test's list of names cannot look: a drop-down's
    // editable part, and the picture buttons and the logo.
    void parts_and_pictures_are_named()
    {
        QList<ScopeRecord> records = five_records();
        records[0].image_count = 2;
        records[0].image_files[1] = fixed_text("/pictures/one.jpg", 60);
        records[0].image_files[2] = fixed_text("/pictures/two.jpg", 60);
        EditorFixture f(records);
        RecordEditor* ed = f.open();
        ed->show();
        QCOMPARE(accessible_name(ed->findChild<QWidget*>(QStringLiteral("combo_mirrors_edit"))),
                 QStringLiteral("Mirror system"));
        // A frame inside another is announced by its own title.
        QCOMPARE(accessible_name(ed->findChild<QWidget*>(QStringLiteral("frame_store"))),
                 QStringLiteral("Place of purchase"));
        QCOMPARE(accessible_name(ed->findChild<QWidget*>(QStringLiteral("frame_purchase"))),
                 QStringLiteral("Purchase information"));
        const QStringList faults = accessibility_faults(ed);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        // The picture buttons say which picture they are, and its path.
        QPushButton* second = picture_strip(ed)->button(2);
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
