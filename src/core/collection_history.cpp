#include "collection_history.h"

#include "blank_text.h"
#include "record_file.h"
#include "record_packing.h"
#include "scope_record.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaran {
namespace {

constexpr qint64 application_id = 0x54455353;  // "TESS"
constexpr qint64 layout = 1;

const char* const schema
    = "CREATE TABLE kaleidoscope(identity INTEGER PRIMARY KEY, record INTEGER UNIQUE, fingerprint BLOB);"
      "CREATE TABLE change(id INTEGER PRIMARY KEY, at TEXT NOT NULL, user TEXT NOT NULL, kind TEXT NOT NULL,"
      " state TEXT NOT NULL, count_before INTEGER NOT NULL, count_after INTEGER NOT NULL, what TEXT,"
      " target INTEGER, undone_by INTEGER, redone_by INTEGER);"
      "CREATE TABLE version(change INTEGER NOT NULL REFERENCES change(id),"
      " identity INTEGER NOT NULL REFERENCES kaleidoscope(identity),"
      " record_before INTEGER NOT NULL, record_after INTEGER NOT NULL, bytes_before BLOB, bytes_after BLOB);"
      "CREATE INDEX version_of_identity ON version(identity);"
      "CREATE INDEX version_of_change ON version(change);";

// The collection as this program last saw it agree with the history: while
// the file at the path is that one, unchanged, opening needs no comparison.
// (Added to layout 1; a history without it is compared and given it.)
const char* const stamp_table
    = "CREATE TABLE IF NOT EXISTS collection_stamp(device INTEGER, inode INTEGER, size INTEGER, changed_ns INTEGER)";

const char* const kind_names[]
    = {"save", "add", "delete", "import", "pictures", "many", "undo", "redo", "outside", "restore"};

QByteArray fingerprint(const char* record)
{
    return QCryptographicHash::hash(QByteArrayView(record, rec_len_bytes), QCryptographicHash::Md5);
}

QString current_user()
{
    if (const passwd* pw = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(::geteuid());
}

ChangeKind kind_from_name(const QString& name)
{
    for (int k = 0; k < int(std::size(kind_names)); ++k)
        if (name == QLatin1String(kind_names[k]))
            return ChangeKind(k);
    return ChangeKind::outside;
}

// The collection's whole records as stored, from record first on (those
// before it are only counted); a trailing unfinished record is no record.
struct StoredRecords {
    bool ok = false;
    int skipped = 0;
    QByteArray bytes;
    int count() const { return skipped + int(bytes.size() / rec_len_bytes); }
    const char* at(int n) const { return bytes.constData() + qsizetype(n - 1 - skipped) * rec_len_bytes; }
};

StoredRecords read_stored(const QString& collection, int first = 1)
{
    StoredRecords r;
    QFile f(collection);
    if (!f.open(QIODevice::ReadOnly))
        return r;
    r.skipped = int(qBound(qint64(0), qint64(first - 1), f.size() / rec_len_bytes));
    if (!f.seek(qint64(r.skipped) * rec_len_bytes))
        return r;
    r.bytes = f.readAll();
    r.bytes.truncate(r.bytes.size() - r.bytes.size() % rec_len_bytes);
    r.ok = f.error() == QFileDevice::NoError;
    return r;
}

// The fingerprint of every whole record, in order, read a block at a time
// (a full collection is 81 MB); a trailing unfinished record is no record.
bool stored_fingerprints(const QString& collection, std::vector<QByteArray>& prints)
{
    prints.clear();
    QFile f(collection);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QByteArray held;
    for (;;) {
        const QByteArray block = f.read(qint64(256) * rec_len_bytes);
        if (block.isEmpty())
            break;
        held += block;
        const qsizetype whole = held.size() / rec_len_bytes;
        for (qsizetype i = 0; i < whole; ++i)
            prints.push_back(fingerprint(held.constData() + i * rec_len_bytes));
        held.remove(0, whole * rec_len_bytes);
    }
    return f.error() == QFileDevice::NoError;
}

// The companion belongs to whoever owns the collection, as its previous version does.
void give_collection_rights(const QString& collection, const QString& companion)
{
    struct stat st { };
    if (::stat(QFile::encodeName(collection).constData(), &st) != 0)
        return;
    const QByteArray path = QFile::encodeName(companion);
    const uid_t owner = ::geteuid() == 0 ? st.st_uid : uid_t(-1);
    if (::chown(path.constData(), owner, st.st_gid) != 0 && owner != uid_t(-1))
        (void)::chown(path.constData(), uid_t(-1), st.st_gid);
    (void)::chmod(path.constData(), st.st_mode & 0666);
}

// What a change did, for the menus: "save of Blue Hour", "import of 3 kaleidoscopes".
QString change_label(ChangeKind kind, const std::vector<RecordChange>& records)
{
    static const char* const nouns[]
        = {"save", "add", "delete", "import", "picture paths", "change", "undo", "redo", "change", "restore"};
    QString of;
    if (records.size() == 1) {
        const QByteArray& bytes = records.front().after.isEmpty() ? records.front().before : records.front().after;
        if (bytes.size() == rec_len_bytes)
            of = trim_blanks(decode_record(bytes.constData()).scopename);
        if (of.isEmpty())
            of = QStringLiteral("kaleidoscope %1")
                     .arg(std::max(records.front().record_before, records.front().record_after));
    } else {
        of = QStringLiteral("%1 kaleidoscopes").arg(records.size());
    }
    return QStringLiteral("%1 of %2").arg(QString::fromLatin1(nouns[int(kind)]), of);
}

QString not_recorded(const QString& why)
{
    return QStringLiteral("Changes to this collection are not being recorded: %1").arg(why);
}

}  // namespace

QString history_path_of(const QString& collection)
{
    return collection + QStringLiteral("-history");
}

QString change_kind_name(ChangeKind kind)
{
    return QString::fromLatin1(kind_names[int(kind)]);
}

CollectionHistory::CollectionHistory(QString collection)
    : collection_(std::move(collection)), path_(history_path_of(collection_))
{ }

HistoryStatus CollectionHistory::open()
{
    db_.close();
    struct stat st { };
    if (::lstat(QFile::encodeName(path_).constData(), &st) != 0)
        return start_new();
    if (!S_ISREG(st.st_mode))
        return set_aside(QStringLiteral("is not a plain file"));
    if (!db_.open(path_, SqliteDb::Mode::read_write))
        return {false, not_recorded(QStringLiteral("the history file %1 cannot be opened: %2").arg(path_, db_.error())),
                QString()};
    QString reason;
    if (!layout_is_ours(&reason))
        return reason.isEmpty() ? start_new() : set_aside(reason);
    if (!settle_pending())
        return db_.damaged() ? set_aside(QStringLiteral("is damaged"))
                             : HistoryStatus{false, not_recorded(db_.error()), QString()};
    if (!db_.exec(stamp_table))
        return {false, not_recorded(db_.error()), QString()};
    return stamp_matches() ? HistoryStatus{} : catch_up();
}

HistoryStatus CollectionHistory::open_for_reading()
{
    db_.close();
    struct stat st { };
    QString reason;
    if (::lstat(QFile::encodeName(path_).constData(), &st) != 0)
        reason = QStringLiteral("does not exist: no change has been recorded");
    else if (!S_ISREG(st.st_mode))
        reason = QStringLiteral("is not a plain file");
    else if (!db_.open(path_, SqliteDb::Mode::read_only))
        reason = QStringLiteral("cannot be opened: ") + db_.error();
    else if (!layout_is_ours(&reason) && reason.isEmpty())
        reason = QStringLiteral("holds no history yet");
    if (reason.isEmpty())
        return {};
    db_.close();
    return {false, QStringLiteral("The history file %1 %2.").arg(path_, reason), QString()};
}

// Whether the open file is a history of this layout; an empty reason with
// false means an empty file that a killed program began and never filled.
bool CollectionHistory::layout_is_ours(QString* reason)
{
    const auto pragma = [this](const char* sql, qint64* value) {
        SqliteStatement q(db_, sql);
        if (!q.next())
            return false;
        *value = q.integer(0);
        return true;
    };
    qint64 id = 0;
    qint64 version = 0;
    qint64 tables = 0;
    if (!pragma("PRAGMA application_id", &id) || !pragma("PRAGMA user_version", &version)
        || !pragma("SELECT count(*) FROM sqlite_master", &tables)) {
        *reason = QStringLiteral("is damaged");
        return false;
    }
    if (id == 0 && version == 0 && tables == 0) {
        if (!db_.read_only()) {
            db_.close();
            QFile::remove(path_);
        }
        return false;
    }
    if (id != application_id || version < 1) {
        *reason = QStringLiteral("is not a history of this program");
        return false;
    }
    if (version > layout) {
        *reason = QStringLiteral("was written by a newer version of the program");
        return false;
    }
    SqliteStatement check(db_, "PRAGMA quick_check");
    if (!check.next() || check.text(0) != QLatin1String("ok")) {
        *reason = QStringLiteral("is damaged");
        return false;
    }
    return db_.read_only() || db_.exec("PRAGMA foreign_keys=ON; PRAGMA synchronous=FULL");
}

HistoryStatus CollectionHistory::start_new()
{
    if (!db_.open(path_, SqliteDb::Mode::create))
        return {false, not_recorded(QStringLiteral("the history file %1 cannot be made: %2").arg(path_, db_.error())),
                QString()};
    std::vector<QByteArray> prints;
    stored_fingerprints(collection_, prints);
    SqliteTransaction t(db_);
    const QByteArray marks = "PRAGMA application_id=" + QByteArray::number(application_id)
        + "; PRAGMA user_version=" + QByteArray::number(layout);
    bool ok = t.ok() && db_.exec(schema) && db_.exec(stamp_table) && db_.exec(marks.constData());
    SqliteStatement add(db_, "INSERT INTO kaleidoscope(record, fingerprint) VALUES(?, ?)");
    for (size_t i = 0; ok && i < prints.size(); ++i) {
        ok = add.bind(1, qint64(i + 1)).bind(2, prints[i]).run();
        add.reset();
    }
    if (!ok || !keep_stamp() || !t.commit()) {
        const QString why = db_.error();
        db_.close();
        QFile::remove(path_);
        return {false, not_recorded(QStringLiteral("the history file %1 cannot be written: %2").arg(path_, why)),
                QString()};
    }
    give_collection_rights(collection_, path_);
    db_.exec("PRAGMA foreign_keys=ON; PRAGMA synchronous=FULL");
    return {};
}

HistoryStatus CollectionHistory::set_aside(const QString& reason)
{
    db_.close();
    QString aside = path_ + QStringLiteral(".set-aside");
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = path_ + QStringLiteral(".set-aside-%1").arg(n);
    if (::rename(QFile::encodeName(path_).constData(), QFile::encodeName(aside).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        return {
            false,
            not_recorded(QStringLiteral("the history file %1 %2 and cannot be set aside: %3").arg(path_, reason, why)),
            QString()};
    }
    const QString journal = path_ + QStringLiteral("-journal");
    if (QFileInfo::exists(journal))
        ::rename(QFile::encodeName(journal).constData(),
                 QFile::encodeName(aside + QStringLiteral("-journal")).constData());
    HistoryStatus status = start_new();
    status.note = QStringLiteral("The history file %1 %2. It was kept as %3 and a new history was started.")
                      .arg(path_, reason, aside);
    return status;
}

// A change a killed program left pending is done when the collection holds
// what it wrote, and forgotten when the collection is as it was.
bool CollectionHistory::settle_pending()
{
    std::vector<std::pair<qint64, int>> pending;
    {
        SqliteStatement q(db_, "SELECT id, count_after FROM change WHERE state = 'pending' ORDER BY id");
        while (q.next())
            pending.emplace_back(q.integer(0), int(q.integer(1)));
        if (!q.ok())
            return false;
    }
    if (pending.empty())
        return true;
    const StoredRecords stored = read_stored(collection_);
    for (const auto& [entry, count_after] : pending) {
        bool written = stored.ok && stored.count() == count_after;
        SqliteStatement v(db_,
                          "SELECT record_after, bytes_before, bytes_after FROM version WHERE change = ? "
                          "AND record_after > 0");
        v.bind(1, entry);
        while (written && v.next()) {
            const int n = int(v.integer(0));
            written = n <= stored.count()
                && QByteArrayView(stored.at(n), rec_len_bytes) == unpacked_after(unpacked(v.blob(1)), v.blob(2));
        }
        if (!v.ok())
            return false;
        if (written) {
            SqliteTransaction t(db_);
            if (!t.ok() || !apply(entry) || !t.commit())
                return false;
        } else {
            abandon(entry);
        }
    }
    return true;
}

// Matches the collection's records with the identities the companion knows.
// Records another program changed are recorded as a change made outside; a
// collection with almost nothing in common is another collection.
HistoryStatus CollectionHistory::catch_up()
{
    std::vector<QByteArray> prints;
    if (!stored_fingerprints(collection_, prints))
        return {};
    const int count = int(prints.size());
    std::map<int, std::pair<qint64, QByteArray>> known;  // record -> identity, fingerprint
    {
        SqliteStatement q(db_, "SELECT record, identity, fingerprint FROM kaleidoscope WHERE record IS NOT NULL");
        while (q.next())
            known[int(q.integer(0))] = {q.integer(1), q.blob(2)};
        if (!q.ok())
            return set_aside(QStringLiteral("is damaged"));
    }
    bool same = int(known.size()) == count;
    for (int n = 1; same && n <= count; ++n) {
        const auto it = known.find(n);
        same = it != known.end() && it->second.second == prints[size_t(n - 1)];
    }
    if (same) {
        SqliteTransaction t(db_);
        if (t.ok() && keep_stamp())
            t.commit();
        return {};
    }

    QMultiHash<QByteArray, qint64> by_print;
    for (const auto& [record, entry] : known)
        by_print.insert(entry.second, entry.first);
    std::vector<qint64> identity(size_t(count) + 1, 0);
    int matched = 0;
    for (int n = 1; n <= count; ++n) {
        const auto it = by_print.find(prints[size_t(n - 1)]);
        if (it != by_print.end()) {
            identity[size_t(n)] = it.value();
            by_print.erase(it);
            ++matched;
        }
    }
    const int in_common = std::min(int(known.size()), count);
    if (in_common > 0 && matched * 2 < in_common)
        return set_aside(QStringLiteral("belongs to another collection"));

    SqliteTransaction t(db_);
    bool ok = t.ok() && db_.exec("UPDATE kaleidoscope SET record = NULL");
    SqliteStatement entry(db_,
                          "INSERT INTO change(at, user, kind, state, count_before, count_after) "
                          "VALUES(?, ?, 'outside', 'done', ?, ?)");
    ok = ok
        && entry.bind(1, QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs))
               .bind(2, QString())
               .bind(3, qint64(known.size()))
               .bind(4, qint64(count))
               .run();
    SqliteStatement place(db_, "UPDATE kaleidoscope SET record = ?, fingerprint = ? WHERE identity = ?");
    SqliteStatement fresh(db_, "INSERT INTO kaleidoscope(record, fingerprint) VALUES(?, ?)");
    for (int n = 1; ok && n <= count; ++n) {
        SqliteStatement& s = identity[size_t(n)] ? place : fresh;
        s.bind(1, qint64(n)).bind(2, prints[size_t(n - 1)]);
        if (identity[size_t(n)])
            s.bind(3, identity[size_t(n)]);
        ok = s.run();
        s.reset();
    }
    if (!ok || !keep_stamp() || !t.commit())
        return {false, not_recorded(db_.error()), QString()};
    return {};
}

bool CollectionHistory::stamp_matches()
{
    SqliteStatement q(db_, "SELECT device, inode, size, changed_ns FROM collection_stamp");
    if (!q.next())
        return false;
    const FileStamp kept{quint64(q.integer(0)), quint64(q.integer(1)), q.integer(2), q.integer(3)};
    return kept.size >= 0 && kept == file_stamp(collection_);
}

bool CollectionHistory::keep_stamp()
{
    const FileStamp now = file_stamp(collection_);
    SqliteStatement add(db_, "INSERT INTO collection_stamp VALUES(?, ?, ?, ?)");
    return db_.exec("DELETE FROM collection_stamp")
        && add.bind(1, qint64(now.device)).bind(2, qint64(now.inode)).bind(3, now.size).bind(4, now.changed_ns).run();
}

QStringList CollectionHistory::disagreements()
{
    QStringList found;
    {
        SqliteStatement q(db_, "SELECT at FROM change WHERE state = 'pending' ORDER BY id");
        while (q.next())
            found << QStringLiteral("history: the change of %1 (UTC) was left unfinished")
                         .arg(QDateTime::fromString(q.text(0), Qt::ISODateWithMs).toString(Qt::ISODate));
    }
    std::vector<QByteArray> prints;
    const bool read = stored_fingerprints(collection_, prints);
    const int count = int(prints.size());
    std::map<int, QByteArray> known;
    SqliteStatement q(db_, "SELECT record, fingerprint FROM kaleidoscope WHERE record IS NOT NULL");
    while (q.next())
        known[int(q.integer(0))] = q.blob(1);
    if (!q.ok() || !read)
        return found << QStringLiteral("history: it cannot be compared with the collection: %1")
                            .arg(q.ok() ? QStringLiteral("the collection cannot be read") : db_.error());
    if (int(known.size()) != count)
        found << QStringLiteral("history: it knows %1 kaleidoscopes, the collection holds %2")
                     .arg(known.size())
                     .arg(count);
    constexpr int named = 10;
    int differing = 0;
    for (int n = 1; n <= count; ++n) {
        const auto it = known.find(n);
        if (it != known.end() && it->second == prints[size_t(n - 1)])
            continue;
        if (++differing <= named)
            found << QStringLiteral("history: record %1 is not as this program last wrote it").arg(n);
    }
    if (differing > named)
        found << QStringLiteral("history: and %1 more records").arg(differing - named);
    return found;
}

qint64 CollectionHistory::begin(ChangeKind kind, const std::vector<RecordChange>& records, HistoryStatus* status,
                                int count_before, qint64 target, const QString& what)
{
    const auto failed = [&](const QString& why) {
        if (status)
            *status = {false, not_recorded(why), QString()};
        return qint64(0);
    };
    if (!db_.is_open())
        return failed(QStringLiteral("the history file %1 is not open").arg(path_));
    if (count_before < 0)
        count_before = whole_record_count(collection_);
    int count_after = count_before;
    for (const RecordChange& r : records)
        count_after += (r.record_after > 0 ? 1 : 0) - (r.record_before > 0 ? 1 : 0);

    SqliteTransaction t(db_);
    SqliteStatement add(db_,
                        "INSERT INTO change(at, user, kind, state, count_before, count_after, what, target) "
                        "VALUES(?, ?, ?, 'pending', ?, ?, ?, ?)");
    add.bind(1, QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs))
        .bind(2, current_user())
        .bind(3, change_kind_name(kind))
        .bind(4, qint64(count_before))
        .bind(5, qint64(count_after))
        .bind(6, what.isEmpty() ? change_label(kind, records) : what);
    if (target)
        add.bind(7, target);
    bool ok = t.ok() && add.run();
    const qint64 entry = ok ? db_.last_id() : 0;
    SqliteStatement version(db_,
                            "INSERT INTO version(change, identity, record_before, record_after, bytes_before, "
                            "bytes_after) VALUES(?, ?, ?, ?, ?, ?)");
    SqliteStatement fresh(db_, "INSERT INTO kaleidoscope(record, fingerprint) VALUES(NULL, NULL)");
    // Prepared once: a change to every kaleidoscope looks up thousands.
    SqliteStatement known(db_, "SELECT identity FROM kaleidoscope WHERE record = ?");
    const auto identity_of = [&known](int record) {
        known.bind(1, qint64(record));
        const qint64 identity = known.next() ? known.integer(0) : 0;
        known.reset();
        return identity;
    };
    // Packed a few thousand at a time, so that an import holds little of it at once.
    constexpr size_t batch = 4096;
    std::vector<std::pair<QByteArray, QByteArray>> blobs;
    for (size_t i = 0; ok && i < records.size(); ++i) {
        if (i % batch == 0)
            blobs = packed_records(records, i, std::min(batch, records.size() - i));
        const RecordChange& r = records[i];
        qint64 identity = r.identity ? r.identity : r.record_before > 0 ? identity_of(r.record_before) : 0;
        if (identity == 0) {
            ok = fresh.run();
            fresh.reset();
            identity = db_.last_id();
        }
        ok = ok
            && version.bind(1, entry)
                   .bind(2, identity)
                   .bind(3, qint64(r.record_before))
                   .bind(4, qint64(r.record_after))
                   .bind(5, blobs[i % batch].first)
                   .bind(6, blobs[i % batch].second)
                   .run();
        version.reset();
    }
    if (!ok || !t.commit())
        return failed(QStringLiteral("the history file %1 cannot be written: %2").arg(path_, db_.error()));
    return entry;
}

