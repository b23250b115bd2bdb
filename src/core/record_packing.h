// How the history stores a record's bytes: packed (zlib, in qCompress's
// layout, so qUncompress reads it), a save's new bytes as their difference
// from the old, and whatever does not unpack to one whole record refused.
#pragma once

#include <QByteArray>

#include <cstddef>
#include <utility>
#include <vector>

namespace tessaran {

struct RecordChange;

// A stored record as it was packed; empty when it is not one whole record
// (a damaged history's bytes never reach the collection or a window).
QByteArray unpacked(const QByteArray& stored);
// The bytes after a change, stored beside the bytes before it.
QByteArray unpacked_after(const QByteArray& before, const QByteArray& stored);

// The stored forms of records [first, first + count): before and after each
// change. On every core for a change of thousands (an import of 32767
// records packs 81 MB).
std::vector<std::pair<QByteArray, QByteArray>> packed_records(const std::vector<RecordChange>& records, size_t first,
                                                              size_t count);

}  // namespace tessaran
