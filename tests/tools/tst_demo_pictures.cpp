// The demo's pictures: the source's own pictures found with their
// kaleidoscope's symmetry, each drawn alike on every build, round, and with
// the symmetry it was asked for.
#include "demo_pictures.h"

#include <QtTest>

#include <cmath>

using namespace tessaran;

namespace {

int distance(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
}

}  // namespace

class tst_demo_pictures : public QObject {
    Q_OBJECT
private slots:
    void the_sources_own_pictures_with_their_symmetry()
    {
        const std::vector<DemoPicture> found
            = demo_pictures("# a heading\nscopename: A\nimage: demo-pictures/a.jpg\nsymmetry: 8-point\n\n"
                            "scopename: B\nimage: /home/c/b.jpg\nimage:  demo-pictures/b2.jpg \n");
        QCOMPARE(found.size(), size_t(2));
        QCOMPARE(found[0].path, QStringLiteral("demo-pictures/a.jpg"));
        QCOMPARE(found[0].points, 8);
        QCOMPARE(found[1].path, QStringLiteral("demo-pictures/b2.jpg"));
        QCOMPARE(found[1].points, 6);
    }

    void drawn_alike_with_the_symmetry_asked_for_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("5-point") << 5;
        QTest::newRow("6-point") << 6;
        QTest::newRow("12-point") << 12;
    }
    void drawn_alike_with_the_symmetry_asked_for()
    {
        QFETCH(int, points);
        const int size = 240;
        const QImage image = kaleidoscope_picture(QStringLiteral("koi_pond"), points, size);
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(image, kaleidoscope_picture(QStringLiteral("koi_pond"), points, size));
        QVERIFY(image != kaleidoscope_picture(QStringLiteral("garden_party"), points, size));
        const auto at = [&](double radius, double degrees) {
            const double t = degrees * M_PI / 180.0;
            return image.pixel(int(std::lround(size / 2.0 + radius * std::cos(t))),
                               int(std::lround(size / 2.0 + radius * std::sin(t))));
        };
        // Turned by one wedge, or mirrored across a wedge's edge, it looks the
        // same but where a shape's edge falls between two pixels.
        int samples = 0;
        int unlike = 0;
        QSet<QRgb> colours;
        for (double r = 12; r < size * 0.44; r += 6) {
            for (double a = 0; a < 360; a += 7) {
                samples += 2;
                unlike += distance(at(r, a), at(r, a + 360.0 / points)) > 90;
                unlike += distance(at(r, a), at(r, -a)) > 90;
                colours.insert(at(r, a));
            }
        }
        QVERIFY2(unlike * 10 < samples, qPrintable(QStringLiteral("%1 of %2 unlike").arg(unlike).arg(samples)));
        QVERIFY2(colours.size() > 40, "a picture, not a plain disc");
        // Round: the corners are the dark ground around the eyepiece.
        QVERIFY(qGray(image.pixel(2, 2)) < 60 && qGray(image.pixel(size - 3, size - 3)) < 60);
    }
};

QTEST_MAIN(tst_demo_pictures)
#include "tst_demo_pictures.moc"
