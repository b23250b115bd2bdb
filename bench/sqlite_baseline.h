// The SQLite baseline: the same records in one table of a database file on the
// same disk, and the queries that do the jobs the program does.
#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

struct sqlite3;

namespace tessaran::bench {

class SqliteDb {
public:
    SqliteDb() = default;
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    bool open(const QString& path);
    void close();
    QString error() const;

    // Runs statements that return nothing; false on error.
    bool exec(const char* sql);
    // The first column of every row of a query, as integers.
    std::vector<qint64> ids(const char* sql);
    // One integer from a query such as count(*); -1 on error.
    qint64 scalar(const char* sql);
    // Writes the rows of a query as comma-separated quoted text lines (CR LF)
    // to path, through a scratch file renamed over it. Returns the row count, -1 on error.
    qint64 export_csv(const char* sql, const QString& path);

    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

// Builds the table "scopes" at path from every record of the .rnd file:
// texts trimmed, prices as integers (ten-thousandths), the date of purchase as
// ISO text (NULL when there is none). Returns false with the reason in error.
bool build_sqlite_copy(const QString& rnd_path, const QString& path, QString& error);

}  // namespace tessaran::bench
