// The saved selections of a collection, in a table of the history's file of
// their own: made the first time one is kept, absent in an older file.
#include "collection_history.h"

namespace tessaran {

namespace {

const char* const selection_table
    = "CREATE TABLE IF NOT EXISTS saved_selection(name TEXT PRIMARY KEY, definition BLOB NOT NULL)";

}  // namespace

std::vector<std::pair<QString, QByteArray>> CollectionHistory::saved_selections()
{
    std::vector<std::pair<QString, QByteArray>> found;
    if (!db_.is_open())
        return found;
    SqliteStatement q(db_, "SELECT name, definition FROM saved_selection ORDER BY name COLLATE NOCASE");
    while (q.ok() && q.next())
        found.emplace_back(q.text(0), q.blob(1));
    return found;
}

bool CollectionHistory::keep_selection(const QString& name, const QByteArray& definition)
{
    if (!db_.is_open() || db_.read_only() || !db_.exec(selection_table))
        return false;
    SqliteStatement put(db_, "INSERT OR REPLACE INTO saved_selection(name, definition) VALUES(?, ?)");
    return put.bind(1, name).bind(2, definition).run();
}

bool CollectionHistory::rename_selection(const QString& from, const QString& to)
{
    if (!db_.is_open() || db_.read_only())
        return false;
    SqliteStatement move(db_, "UPDATE saved_selection SET name = ? WHERE name = ?");
    return move.bind(1, to).bind(2, from).run();
}

bool CollectionHistory::forget_selection(const QString& name)
{
    if (!db_.is_open() || db_.read_only())
        return false;
    SqliteStatement drop(db_, "DELETE FROM saved_selection WHERE name = ?");
    return drop.bind(1, name).run();
}

}  // namespace tessaran
