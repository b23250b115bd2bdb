#include "help.h"

#include "core/database.h"
#include "help_window.h"
#include "ui/user_dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace tessaran {
namespace {

HelpOpener& opener()
{
    static HelpOpener o;
    return o;
}

}  // namespace

void set_help_opener(HelpOpener o)
{
    opener() = std::move(o);
}

QString help_file_path()
{
    return shipped_file(help_file_name);
}

bool open_in_web_browser(const QUrl& url)
{
    return opener() ? opener()(url) : QDesktopServices::openUrl(url);
}

void show_help(QWidget* parent)
{
    const QString path = help_file_path();
    if (!QFileInfo(path).isFile()) {
        msgbox(parent, QStringLiteral("The user guide cannot be found: ") + QDir::toNativeSeparators(path),
               MsgIcon::critical);
        return;
    }
    HelpWindow* window = parent ? parent->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    if (!window) {
        window = new HelpWindow(path, parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace tessaran
