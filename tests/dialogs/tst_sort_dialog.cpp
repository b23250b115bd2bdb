// The sort dialog: 27 fields, a direction, and its one message.
#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "common/scripted_dialogs.h"
#include "core/record_file.h"
#include "dialogs/sort_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

class tst_sort_dialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void layout()
    {
        SortDialog d;
        for (int i = 1; i <= field_table_size; ++i) {
            QRadioButton* opt = control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(i));
            QCOMPARE(opt->text(), field_name(i));
            QVERIFY(!opt->isChecked());  // the remembered sort is not shown
            QCOMPARE(opt->parentWidget(), static_cast<QWidget*>(control<QGroupBox>(d, "frame_sortby")));
            if (i > 1) {
                QCOMPARE(opt->x(), control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(1))->x());
                QVERIFY(opt->y() > control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(i - 1))->y());
            }
        }
        QVERIFY(control<QRadioButton>(d, "opt_ascending")->isChecked());
        QVERIFY(!control<QRadioButton>(d, "opt_descending")->isChecked());
        // Every option fits inside its frame.
        QVERIFY(control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(27))->geometry().bottom()
                < control<QGroupBox>(d, "frame_sortby")->height());
        QVERIFY(control<QGroupBox>(d, "frame_sortby")->geometry().bottom() < d.height());
    }

    // The arrow keys move between the options of a frame and choose, as in
    // every dialog of the desktop.
    void arrow_keys_move_between_options()
    {
        SortDialog d;
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(1))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(3))));
        QVERIFY(control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(3))->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QVERIFY(control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(2))->isChecked());
        auto* descending = control<QRadioButton>(d, "opt_descending");
        control<QRadioButton>(d, "opt_ascending")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QVERIFY(descending->isChecked());
        QVERIFY(control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(2))
                    ->isChecked());  // the other frame's choice stays
    }

    void no_field_chosen()
    {
        ScriptedDialogs dialogs;
        SortDialog d;
        QTest::mouseClick(control<QPushButton>(d, "cmd_sort"), Qt::LeftButton);
        QCOMPARE(dialogs.shown, (Shown{{"No sort criterion selected!", MsgIcon::critical}}));
        QVERIFY(d.asked_without_field());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void gives_the_choice_data()
    {
        QTest::addColumn<bool>("descending");
        QTest::newRow("ascending") << false;
        QTest::newRow("descending") << true;
    }
    void gives_the_choice()
    {
        QFETCH(bool, descending);
        ScriptedDialogs dialogs;
        SortDialog d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        // Clicks land on the button's indicator, as the user aims them.
        QTest::mouseClick(control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(2)), Qt::LeftButton, {},
                          QPoint(6, control<QRadioButton>(d, QStringLiteral("opt_sortby_%1").arg(2))->height() / 2));
        if (descending)
            QTest::mouseClick(control<QRadioButton>(d, "opt_descending"), Qt::LeftButton, {},
                              QPoint(6, control<QRadioButton>(d, "opt_descending")->height() / 2));
        QTest::mouseClick(control<QPushButton>(d, "cmd_sort"), Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList{});
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.field(), SortField::artist);
        QCOMPARE(d.descending(), descending);
        QVERIFY(!d.asked_without_field());
    }
};

QTEST_MAIN(tst_sort_dialog)
#include "tst_sort_dialog.moc"
