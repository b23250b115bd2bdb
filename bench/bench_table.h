// The result table: one row per operation with its median, its ratio to the
// sequential read and to SQLite's equivalent, and whether its target is met.
#pragma once

#include <QString>

#include <map>
#include <string>

namespace tessaran::bench {

// What the separate summary-window process measured.
struct ProbeResult {
    bool ok = false;
    double peak_rss_mb = 0;
    double first_scope_ms = 0;
    double first_purchase_ms = 0;
};

// medians: benchmark name -> median milliseconds. A Markdown table and notes.
QString result_table(const std::map<std::string, double>& medians, const ProbeResult& probe);

}  // namespace tessaran::bench
