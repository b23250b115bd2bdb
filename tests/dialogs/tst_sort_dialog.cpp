// The sort dialog: 27 fields, a direction, and its one message.
#include "common/core_temp_db.h"
#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "common/scripted_dialogs.h"
#include "core/record_file.h"
#include "core/session.h"
#include "core/working_set.h"
#include "dialogs/sort_dialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

class tst_sort_dialog : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDb> db;
    Session session;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        reset_color_settings();
        db = std::make_unique<TempDb>(
            QList<ScopeRecord>{make_record("A", "Cole"), make_record("B", "adams"), make_record("C", "Baker")});
        QVERIFY(db->ok());
        session = db->open_all();
        session.ws.sort_field = 5;
        session.ws.sort_caption = QStringLiteral("[Sorted by: Unsorted]");
    }

    void layout()
    {
        SortDialog d(session.path, session.ws);
        for (int i = 1; i <= field_table_size; ++i) {
            QRadioButton* opt = d.sort_option(size_t(i));
            QCOMPARE(opt->text(), field_name(i));
            QVERIFY(!opt->isChecked());  // the remembered sort is not shown
            QCOMPARE(opt->parentWidget(), static_cast<QWidget*>(control<QGroupBox>(d, "frame_sortby")));
            if (i > 1) {
                QCOMPARE(opt->x(), d.sort_option(1)->x());
                QVERIFY(opt->y() > d.sort_option(size_t(i - 1))->y());
            }
        }
        QVERIFY(control<QRadioButton>(d, "opt_ascending")->isChecked());
        QVERIFY(!control<QRadioButton>(d, "opt_descending")->isChecked());
        // Every option fits inside its frame.
        QVERIFY(d.sort_option(27)->geometry().bottom() < control<QGroupBox>(d, "frame_sortby")->height());
        QVERIFY(control<QGroupBox>(d, "frame_sortby")->geometry().bottom() < d.height());
    }

    // The arrow keys move between the options of a frame and choose, as in
    // every dialog of the desktop.
    void arrow_keys_move_between_options()
    {
        SortDialog d(session.path, session.ws);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        d.sort_option(1)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.sort_option(3)));
        QVERIFY(d.sort_option(3)->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QVERIFY(d.sort_option(2)->isChecked());
        auto* descending = control<QRadioButton>(d, "opt_descending");
        control<QRadioButton>(d, "opt_ascending")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(descending->isChecked());
        QVERIFY(d.sort_option(2)->isChecked());  // the other frame's choice stays
    }

    void no_field_chosen()
    {
        ScriptedDialogs dialogs;
        const std::vector<int> before = session.ws.records;
        SortDialog d(session.path, session.ws);
        QTest::mouseClick(control<QPushButton>(d, "cmd_sort"), Qt::LeftButton);
        QCOMPARE(dialogs.shown, (Shown{{"No sort criterion selected!", MsgIcon::critical}}));
        QCOMPARE(session.ws.sort_field, int(0));  // the remembered sort is forgotten
        QCOMPARE(session.ws.records, before);
        QCOMPARE(session.ws.sort_caption, QStringLiteral("[Sorted by: Unsorted]"));
        QVERIFY(!d.sorted());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void sorts_data()
    {
        // clang-format off
        QTest::addColumn<bool>("descending");
        QTest::addColumn<std::vector<int>>("order");
        QTest::addColumn<QString>("caption");
        QTest::newRow("ascending") << false << std::vector<int>{0, 2, 3, 1} << "[Sorted by: Artist(Asc.)]";
        QTest::newRow("descending") << true << std::vector<int>{0, 1, 3, 2} << "[Sorted by: Artist(Desc.)]";
        // clang-format on
    }
    void sorts()
    {
        QFETCH(bool, descending);
        QFETCH(std::vector<int>, order);
        QFETCH(QString, caption);
        ScriptedDialogs dialogs;
        SortDialog d(session.path, session.ws);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        // Clicks land on the button's indicator, as the user aims them.
        QTest::mouseClick(d.sort_option(2), Qt::LeftButton, {}, QPoint(6, d.sort_option(2)->height() / 2));
        if (descending)
            QTest::mouseClick(control<QRadioButton>(d, "opt_descending"), Qt::LeftButton, {},
                              QPoint(6, control<QRadioButton>(d, "opt_descending")->height() / 2));
        QVERIFY(control<QRadioButton>(d, "opt_ascending")->isChecked() != descending);
        QTest::mouseClick(control<QPushButton>(d, "cmd_sort"), Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList{});
        QVERIFY(d.sorted());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(session.ws.records, order);
        QCOMPARE(session.ws.sort_field, int(2));
        QCOMPARE(session.ws.sort_descending, descending);
        QCOMPARE(session.ws.sort_caption, caption);
    }

    void cancel_changes_nothing()
    {
        const std::vector<int> before = session.ws.records;
        SortDialog d(session.path, session.ws);
        d.sort_option(2)->setChecked(true);
        QTest::mouseClick(control<QPushButton>(d, "cmd_cancel"), Qt::LeftButton);
        QVERIFY(!d.sorted());
        QCOMPARE(session.ws.sort_field, int(5));  // the remembered sort stays
        QCOMPARE(session.ws.records, before);
    }
};

Q_DECLARE_METATYPE(std::vector<int>)

QTEST_MAIN(tst_sort_dialog)
#include "tst_sort_dialog.moc"
