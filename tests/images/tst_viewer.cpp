#include "common/gui_controls.h"
#include "core/record_file.h"
#include "images/picture_viewer.h"
#include "pictures/picture_loader.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray png_chunk(const char* type, const QByteArray& data)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << quint32(data.size());
    const QByteArray body = QByteArray(type) + data;
    s.writeRawData(body.constData(), int(body.size()));
    s << crc32(body);
    return out;
}

}  // namespace

class tst_viewer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(dir_.isValid());
    }

    void opens_fitted_data()
    {
        QTest::addColumn<int>("nw");
        QTest::addColumn<int>("nh");
        QTest::addColumn<int>("lw");
        QTest::addColumn<int>("lh");
        QTest::addColumn<QSize>("shown");
        QTest::addColumn<QString>("zoom");
        QTest::newRow("small picture at 100 %") << 200 << 100 << 600 << 400 << QSize(200, 100) << "100%";
        QTest::newRow("wide picture scaled") << 1000 << 500 << 600 << 400 << QSize(600, 300) << "60%";
    }

    void opens_fitted()
    {
        QFETCH(int, nw);
        QFETCH(int, nh);
        QFETCH(int, lw);
        QFETCH(int, lh);
        QFETCH(QSize, shown);
        QFETCH(QString, zoom);

        PictureViewer v;
        v.open_picture(1, "/pics/a.jpg", picture(nw, nh), QSize(), lw, lh);
        v.show();
        QCOMPARE(control<PictureArea>(v, "pb_dest")->size(), shown);
        QCOMPARE(control<QLabel>(v, "lbl_sizebox")->text(), zoom);
        const int m = control<QLabel>(v, "lbl_sizebox")->height() + 7;  // the label's height and 100 twips
        QCOMPARE(v.size(), QSize(2 * m + shown.width(), 2 * m + shown.height()));
        // Picture centred; label right-aligned with it, just below.
        QCOMPARE(control<PictureArea>(v, "pb_dest")->pos(), QPoint(m, m));
        QCOMPARE(control<QLabel>(v, "lbl_sizebox")->geometry().right(),
                 control<PictureArea>(v, "pb_dest")->geometry().right());
        QCOMPARE(control<QLabel>(v, "lbl_sizebox")->y(),
                 control<PictureArea>(v, "pb_dest")->geometry().bottom() + 1 + 3);
    }

    void cascades_and_captions()
    {
        const QPoint origin = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
        for (int index : {1, 2, 3}) {
            PictureViewer v;
            v.open_picture(index, QStringLiteral("  /pics/scope %1.jpg  ").arg(index), picture(50, 40), QSize(), 600,
                           400);
            v.show();
            QCOMPARE(v.windowTitle(), QStringLiteral("Image %1: /pics/scope %1.jpg").arg(index));
            QCOMPARE(v.pos(), origin + QPoint(20 * (index - 1), 20 * (index - 1)));
        }
    }

    void user_resize_refits_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSize>("user_area");  // room for the picture the user's size leaves
        QTest::addColumn<QSize>("expected");
        QTest::addColumn<QString>("zoom");
        const int smallest = qRound(screen_h() * 0.1);
        QTest::newRow("flat window grows taller") << QSize(800, 600) << QSize(400, 60) << QSize(400, 300) << "50%";
        QTest::newRow("stops at 10 % of the screen height")
            << QSize(800, 600) << QSize(8, 6) << QSize(qRound(smallest * 800.0 / 600), smallest)
            << QString::number(100 * qRound(smallest * 800.0 / 600) / 800) + "%";
    }

    void user_resize_refits()
    {
        QFETCH(QSize, natural);
        QFETCH(QSize, user_area);
        QFETCH(QSize, expected);
        QFETCH(QString, zoom);

        PictureViewer v;
        v.open_picture(1, "/p.jpg", picture(natural.width(), natural.height()), QSize(), 200, 150);
        v.show();
        const int m = control<QLabel>(v, "lbl_sizebox")->height() + 7;
        v.resize(user_area.width() + 2 * m, user_area.height() + 2 * m);
        v.Timer1_Timer();
        QCOMPARE(control<PictureArea>(v, "pb_dest")->size(), expected);
        QCOMPARE(v.size(), QSize(expected.width() + 2 * m, expected.height() + 2 * m));
        QCOMPARE(control<QLabel>(v, "lbl_sizebox")->text(), zoom);
        QVERIFY(!control<QTimer>(v, "Timer1")->isActive());
    }

    void user_resize_starts_the_timer()
    {
        PictureViewer v;
        v.open_picture(1, "/p.jpg", picture(800, 600), QSize(), 400, 300);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QCOMPARE(control<QTimer>(v, "Timer1")->interval(), 200);
        QVERIFY(control<QTimer>(v, "Timer1")->isSingleShot());
        QVERIFY(!control<QTimer>(v, "Timer1")->isActive());  // its own opening size starts nothing
        v.resize(v.width() + 50, v.height());
        QTRY_VERIFY(control<QTimer>(v, "Timer1")->isActive());
        // The refit's own resize does not start another.
        v.Timer1_Timer();
        QCoreApplication::processEvents();
        QVERIFY(!control<QTimer>(v, "Timer1")->isActive());
    }

    void closing_reports_its_index()
    {
        PictureViewer v;
        v.open_picture(4, "/p.jpg", picture(10, 10), QSize(), 200, 150);
        v.show();
        QSignalSpy spy(&v, &PictureViewer::viewer_closed);
        v.close();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 4);
        QVERIFY(!v.isVisible());
    }

    void loader_rejects_bad_files_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason_part");
        QTest::newRow("not a picture") << QByteArray("this is not a jpeg at all\n").repeated(20) << QString();
        // A PNG announcing 30000 x 30000 pixels with hardly any data behind it.
        QByteArray png("\x89PNG\r\n\x1a\n", 8);
        QByteArray ihdr;
        QDataStream s(&ihdr, QIODevice::WriteOnly);
        s << quint32(30000) << quint32(30000) << quint8(8) << quint8(2) << quint8(0) << quint8(0) << quint8(0);
        png += png_chunk("IHDR", ihdr);
        png += png_chunk("IDAT", qCompress(QByteArray(100, '\0')).mid(4));
        png += png_chunk("IEND", QByteArray());
        QTest::newRow("far too large") << png << QStringLiteral("too large");
    }

    void loader_rejects_bad_files()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason_part);
        const QString path = dir_.filePath(QStringLiteral("bad_%1.jpg").arg(QTest::currentDataTag()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const LoadedPicture p = load_picture(path);
        QVERIFY(!p.ok());
        QVERIFY(!p.error.isEmpty());
        if (!reason_part.isEmpty())
            QVERIFY2(p.error.contains(reason_part), qPrintable(p.error));
    }

    void loader_reads_good_picture()
    {
        const QString path = dir_.filePath(QStringLiteral("good.bmp"));
        QVERIFY(picture(64, 48).save(path, "BMP"));
        const LoadedPicture p = load_picture(path);
        QVERIFY(p.ok());
        QCOMPARE(p.image.size(), QSize(64, 48));
        QCOMPARE(p.natural, QSize(64, 48));
        // Larger than the screen: decoded to the screen, the natural size kept
        // for fitting and the zoom figure.
        const QString jpg = dir_.filePath(QStringLiteral("large.jpg"));
        QVERIFY(picture(1600, 800).save(jpg, "JPG"));
        const LoadedPicture big = load_picture(jpg, QSize(400, 300));
        QVERIFY(big.ok());
        QCOMPARE(big.image.size(), QSize(400, 200));
        QCOMPARE(big.natural, QSize(1600, 800));
        PictureViewer v;
        v.open_picture(1, jpg, big.image, big.natural, 200, 150);
        QCOMPARE(control<QLabel>(v, "lbl_sizebox")->text(), QStringLiteral("12%"));
        QVERIFY(is_existing_file(path));
        QVERIFY(!is_existing_file(dir_.path()));
        QVERIFY(!is_existing_file(dir_.filePath(QStringLiteral("missing.jpg"))));
        QVERIFY(!is_existing_file(QString()));
    }

private:
    QImage picture(int w, int h) const;
    int screen_h() const { return QGuiApplication::primaryScreen()->geometry().height(); }
    QTemporaryDir dir_;
};

QImage tst_viewer::picture(int w, int h) const
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    return img;
}

QTEST_MAIN(tst_viewer)
#include "tst_viewer.moc"
