// Deleting a record: the database is rewritten without it, so the records that
// follow move down by one number.
#pragma once

#include "record_file.h"

#include <QString>

namespace tessaran {

// Rewrites the collection file without record d (1-based) through replace_file_contents, so
// the file is at every instant the complete old or the complete new database
// and the old one is kept as its backup. On failure the database is as it was
// and the reason is returned. The bytes of every other record are kept.
FileStatus delete_record_file(const QString& collection, int d);

}  // namespace tessaran
