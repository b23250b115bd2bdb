// Fuzz target: a spreadsheet or dump file as the import reads it, in any
// encoding it accepts (UTF-8, Windows-1252, UTF-16 with a byte order mark,
// JSON lines). Every row it accepts must make a record that verify accepts;
// a write that is refused must leave no file behind.
#include "imported_rows.h"

#include <QFile>

#include <cstdint>
#include <cstdlib>

using namespace tessaran;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ImportReader reader(bytes);
    const QList<int> targets = fuzz::matched_targets(reader);
    (void)import_columns_problem(reader.headings(), targets);
    (void)ignored_headings(reader.headings(), targets);
    // A source that cannot be read is refused whole, as the command and the
    // window refuse it.
    if (!reader.error().isEmpty())
        return 0;
    const int rows = fuzz::check_imported_rows(reader, targets);

    // Written as the command writes it, a small share of the inputs (a file
    // is slow): all or nothing, and nothing at all when a row is refused.
    if (size > 0 && data[0] % 8 == 0) {
        const QString out = fuzz::scratch_dir() + QStringLiteral("/import.rnd");
        QFile::remove(out);
        ImportReader again(bytes);
        ImportCount count;
        const FileStatus st = append_import(out, again, targets, true, count);
        if (count.imported + count.refused != rows)
            std::abort();
        if (!st && (QFile::exists(out) || !fuzz::no_scratch_files()))
            fuzz::fail("a refused import left a file behind");
        if (st && QFile(out).size() != qint64(count.imported) * rec_len_bytes)
            fuzz::fail("the collection does not hold every imported row");
    }
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    return fuzz::initialize(argc, argv);
}
