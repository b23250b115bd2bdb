// Writing all of a buffer to an open file, with the system's reason on failure.
#pragma once

#include "record_file.h"

#include <QByteArray>
#include <QFileDevice>

namespace tessaran {

// Writes every byte of data at the file's current end of output. Qt's own
// write reports a short write on a full disk (or past a file size limit) as
// partial success with no reason, and its buffered form can lose it entirely;
// this goes to the file descriptor, retries the rest after a short count and
// returns strerror() of the call that failed. The file must be open for writing.
FileStatus write_all(QFileDevice& file, const QByteArray& data);

}  // namespace tessaran

namespace tessaran {

// Makes contents the whole of the file at path, atomically: they are written
// to a scratch file beside the (link-resolved) target, flushed and synced, and
// renamed over it, so a program killed at any moment leaves the complete old
// or the complete new file. The new file keeps the old one's access rights.
// On failure the file is as it was, the scratch file is removed, and the
// system's reason is returned.
FileStatus replace_file_atomically(const QString& path, const QByteArray& contents);

}  // namespace tessaran
