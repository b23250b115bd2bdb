// Opening and creating a collection database file: the checks a file must pass
// before the editor is shown on it, and the program folder the files live in.
#pragma once

#include "program_files.h"
#include "record_file.h"

#include <QString>

namespace tessaran {

// Result of checking a database file before it is opened.
struct OpenCheck {
    bool ok = false;
    QString message;  // the text to show the user when not ok
    int count = 0;    // number of records when ok
};

// Exists, length a whole multiple of 2473, at most 32767 records, readable.
OpenCheck check_database_file(const QString& path);
// Replaces path by an empty file (length 0), safely as a save replaces it; a
// failure carries the system's reason and leaves the old file as it was.
FileStatus create_empty_database(const QString& path);

}  // namespace tessaran
