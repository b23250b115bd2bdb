// Building database files for tests: records with chosen or varied contents,
// written with the program's own record writer into a temporary folder.
#pragma once

#include "core/scope_record.h"
#include "core/session.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

namespace tessaran::test {

// An empty record with the given fields set (prices in ten-thousandths).
ScopeRecord make_record(const QString& scopename, const QString& artist = QString(),
                        const QString& date_bought = QString(), qint64 price_paid = 0, qint64 price_retail = 0);

// rec with these pictures in slots 1.., its count set to match.
ScopeRecord with_pictures(ScopeRecord rec, const QStringList& paths);

// A record in which every member holds a value derived from i (1-based), so that
// records differ in every field. The date is written in the current locale's
// short-date form; i % 7 == 0 gives a record without a date.
ScopeRecord varied_record(int i);

// Writes the records, in order, as a whole database file (replacing any file).
bool write_db(const QString& path, const QList<ScopeRecord>& records);
// Writes the given raw bytes as the file (for malformed or hand-made files).
bool write_bytes(const QString& path, const QByteArray& bytes);
// Reads every record of the file; empty when the file cannot be read.
QList<ScopeRecord> read_db(const QString& path);
QByteArray read_bytes(const QString& path);
// The scope names of the file's records, in file order, without their blanks.
QStringList scope_names(const QString& path);

// A database in its own temporary folder, and sessions on it as the start-up
// window builds them.
class TempDb {
public:
    explicit TempDb(const QList<ScopeRecord>& records = {}, const QString& name = QStringLiteral("test.rnd"));
    bool ok() const { return ok_; }
    QString path() const { return path_; }
    QString dir() const { return dir_.path(); }
    // The file, its caption and record count; nothing selected yet.
    Session session() const;
    // session() with every record in the working set, in file order.
    Session open_all() const;
    // open_all() as the summary window expects it: a sort caption, the given
    // selection criteria, and "$" as the currency symbol.
    Session open_for_summary(const QString& criteria = QStringLiteral("All")) const;
    // Rewrites the whole file with these records.
    bool rewrite(const QList<ScopeRecord>& records) const;

private:
    QTemporaryDir dir_;
    QString path_;
    bool ok_ = false;
};

// The hidden scratch files (".NAME.XXXXXX") lying in the folder.
QStringList scratch_files_in(const QString& dir);

}  // namespace tessaran::test
