#include "delete_record.h"

#include "file_write.h"

#include "scope_record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace tessaran {

namespace {

QString errno_text(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Copies len bytes from the current position of src to dst.
FileStatus copy_bytes(QFile& src, QFile& dst, qint64 len)
{
    constexpr qint64 chunk = qint64(rec_len_bytes) * 64;
    QByteArray buf;
    while (len > 0) {
        const qint64 want = std::min(chunk, len);
        buf = src.read(want);
        if (buf.size() != want)
            return FileStatus::failure(src.error() != QFileDevice::NoError
                                           ? src.errorString()
                                           : QStringLiteral("The database file ended early."));
        // Qt reports a short write with no reason; the system's comes from write_all.
        if (FileStatus st = write_all(dst, buf); !st)
            return st;
        len -= want;
    }
    return {};
}

// Makes the rename itself durable.
void sync_folder(const QString& dir)
{
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes the database without record d into the scratch file; nothing is renamed.
FileStatus write_scratch(const QString& db_path, const QString& scratch_path, int d)
{
    QFile src(db_path);
    if (!src.open(QIODevice::ReadOnly))
        return FileStatus::failure(src.errorString());
    const qint64 len = src.size();
    const qint64 cut = qint64(d - 1) * rec_len_bytes;
    if (d < 1 || cut + rec_len_bytes > len)
        return FileStatus::failure(
            QStringLiteral("Record %1 is not in the database file.").arg(d));

    // A left-over from an earlier crash (or a link planted there) is replaced, never followed.
    QFile::remove(scratch_path);
    QFile dst(scratch_path);
    if (!dst.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return FileStatus::failure(dst.errorString());

    FileStatus st = copy_bytes(src, dst, cut);
    if (st && !src.seek(cut + rec_len_bytes))
        st = FileStatus::failure(src.errorString());
    if (st)
        st = copy_bytes(src, dst, len - cut - rec_len_bytes);
    if (st && !dst.flush())
        st = FileStatus::failure(dst.errorString());
    if (st && ::fsync(dst.handle()) != 0)
        st = FileStatus::failure(errno_text(errno));
    if (st)
        dst.setPermissions(src.permissions());  // the new file keeps the database's access rights
    dst.close();
    if (st && dst.error() != QFileDevice::NoError)
        st = FileStatus::failure(dst.errorString());
    return st;
}

}  // namespace

FileStatus delete_record_file(const QString& db_path, int d)
{
    const QFileInfo info(db_path);
    // Through a link the real file is replaced, not the link.
    const QString canonical = info.canonicalFilePath();
    const QString target = canonical.isEmpty() ? info.absoluteFilePath() : canonical;
    const QString dir = QFileInfo(target).absolutePath();
    const QString scratch_path = QDir(dir).filePath(QString::fromLatin1(scratch_file_name));

    FileStatus st = write_scratch(target, scratch_path, d);
    if (st && ::rename(QFile::encodeName(scratch_path).constData(),
                       QFile::encodeName(target).constData()) != 0)
        st = FileStatus::failure(errno_text(errno));
    if (!st) {
        QFile::remove(scratch_path);
        return st;
    }
    sync_folder(dir);
    return {};
}

}  // namespace tessaran
