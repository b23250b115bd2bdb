// An SQLite database file and its statements, closed and finalised however
// the caller leaves: the one way the program talks to SQLite.
#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace tessaran {

class SqliteDb {
public:
    enum class Mode { read_only, read_write, create };
    // Opens the file at path; create allows a new one. Links are not followed.
    bool open(const QString& path, Mode mode);
    void close();
    bool is_open() const { return db_ != nullptr; }
    bool read_only() const { return read_only_; }
    // Runs statements that return no rows.
    bool exec(const char* sql);
    // The last failure, in SQLite's words; the code tells a damaged file.
    QString error() const { return error_; }
    bool damaged() const { return damaged_; }
    sqlite3* handle() const { return db_.get(); }
    // The row the last INSERT made.
    qint64 last_id() const;
    // Notes a failure of a statement on this database.
    void fail();

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::unique_ptr<sqlite3, Closer> db_;
    QString error_;
    bool damaged_ = false;
    bool read_only_ = false;
};

class SqliteStatement {
public:
    SqliteStatement(SqliteDb& db, const char* sql);
    bool ok() const { return stmt_ != nullptr && !failed_; }

    SqliteStatement& bind(int index, qint64 value);
    SqliteStatement& bind(int index, const QString& value);
    SqliteStatement& bind(int index, const QByteArray& value);
    SqliteStatement& bind_null(int index);
    // Steps once: true while a row is there; a failure is told to the database.
    bool next();
    // Steps to the end: false on a failure.
    bool run();
    void reset();

    bool is_null(int column) const;
    qint64 integer(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

private:
    struct Finaliser {
        void operator()(sqlite3_stmt* stmt) const;
    };
    SqliteDb& db_;
    std::unique_ptr<sqlite3_stmt, Finaliser> stmt_;
    bool failed_ = false;
};

// A transaction that is rolled back unless committed.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDb& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    bool ok() const { return began_; }
    bool commit();

private:
    SqliteDb& db_;
    bool began_ = false;
    bool done_ = false;
};

}  // namespace tessaran
