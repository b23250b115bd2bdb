// The collection database file: fixed 2473-byte records numbered from 1.
// Every single access opens and closes the file; a scan opens it once.
#pragma once

#include "scope_record.h"

#include <QFile>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace tessaran {

// Result of a file operation: ok, or the system's reason in error.
struct FileStatus {
    bool ok = true;
    QString error;
    QString warning;  // done, but something the user should know (a backup not kept)
    explicit operator bool() const { return ok; }
    static FileStatus failure(const QString& why) { return {false, why, QString()}; }
};

// Read record n (1-based) of path into rec (and its stored bytes into raw when
// given). Fails when the record lies past the end.
FileStatus read_record(const QString& path, int n, ScopeRecord& rec, QByteArray* raw = nullptr);
// Write rec as record n of path; n = count + 1 appends. The file is rewritten
// through a scratch file beside it and renamed into place, so a killed program
// leaves the whole old or the whole new file; a failed write leaves the file as
// it was. A file the user may not write is refused. Only record 1 may create a
// missing file.
FileStatus write_record(const QString& path, int n, const ScopeRecord& rec);
// Several records as stored bytes (rec_len_bytes each), replaced or, numbered
// from count + 1 on, appended in one such rewrite: all written, or none. An
// unfinished record at the end that a write reaches is first kept in
// partial_record_keep_path() (the warning says where).
FileStatus write_raw_records(const QString& path, const std::vector<std::pair<int, QByteArray>>& records);

// Number of records the file holds: length / 2473 rounded to nearest; 0 when missing.
int record_count_of(const QString& path);
// File length in bytes, -1 when it cannot be read.
qint64 file_length(const QString& path);
// The whole records the file holds (a record cut short by a program stopped
// while adding it is not one); 0 when missing.
int whole_record_count(const QString& path);
// The bytes past the last whole record: a record another program began and
// did not finish. 0 for a whole file.
qint64 partial_record_bytes(const QString& path);
// Where those bytes are kept before a write reaches them: "PATH.partial", or
// "PATH.partial-2" and on where that name is taken.
QString partial_record_keep_path(const QString& path);
// What a write tells of the unfinished record it kept in kept_path.
QString partial_record_note(const QString& kept_path);

// One state of a file: which file is at the path (a save puts a new one there)
// and its length and time of last change. Equal stamps: nobody wrote it between.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;  // -1: no file at the path
    qint64 changed_ns = 0;
    bool operator==(const FileStamp& other) const
    {
        return device == other.device && inode == other.inode && size == other.size && changed_ns == other.changed_ns;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
FileStamp file_stamp(const QString& path);

// Sequential or random reads during one scan, with one open file.
// The whole file is mapped into memory when possible, so a scan is a walk over
// bytes; the mapping is kept for the next scan of the same unchanged-length file.
class RecordScanner {
public:
    RecordScanner() = default;
    ~RecordScanner();
    RecordScanner(const RecordScanner&) = delete;
    RecordScanner& operator=(const RecordScanner&) = delete;

    FileStatus open(const QString& path);
    void close();
    bool is_open() const { return file_.isOpen(); }
    int count() const { return count_; }
    // Raw bytes of record n (1-based), or nullptr when n lies outside the file.
    const char* raw(int n);
    // Decode record n into rec; false when n lies outside the file.
    bool read(int n, ScopeRecord& rec);

private:
    QFile file_;
    std::shared_ptr<const void> mapping_;  // keeps map_ alive
    const uchar* map_ = nullptr;
    QByteArray fallback_;
    int count_ = 0;
};

// True when a file (not a folder) of that path exists.
bool is_existing_file(const QString& path);

// The 27 fields a record can be sorted and listed by, numbered 1..27.
inline constexpr int field_table_size = 27;
// Caption of field 1..27 ("Scope name" ... "Website"); empty for any other number.
QString field_name(int index);
// The fields that give an overview of a kaleidoscope, as the collection list
// and the web catalogue show them: scope name, artist, scope type, year, date
// of purchase, store and the two prices.
const std::vector<int>& overview_fields();
// The record member of field 1..27 (scope name for any other number).
Member field_member(int index);

}  // namespace tessaran
