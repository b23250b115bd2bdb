// TESSARAN V: a catalogue for a private collection of kaleidoscopes.
// "tessaran FILE.rnd" (what the desktop runs for a double-clicked collection)
// opens FILE.rnd as "Open database file..." would.
#include "core/file_write.h"
#include "core/program_files.h"
#include "start_window.h"
#include "ui/accessible_names.h"
#include "ui/button_keys.h"
#include "ui/focus_ring.h"
#include "ui/logo.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

const char* const usage_line = "usage: tessaran [FILE.rnd]\n";

}  // namespace

int main(int argc, char** argv)
{
    // A save past the file size limit must fail and be reported, not end the program.
    tessaran::ignore_file_size_signal();
    // Answered before any window system is needed: they work without a display.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage_line, stdout);
        std::fputs("\n"
                   "TESSARAN V catalogues a private collection of kaleidoscopes.\n"
                   "Started without a file, it shows its start-up window (or reopens the last\n"
                   "collection, when that is chosen under Preferences); with FILE.rnd it opens\n"
                   "that collection in the record editor.\n"
                   "\n"
                   "  -h, --help     show this help and exit\n"
                   "  --version      show the version and exit\n"
                   "\n"
                   "tessaran-rnd checks, dumps, exports and imports collections from scripts.\n"
                   "See tessaran(1) and the guide under Help > Help Topics (F1).\n",
                   stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("tessaran " TESSARAN_VERSION "\n", stdout);
        return 0;
    }
    QApplication app(argc, argv);
    // No display name: the window system would add it to every caption. The
    // per-user folders and the settings are named by the id explicitly.
    QApplication::setApplicationName(QStringLiteral("TESSARAN V"));
    QApplication::setApplicationVersion(QStringLiteral(TESSARAN_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tessaran::app_id));
    tessaran::install_accessible_names();
    tessaran::FocusRing::install();
    tessaran::install_button_keys();

    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() > 1 || (args.size() == 1 && args.first().startsWith(QLatin1Char('-')))) {
        std::fputs(usage_line, stderr);
        return 2;
    }
    // The installed theme's icon, else the logo the program draws.
    QIcon icon = QIcon::fromTheme(QString::fromLatin1(tessaran::app_id));
    if (icon.isNull()) {
        for (const int size : {16, 32, 48, 64, 128, 256})
            icon.addPixmap(tessaran::kaleidoscope_logo(size));
    }
    QApplication::setWindowIcon(icon);

    tessaran::StartWindow window;
    window.show();
    if (!args.isEmpty()) {
        const QString path = QFileInfo(args.first()).absoluteFilePath();
        QTimer::singleShot(0, &window, [&window, path] { window.open_database(path); });
    } else {
        QTimer::singleShot(0, &window, [&window] { window.reopen_last(); });
    }
    return QApplication::exec();
}
