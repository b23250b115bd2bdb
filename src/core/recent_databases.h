// The collections the user opened or created last, most recent first, and
// whether the last one opens again at start-up. Kept in the user's settings
// under the application id.
#pragma once

#include <QString>
#include <QStringList>

namespace tessaran {

inline constexpr int recent_limit = 8;

QStringList recent_databases();
// Puts path first (once), keeping at most recent_limit entries.
void remember_database(const QString& path);
void forget_database(const QString& path);

bool reopen_last_at_startup();
void set_reopen_last_at_startup(bool on);

}  // namespace tessaran
