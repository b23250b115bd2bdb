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
    double list_peak_mb = 0;       // the collection list's own fresh process, scrolled through
    double inventory_peak_mb = 0;  // tessaran-rnd inventory of 1,000 kaleidoscopes with pictures
};

// The import as a user waits for it: the command-line tool's whole run, and
// the editor's Import command in a fresh process (the preview, the Import
// click, the write, the new working set), each with its peak memory.
struct ImportResult {
    double command_peak_mb = 0;  // the command's time is the import_command row
    bool window_ok = false;
    double window_ms = 0;
    double window_peak_mb = 0;
};

// The history after many saves of ordinary records.
struct HistorySize {
    int saves = 0;
    double mb = -1;  // negative: a save failed
};

// medians: benchmark name -> median milliseconds. A Markdown table and notes.
QString result_table(const std::map<std::string, double>& medians, const ProbeResult& probe, const ImportResult& import,
                     const HistorySize& history);

}  // namespace tessaran::bench
