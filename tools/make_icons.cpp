// Writes the desktop icon from the program's own logo at build time: PNGs in
// the hicolor sizes and the SVG, in the icon theme's folder layout.
#include "ui/logo.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: tessaran_make_icons OUT_DIR APP_ID\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QFile::decodeName(argv[1]));
    const QString id = QString::fromLocal8Bit(argv[2]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        if (!out.mkpath(dir)
            || !tessaran::kaleidoscope_logo(size).save(
                out.filePath(dir + QLatin1Char('/') + id + QStringLiteral(".png")), "PNG")) {
            std::fprintf(stderr, "cannot write the %dx%d icon\n", size, size);
            return 1;
        }
    }
    QFile svg(out.filePath(QStringLiteral("scalable/apps/") + id + QStringLiteral(".svg")));
    const QByteArray text = tessaran::kaleidoscope_logo_svg(256);
    if (!out.mkpath(QStringLiteral("scalable/apps")) || !svg.open(QIODevice::WriteOnly)
        || svg.write(text) != text.size() || !svg.flush()) {
        std::fputs("cannot write the SVG icon\n", stderr);
        return 1;
    }
    return 0;
}