HistoryStatus CollectionHistory::finish(qint64 entry, const std::vector<RecordChange>* begun)
{
    SqliteTransaction t(db_);
    if (!t.ok() || !apply(entry, begun) || !keep_stamp() || !t.commit())
        return {false,
                not_recorded(QStringLiteral("the history file %1 cannot be written: %2").arg(path_, db_.error())),
                QString()};
    return {};
}

// The identities follow the change: deleted records leave their place and the
// later ones move down, inserted ones take theirs and the later ones move up.
bool CollectionHistory::apply(qint64 entry, const std::vector<RecordChange>* begun)
{
    struct Row {
        qint64 identity;
        int before;
        int after;
        QByteArray bytes;
    };
    std::vector<Row> rows;
    {
        SqliteStatement q(db_,
                          "SELECT identity, record_before, record_after, bytes_before, bytes_after FROM version "
                          "WHERE change = ? ORDER BY rowid");
        q.bind(1, entry);
        while (q.next()) {
            const size_t i = rows.size();
            rows.push_back(
                {q.integer(0), int(q.integer(1)), int(q.integer(2)),
                 begun && i < begun->size() ? begun->at(i).after : unpacked_after(unpacked(q.blob(3)), q.blob(4))});
        }
        if (!q.ok() || (begun && rows.size() != begun->size()))
            return false;
    }
    // Records at and after from move by one; nothing to move past the last
    // (an import appends thousands).
    qint64 highest = 0;
    {
        SqliteStatement q(db_, "SELECT max(record) FROM kaleidoscope");
        if (q.next())
            highest = q.integer(0);
    }
    SqliteStatement move(db_, "UPDATE kaleidoscope SET record = -(record + ?) WHERE record >= ?");
    SqliteStatement settle(db_, "UPDATE kaleidoscope SET record = -record WHERE record < 0");
    const auto shift = [&](int from, int by) {
        if (from > highest)
            return true;
        const bool moved = move.bind(1, qint64(by)).bind(2, qint64(from)).run() && settle.run();
        move.reset();
        settle.reset();
        highest += by;
        return moved;
    };
    SqliteStatement place(db_, "UPDATE kaleidoscope SET record = ?, fingerprint = ? WHERE identity = ?");
    // An entry whose record cannot be read back is damaged: nothing follows it.
    bool ok = std::all_of(rows.begin(), rows.end(),
                          [](const Row& r) { return r.after == 0 || r.bytes.size() == rec_len_bytes; });
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.before > b.before; });
    for (const Row& r : rows) {
        if (ok && r.before > 0 && r.after == 0) {
            ok = place.bind_null(1).bind_null(2).bind(3, r.identity).run() && shift(r.before + 1, -1);
            place.reset();
        }
    }
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.after < b.after; });
    for (const Row& r : rows) {
        if (!ok || r.after == 0)
            continue;
        if (r.before == 0)
            ok = shift(r.after, 1);
        ok = ok && place.bind(1, qint64(r.after)).bind(2, fingerprint(r.bytes.constData())).bind(3, r.identity).run();
        place.reset();
        highest = std::max(highest, qint64(r.after));
    }
    // An undo marks the change it took back, a redo the undo it took back.
    SqliteStatement marks(db_,
                          "UPDATE change SET undone_by = CASE (SELECT kind FROM change WHERE id = ?1) "
                          "WHEN 'undo' THEN ?1 ELSE undone_by END, redone_by = CASE (SELECT kind FROM change "
                          "WHERE id = ?1) WHEN 'redo' THEN ?1 ELSE redone_by END "
                          "WHERE id = (SELECT target FROM change WHERE id = ?1)");
    SqliteStatement done(db_, "UPDATE change SET state = 'done' WHERE id = ?");
    return ok && marks.bind(1, entry).run() && done.bind(1, entry).run();
}

