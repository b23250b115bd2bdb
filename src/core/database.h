// Opening and creating a collection database file: the checks a file must pass
// before the editor is shown on it, and the program folder the files live in.
#pragma once

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
// Replaces path by an empty file (length 0). An existing file is deleted first;
// a failure carries the system's reason and, when the delete failed, leaves the
// old file as it was.
FileStatus create_empty_database(const QString& path);

// The folder that holds the program file (and demo.rnd, the colour files and the
// help guide beside it).
QString program_folder();
// Tests point the program folder elsewhere; an empty path restores the real one.
void set_program_folder_for_tests(const QString& folder);

inline constexpr const char* demo_database_name = "demo.rnd";
// The demo database in the program folder.
QString demo_database_path();

}  // namespace tessaran
