// Deleting a record: the database is rewritten without it, so the records that
// follow move down by one number.
#pragma once

#include "record_file.h"

#include <QString>

namespace tessaran {

// The scratch file the rewrite goes through; it lives beside the database so the
// final rename stays on one file system and is atomic.
inline constexpr const char* scratch_file_name = "wrk.wrk";

// Rewrites db_path without record d (1-based). The new contents are written to the
// scratch file, flushed and synced, then renamed over the database, so the file is
// at every instant either the complete old or the complete new database. On any
// failure before the rename the database is untouched, the scratch file is
// removed and the system's reason is returned. The bytes of every other record
// are copied unchanged.
FileStatus delete_record_file(const QString& db_path, int d);

}  // namespace tessaran
