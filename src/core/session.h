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

namespace tessaran {

struct Session {
    QString path;
    int record_count = 0;
    ScopeRecord record;  // the record shown; every read and write passes through it
    WorkingSet ws;
    LocaleLabels locale;

    // What this window last read of the file: the stored bytes of the record
    // shown, and the file's state (which file, its length, its last change)
    // when the working set was built or this window last wrote. Another
    // program's write shows as a difference.
    QByteArray shown_bytes;
    FileStamp known_stamp;

    // This window's claim to be the collection's one writer; empty when it
    // has none (read-only, or no lock can be had where the file lies).
    std::shared_ptr<CollectionLock> lock;
    // Opened read-only because another window holds the collection open for
    // changes: nothing is written from this window.
    bool read_only = false;
    QString holder;  // that window, in plain words
    // Another program wrote the file since this window last read or wrote
    // it; the next step that uses positions reads the collection again.
    bool changed_elsewhere = false;

    // A session on path: its caption and record count, nothing selected yet.
    static Session on_file(const QString& path);

    // Counts the file's whole records again (at most the format's limit) and keeps the count.
    int refresh_record_count();
    // Reads or writes record n of the file through record.
    FileStatus read(int n);
    // Reads record n as the record shown, keeping its stored bytes.
    FileStatus read_shown(int n);
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
    FileStatus write(int n) const;
    // The editor caption, from the state: the file, the position ("[Record P
    // of N]", or "[Adding record N]" past the working set), the sort and the
    // selection, each trimmed, separated by two blanks; then "[Read-only]" and "[Changed by another
    // program]" while they hold.
    QString caption() const;
};

}  // namespace tessaran
