// TESSARAN V: a catalogue for a private collection of kaleidoscopes.
#include "core/file_write.h"
#include "editor/frm_main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // A save past the file size limit must fail and be reported, not end the program.
    tessaran::ignore_file_size_signal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TESSARAN V"));
    QApplication::setApplicationVersion(QStringLiteral("5.0"));

    tessaran::frm_main window;
    window.show();
    return QApplication::exec();
}
