#include "core/image_fit.h"

#include <QtTest>

using namespace tessaran;

Q_DECLARE_METATYPE(tessaran::PictureSize)

namespace QTest {
template <> char* toString(const tessaran::PictureSize& s)
{
    return qstrdup(QByteArray::number(s.width) + " x " + QByteArray::number(s.height));
}
}  // namespace QTest

class tst_image_fit : public QObject {
    Q_OBJECT
private slots:
    void fit_picture_cases_data()
    {
        QTest::addColumn<int>("nw");
        QTest::addColumn<int>("nh");
        QTest::addColumn<int>("lw");
        QTest::addColumn<int>("lh");
        QTest::addColumn<PictureSize>("expected");

        QTest::newRow("smaller: never enlarged") << 300 << 200 << 600 << 400 << PictureSize{300, 200};
        QTest::newRow("exactly the limit") << 600 << 400 << 600 << 400 << PictureSize{600, 400};
        QTest::newRow("only width exceeds") << 1000 << 300 << 600 << 400 << PictureSize{600, 180};
        QTest::newRow("only width, half down to even") << 400 << 101 << 200 << 400 << PictureSize{200, 50};
        QTest::newRow("only width, half up to even") << 400 << 103 << 200 << 400 << PictureSize{200, 52};
        QTest::newRow("only width, plain rounding") << 900 << 100 << 600 << 400 << PictureSize{600, 67};
        QTest::newRow("only height exceeds") << 300 << 1000 << 600 << 400 << PictureSize{120, 400};
        QTest::newRow("only height, half down to even") << 101 << 400 << 400 << 200 << PictureSize{50, 200};
        QTest::newRow("only height, half up to even") << 103 << 400 << 400 << 200 << PictureSize{52, 200};
        QTest::newRow("both, width tighter") << 1200 << 800 << 600 << 500 << PictureSize{600, 400};
        QTest::newRow("both, height tighter") << 800 << 1200 << 500 << 600 << PictureSize{400, 600};
        QTest::newRow("both, equal ratios use the height") << 1000 << 1000 << 500 << 500 << PictureSize{500, 500};
        QTest::newRow("both, height tighter, half to even") << 1010 << 4000 << 1000 << 1000 << PictureSize{252, 1000};
    }

    void fit_picture_cases()
    {
        QFETCH(int, nw);
        QFETCH(int, nh);
        QFETCH(int, lw);
        QFETCH(int, lh);
        QFETCH(PictureSize, expected);
        QCOMPARE(fit_picture(nw, nh, lw, lh), expected);
    }

    void refit_rules_data()
    {
        QTest::addColumn<int>("nw");
        QTest::addColumn<int>("nh");
        QTest::addColumn<double>("aw");
        QTest::addColumn<double>("ah");
        QTest::addColumn<PictureSize>("expected");

        // An 800 x 600 picture on a screen 600 high: smallest size 80 x 60.
        QTest::newRow("flat window gets taller") << 800 << 600 << 700.0 << 100.0 << PictureSize{700, 525};
        QTest::newRow("narrow window gets wider") << 800 << 600 << 100.0 << 500.0 << PictureSize{666, 500};
        QTest::newRow("right proportions stay") << 800 << 600 << 400.0 << 300.0 << PictureSize{400, 300};
        QTest::newRow("below the smallest height") << 800 << 600 << 40.0 << 30.0 << PictureSize{80, 60};
        QTest::newRow("window squeezed to nothing") << 800 << 600 << 100.0 << -5.0 << PictureSize{80, 60};
        QTest::newRow("narrower than the margins") << 800 << 600 << -10.0 << 300.0 << PictureSize{400, 300};
        QTest::newRow("above the natural size") << 800 << 600 << 1000.0 << 750.0 << PictureSize{800, 600};
        QTest::newRow("flat and above natural") << 800 << 600 << 2000.0 << 100.0 << PictureSize{800, 600};
        // A picture smaller than the smallest size keeps its natural size.
        QTest::newRow("tiny picture, natural wins") << 40 << 30 << 20.0 << 15.0 << PictureSize{40, 30};
    }

    void refit_rules()
    {
        QFETCH(int, nw);
        QFETCH(int, nh);
        QFETCH(double, aw);
        QFETCH(double, ah);
        QFETCH(PictureSize, expected);
        const RefitLimits limits = refit_limits(nw, nh, 600);
        QCOMPARE(refit_size(aw, ah, limits), expected);
    }

    void refit_is_stable()
    {
        // Refitting a refitted size changes nothing, whatever the start, so the
        // window settles after one refit.
        const RefitLimits limits = refit_limits(1000, 777, 768);
        for (int w = 50; w < 1200; w += 37) {
            for (int h = 40; h < 900; h += 41) {
                const PictureSize once = refit_size(w, h, limits);
                const PictureSize twice = refit_size(once.width, once.height, limits);
                QCOMPARE(twice, once);
            }
        }
    }

    void limits_round_half_even_data()
    {
        QTest::addColumn<int>("screen_h");
        QTest::addColumn<int>("smallest_h");
        QTest::addColumn<int>("smallest_w");
        // Picture 4 x 3.
        QTest::newRow("62.5 rounds to 62") << 625 << 62 << 83;
        QTest::newRow("63.5 rounds to 64") << 635 << 64 << 85;
        QTest::newRow("exact") << 600 << 60 << 80;
    }

    void limits_round_half_even()
    {
        QFETCH(int, screen_h);
        QFETCH(int, smallest_h);
        QFETCH(int, smallest_w);
        const RefitLimits l = refit_limits(400, 300, screen_h);
        QCOMPARE(l.smallest_h, smallest_h);
        QCOMPARE(l.smallest_w, smallest_w);
    }

    void zoom_label_percent_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("natural");
        QTest::addColumn<int>("percent");
        QTest::newRow("49.9 % shows 49") << 499 << 1000 << 49;
        QTest::newRow("half") << 500 << 1000 << 50;
        QTest::newRow("natural size") << 640 << 640 << 100;
        QTest::newRow("a third") << 1 << 3 << 33;
        QTest::newRow("57 % exactly, no float error") << 57 << 100 << 57;
    }

    void zoom_label_percent()
    {
        QFETCH(int, shown);
        QFETCH(int, natural);
        QFETCH(int, percent);
        QCOMPARE(zoom_percent(shown, natural), percent);
    }
};

QTEST_GUILESS_MAIN(tst_image_fit)
#include "tst_image_fit.moc"
