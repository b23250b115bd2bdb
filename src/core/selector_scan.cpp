#include "selector_scan.h"

#include "record_match.h"

#include <algorithm>

namespace tessaran {

FileStatus selector_scan(const QString& path, int count, const Criteria& c, std::vector<int>& retained,
                         const ScanProgress& progress)
{
    retained.clear();
    RecordScanner scanner;
    if (FileStatus st = scanner.open(path); !st)
        return st;
    // The count came from the file a moment ago. A file that has shrunk since
    // (or ends in part of a record) is not scanned as far as it goes and passed
    // off as a whole selection: the scan stops and says why.
    if (scanner.count() < count)
        return FileStatus::failure(
            QStringLiteral("Record %1 lies outside the database file.").arg(scanner.count() + 1));
    const int n = count;
    for (int r = 1; r <= n; ++r) {
        const char* raw = scanner.raw(r);
        if (!raw)
            return FileStatus::failure(QStringLiteral("Record %1 could not be read.").arg(r));
        if (raw_record_matches(c, raw))
            retained.push_back(r);
        if (progress)
            progress(r, n);
    }
    return {};
}

}  // namespace tessaran
