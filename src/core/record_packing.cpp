#include "record_packing.h"

#include "collection_history.h"
#include "scope_record.h"

#include <libdeflate.h>

#include <algorithm>
#include <thread>

namespace tessaran {

namespace {

// A record's bytes after a change that kept it are stored as what changed
// from before (mostly zeros, a few bytes packed), marked so: a save costs
// little more than its record once. A packed record begins with its length's
// high byte, zero for any record, so the mark cannot be mistaken for it.
constexpr char difference_mark = 'x';

QByteArray exclusive_or(QByteArray a, const QByteArray& b)
{
    // Through plain pointers: indexing a QByteArray checks for sharing at
    // every byte, and this runs over every byte of thousands of records.
    char* out = a.data();
    const char* in = b.constData();
    for (qsizetype i = 0; i < a.size(); ++i)
        out[i] = char(out[i] ^ in[i]);
    return a;
}

// Packs as qCompress does (the length, big-endian, then a zlib stream), with
// one compressor for every record of a change. libdeflate packs a whole
// record about twice as fast as zlib, which counts when a change to every
// kaleidoscope packs 32767 records before it is written. Each packed record
// keeps only its own length, as an import holds thousands of them at once.
class RecordPacker {
public:
    RecordPacker() : compressor_(libdeflate_alloc_compressor(1)) { }
    ~RecordPacker() { libdeflate_free_compressor(compressor_); }
    RecordPacker(const RecordPacker&) = delete;
    RecordPacker& operator=(const RecordPacker&) = delete;

    QByteArray pack(const QByteArray& bytes)
    {
        if (bytes.isEmpty())
            return QByteArray();
        if (!compressor_)
            return qCompress(bytes, 1);
        QByteArray out(qsizetype(4 + libdeflate_zlib_compress_bound(compressor_, size_t(bytes.size()))),
                       Qt::Uninitialized);
        const auto length = quint32(bytes.size());
        for (int i = 0; i < 4; ++i)
            out[i] = char(length >> (24 - 8 * i));
        const size_t packed = libdeflate_zlib_compress(compressor_, bytes.constData(), size_t(bytes.size()),
                                                       out.data() + 4, size_t(out.size() - 4));
        if (packed == 0)
            return qCompress(bytes, 1);
        out.resize(qsizetype(4 + packed));
        out.squeeze();
        return out;
    }

    QByteArray pack_after(const QByteArray& before, const QByteArray& after)
    {
        if (before.isEmpty() || before.size() != after.size())
            return pack(after);
        return difference_mark + pack(exclusive_or(after, before));
    }

private:
    libdeflate_compressor* compressor_;
};

}  // namespace

QByteArray unpacked(const QByteArray& stored)
{
    const QByteArray record = stored.isEmpty() ? QByteArray() : qUncompress(stored);
    return record.size() == rec_len_bytes ? record : QByteArray();
}

QByteArray unpacked_after(const QByteArray& before, const QByteArray& stored)
{
    if (!stored.startsWith(difference_mark))
        return unpacked(stored);
    const QByteArray difference = qUncompress(stored.mid(1));
    return difference.size() == before.size() ? exclusive_or(difference, before) : QByteArray();
}

std::vector<std::pair<QByteArray, QByteArray>> packed_records(const std::vector<RecordChange>& records, size_t first,
                                                              size_t count)
{
    std::vector<std::pair<QByteArray, QByteArray>> blobs(count);
    const auto pack = [&records, &blobs, first](size_t from, size_t to) {
        RecordPacker packer;
        for (size_t i = from; i < to; ++i)
            blobs[i] = {packer.pack(records[first + i].before),
                        packer.pack_after(records[first + i].before, records[first + i].after)};
    };
    const size_t workers = count < 1024 ? 1 : std::max(1u, std::thread::hardware_concurrency());
    const size_t share = (count + workers - 1) / workers;
    std::vector<std::thread> helpers;
    for (size_t w = 1; w < workers; ++w)
        helpers.emplace_back(pack, std::min(count, w * share), std::min(count, (w + 1) * share));
    pack(0, std::min(count, share));
    for (std::thread& helper : helpers)
        helper.join();
    return blobs;
}

}  // namespace tessaran
