// The selection scan: every record of the database file, in file order, tested
// against the selection criteria.
#pragma once

#include "criteria.h"
#include "record_file.h"
#include "scope_record.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <vector>

namespace tessaran {

// Told after record r of n has been examined, so a progress window can follow.
using ScanProgress = std::function<void(int r, int n)>;

// Reads records 1..count of the file at path and puts the
// numbers of those passing every criterion in force into retained, in file order.
// A file holding fewer than count whole records fails
// before anything is retained.
FileStatus selector_scan(const QString& path, int count, const Criteria& c, std::vector<int>& retained,
                         const ScanProgress& progress = {});

}  // namespace tessaran
