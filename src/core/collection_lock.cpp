#include "collection_lock.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tessaran {

namespace {

// The locks this process holds. A lock belongs to the process as the file
// does, so the writer that replaces a collection must find it without being
// handed it by every caller.
std::vector<CollectionLock*>& locks_of_this_process()
{
    static std::vector<CollectionLock*> held;
    return held;
}

bool same_file(int fd, dev_t device, ino_t inode)
{
    struct stat st { };
    return ::fstat(fd, &st) == 0 && st.st_dev == device && st.st_ino == inode;
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// The process that holds a lock on (device, inode), from the kernel's list of
// locks; 0 when it is not listed (another computer, or hidden).
qint64 lock_owner_pid(dev_t device, ino_t inode)
{
    QFile list(QStringLiteral("/proc/locks"));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    const QString wanted = QStringLiteral("%1:%2:%3")
                               .arg(major(device), 2, 16, QLatin1Char('0'))
                               .arg(minor(device), 2, 16, QLatin1Char('0'))
                               .arg(quint64(inode));
    // "1: FLOCK  ADVISORY  WRITE 4242 08:01:131090 0 EOF"; waiters carry "->".
    // The kernel's files report no size, so the list is read to its end at once.
    const QStringList lines = QString::fromLatin1(list.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() < 6 || parts.at(1) == QLatin1String("->"))
            continue;
        if (parts.at(5).compare(wanted, Qt::CaseInsensitive) == 0) {
            const qint64 pid = parts.at(4).toLongLong();
            if (pid > 0)
                return pid;
        }
    }
    return 0;
}

LockHolder describe_holder(dev_t device, ino_t inode)
{
    LockHolder h;
    h.pid = lock_owner_pid(device, inode);
    if (h.pid == 0)
        return h;
    const QString proc = QStringLiteral("/proc/%1").arg(h.pid);
    QFile comm(proc + QStringLiteral("/comm"));
    if (comm.open(QIODevice::ReadOnly))
        h.program = QString::fromLocal8Bit(comm.readAll()).trimmed();
    struct stat st { };
    if (::stat(native(proc).constData(), &st) == 0) {
        if (const passwd* pw = ::getpwuid(st.st_uid))
            h.user = QString::fromLocal8Bit(pw->pw_name);
        else
            h.user = QString::number(st.st_uid);
    }
    return h;
}

// Opens the file at path and checks, once a lock is on it, that it is still
// the file at path: a save elsewhere may have replaced it in between.
int open_for_lock(const QString& path, int flags)
{
    return ::open(native(path).constData(), flags | O_CLOEXEC | O_NOCTTY);
}

bool still_at_path(int fd, const QString& path)
{
    struct stat now { };
    return ::stat(native(path).constData(), &now) == 0 && same_file(fd, now.st_dev, now.st_ino);
}

}  // namespace

QString holder_text(const LockHolder& holder)
{
    if (holder.pid == 0)
        return QStringLiteral("another program or another computer");
    QString program = holder.program;
    if (program == QLatin1String("tessaran"))
        program = QStringLiteral("TESSARAN V");
    else if (program.isEmpty())
        program = QStringLiteral("another program");
    QString text = program + QStringLiteral(" (process %1").arg(holder.pid);
    if (!holder.user.isEmpty())
        text += QStringLiteral(", user ") + holder.user;
    return text + QLatin1Char(')');
}

CollectionLock::~CollectionLock()
{
    release();
}

LockOutcome CollectionLock::take(const QString& path, LockHolder* holder)
{
    release();
    path_ = path;
    const QFileInfo info(path);
    resolved_ = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    // A save may replace the file between the open and the lock: try again on
    // the file that took its place.
    for (int attempt = 0; attempt < 20; ++attempt) {
        // Opened for writing: a user who may only read the collection must not
        // shut out one who may change it. (It also lets the lock work where the
        // file system emulates it with byte-range locks.)
        const int fd = open_for_lock(path, O_RDWR);
        if (fd < 0)
            return LockOutcome::unavailable;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int err = errno;
            struct stat st { };
            const bool stat_ok = ::fstat(fd, &st) == 0;
            ::close(fd);
            if (err != EWOULDBLOCK)
                return LockOutcome::unavailable;
            if (holder && stat_ok)
                *holder = describe_holder(st.st_dev, st.st_ino);
            return LockOutcome::in_use;
        }
        if (still_at_path(fd, path)) {
            fd_ = fd;
            locks_of_this_process().push_back(this);
            return LockOutcome::taken;
        }
        ::close(fd);
    }
    return LockOutcome::unavailable;
}

bool CollectionLock::on_current_file() const
{
    return fd_ >= 0 && still_at_path(fd_, path_);
}

void CollectionLock::release()
{
    if (fd_ < 0)
        return;
    auto& held = locks_of_this_process();
    held.erase(std::remove(held.begin(), held.end(), this), held.end());
    ::close(fd_);
    fd_ = -1;
}

bool CollectionLock::follow_replace(const QString& target, dev_t device, ino_t inode, int fd)
{
    const auto& held = locks_of_this_process();
    auto it = std::find_if(held.begin(), held.end(),
                           [&](const CollectionLock* lock) { return same_file(lock->fd_, device, inode); });
    if (it == held.end())
        it = std::find_if(held.begin(), held.end(),
                          [&](const CollectionLock* lock) { return lock->resolved_ == target; });
    if (it == held.end())
        return false;
    ::close((*it)->fd_);
    (*it)->fd_ = fd;
    return true;
}

bool CollectionLock::claims(const QString& target)
{
    const auto& held = locks_of_this_process();
    return std::any_of(held.begin(), held.end(), [&](const CollectionLock* lock) { return lock->resolved_ == target; });
}

bool CollectionLock::held_on(dev_t device, ino_t inode)
{
    const auto& held = locks_of_this_process();
    return std::any_of(held.begin(), held.end(),
                       [&](const CollectionLock* lock) { return same_file(lock->fd_, device, inode); });
}

bool collection_in_use(const QString& path, LockHolder* holder)
{
    struct stat st { };
    if (::stat(native(path).constData(), &st) != 0 || CollectionLock::held_on(st.st_dev, st.st_ino))
        return false;
    const int fd = open_for_lock(path, O_RDONLY);
    if (fd < 0)
        return false;
    const bool in_use = file_locked_elsewhere(fd);
    if (in_use && holder && ::fstat(fd, &st) == 0)
        *holder = describe_holder(st.st_dev, st.st_ino);
    ::close(fd);
    return in_use;
}

bool file_locked_elsewhere(int fd)
{
    // A shared lock is refused only while someone holds the exclusive one;
    // it is let go at once, so nobody is kept waiting by the question.
    if (::flock(fd, LOCK_SH | LOCK_NB) == 0) {
        ::flock(fd, LOCK_UN);
        return false;
    }
    return errno == EWOULDBLOCK;
}

}  // namespace tessaran
