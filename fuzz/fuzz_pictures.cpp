// Fuzz target: picture paths, as a record stores them (any 60 bytes of
// Windows-1252, written on Linux or on Windows) and as a user chooses them
// (any text). A stored path always resolves to a path without NUL bytes; a
// chosen path is either kept in a form that fits a slot and names a file as
// the chosen path does, or refused with its reason.
#include "fuzz_support.h"

#include "core/picture_paths.h"
#include "core/scope_record.h"

#include <QFileInfo>

#include <cstdint>
#include <cstdlib>

using namespace tessaran;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 400)
        return 0;
    const QString collection = fuzz::scratch_dir() + QStringLiteral("/Scopes.rnd");

    // As stored: the slot's bytes.
    const QString stored = from_cp1252(reinterpret_cast<const char*>(data), int(qMin<size_t>(size, image_slot_width)));
    const QString file = picture_file(stored, collection);
    if (file.contains(QChar(0)))
        fuzz::fail(QStringLiteral("a stored path resolves to a path with a NUL byte"));
    if (is_relative_picture_path(stored) && !file.isEmpty() && !QFileInfo(file).isAbsolute())
        fuzz::fail(QStringLiteral("a relative path is not resolved beside the collection"));
    (void)picture_file_name(stored);

    // As chosen: any text.
    const QString chosen = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const StoredPicture kept = stored_picture(chosen, collection);
    if (kept.ok() == !kept.why.isEmpty())
        fuzz::fail(QStringLiteral("a refusal without a reason, or a reason without a refusal"));
    if (kept.ok()) {
        QByteArray bytes;
        if (kept.stored.size() > image_slot_width || !to_cp1252_exact(kept.stored, bytes))
            fuzz::fail(QStringLiteral("a kept path does not fit a slot: ") + kept.stored);
        if (picture_file(kept.stored, collection).contains(QChar(0)))
            fuzz::fail(QStringLiteral("a kept path resolves to a path with a NUL byte"));
    }
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    return fuzz::initialize(argc, argv);
}
