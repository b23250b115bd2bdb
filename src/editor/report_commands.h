// The commands that read the working set and show, print or write what it
// holds: the summaries, the record sheets, the statistics and the web
// catalogue. Each takes the collection as it stands and the window it opens
// over; none changes the collection.
#pragma once

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

}  // namespace tessaran