void CollectionHistory::abandon(qint64 entry)
{
    SqliteTransaction t(db_);
    SqliteStatement versions(db_, "DELETE FROM version WHERE change = ?");
    SqliteStatement change(db_, "DELETE FROM change WHERE id = ?");
    if (t.ok() && versions.bind(1, entry).run() && change.bind(1, entry).run()
        && db_.exec("DELETE FROM kaleidoscope WHERE record IS NULL AND identity NOT IN (SELECT identity FROM version)"))
        t.commit();
}

HistoryStatus CollectionHistory::record_appended(ChangeKind kind, int count_before)
{
    // Only what was appended is read: adding one kaleidoscope to 32767 reads one record.
    const StoredRecords stored = read_stored(collection_, count_before + 1);
    std::vector<RecordChange> added;
    // The records stay where they were read: an import of thousands is not copied again.
    for (int n = count_before + 1; n <= stored.count(); ++n)
        added.push_back({0, n, QByteArray(), QByteArray::fromRawData(stored.at(n), rec_len_bytes)});
    HistoryStatus status;
    const qint64 entry = begin(kind, added, &status, count_before);
    return entry ? finish(entry, &added) : status;
}

FileStatus write_through(const RecordedWrite& recorded, ChangeKind kind, const std::vector<RecordChange>& records,
                         const std::function<FileStatus()>& write)
{
    return recorded ? recorded(kind, records, write) : write();
}

