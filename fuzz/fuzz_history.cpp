// Fuzz target: any bytes as the history beside a collection. Opening it never
// changes the collection; a history that opens knows every record and agrees
// with the collection; whatever it holds, Undo, Redo and putting a deleted
// kaleidoscope back either refuse or leave a collection of whole records. A
// saved selection it holds (and the bytes themselves, read as one) is read
// whole or not at all, and what is read is written back the same.
#include "fuzz_support.h"

#include "core/collection_history.h"
#include "core/database.h"
#include "core/history_undo.h"
#include "core/record_file.h"
#include "core/scope_record.h"
#include "core/selection_definition.h"

#include <QFile>

#include <cstdint>
#include <cstdlib>

using namespace tessaran;

namespace {

const QByteArray& three_records()
{
    static const QByteArray bytes = [] {
        QByteArray b;
        for (const char* name : {"Aurora", "Borealis", "Corona"}) {
            ScopeRecord r;
            clear_record(r);
            r.scopename = QString::fromLatin1(name);
            b += encode_record(r);
        }
        return b;
    }();
    return bytes;
}

void write_file(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::abort();
}

QByteArray read_file(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A definition that reads is written and read back to the same bytes.
void definition_round_trip(const QByteArray& bytes)
{
    const std::optional<SelectionDefinition> d = definition_from(bytes);
    if (!d)
        return;
    const QByteArray written = definition_bytes(*d);
    const std::optional<SelectionDefinition> again = definition_from(written);
    if (!again || definition_bytes(*again) != written)
        fuzz::fail(QStringLiteral("a saved selection does not read back as it was written"));
}

void whole_after(const QString& path, const StepOutcome& outcome, const char* what)
{
    const QByteArray now = read_file(path);
    if (now.size() % rec_len_bytes != 0 || !check_database_file(path).ok)
        fuzz::fail(QStringLiteral("%1 left no collection of whole records").arg(QLatin1String(what)));
    if (!outcome.done && now != three_records())
        fuzz::fail(QStringLiteral("%1 refused but changed the collection").arg(QLatin1String(what)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 256 * 1024)
        return 0;
    const QString collection = fuzz::scratch_dir() + QStringLiteral("/scopes.rnd");
    write_file(collection, three_records());
    QFile::remove(history_path_of(collection) + QStringLiteral("-journal"));
    write_file(history_path_of(collection), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    {
        CollectionHistory reader(collection);
        if (reader.open_for_reading())
            reader.disagreements();
    }
    CollectionHistory history(collection);
    const HistoryStatus opened = history.open();
    if (read_file(collection) != three_records())
        fuzz::fail(QStringLiteral("opening the history changed the collection"));
    if (opened) {
        for (int n = 1; n <= 3; ++n)
            if (history.identity_at(n) == 0)
                fuzz::fail(QStringLiteral("record %1 has no identity after opening").arg(n));
        if (!history.disagreements().isEmpty())
            fuzz::fail(QStringLiteral("an opened history disagrees with the collection"));
    }
    for (const KaleidoscopeVersion& v : history.versions_of(history.identity_at(1)))
        if ((!v.before.isEmpty() && v.before.size() != rec_len_bytes)
            || (!v.after.isEmpty() && v.after.size() != rec_len_bytes))
            fuzz::fail(QStringLiteral("a version holds no whole record"));
    history.changes();
    definition_round_trip(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    for (const auto& [name, bytes] : history.saved_selections())
        definition_round_trip(bytes);
    whole_after(collection, take_back(history, history.next_undo(), false), "Undo");
    write_file(collection, three_records());
    whole_after(collection, take_back(history, history.next_redo(), true), "Redo");
    write_file(collection, three_records());
    const std::vector<DeletedKaleidoscope> gone = history.deleted();
    if (!gone.empty())
        whole_after(collection, restore_deleted(history, gone.front()), "Restoring a deleted kaleidoscope");
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    return fuzz::initialize(argc, argv);
}
