// TESSARAN V: a catalogue for a private collection of kaleidoscopes.
#include "editor/frm_main.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TESSARAN V"));
    QApplication::setApplicationVersion(QStringLiteral("5.0"));

    tessaran::frm_main window;
    window.show();
    return QApplication::exec();
}