RecordedWrite recorded_in(CollectionHistory& history)
{
    return [&history](ChangeKind kind, const std::vector<RecordChange>& records,
                      const std::function<FileStatus()>& write) {
        return write_recorded(&history, kind, records, write, nullptr);
    };
}

FileStatus write_recorded(CollectionHistory* history, ChangeKind kind, const std::vector<RecordChange>& records,
                          const std::function<FileStatus()>& write, HistoryStatus* recorded)
{
    HistoryStatus status{false, QString(), QString()};
    const qint64 entry = history ? history->begin(kind, records, &status) : 0;
    const FileStatus written = write();
    if (entry && !written)
        history->abandon(entry);
    else if (entry)
        status = history->finish(entry, &records);
    if (recorded)
        *recorded = status;
    return written;
}

qint64 CollectionHistory::identity_at(int record)
{
    SqliteStatement q(db_, "SELECT identity FROM kaleidoscope WHERE record = ?");
    q.bind(1, qint64(record));
    return q.next() ? q.integer(0) : 0;
}

std::vector<KaleidoscopeVersion> CollectionHistory::versions_of(qint64 identity)
{
    std::vector<KaleidoscopeVersion> found;
    SqliteStatement q(db_,
                      "SELECT c.id, c.at, c.user, c.kind, v.bytes_before, v.bytes_after FROM version v "
                      "JOIN change c ON c.id = v.change WHERE v.identity = ? AND c.state = 'done' "
                      "ORDER BY c.id DESC");
    q.bind(1, identity);
    while (q.next()) {
        const QByteArray before = unpacked(q.blob(4));
        found.push_back({q.integer(0), QDateTime::fromString(q.text(1), Qt::ISODateWithMs), q.text(2),
                         kind_from_name(q.text(3)), before, unpacked_after(before, q.blob(5))});
    }
    return found;
}

