// Pictures the collection names but cannot find (after the collection moved to
// another computer, or its pictures to another disk), and finding them again
// in the folder where they are now.
#pragma once

#include "collection_history.h"

#include "record_file.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tessaran {

// A picture slot of a record (record number in the file, slot 1..10).
struct PictureUse {
    int record = 0;
    int slot = 0;
};

// One stored path, with where it is used and the file it names.
struct StoredPictureRef {
    QString stored;
    QString file;
    bool exists = false;   // a regular file is there
    bool present = false;  // something is there: with !exists, a folder, FIFO or device
    std::vector<PictureUse> uses;
    QString scope_name;  // of the kaleidoscope that uses it first
};

// Every stored picture path of the collection, each once, in the order of
// their first use; whether its file exists is asked once per path.
FileStatus collection_pictures(const QString& collection_path, std::vector<StoredPictureRef>& out);
// Only those whose file does not exist.
std::vector<StoredPictureRef> missing_only(const std::vector<StoredPictureRef>& all);

// What the search made of one missing picture.
struct PictureMatch {
    enum class Outcome { found, several, none };
    StoredPictureRef missing;
    Outcome outcome = Outcome::none;
    QString found;           // the file found, when found
    QStringList candidates;  // the files of the same name it could not tell apart
};

// A picture's pixel size; an empty size when it cannot be read.
using PictureMeasure = std::function<QSize(const QString& file)>;

// Looks in folder and below for files named as each missing picture (letter
// case aside). Of several, those whose folders match more of the old path's
// folders from the end are taken ("2019/IMG_1.jpg" over "2020/IMG_1.jpg");
// several left that have one size in bytes and one size in pixels are copies
// of one picture, and the first is taken; otherwise the picture is left to the
// user. cancelled is asked now and then; true stops the search.
std::vector<PictureMatch> match_missing_pictures(const std::vector<StoredPictureRef>& missing, const QString& folder,
                                                 const PictureMeasure& measure,
                                                 const std::function<bool()>& cancelled = {});

// A change of one stored path, in every record and slot that uses it.
struct PictureChange {
    std::vector<PictureUse> uses;
    QString was;     // the stored path now; a slot that holds another is left alone
    QString stored;  // the new stored path
};
// Writes every change into the collection in one safe rewrite (through
// recorded, where the change is to be kept in the collection's history).
FileStatus store_picture_changes(const QString& collection_path, const std::vector<PictureChange>& changes,
                                 const RecordedWrite& recorded = {});

// Stores the paths of the pictures found, each relative to the collection's
// folder where it lies beside it; one that cannot be kept where it is gets a
// copy in the collection's picture folder, named after the scope it belongs to.
struct FoundPictures {
    FileStatus status;       // of the write; nothing is changed when it fails
    int changed = 0;         // stored paths changed
    QStringList not_copied;  // "FILE: reason", for pictures left as they were
};
FoundPictures store_found_pictures(const QString& collection_path, const std::vector<PictureMatch>& matches,
                                   const RecordedWrite& recorded = {});

}  // namespace tessaran
