#include "sqlite_baseline.h"

#include "core/locale_dates.h"
#include "core/record_file.h"
#include "core/record_match.h"
#include "core/scope_record.h"

#include <QFile>

#include <sqlite3.h>

#include <cstdio>
#include <string>

namespace tessaran::bench {

SqliteDb::~SqliteDb()
{
    close();
}

bool SqliteDb::open(const QString& path)
{
    close();
    return sqlite3_open(QFile::encodeName(path).constData(), &db_) == SQLITE_OK;
}

void SqliteDb::close()
{
    if (db_)
        sqlite3_close(db_);
    db_ = nullptr;
}

QString SqliteDb::error() const
{
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("no database");
}

bool SqliteDb::exec(const char* sql)
{
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::vector<qint64> SqliteDb::ids(const char* sql)
{
    std::vector<qint64> out;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) != SQLITE_OK)
        return out;
    while (sqlite3_step(st) == SQLITE_ROW)
        out.push_back(sqlite3_column_int64(st, 0));
    sqlite3_finalize(st);
    return out;
}

qint64 SqliteDb::scalar(const char* sql)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) != SQLITE_OK)
        return -1;
    const qint64 v = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    sqlite3_finalize(st);
    return v;
}

namespace {

// A price of ten-thousandths as a plain decimal without trailing zeros.
void append_money(std::string& out, qint64 v)
{
    if (v < 0) {
        out += '-';
        v = -v;
    }
    out += std::to_string(v / 10000);
    qint64 frac = v % 10000;
    if (frac == 0)
        return;
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04lld", static_cast<long long>(frac));
    std::string f(digits);
    while (!f.empty() && f.back() == '0')
        f.pop_back();
    out += '.';
    out += f;
}

void append_quoted(std::string& out, const unsigned char* text)
{
    out += '"';
    for (const unsigned char* p = text; p && *p; ++p) {
        if (*p == '"')
            out += '"';
        out += char(*p);
    }
    out += '"';
}

}  // namespace

qint64 SqliteDb::export_csv(const char* sql, const QString& path)
{
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) != SQLITE_OK)
        return -1;
    const QByteArray target = QFile::encodeName(path);
    const QByteArray scratch = target + ".part";
    std::FILE* f = std::fopen(scratch.constData(), "wb");
    if (!f) {
        sqlite3_finalize(st);
        return -1;
    }
    std::string line;
    qint64 rows = 0;
    const int cols = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        line.clear();
        for (int c = 0; c < cols; ++c) {
            if (c)
                line += ',';
            if (sqlite3_column_type(st, c) == SQLITE_INTEGER) {
                line += '"';
                append_money(line, sqlite3_column_int64(st, c));
                line += '"';
            } else {
                append_quoted(line, sqlite3_column_text(st, c));
            }
        }
        line += "\r\n";
        std::fwrite(line.data(), 1, line.size(), f);
        ++rows;
    }
    sqlite3_finalize(st);
    const bool ok = std::fflush(f) == 0 && std::fclose(f) == 0;
    if (!ok || std::rename(scratch.constData(), target.constData()) != 0)
        return -1;
    return rows;
}

namespace {

const char* const text_columns[] = {
    "scopename", "artist",  "studio",  "date_bought", "salesperson", "store",  "street",    "city",         "state",
    "zip",       "country", "phone",   "fax",         "email",       "www",    "scopetype", "extmat",       "extclr",
    "celltype",  "objects", "mirrors", "scopeyear",   "edition",     "signed", "symmetry",  "specfeatures", "comments"};

}  // namespace

bool build_sqlite_copy(const QString& rnd_path, const QString& path, QString& error)
{
    QFile::remove(path);
    SqliteDb db;
    if (!db.open(path)) {
        error = db.error();
        return false;
    }
    std::string create = "CREATE TABLE scopes(id INTEGER PRIMARY KEY";
    for (const char* c : text_columns)
        create += std::string(", ") + c + (std::string(c) == "date_bought" ? " TEXT" : " TEXT NOT NULL");
    create += ", price_paid INTEGER NOT NULL, price_retail INTEGER NOT NULL, image_count INTEGER NOT NULL, "
              "image_files TEXT NOT NULL)";
    if (!db.exec(create.c_str()) || !db.exec("BEGIN")) {
        error = db.error();
        return false;
    }

    std::string insert = "INSERT INTO scopes VALUES(?";
    for (int k = 0; k < 27 + 4; ++k)
        insert += ",?";
    insert += ")";

    RecordScanner scan;
    if (FileStatus st = scan.open(rnd_path); !st) {
        error = st.error;
        return false;
    }
    sqlite3* raw = db.handle();
    sqlite3_stmt* ins = nullptr;
    if (sqlite3_prepare_v2(raw, insert.c_str(), -1, &ins, nullptr) != SQLITE_OK) {
        error = db.error();
        return false;
    }
    ScopeRecord rec;
    for (int n = 1; n <= scan.count(); ++n) {
        scan.read(n, rec);
        int col = 1;
        sqlite3_bind_int64(ins, col++, n);
        for (const TextMemberInfo& m : text_members()) {
            const QString text = trim_blanks(rec.*(m.field));
            if (m.member == m_date_bought) {
                const std::optional<double> days = stored_date_days(text);
                if (days) {
                    const QByteArray iso = days_to_date(*days).toString(Qt::ISODate).toUtf8();
                    sqlite3_bind_text(ins, col++, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
                } else {
                    sqlite3_bind_null(ins, col++);
                }
                continue;
            }
            const QByteArray utf8 = text.toUtf8();
            sqlite3_bind_text(ins, col++, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        sqlite3_bind_int64(ins, col++, rec.price_paid);
        sqlite3_bind_int64(ins, col++, rec.price_retail);
        sqlite3_bind_int64(ins, col++, rec.image_count);
        QStringList images;
        for (int k = 1; k <= rec.image_count && k < image_slot_count; ++k)
            images << trim_blanks(rec.image_files[size_t(k)]);
        const QByteArray img = images.join(QLatin1Char('\n')).toUtf8();
        sqlite3_bind_text(ins, col++, img.constData(), int(img.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(ins) != SQLITE_DONE) {
            error = db.error();
            sqlite3_finalize(ins);
            return false;
        }
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    if (!db.exec("COMMIT")) {
        error = db.error();
        return false;
    }
    return true;
}

}  // namespace tessaran::bench
