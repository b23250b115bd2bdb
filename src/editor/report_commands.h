// The commands that read the working set and show, print or write what it
// holds: the summaries, the record sheets, the statistics, the web
// catalogue, the inventory and the possible duplicates. Each takes the
// collection as it stands and the window it opens over; none changes the
// collection.
#pragma once

#include "editor_commands.h"

#include <functional>

class QWidget;

namespace tessaran {

struct Session;

void show_summary(const Session& s, QWidget* parent);
// A collection that is gone is named, as a print names it, rather than
// offered as a range of no records.
void print_sheets(const Session& s, QWidget* parent);
void show_statistics(const Session& s, QWidget* parent);
void export_web_catalogue(const Session& s, QWidget* parent);
// The working set as a PDF inventory, its value at the prices the user chooses.
void print_inventory(const Session& s, QWidget* parent);
// The kaleidoscopes of the working set that may be one entered twice; show
// shows the one the user chooses at its working-set position.
void show_possible_duplicates(const Session& s, QWidget* parent, const std::function<void(int)>& show);

// Runs c when it is one of the commands above; false for any other.
bool run_report_command(Command c, const Session& s, QWidget* parent, const std::function<void(int)>& show);

}  // namespace tessaran