std::vector<HistoryChange> CollectionHistory::changes(qint64 identity)
{
    std::vector<HistoryChange> found;
    SqliteStatement q(db_,
                      "SELECT id FROM change WHERE state = 'done' AND (?1 = 0 OR id IN "
                      "(SELECT change FROM version WHERE identity = ?1)) ORDER BY id");
    q.bind(1, identity);
    while (q.next())
        found.push_back(change_entry(q.integer(0)));
    return found;
}

HistoryChange CollectionHistory::change_entry(qint64 id, bool with_records)
{
    HistoryChange c;
    SqliteStatement q(db_, "SELECT id, at, user, kind, what, count_after FROM change WHERE id = ?");
    q.bind(1, id);
    if (!q.next())
        return c;
    c = {q.integer(0),
         QDateTime::fromString(q.text(1), Qt::ISODateWithMs),
         q.text(2),
         kind_from_name(q.text(3)),
         q.text(4),
         int(q.integer(5)),
         {}};
    if (!with_records)
        return c;
    SqliteStatement v(db_,
                      "SELECT record_before, record_after, bytes_before, bytes_after, identity FROM version "
                      "WHERE change = ? ORDER BY rowid");
    v.bind(1, id);
    while (v.next()) {
        const QByteArray before = unpacked(v.blob(2));
        c.records.push_back(
            {int(v.integer(0)), int(v.integer(1)), before, unpacked_after(before, v.blob(3)), v.integer(4)});
    }
    return c;
}

