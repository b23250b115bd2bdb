#include "find_scan.h"

#include "record_match.h"

#include <algorithm>

namespace tessaran {

FindScanResult find_scan(const QString& path, const Criteria& c, const std::vector<int>& order, int positions,
                         int start)
{
    FindScanResult result;
    start = std::max(start, 1);
    const int end = std::min<int>(positions, static_cast<int>(order.size()) - 1);
    result.pos = std::max(start, end + 1);
    if (start > end)
        return result;

    RecordScanner scanner;
    if (FileStatus st = scanner.open(path); !st) {
        result.status = st;
        return result;
    }
    const bool any = c.by_date || c.by_paid || c.by_retail || c.by_text;
    for (int p = start; p <= end; ++p) {
        const int r = order[static_cast<size_t>(p)];
        const char* raw = scanner.raw(r);
        if (!raw) {
            result.status = FileStatus::failure(QStringLiteral("Record %1 is not in the database file.").arg(r));
            result.pos = p;
            return result;
        }
        if (!any || raw_record_matches(c, raw)) {
            result.found = true;
            result.pos = p;
            break;
        }
    }
    return result;
}

}  // namespace tessaran
