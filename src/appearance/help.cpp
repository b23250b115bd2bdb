#include "help.h"

#include "core/database.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace tessaran {
namespace {

HelpOpener& opener()
{
    static HelpOpener o;
    return o;
}

}  // namespace

void set_help_opener(HelpOpener o) { opener() = std::move(o); }

QString help_file_path()
{
    return shipped_file(help_file_name);
}

void show_help()
{
    const QString path = help_file_path();
    if (!QFileInfo(path).isFile())
        return;
    const QUrl url = QUrl::fromLocalFile(path);
    if (opener())
        opener()(url);
    else
        QDesktopServices::openUrl(url);
}

}  // namespace tessaran
