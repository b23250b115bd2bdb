// The open collection as the record editor holds it: the file and its record
// count, the caption parts, the record being shown, the working set and the
// locale labels. Built by the start-up window once opening succeeded.
#pragma once

#include "collection_lock.h"
#include "locale_dates.h"
#include "record_file.h"
#include "scope_record.h"
#include "working_set.h"

#include <QString>

#include <memory>
#include <utility>

namespace tessaran {

class Session {
public:
    // A session on path: its record count, nothing selected yet.
    static Session on_file(const QString& path);

    // Opened for changes, with this window's claim to be the collection's
    // one writer (none where no lock can be had where the file lies).
    void hold_claim(std::shared_ptr<CollectionLock> lock) { lock_ = std::move(lock); }
    // Opened read-only, because holder (in plain words) has it open for changes.
    void open_read_only(const QString& holder);

    const QString& path() const { return path_; }
    int record_count() const { return record_count_; }
    // The record shown, as stored (empty while one is being added); every
    // read and write passes through it.
    const ScopeRecord& record() const { return record_; }
    // The stored bytes of the record shown.
    const QByteArray& shown_bytes() const { return shown_bytes_; }
    // The working set keeps its own numbers, count and position consistent.
    const WorkingSet& ws() const { return ws_; }
    WorkingSet& ws() { return ws_; }
    const LocaleLabels& locale() const { return locale_; }
    void set_locale(const LocaleLabels& locale) { locale_ = locale; }

    // Nothing is written from a read-only window; holder names the window
    // that has the collection open for changes.
    bool read_only() const { return read_only_; }
    const QString& holder() const { return holder_; }
    // Another program wrote the file since this window last read or wrote
    // it; the next step that uses positions reads the collection again.
    bool changed_elsewhere() const { return changed_elsewhere_; }
    // True when another program wrote the file since this window noted it,
    // whether or not that has been seen yet.
    bool needs_catch_up() const { return changed_elsewhere_ || file_changed_since_noted(); }
    // A watched change was seen: true when it is a write by another program
    // not seen before (the caption says so from now on).
    bool notice_outside_change();

    // True when another program put a new file at the collection's path,
    // which this window's claim is not on yet.
    bool claim_left_behind() const { return lock_ && !lock_->on_current_file(); }
    // Before a write, and as soon as a new file is seen at the path: the claim
    // moves to the file at the path. False when another window claimed it
    // first: the session is read-only from then on, with that window as holder.
    bool keep_claim();

    // Counts the file's whole records again (at most the format's limit) and keeps the count.
    int refresh_record_count();
    // Reads record n of the file into the record buffer.
    FileStatus read(int n);
    // Reads record n as the record shown, keeping its stored bytes.
    FileStatus read_shown(int n);
    // The stored record at working-set position pos into the buffer, to
    // compare the form with; past the stored records (a new one) the buffer
    // is empty.
    FileStatus read_at(int pos);
    // A record not in the file yet is being edited: the buffer is empty.
    void start_new_record() { record_ = ScopeRecord(); }
    // r was written as the record shown.
    void keep_written(const ScopeRecord& r) { record_ = r; }
    // Takes the file's present state as the one this window knows.
    void note_file_state();
    // True when the file is no longer in the state this window last noted.
    bool file_changed_since_noted() const;
    // True while no other program changed the collection since this window
    // read it: the file has the length it knows and record n (0: none, as for
    // an addition) still holds the bytes shown.
    bool unchanged_since_shown(int n) const;
    // The working-set position whose record holds these stored bytes; 0 when none does.
    int position_holding(const QByteArray& bytes) const;
    // The working-set position of the kaleidoscope that was stored as bytes in
    // record was_record before another program changed it: the record at that
    // number where it is still that kaleidoscope (same_kaleidoscope), else the
    // one record whose scope name and artist are the same. 0: it was removed.
    int position_of_changed(const QByteArray& bytes, int was_record) const;
    // The editor caption, from the state: the file, the position ("[Record P
    // of N]", or "[Adding record N]" past the working set), the sort and the
    // selection, each trimmed, separated by two blanks; then "[Read-only]" and "[Changed by another
    // program]" while they hold.
    QString caption() const;

private:
    QString path_;
    int record_count_ = 0;
    ScopeRecord record_;
    WorkingSet ws_;
    LocaleLabels locale_;
    // What this window last read of the file: the stored bytes of the record
    // shown, and the file's state (which file, its length, its last change)
    // when the working set was built or this window last wrote. Another
    // program's write shows as a difference.
    QByteArray shown_bytes_;
    FileStamp known_stamp_;
    std::shared_ptr<CollectionLock> lock_;
    bool read_only_ = false;
    QString holder_;
    bool changed_elsewhere_ = false;
};

}  // namespace tessaran
