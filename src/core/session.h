// The open collection as the record editor holds it: the file and its record
// count, the caption parts, the record being shown, the working set and the
// locale labels. Built by the start-up window once opening succeeded.
#pragma once

#include "locale_dates.h"
#include "record_file.h"
#include "scope_record.h"
#include "working_set.h"

#include <QString>

namespace tessaran {

struct Session {
    QString path;
    int record_count = 0;
    QString file_caption;    // "Database file: PATH"
    QString record_caption;  // "[Record P of N]" or "[Adding record N]"
    ScopeRecord record;      // the record shown; every read and write passes through it
    WorkingSet ws;
    LocaleLabels locale;

    // A session on path: its caption and record count, nothing selected yet.
    static Session on_file(const QString& path);

    // Counts the file's records again (at most the format's limit) and keeps the count.
    int refresh_record_count();
    // Reads or writes record n of the file through record.
    FileStatus read(int n);
    FileStatus write(int n) const;
    // The editor caption: file, position, sort and selection, each trimmed,
    // separated by two blanks.
    QString caption() const;
};

}  // namespace tessaran
