// What a summary shows of a record: its columns, the cell texts of each kind,
// prices as the grid shows them, and the line splitting of the criteria text.
// No windows here, so the printout, the grid and the export share one source.
#pragma once

#include "record_file.h"
#include "scope_record.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tessaran {

enum class SummaryKind {
    scope = 1,     // kaleidoscope information, 12 columns
    purchase = 2,  // purchase information, 6 columns
};

// One column of a summary.
struct SummaryColumn {
    QString grid_line1;     // grid heading, first line
    QString grid_line2;     // second line, empty for a one-line heading
    QString title;          // col_title
    QString seed;           // word whose width starts the grid column width
    QString print_line1;    // printed heading, first line
    QString print_line2;    // printed heading, second line (empty: one line)
    QString print_measure;  // word measured for the printed column width
};

// 12 columns for the kaleidoscope information, 6 for the purchases. currency is the currency symbol (trimmed here).
std::vector<SummaryColumn> summary_columns(SummaryKind kind, const QString& currency);
int summary_column_count(SummaryKind kind);
// True for the two price columns (0-based 3 and 4) of the purchase summary.
bool summary_price_column(SummaryKind kind, int col0);

// A stored text as shown: blanks (and the zero bytes of never-written slots)
// trimmed from both ends.
QString summary_text(const QString& stored);

// format_price: the grid's and printout's price text. 0 gives an empty text,
// any other amount the locale's currency form, trimmed.
QString format_price(qint64 amount);

// Cell texts of one record in column order (grid and printout).
QStringList summary_cells(const ScopeRecord& rec, SummaryKind kind);
// The same from the record's 2473 stored bytes, making only the cells' texts.
QStringList summary_cells_raw(const char* raw, SummaryKind kind);

// Reads the records order[1..positions] of the collection file once, in working-set
// order, and gives their cell texts. progress(p) is called after position p.
FileStatus read_summary_rows(const QString& collection, const std::vector<int>& order, int positions, SummaryKind kind,
                             std::vector<QStringList>& rows, const std::function<void(int p)>& progress = {});

// split_lines: trimmed text as lines; always at least one (possibly empty) line.
// A CR (with the character after it) or a lone LF starts a new line.
QStringList split_lines(const QString& text);

// The sort caption without its brackets: trimmed, first and last character cut.
// Empty when the caption is shorter than two characters.
QString sort_caption_inner(const QString& caption);

// The system's general date: short date (four-digit year) and time with seconds.
QString general_date_text(const QDateTime& when);

}  // namespace tessaran
