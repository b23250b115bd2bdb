#include "selector_scan.h"

#include "record_match.h"

#include <algorithm>

namespace tessaran {

FileStatus selector_scan(const QString& path, int count, const Criteria& c,
                         std::vector<qint16>& retained, const ScanProgress& progress,
                         ScopeRecord* last)
{
    retained.clear();
    RecordScanner scanner;
    if (FileStatus st = scanner.open(path); !st)
        return st;
    // The count came from the file a moment ago; a shorter file must not make us read past its end.
    const int n = std::min(count, scanner.count());
    for (int r = 1; r <= n; ++r) {
        const char* raw = scanner.raw(r);
        if (!raw)
            return FileStatus::failure(QStringLiteral("Record %1 could not be read.").arg(r));
        if (raw_record_matches(c, raw))
            retained.push_back(static_cast<qint16>(r));
        if (progress)
            progress(r, n);
    }
    if (last && n > 0)
        scanner.read(n, *last);
    return {};
}

}  // namespace tessaran
