// TESSARAN V: a catalogue for a private collection of kaleidoscopes.
// "tessaran FILE.rnd" (what the desktop runs for a double-clicked collection)
// opens FILE.rnd as "Open database file..." would.
#include "core/file_write.h"
#include "core/program_files.h"
#include "editor/frm_main.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    // A save past the file size limit must fail and be reported, not end the program.
    tessaran::ignore_file_size_signal();
    QApplication app(argc, argv);
    // No display name: the window system would add it to every caption. The
    // per-user folders and the settings are named by the id explicitly.
    QApplication::setApplicationName(QStringLiteral("TESSARAN V"));
    QApplication::setApplicationVersion(QStringLiteral("5.0"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tessaran::app_id));

    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() > 1 || (args.size() == 1 && args.first().startsWith(QLatin1Char('-')))) {
        std::fputs("usage: tessaran [FILE.rnd]\n", stderr);
        return 2;
    }

    tessaran::frm_main window;
    window.show();
    if (!args.isEmpty()) {
        const QString path = QFileInfo(args.first()).absoluteFilePath();
        QTimer::singleShot(0, &window, [&window, path] { window.open_database(path); });
    } else {
        QTimer::singleShot(0, &window, [&window] { window.reopen_last(); });
    }
    return QApplication::exec();
}
