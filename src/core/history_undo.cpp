#include "history_undo.h"

#include "blank_text.h"
#include "file_write.h"
#include "scope_record.h"

#include <QFile>

#include <algorithm>

namespace tessaran {
namespace {

QString name_in(const QByteArray& bytes)
{
    const QString name
        = bytes.size() == rec_len_bytes ? trim_blanks(decode_record(bytes.constData()).scopename) : QString();
    return name.isEmpty() ? QStringLiteral("A kaleidoscope") : name;
}

// The records of the collection with ops applied: deletions first, then
// insertions at their places (the end where a place no longer fits), then
// records replaced. Each insertion's record_after is where it went.
QByteArray applied(QByteArray body, std::vector<RecordChange>& ops)
{
    std::sort(ops.begin(), ops.end(), [](const RecordChange& a, const RecordChange& b) {
        return a.record_after == 0 && b.record_after == 0 ? a.record_before > b.record_before
                                                          : a.record_after < b.record_after;
    });
    for (const RecordChange& op : ops)
        if (op.record_after == 0)
            body.remove(qsizetype(op.record_before - 1) * rec_len_bytes, rec_len_bytes);
    for (RecordChange& op : ops) {
        if (op.record_before != 0 || op.record_after == 0)
            continue;
        op.record_after = std::min(op.record_after, int(body.size() / rec_len_bytes) + 1);
        body.insert(qsizetype(op.record_after - 1) * rec_len_bytes, op.after);
    }
    for (const RecordChange& op : ops)
        if (op.record_before > 0 && op.record_after > 0)
            body.replace(qsizetype(op.record_after - 1) * rec_len_bytes, rec_len_bytes, op.after);
    return body;
}

// The collection's contents with ops applied to its whole records; an
// unfinished record at the end stays there. Nothing is copied but what moves
// (a full collection is 81 MB).
QByteArray changed(QByteArray contents, std::vector<RecordChange>& ops)
{
    const qsizetype whole = contents.size() - contents.size() % rec_len_bytes;
    const QByteArray tail = contents.mid(whole);
    contents.truncate(whole);
    QByteArray body = applied(std::move(contents), ops);
    body += tail;
    return body;
}

// The collection's bytes as they are now; false, with the reason in out, when
// they cannot be read.
bool read_collection(const CollectionHistory& history, QByteArray& contents, StepOutcome& out)
{
    QFile file(history.collection());
    if (!file.open(QIODevice::ReadOnly)) {
        out.written = FileStatus::failure(file.errorString());
        return false;
    }
    contents = file.readAll();
    return true;
}

// Writes ops (already applied to body) into the collection as one recorded change.
StepOutcome write_applied(CollectionHistory& history, ChangeKind kind, const std::vector<RecordChange>& ops,
                          const QByteArray& contents, int count, qint64 target, const QString& what)
{
    StepOutcome out;
    HistoryStatus recorded;
    const qint64 entry = history.begin(kind, ops, &recorded, count, target, what);
    if (!entry) {
        out.refusal = recorded.error;
        return out;
    }
    out.written = replace_file_contents(history.collection(), contents, true);
    if (!out.written) {
        history.abandon(entry);
        return out;
    }
    history.finish(entry, &ops);
    out.done = true;
    for (const RecordChange& op : ops)
        if (op.record_after > 0)
            out.shown_record = out.shown_record ? std::min(out.shown_record, op.record_after) : op.record_after;
    if (!out.shown_record && !ops.empty())
        out.shown_record = std::max(1, std::min(ops.front().record_before, int(contents.size() / rec_len_bytes)));
    return out;
}

}  // namespace

StepOutcome restore_deleted(CollectionHistory& history, const DeletedKaleidoscope& gone)
{
    StepOutcome out;
    QByteArray contents;
    if (!read_collection(history, contents, out))
        return out;
    const int count = int(contents.size() / rec_len_bytes);
    if (gone.bytes.size() != rec_len_bytes) {
        out.refusal = QStringLiteral("The history of this collection is damaged: the kaleidoscope cannot be restored.");
        return out;
    }
    std::vector<RecordChange> ops{{0, gone.record, QByteArray(), gone.bytes, gone.identity}};
    return write_applied(history, ChangeKind::restore, ops, changed(std::move(contents), ops), count, 0, QString());
}

StepOutcome take_back(CollectionHistory& history, const HistoryStep& step, bool redo)
{
    StepOutcome out;
    if (!step.possible) {
        out.refusal = step.refusal;
        return out;
    }
    const QString verb = redo ? QStringLiteral("redone") : QStringLiteral("undone");
    QByteArray contents;
    if (!read_collection(history, contents, out))
        return out;
    const int count = int(contents.size() / rec_len_bytes);
    // The change taken back: every record goes from where the change left it
    // to where it was, with the bytes it had.
    std::vector<RecordChange> ops;
    for (const RecordChange& v : step.entry.records)
        ops.push_back({v.record_after, v.record_before, v.after, v.before, v.identity});
    for (const RecordChange& op : ops) {
        if (op.record_after > 0 && op.after.size() != rec_len_bytes) {
            out.refusal = QStringLiteral("The history of this collection is damaged: the %1 cannot be %2.")
                              .arg(step.entry.what, verb);
            return out;
        }
        const bool there = op.record_before == 0
            || (op.record_before <= count
                && QByteArrayView(contents).sliced(qsizetype(op.record_before - 1) * rec_len_bytes, rec_len_bytes)
                    == op.before);
        if (!there || count != step.entry.count_after) {
            out.refusal = QStringLiteral("%1 was changed by another program after the %2, so it cannot be %3.")
                              .arg(name_in(op.before.isEmpty() ? op.after : op.before), step.entry.what, verb);
            return out;
        }
    }
    return write_applied(history, redo ? ChangeKind::redo : ChangeKind::undo, ops, changed(std::move(contents), ops),
                         count, step.entry.id, step.entry.what);
}

}  // namespace tessaran
