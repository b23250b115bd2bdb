// Draws the demo collection's pictures at build time: every picture the demo
// source names by a path relative to the collection, under OUT_DIR, as JPEG.
//
// Usage: tessaran_make_demo_pictures SOURCE.txt OUT_DIR
#include "demo_pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: tessaran_make_demo_pictures SOURCE.txt OUT_DIR\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile source(QFile::decodeName(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[1], qPrintable(source.errorString()));
        return 1;
    }
    const QDir out(QFile::decodeName(argv[2]));
    for (const tessaran::DemoPicture& picture : tessaran::demo_pictures(QString::fromUtf8(source.readAll()))) {
        const QString path = out.filePath(picture.path);
        const QString name = QFileInfo(path).completeBaseName();
        if (!out.mkpath(QFileInfo(path).path())
            || !tessaran::kaleidoscope_picture(name, picture.points, 480).save(path, "JPG", 85)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
