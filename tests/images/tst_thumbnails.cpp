// Picture previews for the image buttons and the collection list: read once
// per path in the background, shown at most 200 pixels on the longer side,
// with the reason instead when the picture cannot be read, and kept on disk
// for the next session while the picture stays as it was.
#include "images/thumbnails.h"
#include "pictures/thumbnail_cache.h"

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
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");     // of the picture written; none, or 0x0 for a file that is no picture
        QTest::addColumn<QSize>("preview");  // of the preview, empty when there is none
        QTest::addColumn<QString>("reason");
        QTest::newRow("wide") << "wide.jpg" << QSize(800, 400) << QSize(200, 100) << "";
        QTest::newRow("tall") << "tall.bmp" << QSize(90, 360) << QSize(50, 200) << "";
        QTest::newRow("small stays small") << "small.png" << QSize(40, 30) << QSize(40, 30) << "";
        QTest::newRow("missing") << "missing.jpg" << QSize() << QSize() << "The file does not exist.";
        QTest::newRow("not a picture") << "text.jpg" << QSize(0, 0) << QSize() << "";
        // Made below: half of a whole picture.
        QTest::newRow("cut short") << "cut.jpg" << QSize(1, 1) << QSize()
                                   << "Only part of the picture can be read: the file is cut short.";
        // Made below as what the name says; the reason is the real one.
        QTest::newRow("FIFO") << "fifo.jpg" << QSize() << QSize() << "It is a FIFO (named pipe), not a picture file.";
        QTest::newRow("folder") << "folder.jpg" << QSize() << QSize() << "It is a folder, not a picture file.";
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
        } else if (name == QLatin1String("cut.jpg")) {
            QImage img(QSize(640, 480), QImage::Format_RGB32);
            img.fill(Qt::darkCyan);
            QBuffer whole;
            QVERIFY(whole.open(QIODevice::WriteOnly) && img.save(&whole, "JPG"));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(whole.data().left(whole.data().size() / 2));
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
            const int width = tip.section("width=\"", 1).section(QLatin1Char('"'), 0, 0).toInt();
            const int height = tip.section("height=\"", 1).section(QLatin1Char('"'), 0, 0).toInt();
            QCOMPARE(QSize(width, height), preview);
            QCOMPARE(QImage(file).size(), size.scaled(size.boundedTo(QSize(256, 256)), Qt::KeepAspectRatio));
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

    void kept_between_sessions_data()
    {
        QTest::addColumn<QString>("change");  // made to the picture or the cache after storing
        QTest::addColumn<bool>("found");
        QTest::newRow("as stored") << "" << true;
        QTest::newRow("picture changed since") << "picture" << false;
        QTest::newRow("thumbnail cut short") << "cut" << false;
        QTest::newRow("thumbnail of another picture") << "other" << false;
        QTest::newRow("picture gone") << "gone" << false;
    }

    void kept_between_sessions()
    {
        QFETCH(QString, change);
        QFETCH(bool, found);
        const QString picture = dir_.filePath(QStringLiteral("kept_%1.png").arg(QTest::currentDataTag()));
        QImage img(QSize(600, 300), QImage::Format_RGB32);
        img.fill(Qt::darkRed);
        QVERIFY(img.save(picture));
        const QImage thumbnail = img.scaled(256, 128);
        const QString file = store_thumbnail(picture, thumbnail);
        QCOMPARE(file, thumbnail_cache_file(picture));
        // Nobody else reads what the user's pictures show.
        QCOMPARE(int(QFileInfo(file).permissions() & 0x00FF), 0);
        if (change == QLatin1String("picture")) {
            QFile f(picture);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
        } else if (change == QLatin1String("cut")) {
            QVERIFY(QFile::resize(file, QFileInfo(file).size() / 2));
        } else if (change == QLatin1String("other")) {
            // Another picture's thumbnail under this picture's name.
            const QString other = dir_.filePath(QStringLiteral("other.png"));
            QVERIFY(img.save(other));
            QVERIFY(!store_thumbnail(other, thumbnail).isEmpty());
            QFile::remove(file);
            QVERIFY(QFile::copy(thumbnail_cache_file(other), file));
        } else if (change == QLatin1String("gone")) {
            QVERIFY(QFile::remove(picture));
        }
        QCOMPARE(cached_thumbnail(picture).isNull(), !found);
        if (found)
            QCOMPARE(cached_thumbnail(picture).size(), QSize(256, 128));
    }
};

QTEST_MAIN(tst_thumbnails)
#include "tst_thumbnails.moc"
