// What every benchmark shares: the collection and its SQLite copy in a
// temporary folder, the open record editor, and the scripted dialogs.
#pragma once

#include "bench_dialogs.h"
#include "sqlite_baseline.h"

#include "core/criteria.h"

#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QWidget;

namespace benchmark {
class State;
}  // namespace benchmark

namespace tessaran {
class RecordEditor;
class StartWindow;
}  // namespace tessaran

namespace tessaran::bench {

constexpr int collection_size = 32767;

struct BenchEnv {
    QTemporaryDir tmp;
    QString rnd;           // the collection the program works on
    QString rnd_pristine;  // its untouched copy, restored before each delete
    QString sqlite;        // the SQLite copy
    QString sqlite_pristine;
    QString export_path;
    QString sqlite_export_path;
    QString pdf_path;
    QString import_csv;  // the collection as a spreadsheet's CSV export
    BenchDialogs dialogs;
    std::unique_ptr<StartWindow> startup;
    RecordEditor* ed = nullptr;
    std::unique_ptr<StartWindow> gallery_startup;  // the gallery's own collection and editor
    SqliteDb sql;
    std::vector<char> buffer;  // target of the sequential read
};

BenchEnv& env();

// Generates the collection and its SQLite copy and opens the editor on it.
bool setup_env(QString& error);
// Writes the whole collection as a spreadsheet's CSV export to env().import_csv.
bool write_import_csv(QString& error);
// Every record, sorted by artist, position 1 shown: the state after opening.
void reopen_state();
// Replaces to with a copy of from.
bool copy_file(const QString& from, const QString& to);
// Copies the pristine collection over the working one.
bool restore_rnd();
bool restore_sqlite();

// The criteria the benchmarks select and find with.
Criteria text_criteria();      // artist contains "SEN"
Criteria date_criteria();      // bought 1/1/2000 .. 12/31/2004
Criteria price_criteria();     // paid 500..1500 and retail 800..2000
Criteria no_match_criteria();  // artist contains "XQZ"

// SQLite's statements for the same jobs.
extern const char* const sql_text;
extern const char* const sql_date;
extern const char* const sql_prices;
extern const char* const sql_no_match;

// Runs each operation once and compares the program's results with SQLite's;
// false with a description when they differ.
bool verify_results(QString& error);

// Registers body as a benchmark timed in milliseconds of real time, each
// repetition iterations passes, only the aggregates reported.
using Body = std::function<void(benchmark::State&)>;
void reg(const char* name, const Body& body, int iterations, int repetitions);
// Keystrokes in a list's filter, one a pass, each painted in shown: they
// type "sen" and take it back again.
void type_in_filter(benchmark::State& st, QLineEdit* filter, QWidget* shown);
// Registers every benchmark.
void register_benchmarks();
// The collection's history: opening it, a save with and without its entry,
// undo of a deletion, and a kaleidoscope's history among 100,000 changes.
void register_history_benchmarks();
// The collection list as a gallery: its first screen and a filter keystroke;
// the inventory, without pictures and with 1,000.
void register_gallery_benchmarks();
// The peak memory of the inventory with 1,000 pictures, for the table.
double& inventory_pictures_peak_mb();
// The size in MB of a history after saves of ordinary records, each recorded
// as the editor records it; negative when a save failed.
double history_size_after_saves(int saves);

// Separate process: opens the collection at path, shows the summary window of
// each kind and prints the time and the process's peak resident memory.
int rss_probe(const QString& path);

}  // namespace tessaran::bench
