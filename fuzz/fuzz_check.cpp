// Fuzz target: any bytes as a collection file. The check that tessaran-rnd
// verify runs, the program's own open check, the scanner every scan reads
// through and the listing of the stored pictures must agree on what the file
// holds, and never read past it.
#include "fuzz_support.h"

#include "core/database.h"
#include "core/picture_search.h"
#include "core/record_file.h"
#include "core/session.h"
#include "record_check.h"

#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace tessaran;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 16 * size_t(rec_len_bytes))
        return 0;
    const QString path = fuzz::scratch_dir() + QStringLiteral("/check.rnd");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            std::abort();
    }
    const qint64 whole = qint64(size) / rec_len_bytes;
    const bool is_whole = size % size_t(rec_len_bytes) == 0;

    const DatabaseReport report = check_database(path);
    if (!report.unreadable.isEmpty() || report.size != qint64(size) || report.records != whole)
        fuzz::fail(QStringLiteral("verify misreads the file's length"));
    const bool length_error = !report.errors.isEmpty() && report.errors.first().startsWith(QLatin1String("length"));
    if (length_error == is_whole)
        fuzz::fail(QStringLiteral("verify's length error disagrees with the length"));
    if (check_database_file(path).ok != is_whole)
        fuzz::fail(QStringLiteral("the program's open check disagrees with verify on the length"));

    RecordScanner scan;
    if (!scan.open(path))
        fuzz::fail(QStringLiteral("the scanner cannot open a readable file"));
    if (scan.count() != whole || scan.raw(0) || scan.raw(int(whole) + 1))
        fuzz::fail(QStringLiteral("the scanner reaches outside the whole records"));
    for (int n = 1; n <= whole; ++n) {
        const char* raw = scan.raw(n);
        if (!raw || std::memcmp(raw, data + qsizetype(n - 1) * rec_len_bytes, size_t(rec_len_bytes)) != 0)
            fuzz::fail(QStringLiteral("record %1 is not read as stored").arg(n));
    }
    if (Session::on_file(path).record_count() != whole)
        fuzz::fail(QStringLiteral("the editor counts other records than the file holds"));

    std::vector<StoredPictureRef> pictures;
    if (!collection_pictures(path, pictures))
        fuzz::fail(QStringLiteral("the pictures of a readable file cannot be listed"));
    for (const StoredPictureRef& ref : pictures) {
        if (ref.file.contains(QChar(0)) || ref.uses.empty())
            fuzz::fail(QStringLiteral("a stored picture names no usable file"));
    }
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    return fuzz::initialize(argc, argv);
}
