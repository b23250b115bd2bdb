// Soundness checks of a collection database file, shared by the command-line tool.
#pragma once

#include "core/scope_record.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tessaran {

struct DatabaseReport {
    qint64 size = -1;      // bytes; -1 when the file cannot be read
    int records = 0;       // whole records in the file
    QString unreadable;    // why the file cannot be read at all (not a regular file, ...)
    QStringList errors;    // damage that stops the program from working with the file
    QStringList warnings;  // texts the program shows as they are (dates, years, odd bytes)
};

// Why path cannot be read as a collection file (missing, not a regular file
// such as a FIFO or a device, unreadable); empty when it can.
QString unreadable_reason(const QString& path);

// The problems of one record's stored bytes (record number for the text),
// added to the report's errors and warnings.
void check_record(const char* raw, int number, DatabaseReport& report);

// Reads the whole file once and lists every problem found. Dates and years
// are read in the default locale, which the warnings name.
DatabaseReport check_database(const QString& path);

// Every stored picture of the collection, by record and slot: the path as
// stored, the file it names and whether that exists.

struct PictureLine {
    int record = 0;
    int slot = 0;
    QString stored;
    QString file;
    bool exists = false;   // a regular file
    bool present = false;  // something is there (a folder or FIFO, when not a file)
    // "found", "missing" or "not a picture file".
    QString state() const;
};
std::vector<PictureLine> picture_lines(const QString& path);
// One line for each stored picture whose file cannot be found or is no file.
QStringList missing_picture_warnings(const QString& path);

// A record as one line of JSON: member names as keys, prices as decimal strings.
QByteArray record_json(const ScopeRecord& rec, int number);

}  // namespace tessaran
