// The companion beside a collection that remembers every change this program
// writes to it ("NAME.rnd-history", an SQLite database), and gives every
// kaleidoscope an identity that outlives saves, deletions of earlier records,
// imports and the collection being moved. Further facts about a kaleidoscope
// that its fixed record cannot hold belong in tables keyed by that identity.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include "record_file.h"
#include "sqlite_db.h"

#include <functional>
#include <vector>

namespace tessaran {

QString history_path_of(const QString& collection);

enum class ChangeKind { save, add, remove, import, pictures, many, undo, redo, outside, restore };
QString change_kind_name(ChangeKind kind);

// One record a change touches: where it was and is (0: not there), and its
// stored bytes before and after (empty where it was or is not there).
struct RecordChange {
    int record_before = 0;
    int record_after = 0;
    QByteArray before;
    QByteArray after;
    qint64 identity = 0;  // the kaleidoscope's; 0: the one at record_before, or a new one
};

// One version of a kaleidoscope, as a change wrote it.
struct KaleidoscopeVersion {
    qint64 change = 0;
    QDateTime at;
    QString user;
    ChangeKind kind = ChangeKind::save;
    QByteArray before;
    QByteArray after;
};

// A kaleidoscope that a deletion took out of the collection.
struct DeletedKaleidoscope {
    qint64 identity = 0;
    qint64 change = 0;
    QDateTime at;
    QString user;
    int record = 0;  // where it was
    QByteArray bytes;
};

// One change done, with every record it touched.
struct HistoryChange {
    qint64 id = 0;
    QDateTime at;
    QString user;  // empty for a change made by another program
    ChangeKind kind = ChangeKind::save;
    QString what;  // "save of Blue Hour", "import of 3 kaleidoscopes"
    int count_after = 0;
    std::vector<RecordChange> records;
};

// What Undo or Redo would do next: the entry whose records it puts back (for
// Redo, the undo it takes back), or why there is none.
struct HistoryStep {
    bool possible = false;
    HistoryChange entry;
    QString refusal;
};

struct HistoryStatus {
    bool ok = true;
    QString error;  // why changes are not being recorded
    QString note;   // something the user is told once (a companion set aside)
    explicit operator bool() const { return ok; }
};

class CollectionHistory {
public:
    explicit CollectionHistory(QString collection);

    // Opens the companion, starting one where there is none. One that is not
    // a plain file, not this program's, of a newer layout, damaged, or of
    // another collection is set aside under another name (the note says so)
    // and a new one started. A change left pending by a killed program is
    // settled by the collection's bytes, and changes made by another program
    // are recorded as such, the identities matched again by bytes.
    HistoryStatus open();
    // Opens an existing companion only to read it: nothing is settled, set
    // aside or written, and what cannot be read is only told.
    HistoryStatus open_for_reading();
    bool is_open() const { return db_.is_open(); }
    bool read_only() const { return db_.read_only(); }
    const QString& path() const { return path_; }
    const QString& collection() const { return collection_; }

    // Before the collection is written: the entry, pending (0 when it cannot
    // be written; status says why). The count before is the collection's
    // whole records unless given.
    qint64 begin(ChangeKind kind, const std::vector<RecordChange>& records, HistoryStatus* status = nullptr,
                 int count_before = -1, qint64 target = 0, const QString& what = QString());
    // After the collection was written: the entry is done and the identities
    // follow it. The records as begun spare reading their bytes back.
    HistoryStatus finish(qint64 entry, const std::vector<RecordChange>* begun = nullptr);
    // The collection's write failed: the entry goes.
    void abandon(qint64 entry);

    // A change already written, recorded whole: the records appended after
    // count_before (an import read from a file row by row).
    HistoryStatus record_appended(ChangeKind kind, int count_before);

    // The identity of the kaleidoscope at record n (0 when none is known).
    qint64 identity_at(int record);
    // Every version of the kaleidoscope with this identity, newest first.
    std::vector<KaleidoscopeVersion> versions_of(qint64 identity);
    // Every change done, oldest first; with an identity, those that touched it.
    std::vector<HistoryChange> changes(qint64 identity = 0);
    // The newest change not taken back (never past one made by another
    // program), and the newest undo that no change since has overtaken.
    // Without records only what the step is (for a menu item's text): an
    // import of thousands is not read to name it.
    HistoryStep next_undo(bool with_records = true);
    HistoryStep next_redo(bool with_records = true);
    // Every kaleidoscope deleted and not put back (an addition taken back is
    // no deletion), newest first.
    std::vector<DeletedKaleidoscope> deleted();
    // Where the companion and the collection part ways: a change a killed
    // program left unfinished, records that are not as this program last
    // wrote them. The program itself settles both when it next opens the
    // collection; empty when they agree.
    QStringList disagreements();

    // Selections the user saved under a name, kept in the companion so that
    // they move with the collection: each name with its definition (a
    // selection_definition's bytes), by name.
    std::vector<std::pair<QString, QByteArray>> saved_selections();
    // Keeps definition under name, in place of one of that name; false when
    // the companion cannot be written (read only, damaged).
    bool keep_selection(const QString& name, const QByteArray& definition);
    bool rename_selection(const QString& from, const QString& to);
    bool forget_selection(const QString& name);

private:
    HistoryStatus start_new();
    HistoryChange change_entry(qint64 id, bool with_records = true);
    HistoryStatus set_aside(const QString& reason);
    bool layout_is_ours(QString* reason);
    HistoryStatus catch_up();
    bool settle_pending();
    bool stamp_matches();
    bool keep_stamp();
    bool apply(qint64 entry, const std::vector<RecordChange>* begun = nullptr);

    QString collection_;
    QString path_;
    SqliteDb db_;
};

// How a command writes the collection: through a recorder that keeps the
// change's entry around the write, or, when empty, plainly.
using RecordedWrite
    = std::function<FileStatus(ChangeKind, const std::vector<RecordChange>&, const std::function<FileStatus()>&)>;
FileStatus write_through(const RecordedWrite& recorded, ChangeKind kind, const std::vector<RecordChange>& records,
                         const std::function<FileStatus()>& write);
// Writes through write_recorded into history; why a change went unrecorded
// is not told.
RecordedWrite recorded_in(CollectionHistory& history);

// Writes the collection through write with the change's entry around it:
// pending before, done after, dropped when the write fails. Without a history,
// or when its entry cannot be written, the collection is written all the same
// and recorded says why the change went unrecorded.
FileStatus write_recorded(CollectionHistory* history, ChangeKind kind, const std::vector<RecordChange>& records,
                          const std::function<FileStatus()>& write, HistoryStatus* recorded);

}  // namespace tessaran
