#include "appearance/color_settings.h"
#include "appearance/scheme_paint.h"
#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "common/scripted_dialogs.h"
#include "core/session.h"
#include "dialogs/remove_picture_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;
using tessaran::test::ScriptedDialogs;

class tst_remove_picture_dialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void confirm_or_not_data()
    {
        QTest::addColumn<int>("pick");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<int>("removed");
        QTest::newRow("no keeps the dialog open") << 2 << MsgAnswer::no << 0;
        QTest::newRow("yes removes") << 2 << MsgAnswer::yes << 3;
        QTest::newRow("first item") << 0 << MsgAnswer::yes << 1;
    }

    void confirm_or_not()
    {
        QFETCH(int, pick);
        QFETCH(MsgAnswer, answer);
        QFETCH(int, removed);
        ScriptedDialogs dialogs;
        dialogs.answer(answer);
        RemovePictureDialog d(names);
        d.show();
        control<QComboBox>(d, "Combo1")->setCurrentIndex(pick);
        QTest::mouseClick(control<QPushButton>(d, "cmd_rem"), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.last().text, QStringLiteral("Do you really want to remove Image #%1?").arg(pick + 1));
        QCOMPARE(dialogs.last().icon, MsgIcon::none);
        QCOMPARE(dialogs.last().buttons, MsgButtons::yes_no);
        QCOMPARE(dialogs.last().title, QStringLiteral("TESSARAN V"));
        QCOMPARE(d.removed_position(), removed);
        QCOMPARE(d.isVisible(), removed == 0);
        QCOMPARE(d.result(), removed ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }

    void cancel_removes_nothing()
    {
        ScriptedDialogs dialogs;
        RemovePictureDialog d(names);
        d.show();
        QTest::mouseClick(control<QPushButton>(d, "cmd_cancel"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.removed_position(), 0);
        QVERIFY(dialogs.shown.isEmpty());
    }

    void takes_scheme_colours_and_centres_buttons()
    {
        set_current_color(color_form_background, 0x00FFCC);  // r 204, g 255, b 0
        set_current_color(color_command_buttons, 255);       // pure red
        RemovePictureDialog d(names);
        d.show();
        QCOMPARE(d.palette().color(QPalette::Window), QColor(204, 255, 0));
        QCOMPARE(control<QPushButton>(d, "cmd_rem")->palette().color(QPalette::Button), QColor(255, 0, 0));
        QCOMPARE(control<QPushButton>(d, "cmd_cancel")->palette().color(QPalette::Button), QColor(255, 0, 0));
        // Symmetric about the list's centre line, 400 twips (27 px) apart.
        const QRect rem = control<QPushButton>(d, "cmd_rem")->geometry();
        const QRect cancel = control<QPushButton>(d, "cmd_cancel")->geometry();
        QCOMPARE(cancel.left() - (rem.right() + 1), 27);
        const int centre2
            = control<QComboBox>(d, "Combo1")->geometry().left() * 2 + control<QComboBox>(d, "Combo1")->width();
        QVERIFY(qAbs((rem.left() + cancel.right() + 1) - centre2) <= 1);
    }

private:
    const QStringList names{"/pics/one.jpg", "/pics/two.gif", "/pics/three.bmp"};
};

QTEST_MAIN(tst_remove_picture_dialog)
#include "tst_remove_picture_dialog.moc"
