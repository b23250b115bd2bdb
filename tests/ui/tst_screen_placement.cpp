// The room windows may take on a screen, a window centred in it, and where the
// collection list goes beside the editor.
#include "ui/screen_placement.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;

class tst_screen_placement : public QObject {
    Q_OBJECT

private slots:
    void window_room_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<bool>("panels_reported");
        QTest::addColumn<QRect>("room");
        // X11 reports the panels in the available area: all of it is room.
        QTest::newRow("panels reported") << QRect(0, 32, 1366, 736) << true << QRect(0, 32, 1366, 736);
        // Wayland reports the whole output: a panel's height is kept free.
        QTest::newRow("panels unknown") << QRect(0, 0, 1366, 768) << false << QRect(0, 0, 1366, 768 - 56);
        // A tiny screen keeps at least three quarters of its height.
        QTest::newRow("tiny screen") << QRect(0, 0, 320, 200) << false << QRect(0, 0, 320, 150);
    }
    void window_room()
    {
        QFETCH(QRect, available);
        QFETCH(bool, panels_reported);
        QFETCH(QRect, room);
        QCOMPARE(tessaran::room_for_windows(available, panels_reported), room);
    }

    void list_placement_data()
    {
        QTest::addColumn<QRect>("editor");
        QTest::addColumn<bool>("can_place");
        QTest::addColumn<bool>("docked");
        QTest::addColumn<int>("editor_left");
        QTest::addColumn<int>("list_left");
        // A 1920-pixel screen; the list is 776 pixels wide with its frame.
        QTest::newRow("room at the right") << QRect(0, 0, 960, 700) << true << false << 0 << 960;
        QTest::newRow("room at the left") << QRect(1000, 0, 900, 700) << true << false << 1000 << 224;
        // Centred, the editor leaves room on neither side: it moves over.
        QTest::newRow("editor moves over") << QRect(480, 0, 960, 700) << true << false << 1144 - 960 << 1144;
        QTest::newRow("no room beside") << QRect(0, 0, 1200, 700) << true << true << 0 << 0;
        // Where the compositor places windows, the list docks whatever the room.
        QTest::newRow("compositor places") << QRect(0, 0, 960, 700) << false << true << 0 << 0;
    }
    void list_placement()
    {
        QFETCH(QRect, editor);
        QFETCH(bool, can_place);
        QFETCH(bool, docked);
        QFETCH(int, editor_left);
        QFETCH(int, list_left);
        const ListPlacement p = place_list_beside(QRect(0, 0, 1920, 1040), editor, 776, can_place);
        QCOMPARE(p.docked, docked);
        if (!docked) {
            QCOMPARE(p.editor_left, editor_left);
            QCOMPARE(p.list_left, list_left);
        }
    }

    void centred_window()
    {
        QWidget w;
        w.resize(300, 200);
        centre_on_screen(&w);
        const QRect a = work_area(&w);
        QCOMPARE(a, QGuiApplication::primaryScreen()->availableGeometry());
        QCOMPARE(w.x(), a.x() + (a.width() - 300) / 2);
        QCOMPARE(w.y(), a.y() + (a.height() - 27 - 200) / 2);
        // Larger than the screen: kept at the top left of the work area.
        w.resize(a.width() + 100, a.height() + 100);
        centre_on_screen(&w);
        QCOMPARE(w.pos(), a.topLeft());
        QCOMPARE(fitted_to_screen(w.size(), &w), a.size() - frame_allowance);
    }
};

QTEST_MAIN(tst_screen_placement)
#include "tst_screen_placement.moc"
