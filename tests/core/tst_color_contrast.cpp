// Contrast of text on its background (WCAG 2.1), and the default scheme
// read from the colour file the program ships: every text at least 4.5:1.
#include "core/color_contrast.h"

#include <QtTest>

using namespace tessaran;

namespace {

constexpr qint32 rgb(int r, int g, int b)
{
    return r + 256 * g + 65536 * b;
}

}  // namespace

class tst_color_contrast : public QObject {
    Q_OBJECT
private slots:
    void ratios_data()
    {
        QTest::addColumn<qint32>("a");
        QTest::addColumn<qint32>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << rgb(0, 0, 0) << rgb(255, 255, 255) << 21.0;
        QTest::newRow("either way round") << rgb(255, 255, 255) << rgb(0, 0, 0) << 21.0;
        QTest::newRow("equal colours") << rgb(120, 30, 200) << rgb(120, 30, 200) << 1.0;
        QTest::newRow("grey 777 on white, just under AA") << rgb(0x77, 0x77, 0x77) << rgb(255, 255, 255) << 4.48;
        QTest::newRow("pure red on white") << rgb(255, 0, 0) << rgb(255, 255, 255) << 4.0;
        QTest::newRow("blue is stored last") << rgb(0, 0, 255) << rgb(0, 0, 0) << 2.44;
    }
    void ratios()
    {
        QFETCH(qint32, a);
        QFETCH(qint32, b);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(contrast_ratio(a, b) - ratio) < 0.01, qPrintable(QString::number(contrast_ratio(a, b))));
    }

    void default_scheme_reads_well()
    {
        ColorScheme shipped{};
        QString error;
        QVERIFY2(read_color_file(QStringLiteral(TESSARAN_SOURCE_DIR "/data/tessaran_defcolors.dat"), shipped, &error),
                 qPrintable(error));
        QCOMPARE(shipped, builtin_colors());
        QCOMPARE(low_contrast_texts(shipped, 4.5), QStringList());
        QCOMPARE(int(scheme_text_pairs().size()), 17);
    }

    void ratio_never_rounds_up_to_the_limit_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<QString>("text");
        QTest::newRow("far below") << 1.0 << 3.0 << "1.0:1";
        QTest::newRow("just below 3") << 2.996 << 3.0 << "2.99:1";
        QTest::newRow("below 3, rounds down") << 2.94 << 3.0 << "2.9:1";
        QTest::newRow("just below 4.5") << 4.46 << 4.5 << "4.46:1";
        QTest::newRow("at the limit") << 4.5 << 4.5 << "4.5:1";
    }
    void ratio_never_rounds_up_to_the_limit()
    {
        QFETCH(double, ratio);
        QFETCH(double, minimum);
        QFETCH(QString, text);
        QCOMPARE(contrast_ratio_text(ratio, minimum), text);
    }

    void low_contrast_is_named()
    {
        ColorScheme scheme = builtin_colors();
        scheme[3] = scheme[1];  // the labels of the parameters frame in the frame's own colour
        QCOMPARE(low_contrast_texts(scheme, 3.0), QStringList{"Labels of Kaleidoscope parameters (1.0:1)"});
    }
};

QTEST_GUILESS_MAIN(tst_color_contrast)
#include "tst_color_contrast.moc"
