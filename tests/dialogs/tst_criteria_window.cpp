// The criteria windows: heading, text and a size fitted to the text.
#include "appearance/color_settings.h"
#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "core/session.h"
#include "dialogs/criteria_window.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

int px(double twips)
{
    return int(twips / 15 + 0.5);
}

// Rows of the text box that hold a pixel of the given colour.
QList<int> rows_with(const QImage& img, const QColor& c)
{
    QList<int> rows;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c) {
                rows << y;
                break;
            }
    return rows;
}

}  // namespace

class tst_criteria_window : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void selection_window_texts_data()
    {
        QTest::addColumn<QString>("criteria");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("no selection") << "All" << QStringList{"All"};
        QTest::newRow("date range and two slots")
            << "1/1/2000 < Date bought < 12/31/2001\r\nText select:\r\n   Artist contains \"SMITH\"\r\n"
               "   City contains \"BOSTON\""
            << QStringList{"1/1/2000 < Date bought < 12/31/2001", "Text select:", "   Artist contains \"SMITH\"",
                           "   City contains \"BOSTON\""};
        QTest::newRow("blank ends trimmed") << " < Price paid < Any" << QStringList{"< Price paid < Any"};
    }
    void selection_window_texts()
    {
        QFETCH(QString, criteria);
        QFETCH(QStringList, lines);
        SelectionCriteriaWindow w(criteria);
        QCOMPARE(w.windowTitle(), QStringLiteral("Selection criteria"));
        QCOMPARE(w.heading(), QStringLiteral("SELECTION CRITERIA"));
        QCOMPARE(control<CriteriaTextBox>(w, "pb_text")->lines(), lines);

        // The box is 400 + the text's height + 100 twips tall; Close sits centred 120 below it.
        const int line = QFontMetrics(control<CriteriaTextBox>(w, "pb_text")->font()).lineSpacing();
        QCOMPARE(control<CriteriaTextBox>(w, "pb_text")->height(), px(400 + 15.0 * line * lines.size() + 100));
        const QRect box = control<CriteriaTextBox>(w, "pb_text")->geometry();
        const QRect close = control<QPushButton>(w, "cmd_close")->geometry();
        QCOMPARE(close.top(), box.bottom() + 1 + px(120));
        QVERIFY(qAbs(close.center().x() - box.center().x()) <= 1);
        QCOMPARE(w.height(), close.bottom() + 1 + px(120));
        // Every line fits across.
        for (const QString& l : lines)
            QVERIFY(QFontMetrics(control<CriteriaTextBox>(w, "pb_text")->font()).horizontalAdvance(l) + px(50)
                    < control<CriteriaTextBox>(w, "pb_text")->width());
    }

    void find_window_and_colours()
    {
        const QString criteria = QStringLiteral("Text select:\r\n   Artist contains \"JONES\"");
        set_current_color(24, 0x00c0ffee & 0xffffff);
        FindCriteriaWindow w(criteria);
        QCOMPARE(w.windowTitle(), QStringLiteral("Find criteria"));
        QCOMPARE(w.heading(), QStringLiteral("FIND CRITERIA"));
        QCOMPARE(w.text(), criteria);

        const QImage img
            = control<CriteriaTextBox>(w, "pb_text")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QList<int> red = rows_with(img, QColor(255, 0, 0));
        const QList<int> black = rows_with(img, QColor(0, 0, 0));
        QVERIFY(!red.isEmpty());
        QVERIFY(!black.isEmpty());
        // The heading at 100 twips from the top, the text from 400 on.
        QVERIFY(red.first() >= px(100) && red.last() < px(400));
        QVERIFY(black.first() >= px(400));
        QCOMPARE(w.palette().color(QPalette::Window), QColor(0xee, 0xff, 0xc0));

        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(control<QPushButton>(w, "cmd_close"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(tst_criteria_window)
#include "tst_criteria_window.moc"
