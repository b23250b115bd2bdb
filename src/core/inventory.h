// The inventory an insurer asks for: one line per kaleidoscope of the working
// set, in its order, with its first picture, what it is and what it is worth,
// and the totals of any run of lines.
#pragma once

#include "core/collection_stats.h"
#include "core/record_file.h"

#include <QString>

#include <vector>

namespace tessaran {

struct InventoryLine {
    QString picture;  // the first picture's file; empty when there is none
    QString name;
    QString artist;
    QString year;
    QString bought;  // the date of purchase as stored
    qint64 paid = 0;
    qint64 retail = 0;
};

// Which price states a kaleidoscope's value in the totals' last line.
enum class InventoryValue { retail, paid };

// The lines of the records at positions 1..count of records (a working set's
// record numbers; index 0 unused) of the collection at path.
FileStatus inventory_lines(const QString& path, const std::vector<int>& records, int count,
                           std::vector<InventoryLine>& lines);

struct InventoryTotals {
    int count = 0;
    AmountStats paid;
    AmountStats retail;
    const AmountStats& value(InventoryValue v) const { return v == InventoryValue::paid ? paid : retail; }
};

// The totals of lines first..first+count-1.
InventoryTotals inventory_totals(const std::vector<InventoryLine>& lines, std::size_t first, std::size_t count);

}  // namespace tessaran
