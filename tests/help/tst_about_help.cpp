// The about box and the drawn logo.
#include "appearance/color_settings.h"
#include "appearance/scheme_paint.h"
#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "core/session.h"
#include "help/about_box.h"
#include "ui/logo.h"
#include "ui/menu_state.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

class tst_about_help : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        reset_color_settings();
        startup = new QWidget;
        menu_item = new QAction(startup);
        menu_item->setObjectName(QStringLiteral("mnu_exit"));
        set_startup_window(startup, [this] { return QList<QAction*>{menu_item}; });
    }

    void cleanup() { delete startup; }

    void about_contents()
    {
        set_current_color(color_command_buttons, 0x00336699);
        AboutBox box;
        QVERIFY(box.isModal());
        QCOMPARE(control<QLabel>(box, "lbl_about")->text().section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("TESSARAN V  Version 5.0"));
        QVERIFY(control<QLabel>(box, "lbl_about")->text().count(QLatin1Char('\n')) >= 2);  // maker details follow
        QCOMPARE(control<QPushButton>(box, "cmd_ok")->palette().color(QPalette::Button), to_qcolor(0x00336699));
        QVERIFY(!control<QLabel>(box, "pb_logo")->pixmap().isNull());
    }

    void about_from_editor_keeps_menus_off()
    {
        // While the editor is open the start-up window is disabled and so are its menus.
        startup->setEnabled(false);
        menu_item->setEnabled(false);
        AboutBox box;
        box.show();
        QTest::mouseClick(control<QPushButton>(box, "cmd_ok"), Qt::LeftButton);
        QVERIFY(!menu_item->isEnabled());
    }

    void logo_is_a_round_picture()
    {
        for (int size : {32, 96, 200}) {
            const QImage img = kaleidoscope_logo(size).toImage();
            QCOMPARE(img.size(), QSize(size, size));
            QCOMPARE(qAlpha(img.pixel(0, 0)), 0);  // corners outside the rim
            QCOMPARE(qAlpha(img.pixel(size - 1, size - 1)), 0);
            QCOMPARE(qAlpha(img.pixel(size / 2, size / 2)), 255);
        }
        QCOMPARE(kaleidoscope_logo(0).size(), QSize(8, 8));
    }

private:
    QWidget* startup = nullptr;
    QAction* menu_item = nullptr;
};

QTEST_MAIN(tst_about_help)
#include "tst_about_help.moc"
