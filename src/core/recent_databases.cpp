#include "recent_databases.h"

#include "program_files.h"

#include <QSettings>

namespace tessaran {

namespace {

// An INI file in the user's configuration folder for the program.
QSettings settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(app_id),
                     QStringLiteral("tessaran"));
}

// The same, to write to: its folder is made first, for the user alone, since
// QSettings would make it readable to all (the list names the collections).
QSettings settings_to_write()
{
    make_private_folder(user_config_folder());
    return settings();
}

const QString recent_key = QStringLiteral("recent/databases");
const QString reopen_key = QStringLiteral("startup/reopen_last");

}  // namespace

QStringList recent_databases()
{
    QStringList list = settings().value(recent_key).toStringList();
    list.removeAll(QString());
    return list.mid(0, recent_limit);
}

void remember_database(const QString& path)
{
    QStringList list = recent_databases();
    list.removeAll(path);
    list.prepend(path);
    settings_to_write().setValue(recent_key, list.mid(0, recent_limit));
}

void forget_database(const QString& path)
{
    QStringList list = recent_databases();
    list.removeAll(path);
    settings_to_write().setValue(recent_key, list);
}

bool reopen_last_at_startup()
{
    return settings().value(reopen_key, false).toBool();
}

void set_reopen_last_at_startup(bool on)
{
    settings_to_write().setValue(reopen_key, on);
}

}  // namespace tessaran
