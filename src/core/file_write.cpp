#include "file_write.h"

#include "collection_lock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tessaran {

namespace {

QString errno_text(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

QString shown_path(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString resolved(const QString& path)
{
    const QFileInfo info(path);
    // Through a link the real file is replaced, not the link.
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

FileStatus write_fd(int fd, const QByteArray& data)
{
    qint64 written = 0;
    while (written < data.size()) {
        const ssize_t done = ::write(fd, data.constData() + written, size_t(data.size() - written));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return FileStatus::failure(errno_text(errno));
        if (done == 0)
            return FileStatus::failure(errno_text(ENOSPC));
        written += done;
    }
    return {};
}

// Makes a rename or a new name durable. A folder that cannot be synced is
// not an error: the files themselves are.
void sync_folder(const QString& dir)
{
    const int fd = ::open(native(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool in_group(gid_t gid)
{
    if (gid == ::getegid())
        return true;
    const int n = ::getgroups(0, nullptr);
    if (n <= 0)
        return false;
    std::vector<gid_t> groups(std::size_t(n), 0);
    const int got = ::getgroups(n, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

// A new file in place of this one can carry its owner and group.
bool can_keep_owner(const struct stat& st)
{
    if (::geteuid() == 0)
        return true;
    return st.st_uid == ::geteuid() && in_group(st.st_gid);
}

void copy_xattrs(const QString& from, int to_fd)
{
    const QByteArray src = native(from);
    const ssize_t len = ::listxattr(src.constData(), nullptr, 0);
    if (len <= 0)
        return;
    QByteArray names(len, '\0');
    const ssize_t got = ::listxattr(src.constData(), names.data(), size_t(names.size()));
    for (ssize_t at = 0; got > 0 && at < got;) {
        const char* name = names.constData() + at;
        at += ssize_t(std::strlen(name)) + 1;
        const ssize_t vlen = ::getxattr(src.constData(), name, nullptr, 0);
        if (vlen < 0)
            continue;
        QByteArray value(vlen, '\0');
        if (::getxattr(src.constData(), name, value.data(), size_t(value.size())) == vlen)
            ::fsetxattr(to_fd, name, value.constData(), size_t(vlen), 0);
    }
}

mode_t new_file_mode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Leftover scratch files of this target from a program that was killed while
// writing. A writer locks its scratch file from the moment it creates it, so
// one that nobody holds a lock on is written by no living process. It is
// removed at once while this process is the collection's one writer, else
// once it is ten minutes old (a writer that takes no locks may still be at it).
void remove_stale_scratch(const QString& target)
{
    const QFileInfo info(target);
    const QString prefix = QLatin1Char('.') + info.fileName() + QLatin1Char('.');
    QDir dir(info.absolutePath());
    const QStringList names
        = dir.entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::System);
    if (names.isEmpty())
        return;
    struct stat collection { };
    const bool sole_writer = ::stat(native(target).constData(), &collection) == 0
        && CollectionLock::held_on(collection.st_dev, collection.st_ino);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (const QString& name : names) {
        const QByteArray p = native(dir.filePath(name));
        const int fd = ::open(p.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat st { };
        const bool stale = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && !file_locked_elsewhere(fd)
            && (sole_writer || now - qint64(st.st_mtime) > 600);
        ::close(fd);
        if (stale)
            ::unlink(p.constData());
    }
}

// The previous version belongs to the collection's owner as much as the
// collection does: the copy gets its group and mode, and its owner where this
// user may give it. Best effort: a user outside the group keeps the copy's own.
void give_backup_collection_rights(int fd, const struct stat& collection)
{
    // chown clears set-id bits, so the mode comes after it.
    const uid_t owner = ::geteuid() == 0 ? collection.st_uid : uid_t(-1);
    if (::fchown(fd, owner, collection.st_gid) != 0 && owner != uid_t(-1))
        (void)::fchown(fd, uid_t(-1), collection.st_gid);
    (void)::fchmod(fd, collection.st_mode & 0666);
}

// Copies the file completely to its backup name and syncs the copy.
FileStatus copy_to_backup(const QString& target, const QByteArray& old_contents, const struct stat& collection)
{
    const QString backup = backup_path_of(target);
    // The old name may be another link to the collection itself, which
    // truncating would empty: it goes first.
    ::unlink(native(backup).constData());
    const int fd = ::open(native(backup).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC,
                          collection.st_mode & 0666);
    const auto fail = [&](int err) {
        return FileStatus::failure(QStringLiteral("The previous version could not be kept as ") + shown_path(backup)
                                   + QStringLiteral(": ") + errno_text(err));
    };
    if (fd < 0)
        return fail(errno);
    give_backup_collection_rights(fd, collection);
    FileStatus st = write_fd(fd, old_contents);
    if (st && ::fsync(fd) != 0)
        st = fail(errno);
    else if (!st)
        st = FileStatus::failure(QStringLiteral("The previous version could not be kept as ") + shown_path(backup)
                                 + QStringLiteral(": ") + st.error);
    ::close(fd);
    if (st)
        sync_folder(QFileInfo(backup).absolutePath());
    return st;
}

FileStatus update_in_place(const QString& target, const ContentWriter& write, const struct stat& st)
{
    QByteArray old;
    {
        QFile f(target);
        if (!f.open(QIODevice::ReadOnly))
            return FileStatus::failure(shown_path(target) + QStringLiteral(": ") + f.errorString());
        old = f.readAll();
        if (old.size() != st.st_size)
            return FileStatus::failure(shown_path(target) + QStringLiteral(": the file could not be read."));
    }
    // Without a complete copy of the old version an interrupted update could
    // lose records, so no copy means no update.
    if (FileStatus kept = copy_to_backup(target, old, st); !kept)
        return kept;
    const int fd = ::open(native(target).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return FileStatus::failure(shown_path(target) + QStringLiteral(": ") + errno_text(errno));
    qint64 written = 0;
    FileStatus result = write([fd, &written](const QByteArray& piece) {
        written += piece.size();
        return write_fd(fd, piece);
    });
    if (result && ::ftruncate(fd, off_t(written)) != 0)
        result = FileStatus::failure(errno_text(errno));
    if (result && ::fsync(fd) != 0)
        result = FileStatus::failure(errno_text(errno));
    if (!result && written > 0) {
        // A writer that gave up half-way (an import refused at its last row)
        // leaves the old version, not a mix: it is written back.
        if (::lseek(fd, 0, SEEK_SET) == 0 && write_fd(fd, old) && ::ftruncate(fd, off_t(old.size())) == 0)
            ::fsync(fd);
    }
    ::close(fd);
    return result;
}

// The names a file has, less its kept previous version: a save that stopped
// between keeping it and renaming leaves the collection linked to it. A new
// file in place of a file with other names would part them: each other name
// would go on showing the old version.
nlink_t names_of(const QString& target, const struct stat& st)
{
    struct stat backup { };
    const bool linked_to_backup = ::lstat(native(backup_path_of(target)).constData(), &backup) == 0
        && backup.st_dev == st.st_dev && backup.st_ino == st.st_ino;
    return st.st_nlink - (linked_to_backup ? 1 : 0);
}

// Whether the existing file target (resolved; its state into st) is updated
// in place rather than replaced: its owner could not be kept, its folder may
// not be written, or it has another name.
bool in_place(const QString& target, struct stat& st)
{
    if (::stat(native(target).constData(), &st) != 0)
        return false;
    const QString dir = QFileInfo(target).absolutePath();
    const bool folder_writable = ::access(native(dir).constData(), W_OK) == 0;
    return !folder_writable || !can_keep_owner(st) || names_of(target, st) > 1;
}

}  // namespace

FileStatus write_all(QFileDevice& file, const QByteArray& data)
{
    // Anything Qt still holds goes first, so the bytes stay in order.
    if (!file.flush())
        return FileStatus::failure(file.errorString());
    const int fd = file.handle();
    if (fd < 0)
        return FileStatus::failure(file.errorString());
    return write_fd(fd, data);
}

QString backup_path_of(const QString& path)
{
    return path + QLatin1Char('~');
}

ScratchFile::ScratchFile(const QString& target) : target_(resolved(target))
{ }

ScratchFile::~ScratchFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !path_.isEmpty())
        ::unlink(native(path_).constData());
}

void remove_stale_scratch_files(const QString& target)
{
    remove_stale_scratch(resolved(target));
}

FileStatus ScratchFile::open()
{
    remove_stale_scratch(target_);
    const QFileInfo info(target_);
    QByteArray name
        = native(QDir(info.absolutePath()).filePath(QLatin1Char('.') + info.fileName() + QStringLiteral(".XXXXXX")));
    // mkstemp creates exclusively, with mode 0600.
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0)
        return FileStatus::failure(QStringLiteral("No new file can be written in the folder ")
                                   + shown_path(info.absolutePath()) + QStringLiteral(": ") + errno_text(errno));
    path_ = QFile::decodeName(name);
    // The lock says "being written" to anyone clearing away leftovers, and
    // becomes the collection's lock when this file replaces a locked one.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    return {};
}

FileStatus ScratchFile::write(const QByteArray& data)
{
    return write_fd(fd_, data);
}

FileStatus ScratchFile::commit(bool keep_backup)
{
    if (fd_ < 0)
        return FileStatus::failure(QStringLiteral("No new file was written beside ") + shown_path(target_));
    FileStatus result;
    struct stat st { };
    const QByteArray target = native(target_);
    // The descriptor that carries this process's lock on the collection over
    // to the new file; closed unless the rename happens.
    struct Carry {
        int fd = -1;
        ~Carry()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } carry;
    if (::stat(target.constData(), &st) == 0) {
        if (CollectionLock::held_on(st.st_dev, st.st_ino) || CollectionLock::claims(target_))
            carry.fd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
        // chown clears set-id bits, so the mode comes after it.
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd_, st.st_uid, st.st_gid) != 0)
            return FileStatus::failure(QStringLiteral("The owner of ") + shown_path(target_)
                                       + QStringLiteral(" cannot be kept: ") + errno_text(errno));
        if (::fchmod(fd_, st.st_mode & 07777) != 0)
            return FileStatus::failure(errno_text(errno));
        copy_xattrs(target_, fd_);
        if (keep_backup) {
            const QByteArray backup = native(backup_path_of(target_));
            ::unlink(backup.constData());
            if (::link(target.constData(), backup.constData()) != 0)
                result.warning = QStringLiteral("The previous version could not be kept as ")
                    + shown_path(backup_path_of(target_)) + QStringLiteral(": ") + errno_text(errno);
        }
    } else if (::fchmod(fd_, new_file_mode()) != 0) {
        return FileStatus::failure(errno_text(errno));
    }
    if (::fsync(fd_) != 0)
        return FileStatus::failure(errno_text(errno));
    if (::close(fd_) != 0) {
        fd_ = -1;
        return FileStatus::failure(errno_text(errno));
    }
    fd_ = -1;
    if (::rename(native(path_).constData(), target.constData()) != 0)
        return FileStatus::failure(shown_path(target_) + QStringLiteral(" could not be replaced: ")
                                   + errno_text(errno));
    committed_ = true;
    if (carry.fd >= 0 && CollectionLock::follow_replace(target_, st.st_dev, st.st_ino, carry.fd))
        carry.fd = -1;
    sync_folder(QFileInfo(target_).absolutePath());
    return result;
}

FileStatus replace_file_contents(const QString& path, const QByteArray& contents, bool keep_backup)
{
    return replace_file_with(
        path, [&contents](const ContentPut& put) { return put(contents); }, keep_backup);
}

bool written_in_place(const QString& path)
{
    struct stat st { };
    return in_place(resolved(path), st);
}

FileStatus replace_file_with(const QString& path, const ContentWriter& write, bool keep_backup)
{
    const QString target = resolved(path);
    struct stat st { };
    if (in_place(target, st))
        return update_in_place(target, write, st);
    ScratchFile scratch(target);
    FileStatus result = scratch.open();
    if (result)
        result = write([&scratch](const QByteArray& piece) { return scratch.write(piece); });
    if (result)
        result = scratch.commit(keep_backup);
    return result;
}

void ignore_file_size_signal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace tessaran