HistoryStep CollectionHistory::next_undo(bool with_records)
{
    SqliteStatement q(db_, "SELECT id, kind, undone_by FROM change WHERE state = 'done' ORDER BY id DESC");
    while (q.next()) {
        const ChangeKind kind = kind_from_name(q.text(1));
        if (kind == ChangeKind::undo || !q.is_null(2))
            continue;
        if (kind == ChangeKind::outside)
            return {false,
                    {},
                    QStringLiteral("Changes made before another program changed the collection cannot be "
                                   "undone.")};
        return {true, change_entry(q.integer(0), with_records), QString()};
    }
    return {false, {}, QStringLiteral("There is no change to undo.")};
}

HistoryStep CollectionHistory::next_redo(bool with_records)
{
    SqliteStatement q(db_, "SELECT id, kind, redone_by FROM change WHERE state = 'done' ORDER BY id DESC");
    while (q.next()) {
        const ChangeKind kind = kind_from_name(q.text(1));
        if (kind == ChangeKind::redo || (kind == ChangeKind::undo && !q.is_null(2)))
            continue;
        if (kind == ChangeKind::undo)
            return {true, change_entry(q.integer(0), with_records), QString()};
        break;
    }
    return {false, {}, QStringLiteral("There is no change to redo.")};
}

std::vector<DeletedKaleidoscope> CollectionHistory::deleted()
{
    std::vector<DeletedKaleidoscope> found;
    SqliteStatement q(
        db_,
        "SELECT v.identity, c.id, c.at, c.user, v.record_before, v.bytes_before "
        "FROM version v JOIN change c ON c.id = v.change JOIN kaleidoscope k ON k.identity = v.identity "
        "WHERE c.state = 'done' AND c.kind <> 'undo' AND v.record_after = 0 AND k.record IS NULL AND c.id = "
        "(SELECT max(c2.id) FROM version v2 JOIN change c2 ON c2.id = v2.change "
        " WHERE v2.identity = v.identity AND c2.state = 'done') ORDER BY c.id DESC");
    while (q.next()) {
        const QByteArray bytes = unpacked(q.blob(5));
        if (!bytes.isEmpty())
            found.push_back({q.integer(0), q.integer(1), QDateTime::fromString(q.text(2), Qt::ISODateWithMs), q.text(3),
                             int(q.integer(4)), bytes});
    }
    return found;
}

}  // namespace tessaran
