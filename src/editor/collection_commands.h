// Writing the collection: a record, keeping what is not a whole record at the
// file's end; and the commands that write the whole collection rather than the
// record shown, importing kaleidoscopes, finding missing pictures and
// changing a field of many. Each
// asks the user, then calls may_write just before it writes (the editor's
// claim on the collection, its catching up with other programs) and writes
// nothing when that says no. True when the collection was written; the
// editor then reads it again.
#pragma once

#include "core/collection_history.h"
#include "core/criteria.h"
#include "core/record_file.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace tessaran {

class ChangeRecorder;
struct ImportCount;
struct ScopeRecord;

// How a write to the collection at path went: on failure, failed + the path
// + the system's reason + after, and false; else any warning, and true.
bool told_write_outcome(QWidget* parent, const FileStatus& st, const QString& path, const QString& failed,
                        const QString& after = QString());

// Writes r as record recno of the collection at path (is_new: a new record
// after the last whole one), keeping an unfinished record at the file's end
// aside first, as the user is told.
FileStatus write_keeping_tail(QWidget* parent, const QString& path, int recno, const ScopeRecord& r, bool is_new);

// Import kaleidoscopes...: the file the user chooses, previewed, added to the
// collection at path and recorded as one change; count says how many rows
// went in and how many not.
bool import_kaleidoscopes(const QString& path, QWidget* parent, const std::function<bool()>& may_write,
                          ChangeRecorder& recorder, ImportCount& count);

// Where two or more pictures of the collection at path are missing, asks
// whether to look for them now; true when the user wants that.
bool missing_pictures_search_wanted(const QString& path, QWidget* parent);
// Find missing pictures...: looks in a folder the user chooses, shows what
// it found and stores the paths the user accepts, through recorded.
bool find_missing_pictures(const QString& path, QWidget* parent, const std::function<bool()>& may_write,
                           const RecordedWrite& recorded);

// Change a field...: the dialog over the working set (its record numbers,
// read again each time the changes are shown) with the group given chosen
// first; the changes written through recorded once may_write agrees, and
// read_again before the user is told. The number of kaleidoscopes changed;
// 0 when nothing was written.
int change_field_of_many(const QString& path, const std::function<std::vector<int>()>& working_set, GroupField group,
                         const QString& value, QWidget* parent, const std::function<bool()>& may_write,
                         const RecordedWrite& recorded, const std::function<void()>& read_again);

}  // namespace tessaran
