// The inventory written as a PDF for the insurer: a line per kaleidoscope
// with a small copy of its first picture, page totals, the grand total, and
// on every page the collection's name, the date and the count.
#pragma once

#include "core/inventory.h"

#include <QDate>
#include <QString>

#include <functional>
#include <vector>

namespace tessaran {

struct InventoryOptions {
    QString collection;  // the collection's name
    QDate date;          // the day the inventory states
    InventoryValue value = InventoryValue::retail;
};

// Told the lines done and all lines; false stops the writing.
using InventoryProgress = std::function<bool(int done, int total)>;

struct InventoryResult {
    FileStatus status;
    bool cancelled = false;
    int pages = 0;
    int without_picture = 0;  // kaleidoscopes with no picture named
    int unreadable = 0;       // pictures named that could not be shown
};

// Writes the inventory of lines to the file out, whole or not at all: a
// failure or a cancel leaves no file (and an earlier file as it was).
InventoryResult write_inventory_pdf(const QString& out, const std::vector<InventoryLine>& lines,
                                    const InventoryOptions& options, const InventoryProgress& progress = {});

}  // namespace tessaran
