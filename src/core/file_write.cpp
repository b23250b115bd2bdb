#include "file_write.h"

#include "delete_record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace tessaran {

FileStatus write_all(QFileDevice& file, const QByteArray& data)
{
    // Anything Qt still holds goes first, so the bytes stay in order.
    if (!file.flush())
        return FileStatus::failure(file.errorString());
    const int fd = file.handle();
    if (fd < 0)
        return FileStatus::failure(file.errorString());
    qint64 written = 0;
    while (written < data.size()) {
        const ssize_t done = ::write(fd, data.constData() + written, size_t(data.size() - written));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return FileStatus::failure(QString::fromLocal8Bit(std::strerror(errno)));
        if (done == 0)
            return FileStatus::failure(QString::fromLocal8Bit(std::strerror(ENOSPC)));
        written += done;
    }
    return {};
}

namespace {

QString errno_text(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

}  // namespace

FileStatus replace_file_atomically(const QString& path, const QByteArray& contents)
{
    const QFileInfo info(path);
    // Through a link the real file is replaced, not the link.
    const QString canonical = info.canonicalFilePath();
    const QString target = canonical.isEmpty() ? info.absoluteFilePath() : canonical;
    const QString dir = QFileInfo(target).absolutePath();
    const QString scratch_path = QDir(dir).filePath(QString::fromLatin1(scratch_file_name));

    // A left-over from an earlier crash (or a link planted there) is replaced, never followed.
    QFile::remove(scratch_path);
    FileStatus st;
    {
        QFile dst(scratch_path);
        if (!dst.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return FileStatus::failure(dst.errorString());
        st = write_all(dst, contents);
        if (st && ::fsync(dst.handle()) != 0)
            st = FileStatus::failure(errno_text(errno));
        if (st && QFileInfo::exists(target))
            dst.setPermissions(QFile(target).permissions());
        dst.close();
    }
    if (st && ::rename(QFile::encodeName(scratch_path).constData(), QFile::encodeName(target).constData()) != 0)
        st = FileStatus::failure(errno_text(errno));
    if (!st) {
        QFile::remove(scratch_path);
        return st;
    }
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return {};
}

}  // namespace tessaran
