// The work area and a window centred on the screen.
#include "ui/screen_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

using namespace tessaran;

class tst_screen_placement : public QObject {
    Q_OBJECT

private slots:
    void work_area_is_the_available_screen()
    {
        const QRect a = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(a.width() > 0);
        QCOMPARE(work_area(), a);
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

QTEST_MAIN(tst_screen_placement)
#include "tst_screen_placement.moc"
