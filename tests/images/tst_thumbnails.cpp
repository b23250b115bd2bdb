// Picture previews for the image buttons: read once per path in the
// background, at most 200 pixels on the longer side, with the reason instead
// when the picture cannot be read.
#include "images/thumbnails.h"

#include <QtTest>
#include <QtWidgets>

#include <sys/stat.h>

using namespace tessaran;

class tst_thumbnails : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    // The tooltip once the background read of path is done.
    QString ready_tooltip(const QString& path)
    {
        Thumbnails& t = Thumbnails::instance();
        QSignalSpy spy(&t, &Thumbnails::ready);
        const QString first = t.tooltip(path);
        if (first.startsWith(QLatin1String("<p>")))
            return first;
        [&] { QVERIFY(spy.wait(10000)); }();
        return t.tooltip(path);
    }

private slots:
    void previews_data()
    {
        // clang-format off
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");     // of the picture written; none, or 0x0 for a file that is no picture
        QTest::addColumn<QSize>("preview");  // of the preview, empty when there is none
        QTest::addColumn<QString>("reason");
        QTest::newRow("wide") << "wide.jpg" << QSize(800, 400) << QSize(200, 100) << "";
        QTest::newRow("tall") << "tall.bmp" << QSize(90, 360) << QSize(50, 200) << "";
        QTest::newRow("small stays small") << "small.png" << QSize(40, 30) << QSize(40, 30) << "";
        QTest::newRow("missing") << "missing.jpg" << QSize() << QSize() << "The file does not exist.";
        QTest::newRow("not a picture") << "text.jpg" << QSize(0, 0) << QSize() << "";
        // Made below as what the name says; the reason is the real one.
        QTest::newRow("FIFO") << "fifo.jpg" << QSize() << QSize() << "It is a FIFO (named pipe), not a picture file.";
        QTest::newRow("folder") << "folder.jpg" << QSize() << QSize() << "It is a folder, not a picture file.";
        // clang-format on
    }

    void previews()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QSize, preview);
        QFETCH(QString, reason);
        const QString path = dir_.filePath(name);
        if (name == QLatin1String("fifo.jpg")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (name == QLatin1String("folder.jpg")) {
            QVERIFY(QDir().mkdir(path));
        } else if (size == QSize(0, 0)) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("no picture here");
        } else if (size.isValid()) {
            QImage img(size, QImage::Format_RGB32);
            img.fill(Qt::darkCyan);
            QVERIFY(img.save(path));
        }
        const int reads = Thumbnails::instance().reads();
        // The first request never waits for the file: it is the path alone.
        QCOMPARE(Thumbnails::instance().tooltip(path), path);
        const QString tip = ready_tooltip(path);
        QVERIFY2(tip.startsWith(QStringLiteral("<p>") + path + QStringLiteral("</p>")), qPrintable(tip));
        if (preview.isValid()) {
            const QString file = tip.section("<img src=\"", 1).section(QLatin1Char('"'), 0, 0);
            QCOMPARE(QImage(file).size(), preview);
        } else {
            QVERIFY(!tip.contains(QLatin1String("<img")));
            if (!reason.isEmpty())
                QVERIFY2(tip.contains(reason), qPrintable(tip));
            else
                QVERIFY(tip.count(QLatin1String("<p>")) == 2);
        }
        // Kept while the program runs: asking again reads nothing.
        QCOMPARE(Thumbnails::instance().tooltip(path), tip);
        QCOMPARE(Thumbnails::instance().reads(), reads + 1);
    }
};

QTEST_MAIN(tst_thumbnails)
#include "tst_thumbnails.moc"
