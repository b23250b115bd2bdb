#include "bench_table.h"

#include <QStringList>

namespace tessaran::bench {

namespace {

enum class Target {
    none,
    scan,            // within 3x the sequential read and faster than SQLite
    open_sort,       // within 5x the sequential read
    window,          // under 1 s, under 300 MB peak memory
    record,          // under 5 ms
    export_,         // within 2x the sequential read and faster than SQLite
    stats,           // under 300 ms
    import_command,  // at most 1 s and 120 MB peak memory
    import_window,   // preview and writing at most 1.5 s, peak memory no larger than the summary window's
    list,            // under 300 ms, peak memory no larger than the summary window's
    keystroke,       // under 50 ms
    gallery,         // under 300 ms
    inventory,       // under 10 s
    browser_page,    // under 2 s
    duplicates,      // under 500 ms
    groups,          // under 150 ms
    change_many,     // under 1 s
    web,             // under 3 s
    history_entry,   // at most 10 ms more than the same save without a history
    history_step,    // under 300 ms
};

struct Row {
    const char* bench;
    const char* label;
    const char* sqlite;
    Target target;
};

const Row rows[] = {
    {"seq_read", "Sequential read of the whole file (physical limit)", nullptr, Target::none},
    {"open", "Open: count, reset the working set, sort by artist", "sqlite/open", Target::open_sort},
    {"select_text", "Select by one text slot (artist contains \"SEN\")", "sqlite/select_text", Target::scan},
    {"select_date", "Select by a date range (2000-2004)", "sqlite/select_date", Target::scan},
    {"select_prices", "Select by both price ranges", "sqlite/select_prices", Target::scan},
    {"sort_text", "Sort by scope name", "sqlite/sort_text", Target::open_sort},
    {"sort_date", "Sort by date of purchase", "sqlite/sort_date", Target::open_sort},
    {"sort_price", "Sort by purchase price", "sqlite/sort_price", Target::open_sort},
    {"sort_desc", "Sort by artist, descending", "sqlite/sort_desc", Target::open_sort},
    {"find_next", "Find over the whole working set, no match", "sqlite/find_next", Target::scan},
    {"summary_model_scope", "Summary model, kaleidoscope information", nullptr, Target::none},
    {"summary_model_purchase", "Summary model, purchase information", nullptr, Target::none},
    {"summary_window_scope", "Summary window on screen, kaleidoscope information", nullptr, Target::window},
    {"summary_window_purchase", "Summary window on screen, purchase information", nullptr, Target::window},
    {"export_text", "Save the purchase summary as text", "sqlite/export_text", Target::export_},
    {"stats_window", "Collection statistics window on screen", nullptr, Target::stats},
    {"list_window", "Collection list on screen (Ctrl+L)", nullptr, Target::list},
    {"list_filter", "Collection list: one keystroke in the filter", nullptr, Target::keystroke},
    {"group_list", "Collection list grouped by a field (each of the eleven in turn), groups shown", nullptr,
     Target::groups},
    {"gallery_window", "Gallery on screen with every picture in view, thumbnails cached on disk", nullptr,
     Target::gallery},
    {"gallery_filter", "Gallery: one keystroke in the filter", nullptr, Target::keystroke},
    {"inventory", "Inventory of the whole collection as a PDF, every picture missing", nullptr, Target::inventory},
    {"inventory_pictures", "Inventory of 1,000 kaleidoscopes with their pictures: tessaran-rnd, fresh process", nullptr,
     Target::none},
    {"web_export", "Web catalogue of the whole collection, without pictures", nullptr, Target::web},
    {"change_many", "One change for every kaleidoscope (store set): planned, written once, recorded once", nullptr,
     Target::change_many},
    {"change_preview", "Change a field...: Show changes for every kaleidoscope (planned and listed)", nullptr,
     Target::none},
    {"duplicates", "Possible duplicates of the whole collection (name and artist folded, first pictures)", nullptr,
     Target::duplicates},
    {"web_browser_start", "Headless Chromium: its own start, on a blank page (included in the two rows below)", nullptr,
     Target::none},
    {"web_index_page", "Web catalogue of the whole collection: its first page opened in Chromium", nullptr,
     Target::browser_page},
    {"web_search_all", "Web catalogue: the first page opened with a search of the whole collection (#q=sen)", nullptr,
     Target::none},
    {"web_export_missing", "Web catalogue, every record's picture paths naming missing files", nullptr, Target::none},
    {"missing_pictures", "Find missing pictures: every path looked up, the missing matched in 5000 files", nullptr,
     Target::none},
    {"import_csv", "Import 32767 CSV rows, the core's part (read, check, write)", nullptr, Target::none},
    {"import_command", "Import 32767 CSV rows: the whole tessaran-rnd import command", nullptr, Target::import_command},
    {"import_window", "Import 32767 CSV rows: the editor's Import command, fresh process", nullptr,
     Target::import_window},
    {"delete_rewrite", "Delete one record: the safe rewrite", "sqlite/delete", Target::none},
    {"delete_in_editor", "Delete one record from the editor (rewrite, reselect, resort)", "sqlite/delete",
     Target::none},
    {"print_summary", "Print the purchase summary to PDF", nullptr, Target::none},
    {"print_sheets", "Print 100 record sheets to PDF", nullptr, Target::none},
    {"show_record", "Show a record (show_position)", nullptr, Target::record},
    {"save_record", "Save a changed record", nullptr, Target::record},
    {"history_open", "Open the collection's history, the collection as it last saw it", nullptr, Target::none},
    {"history_compare", "Open the history after another program wrote the collection (every record compared)", nullptr,
     Target::none},
    {"save_plain", "Save one record, the safe rewrite without a history", nullptr, Target::none},
    {"save_recorded", "Save one record with its history entry", nullptr, Target::history_entry},
    {"undo_delete", "Undo a deletion (record back at its place, the undo recorded)", nullptr, Target::history_step},
    {"history_open_many", "Open a history of 100,000 changes (its checks, unfinished changes looked for)", nullptr,
     Target::none},
    {"history_window", "History of this kaleidoscope on screen, 100,000 changes recorded", nullptr,
     Target::history_step},
};

QString ms_text(double ms)
{
    if (ms < 1)
        return QString::number(ms, 'f', 3) + QStringLiteral(" ms");
    if (ms < 100)
        return QString::number(ms, 'f', 1) + QStringLiteral(" ms");
    return QString::number(ms, 'f', 0) + QStringLiteral(" ms");
}

QString ratio_text(double r)
{
    return QString::number(r, 'f', r < 10 ? 2 : 1) + QStringLiteral("x");
}

const double* find(const std::map<std::string, double>& m, const char* name)
{
    if (!name)
        return nullptr;
    const auto it = m.find(name);
    return it == m.end() ? nullptr : &it->second;
}

}  // namespace

QString result_table(const std::map<std::string, double>& medians, const ProbeResult& probe, const ImportResult& import,
                     const HistorySize& history)
{
    // The window's import is measured once, in its own process.
    std::map<std::string, double> all = medians;
    if (import.window_ok)
        all["import_window"] = import.window_ms;
    const auto import_peak = [&import](const char* bench) {
        return std::string(bench) == "import_window" ? import.window_peak_mb : import.command_peak_mb;
    };
    const double* seq = find(medians, "seq_read");
    QStringList out;
    out << QStringLiteral("| Operation | Median | x seq. read | SQLite median | x SQLite | Target | Met |")
        << QStringLiteral("|---|---:|---:|---:|---:|---|---|");
    int missed = 0;
    for (const Row& row : rows) {
        const double* t = find(all, row.bench);
        const double* lite = find(all, row.sqlite);
        QStringList cells;
        cells << QString::fromUtf8(row.label);
        if (!t) {
            cells << QStringLiteral("not run") << QString() << QString() << QString() << QString() << QString();
            out << QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |");
            continue;
        }
        const double vs_seq = seq ? *t / *seq : 0;
        cells << ms_text(*t) << (seq ? ratio_text(vs_seq) : QStringLiteral("-"))
              << (lite ? ms_text(*lite) : QStringLiteral("-")) << (lite ? ratio_text(*t / *lite) : QStringLiteral("-"));
        QString target;
        bool met = true;
        switch (row.target) {
        case Target::none: target = QStringLiteral("-"); break;
        case Target::scan:
            target = QStringLiteral("<= 3x read, < SQLite");
            met = seq && vs_seq <= 3.0 && (!lite || *t < *lite);
            break;
        case Target::open_sort:
            target = QStringLiteral("<= 5x read");
            met = seq && vs_seq <= 5.0;
            break;
        case Target::window:
            target = QStringLiteral("< 1 s, < 300 MB");
            met = *t < 1000.0 && probe.ok && probe.peak_rss_mb < 300.0;
            break;
        case Target::record:
            target = QStringLiteral("< 5 ms");
            met = *t < 5.0;
            break;
        case Target::export_:
            target = QStringLiteral("<= 2x read, < SQLite");
            met = seq && vs_seq <= 2.0 && (!lite || *t < *lite);
            break;
        case Target::stats:
            target = QStringLiteral("< 300 ms");
            met = *t < 300.0;
            break;
        case Target::list:
            target = QStringLiteral("< 300 ms, peak <= summary window's");
            met = *t < 300.0 && probe.ok && probe.list_peak_mb > 0 && probe.list_peak_mb <= probe.peak_rss_mb;
            break;
        case Target::change_many:
            target = QStringLiteral("< 1 s");
            met = *t < 1000.0;
            break;
        case Target::groups:
            target = QStringLiteral("< 150 ms");
            met = *t < 150.0;
            break;
        case Target::duplicates:
            target = QStringLiteral("< 500 ms");
            met = *t < 500.0;
            break;
        case Target::browser_page:
            target = QStringLiteral("< 2 s");
            met = *t < 2000.0;
            break;
        case Target::inventory:
            target = QStringLiteral("< 10 s");
            met = *t < 10000.0;
            break;
        case Target::gallery:
            target = QStringLiteral("< 300 ms");
            met = *t < 300.0;
            break;
        case Target::keystroke:
            target = QStringLiteral("< 50 ms");
            met = *t < 50.0;
            break;
        case Target::web:
            target = QStringLiteral("< 3 s");
            met = *t < 3000.0;
            break;
        case Target::history_entry: {
            const double* plain = find(all, "save_plain");
            target = QStringLiteral("<= 10 ms over the save without");
            met = plain && *t - *plain <= 10.0;
            break;
        }
        case Target::history_step:
            target = QStringLiteral("< 300 ms");
            met = *t < 300.0;
            break;
        case Target::import_command:
            target = QStringLiteral("<= 1 s, peak <= 120 MB");
            met = *t <= 1000.0 && import_peak(row.bench) > 0 && import_peak(row.bench) <= 120.0;
            break;
        case Target::import_window:
            target = QStringLiteral("<= 1.5 s, peak <= summary window's");
            met = *t <= 1500.0 && probe.ok && import_peak(row.bench) > 0 && import_peak(row.bench) <= probe.peak_rss_mb;
            break;
        }
        if (!met)
            ++missed;
        cells << target
              << (row.target == Target::none ? QStringLiteral("-")
                      : met                  ? QStringLiteral("yes")
                                             : QStringLiteral("**no**"));
        out << QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |");
    }
    out << QString();
    if (probe.ok)
        out << QStringLiteral("Summary window in a fresh process (both kinds shown one after the other): peak "
                              "resident memory %1 MB; first showing %2 (kaleidoscope information), %3 (purchase "
                              "information).")
                   .arg(QString::number(probe.peak_rss_mb, 'f', 0), ms_text(probe.first_scope_ms),
                        ms_text(probe.first_purchase_ms));
    else
        out << QStringLiteral("The summary window's memory could not be measured.");
    out << QStringLiteral("Collection list in a fresh process, scrolled from top to bottom: peak resident memory "
                          "%1 MB.")
               .arg(QString::number(probe.list_peak_mb, 'f', 0));
    const bool inventory_small
        = probe.ok && probe.inventory_peak_mb > 0 && probe.inventory_peak_mb <= probe.peak_rss_mb;
    if (!inventory_small)
        ++missed;
    out << QStringLiteral("Inventory of 1,000 kaleidoscopes with their pictures: peak resident memory %1 MB "
                          "(target: no more than the summary window's: %2).")
               .arg(QString::number(probe.inventory_peak_mb, 'f', 0),
                    inventory_small ? QStringLiteral("met") : QStringLiteral("**missed**"));
    out << QStringLiteral("Import of 32767 CSV rows: peak resident memory %1 MB for tessaran-rnd import, %2.")
               .arg(QString::number(import.command_peak_mb, 'f', 0),
                    import.window_ok ? QStringLiteral("%1 MB for the editor's Import command in a fresh process")
                                           .arg(QString::number(import.window_peak_mb, 'f', 0))
                                     : QStringLiteral("the editor's Import command could not be measured"));
    const bool small = history.mb >= 0 && history.mb < 10.0;
    if (!small)
        ++missed;
    out << (history.mb >= 0 ? QStringLiteral("History after %1 recorded saves of ordinary records: %2 MB "
                                             "(target under 10 MB: %3).")
                                  .arg(history.saves)
                                  .arg(QString::number(history.mb, 'f', 1),
                                       small ? QStringLiteral("met") : QStringLiteral("**missed**"))
                            : QStringLiteral("The history's size after many saves could not be measured."));
    out << QStringLiteral("Targets missed: %1.").arg(missed);
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace tessaran::bench
