// Where a kaleidoscope's pictures are: a record keeps each picture's path in a
// slot of 60 Windows-1252 characters, either absolute or relative to the
// folder that holds the collection, so that a collection folder copied with
// its pictures to another place still finds them.
#pragma once

#include "record_file.h"

#include <QString>

#include <functional>

namespace tessaran {

// True for a stored path that is relative to the collection's folder. Paths
// written on other systems ("C:\Pictures\x.jpg", "\\server\x.jpg") are absolute.
bool is_relative_picture_path(const QString& stored);

// The file a stored path names: a relative path joined to the folder of the
// collection at collection_path; an absolute one as it is. Blanks around the
// stored path are not part of it, nor anything from its first zero byte on
// (it ends there, as a C string does). Empty for an empty path.
QString picture_file(const QString& stored, const QString& collection_path);

// The last part of a stored path, whichever system wrote it.
QString picture_file_name(const QString& stored);

// How a chosen picture would be kept in a record.
struct StoredPicture {
    enum class Problem { none, too_long, not_storable };
    QString stored;  // relative inside the collection's folder, else absolute
    Problem problem = Problem::none;
    // Why it cannot be kept as it is, in a sentence; empty when it can.
    QString why;
    bool ok() const { return problem == Problem::none; }
};

// The stored form of the picture at path (absolute, or relative to the working
// folder) for the collection at collection_path. A picture lies inside the
// collection's folder when its real location does: ".." and symbolic links that
// lead out of the folder make it an outside picture, kept by its absolute path.
StoredPicture stored_picture(const QString& path, const QString& collection_path);

// The collection's own picture folder: "NAME-pictures" beside NAME.rnd, or
// "pictures" where NAME is too long or holds letters a record cannot store.
QString picture_folder_name(const QString& collection_path);
QString picture_folder(const QString& collection_path);

// Copies the picture at source into the collection's picture folder under a
// short unique name made from scope_name ("blue-hour-1.jpg") and sets stored to
// its stored form. A picture already there (the file itself, or a copy of the
// same bytes) is not copied again. The copy is written whole or not at all;
// the original is only read.
// progress is told the bytes copied of the whole after every piece; when it
// answers false the copy stops, nothing is left behind, and the reason is
// copy_cancelled_text.
using CopyProgress = std::function<bool(qint64 done, qint64 total)>;
inline const char* const copy_cancelled_text = "The copy was cancelled.";
FileStatus copy_into_picture_folder(const QString& source, const QString& collection_path, const QString& scope_name,
                                    QString& stored, const CopyProgress& progress = {});

}  // namespace tessaran
