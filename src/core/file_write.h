// The one checked path by which the program writes a file: every byte written
// and checked, synced, renamed into place, the folder synced, with the
// previous version of a collection kept beside it.
#pragma once

#include "record_file.h"

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <functional>

namespace tessaran {

// Writes every byte of data at the file's current end of output. Qt's own
// write reports a short write on a full disk (or past a file size limit) as
// partial success with no reason, and its buffered form can lose it entirely;
// this goes to the file descriptor, retries the rest after a short count and
// returns strerror() of the call that failed. The file must be open for writing.
FileStatus write_all(QFileDevice& file, const QByteArray& data);

// The name under which a collection's previous version is kept: "NAME.rnd~".
QString backup_path_of(const QString& path);

// A new file being written beside its target. Created exclusively under a
// unique hidden name (".NAME.XXXXXX") that can never be the target's, readable
// by its owner only until it takes the target's place. Removed again unless
// committed.
class ScratchFile {
public:
    explicit ScratchFile(const QString& target);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    // Creates the file; the reason names the folder when it cannot.
    FileStatus open();
    FileStatus write(const QByteArray& data);
    // Syncs the file, gives it the target's owner, group, mode and extended
    // attributes (a new target gets the usual mode for new files), renames it
    // over the target and syncs the folder. With keep_backup the replaced file
    // stays as backup_path_of(target) through a hard link; failing that only
    // sets the returned warning.
    FileStatus commit(bool keep_backup = false);

    const QString& path() const { return path_; }
    // The target with links resolved: the file that is really replaced.
    const QString& target() const { return target_; }

private:
    QString target_;
    QString path_;
    int fd_ = -1;
    bool committed_ = false;
};

// Makes contents the whole of the file at path so that a program killed at any
// moment leaves the complete old or the complete new file, keeping owner,
// group, mode and extended attributes. Where the owner cannot be kept, the
// folder may not be written or the file has more than one name (hard links,
// which a new file would part), the file is instead updated in place, but only
// after its previous version has been copied completely to backup_path_of().
// With keep_backup the previous version is kept in both cases. On failure the
// file is as it was (or, in place, its backup is complete) and the reason,
// naming the file or folder, is returned.
FileStatus replace_file_contents(const QString& path, const QByteArray& contents, bool keep_backup);

// The same for contents made piece by piece, so that a large file is never
// held whole: write hands each piece, in order, to put, and stops at the
// first failure put returns.
using ContentPut = std::function<FileStatus(const QByteArray& piece)>;
using ContentWriter = std::function<FileStatus(const ContentPut& put)>;
FileStatus replace_file_with(const QString& path, const ContentWriter& write, bool keep_backup);

// Whether replace_file_contents and replace_file_with update the file at path
// in place (its owner could not be kept, its folder may not be written, or it
// has another name) rather than put a new file in its place.
bool written_in_place(const QString& path);

// Removes the scratch files that killed writers left beside target, where it
// is certain that no living process writes them.
void remove_stale_scratch_files(const QString& target);

// Ignores SIGXFSZ, so that a write past the file size limit fails with EFBIG
// and is reported instead of ending the program.
void ignore_file_size_signal();

}  // namespace tessaran
