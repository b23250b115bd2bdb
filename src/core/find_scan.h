// Finding: the next working-set position whose record meets the find criteria.
#pragma once

#include "criteria.h"
#include "record_file.h"
#include "scope_record.h"

#include <QString>
#include <QtGlobal>

#include <vector>

namespace tessaran {

struct FindScanResult {
    FileStatus status;
    bool found = false;
    // The scan cursor: the matching position, or past the end of the working set
    // (positions + 1, or start when start already lay beyond it).
    int pos = 0;
};

// Tests the records at positions start..positions of order (1-based) in turn and
// stops at the first that passes every criterion in force (with none in force the
// first examined matches).
FindScanResult find_scan(const QString& path, const Criteria& c, const std::vector<int>& order, int positions,
                         int start);

}  // namespace tessaran
