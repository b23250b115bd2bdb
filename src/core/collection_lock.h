// One writer at a time: the claim a window (or tessaran-rnd) makes on a
// collection it may change, and what another program learns of that claim.
#pragma once

#include <QString>

#include <sys/types.h>

namespace tessaran {

// Who holds a collection open for changes, as far as this computer can tell.
struct LockHolder {
    qint64 pid = 0;   // 0: not known (another computer, or processes hidden from this user)
    QString program;  // the process's name, as "tessaran" or "tessaran-rnd"
    QString user;     // the login name of the process's owner
};

// The holder in plain words: "TESSARAN V (process 4242, user anna)", or
// "another program or another computer" when nothing is known.
QString holder_text(const LockHolder& holder);

enum class LockOutcome {
    taken,        // this process is now the one writer
    in_use,       // another process holds the collection open for changes
    unavailable,  // no lock here: the file cannot be written by this user, or
                  // its file system keeps no locks; nobody else is shut out
};

// The claim itself: an advisory lock (flock) on the collection file. The
// system drops it when the process ends, however it ends, so a crashed
// program never leaves a collection locked. The files that replace the
// collection on every save are locked before they take its place, and the
// lock passes to each of them (see lock_follows_replace), so the claim lasts
// as long as the object does.
class CollectionLock {
public:
    CollectionLock() = default;
    ~CollectionLock();
    CollectionLock(const CollectionLock&) = delete;
    CollectionLock& operator=(const CollectionLock&) = delete;

    // Tries to become the one writer of the collection at path; on in_use the
    // holder is described where it is known.
    LockOutcome take(const QString& path, LockHolder* holder = nullptr);
    bool held() const { return fd_ >= 0; }
    // True while the lock is on the file now at its path: false after another
    // program, told to go ahead anyway, replaced the collection.
    bool on_current_file() const;
    void release();

    // For the file writer, which has just put a new file (descriptor fd,
    // already locked) at target, a resolved path: the lock of this process on
    // the file it replaced (device, inode), or else its lock on the collection
    // at that path, takes fd and lets the old file go. This process wrote what
    // is now at the path, so its claim is on it however the old file came to
    // be there. False, with fd left to the caller, when this process holds no
    // lock on that collection.
    static bool follow_replace(const QString& target, dev_t device, ino_t inode, int fd);
    // Whether this process claims the collection at target (resolved), on
    // whichever file lies there now.
    static bool claims(const QString& target);
    // Whether this process holds the lock on that file.
    static bool held_on(dev_t device, ino_t inode);

private:
    QString path_;
    QString resolved_;  // path_ with links resolved, as the file writer names its target
    int fd_ = -1;
};

// Whether another process holds the collection at path open for changes
// (this process's own lock does not count); holder described where known.
bool collection_in_use(const QString& path, LockHolder* holder = nullptr);

// Whether a lock is held on the open file fd (for a scratch file: whether a
// living writer still writes it).
bool file_locked_elsewhere(int fd);

}  // namespace tessaran
