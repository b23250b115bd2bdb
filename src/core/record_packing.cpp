#include "record_packing.h"

#include "collection_history.h"
#include "scope_record.h"

#include <zlib.h>

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
    for (qsizetype i = 0; i < a.size(); ++i)
        a[i] = char(a[i] ^ b[i]);
    return a;
}

// Packs as qCompress does (the length, big-endian, then a zlib stream), with
// one compressor for every record of a change: setting one up for each
// record cost several times the packing itself. Each packed record keeps
// only its own length, as an import holds thousands of them at once.
class RecordPacker {
public:
    RecordPacker() { ready_ = deflateInit(&stream_, 1) == Z_OK; }
    ~RecordPacker()
    {
        if (ready_)
            deflateEnd(&stream_);
    }
    RecordPacker(const RecordPacker&) = delete;
    RecordPacker& operator=(const RecordPacker&) = delete;

    QByteArray pack(const QByteArray& bytes)
    {
        if (bytes.isEmpty())
            return QByteArray();
        QByteArray out(qsizetype(4 + deflateBound(&stream_, uLong(bytes.size()))), Qt::Uninitialized);
        const auto length = quint32(bytes.size());
        for (int i = 0; i < 4; ++i)
            out[i] = char(length >> (24 - 8 * i));
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
        stream_.avail_in = uInt(bytes.size());
        stream_.next_out = reinterpret_cast<Bytef*>(out.data() + 4);
        stream_.avail_out = uInt(out.size() - 4);
        const bool packed = ready_ && deflate(&stream_, Z_FINISH) == Z_STREAM_END;
        const uInt left = stream_.avail_out;
        if (ready_)
            deflateReset(&stream_);
        if (!packed)
            out = qCompress(bytes, 1);
        else
            out.resize(out.size() - qsizetype(left));
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
    z_stream stream_{};
    bool ready_ = false;
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
