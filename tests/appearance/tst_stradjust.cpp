// Placement helpers and the work area.
#include "appearance/sub_stradjust.h"
#include "core/globalvars.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

using namespace tessaran;

class tst_stradjust : public QObject {
    Q_OBJECT

private slots:
    void init() { gv() = Globalvars{}; }

    void placement_data()
    {
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("y_part");
        QTest::addColumn<double>("x_part");
        // y_at_part rounds halves to the even neighbour; x_at_part keeps the fraction.
        QTest::newRow("bottom edge") << 100.0 << 190.0 << 400.0 << 285.0 << 1 << 475 << 500.0;
        QTest::newRow("middle, half down") << 100.0 << 190.0 << 401.0 << 285.0 << 2 << 332 << 300.5;
        QTest::newRow("middle, half up") << 0.0 << 191.0 << 0.0 << 285.0 << 2 << 334 << 0.0;
        QTest::newRow("third") << 0.0 << 0.0 << 300.0 << 300.0 << 3 << 100 << 100.0;
        QTest::newRow("zero parts is the edge") << 10.0 << 20.0 << 30.0 << 40.0 << 0 << 20 << 10.0;
    }
    void placement()
    {
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(int, n);
        QFETCH(int, y_part);
        QFETCH(double, x_part);
        const TwipRect r{left, top, width, height};
        QCOMPARE(y_at_part(r, n), y_part);
        QVERIFY2(qAbs(x_at_part(r, n) - x_part) < 1e-3, qPrintable(QString::number(x_at_part(r, n))));
    }

    void edges()
    {
        const TwipRect r{0, 0, 400, 285};
        QCOMPARE(left_for_center(r, 1000), 800.0);
        QCOMPARE(left_for_right(r, 1000), 600.0);
        QCOMPARE(top_for_center(r, 1000), 857.5);
        QCOMPARE(top_for_bottom(r, 1000), 715.0);
    }

    void widgets_in_twips()
    {
        QWidget parent;
        QWidget child(&parent);
        child.setGeometry(10, 20, 30, 40);
        const TwipRect r = twip_rect(&child);
        QCOMPARE(r.left, 150.0);
        QCOMPARE(r.top, 300.0);
        QCOMPARE(r.width, 450.0);
        QCOMPARE(r.height, 600.0);
        QCOMPARE(y_at_part(&child, 1), 900);
        QCOMPARE(left_for_right(&child, 1000), 550.0);
        // Label centred on the child's middle, then moved there.
        QWidget label(&parent);
        label.resize(20, 10);
        move_twips(&label, left_for_center(&label, x_at_part(&child, 2)), top_for_center(&label, y_at_part(&child, 2)));
        QCOMPARE(label.geometry(), QRect(15, 35, 20, 10));
    }

    void work_area()
    {
        sub_getavailscreen();
        const QRect a = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(a.width() > 0);
        QCOMPARE(gv().work_area.left, a.x());
        QCOMPARE(gv().work_area.top, a.y());
        QCOMPARE(gv().work_area.right, a.x() + a.width());
        QCOMPARE(gv().work_area.bottom, a.y() + a.height());
    }

    void centred_window()
    {
        QWidget w;
        w.resize(300, 200);
        centre_on_screen(&w);
        const QRect a = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(w.x(), a.x() + (a.width() - 300) / 2);
        QCOMPARE(w.y(), a.y() + (a.height() - 27 - 200) / 2);
        // Larger than the screen: kept at the top left of the work area.
        w.resize(a.width() + 100, a.height() + 100);
        centre_on_screen(&w);
        QCOMPARE(w.pos(), a.topLeft());
    }
};

QTEST_MAIN(tst_stradjust)
#include "tst_stradjust.moc"
