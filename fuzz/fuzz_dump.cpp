// Fuzz target: the dump round trip. The input is the stored bytes of one
// record (2473 bytes, as a damaged collection may hold them): when verify
// finds no error in it, its line of "tessaran-rnd dump" imports without a
// refusal and gives every field back as it was stored. Any further bytes are
// read as JSON lines of their own, which must import without a crash and
// give records verify accepts.
#include "imported_rows.h"

#include <cstdint>
#include <cstdlib>

using namespace tessaran;

namespace {

void check_round_trip(const char* raw)
{
    DatabaseReport report;
    check_record(raw, 1, report);
    if (!report.errors.isEmpty())
        return;
    const ScopeRecord stored = decode_record(raw);
    ImportReader reader(record_json(stored, 1) + '\n');
    ImportedRow row;
    if (!reader.next_converted(fuzz::matched_targets(reader), row))
        fuzz::fail("the dump line was not read");
    if (!row.problem.isEmpty())
        fuzz::fail("a record verify accepts is refused on import: " + row.problem);
    QByteArray bytes(rec_len_bytes, '\0');
    encode_stored_record_into(row.rec, bytes.data());
    const ScopeRecord back = decode_record(bytes.constData());
    for (const TextMemberInfo& m : text_members()) {
        if (without_padding(stored.*m.field) != without_padding(back.*m.field))
            fuzz::fail(QStringLiteral("%1 does not come back").arg(QString::fromLatin1(m.name)));
    }
    if (stored.price_paid != back.price_paid || stored.price_retail != back.price_retail
        || stored.image_count != back.image_count)
        fuzz::fail(QStringLiteral("a price or the image count does not come back"));
    for (int i = 1; i < image_slot_count; ++i) {
        if (without_padding(stored.image_files[std::size_t(i)]) != without_padding(back.image_files[std::size_t(i)]))
            fuzz::fail(QStringLiteral("picture slot %1 does not come back").arg(i));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < size_t(rec_len_bytes) || size > 64 * 1024)
        return 0;
    check_round_trip(reinterpret_cast<const char*>(data));
    const QByteArray rest(reinterpret_cast<const char*>(data) + rec_len_bytes, qsizetype(size) - rec_len_bytes);
    if (rest.isEmpty())
        return 0;
    ImportReader reader(rest.startsWith('{') ? rest : "{" + rest);
    fuzz::check_imported_rows(reader, fuzz::matched_targets(reader));
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    return fuzz::initialize(argc, argv);
}
