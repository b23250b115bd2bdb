#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "common/scripted_dialogs.h"
#include "core/session.h"
#include "dialogs/record_sheet_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

struct Calls {
    QList<QPair<int, int>> printed;
    QList<QPair<int, int>> previewed;
    bool print_result = true;
};

}  // namespace

class TestPrintform : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void texts_the_user_sees()
    {
        RecordSheetDialog dlg(12, 1, {});
        QCOMPARE(control<QLabel>(dlg, "lbl_max")->text(), QString("Max.= 12"));
        QVERIFY(control<QLineEdit>(dlg, "tb_beg")->text().isEmpty());
        RecordSheetDialog none(0, 0, {});
        QCOMPARE(control<QLabel>(none, "lbl_max")->text(), QString("Max.= 0"));
    }

    void validation_data()
    {
        // clang-format off
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("beg");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("message");  // empty: printed
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        // The rule's cases are the range's own rows; here the window shows its
        // refusal once and stays open, or prints the range and closes.
        QTest::newRow("refused") << 12 << "0" << "3" << "Record number must lie between 1 and 12. Please try again."
                                 << 0 << 0;
        QTest::newRow("half rounds to even") << 12 << "2.5" << "3" << "" << 2 << 3;
        // clang-format on
    }
    void validation()
    {
        QFETCH(int, count);
        QFETCH(QString, beg);
        QFETCH(QString, end);
        QFETCH(QString, message);
        QFETCH(int, first);
        QFETCH(int, last);
        ScriptedDialogs dialogs;
        Calls calls;
        RecordSheetDialog dlg(count, 1, [&calls](int f, int l) {
            calls.printed << qMakePair(f, l);
            return true;
        });
        control<QLineEdit>(dlg, "tb_beg")->setText(beg);
        control<QLineEdit>(dlg, "tb_end")->setText(end);
        QTest::mouseClick(control<QPushButton>(dlg, "cmd_print"), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(dialogs.shown.isEmpty());
            QCOMPARE(calls.printed, (QList<QPair<int, int>>{{first, last}}));
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
        } else {
            QCOMPARE(dialogs.shown, (Shown{{message}}));
            QVERIFY(calls.printed.isEmpty());
            QCOMPARE(dlg.result(), int(QDialog::Rejected));  // still open for another try
        }
    }

    void print_displayed_kaleidoscope()
    {
        Calls calls;
        RecordSheetDialog dlg(9, 5, [&calls](int f, int l) {
            calls.printed << qMakePair(f, l);
            return true;
        });
        QTest::mouseClick(control<QPushButton>(dlg, "cmd_current"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(dlg, "tb_beg")->text(), QString(" 5"));
        QCOMPARE(control<QLineEdit>(dlg, "tb_end")->text(), QString(" 5"));
        QCOMPARE(calls.printed, (QList<QPair<int, int>>{{5, 5}}));
    }

    void nothing_printed_keeps_the_dialog_open()
    {
        RecordSheetDialog dlg(3, 1, [](int, int) { return false; });
        dlg.show();
        control<QLineEdit>(dlg, "tb_beg")->setText("1");
        control<QLineEdit>(dlg, "tb_end")->setText("3");
        QTest::mouseClick(control<QPushButton>(dlg, "cmd_print"), Qt::LeftButton);
        QVERIFY(dlg.isVisible());
    }

    void preview_validates_and_stays_open()
    {
        ScriptedDialogs dialogs;
        Calls calls;
        RecordSheetDialog dlg(
            3, 1, [](int, int) { return true; },
            [&calls](int f, int l) {
                calls.previewed << qMakePair(f, l);
                return true;
            });
        dlg.show();
        control<QLineEdit>(dlg, "tb_beg")->setText("x");
        control<QLineEdit>(dlg, "tb_end")->setText("3");
        QTest::mouseClick(control<QPushButton>(dlg, "cmd_preview"), Qt::LeftButton);
        QCOMPARE(dialogs.shown, (Shown{{"Invalid record number entry. Please try again."}}));
        control<QLineEdit>(dlg, "tb_beg")->setText("1");
        QTest::mouseClick(control<QPushButton>(dlg, "cmd_preview"), Qt::LeftButton);
        QCOMPARE(calls.previewed, (QList<QPair<int, int>>{{1, 3}}));
        QVERIFY(dlg.isVisible());
    }

    void enter_moves_to_the_next_field()
    {
        bool printed = false;
        RecordSheetDialog dlg(3, 1, [&printed](int, int) { return printed = true; });
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        control<QLineEdit>(dlg, "tb_beg")->setFocus();
        QTest::keyClicks(control<QLineEdit>(dlg, "tb_beg"), "1");
        QTest::keyClick(control<QLineEdit>(dlg, "tb_beg"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(control<QLineEdit>(dlg, "tb_end")));
        QTest::keyClicks(control<QLineEdit>(dlg, "tb_end"), "2");
        QTest::keyClick(control<QLineEdit>(dlg, "tb_end"), Qt::Key_Enter);
        QVERIFY(!printed);  // Enter never presses a button from a text box
        // Next comes "Include pictures", off until the user ticks it.
        auto* pictures = control<QCheckBox>(dlg, "chk_pictures");
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(pictures));
        QCOMPARE(pictures->text(), QStringLiteral("Include &pictures"));
        QVERIFY(!dlg.include_pictures());
        QTest::keyClick(pictures, Qt::Key_Space);
        QVERIFY(dlg.include_pictures());
    }
};

QTEST_MAIN(TestPrintform)
#include "tst_record_sheet_dialog.moc"
