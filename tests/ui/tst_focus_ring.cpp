// The control with the keyboard focus is marked by a frame that stands out
// against the background around it, whatever colours the scheme gives.
#include "ui/focus_ring.h"

#include "core/color_contrast.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;

namespace {

qint32 value_of(const QColor& c)
{
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

}  // namespace

class tst_focus_ring : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FocusRing::install(); }

    void ring_stands_out_on_any_background_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::newRow("pale frame") << QColor(221, 228, 240);
        QTest::newRow("navy") << QColor(16, 42, 96);
        QTest::newRow("mid grey") << QColor(119, 119, 119);
        QTest::newRow("pure blue") << QColor(0, 0, 255);
        QTest::newRow("yellow") << QColor(255, 255, 0);
    }
    void ring_stands_out_on_any_background()
    {
        QFETCH(QColor, background);
        QWidget window;
        QPalette p = window.palette();
        p.setColor(QPalette::Window, background);
        window.setPalette(p);
        window.setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(20, 20, 20, 20);
        auto* first = new QLineEdit(&window);
        auto* second = new QPushButton("OK", &window);
        layout->addWidget(first);
        layout->addWidget(second);
        window.resize(200, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        second->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), second);
        FocusRing* ring = FocusRing::of(&window);
        QCOMPARE(ring->target(), second);
        const QColor color = FocusRing::ring_color(second);
        // WCAG's least contrast for a focus indicator is 3:1.
        QVERIFY(contrast_ratio(value_of(color), value_of(background)) >= 3.0);
        // Drawn just outside the control, on the window.
        const QImage shot = window.grab().toImage();
        const QPoint left_edge = second->geometry().topLeft() + QPoint(-1, second->height() / 2);
        QCOMPARE(shot.pixelColor(left_edge), color);
        // The ring moves with the focus and never takes it.
        first->setFocus();
        QTRY_COMPARE(ring->target(), first);
        QCOMPARE(ring->focusPolicy(), Qt::NoFocus);
        QVERIFY(ring->testAttribute(Qt::WA_TransparentForMouseEvents));
    }
};

QTEST_MAIN(tst_focus_ring)
#include "tst_focus_ring.moc"
