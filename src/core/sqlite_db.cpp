#include "sqlite_db.h"

#include <QFile>

#include <sqlite3.h>

namespace tessaran {

void SqliteDb::Closer::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

bool SqliteDb::open(const QString& path, Mode mode)
{
    close();
    sqlite3* db = nullptr;
    const int access = mode == Mode::read_only ? SQLITE_OPEN_READONLY
        : mode == Mode::create                 ? SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                               : SQLITE_OPEN_READWRITE;
    const int flags = access | SQLITE_OPEN_NOFOLLOW;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    db_.reset(db);
    if (rc != SQLITE_OK) {
        error_ = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        damaged_ = rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT;
        db_.reset();
        return false;
    }
    read_only_ = mode == Mode::read_only;
    sqlite3_extended_result_codes(db, 1);
    // A second window of the program may hold the file for a moment.
    sqlite3_busy_timeout(db, 5000);
    return true;
}

void SqliteDb::close()
{
    db_.reset();
}

qint64 SqliteDb::last_id() const
{
    return db_ ? sqlite3_last_insert_rowid(db_.get()) : 0;
}

void SqliteDb::fail()
{
    if (!db_)
        return;
    error_ = QString::fromUtf8(sqlite3_errmsg(db_.get()));
    const int code = sqlite3_errcode(db_.get()) & 0xff;
    damaged_ = damaged_ || code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

bool SqliteDb::exec(const char* sql)
{
    if (!db_)
        return false;
    if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    fail();
    return false;
}

void SqliteStatement::Finaliser::operator()(sqlite3_stmt* stmt) const
{
    sqlite3_finalize(stmt);
}

SqliteStatement::SqliteStatement(SqliteDb& db, const char* sql) : db_(db)
{
    sqlite3_stmt* stmt = nullptr;
    if (!db.handle() || sqlite3_prepare_v2(db.handle(), sql, -1, &stmt, nullptr) != SQLITE_OK) {
        db.fail();
        failed_ = true;
    }
    stmt_.reset(stmt);
}

SqliteStatement& SqliteStatement::bind(int index, qint64 value)
{
    if (stmt_ && sqlite3_bind_int64(stmt_.get(), index, value) != SQLITE_OK)
        failed_ = true;
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const QString& value)
{
    const QByteArray utf8 = value.toUtf8();
    if (stmt_
        && sqlite3_bind_text(stmt_.get(), index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        failed_ = true;
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, const QByteArray& value)
{
    if (stmt_
        && sqlite3_bind_blob64(stmt_.get(), index, value.constData(), sqlite3_uint64(value.size()), SQLITE_TRANSIENT)
            != SQLITE_OK)
        failed_ = true;
    return *this;
}

SqliteStatement& SqliteStatement::bind_null(int index)
{
    if (stmt_ && sqlite3_bind_null(stmt_.get(), index) != SQLITE_OK)
        failed_ = true;
    return *this;
}

bool SqliteStatement::next()
{
    if (!ok())
        return false;
    const int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        db_.fail();
        failed_ = true;
    }
    return false;
}

bool SqliteStatement::run()
{
    while (next()) {
    }
    return ok();
}

void SqliteStatement::reset()
{
    if (stmt_) {
        sqlite3_reset(stmt_.get());
        sqlite3_clear_bindings(stmt_.get());
    }
}

bool SqliteStatement::is_null(int column) const
{
    return sqlite3_column_type(stmt_.get(), column) == SQLITE_NULL;
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(stmt_.get(), column);
}

QString SqliteStatement::text(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(stmt_.get(), column));
    return QString::fromUtf8(data, sqlite3_column_bytes(stmt_.get(), column));
}

QByteArray SqliteStatement::blob(int column) const
{
    const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt_.get(), column));
    return QByteArray(data, sqlite3_column_bytes(stmt_.get(), column));
}

SqliteTransaction::SqliteTransaction(SqliteDb& db) : db_(db)
{
    began_ = db_.exec("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction()
{
    if (began_ && !done_)
        db_.exec("ROLLBACK");
}

bool SqliteTransaction::commit()
{
    if (!began_ || done_)
        return false;
    done_ = db_.exec("COMMIT");
    return done_;
}

}  // namespace tessaran
