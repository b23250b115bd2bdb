// The printed summary: a heading block and a ruled table over as many pages as
// needed, at the largest font size from 9 down to 2 points that fits the width.
#pragma once

#include "core/summary_rows.h"
#include "printer_seam.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace tessaran {

// Everything a printout shows.
struct SummaryPrintData {
    SummaryKind kind = SummaryKind::scope;
    QString stamp;  // summary_stamp of the window
    QString path;
    int count = 0;
    QString sort_caption;
    QString selection_text;
    std::vector<SummaryColumn> columns;
    std::vector<QStringList> rows;
};

// Page geometry and column positions in inches, for one font size.
struct SummaryLayout {
    double page_w = 11;
    double page_h = 8.5;
    double left = 0.4;
    double top = 0.4;
    double right = 10.6;
    double bottom = 8.1;
    double pad = 0.02;
    int size = 9;
    std::vector<double> w;  // 0-based column j-1
    std::vector<double> x;
    std::vector<double> c;
    double table_left = 0;
    double table_width = 0;
    double table_right = 0;
    double line_height = 0;
    double row_pitch = 0;
};

// Printed width in inches of a text at a point size.
using SummaryMeasure = std::function<double(const QString& text, int size, bool bold)>;

// Fits the table: the largest size from 9 to 2 whose table is not wider than
// the usable width, centred on the page. nullopt when none fits.
std::optional<SummaryLayout> fit_summary(const std::vector<SummaryColumn>& columns,
                                         const std::vector<QStringList>& rows, double page_w, double page_h,
                                         const SummaryMeasure& measure);

// The font of the printout at a size.
QFont summary_font(int size, bool bold);

// Draws every page on a started document.
void paint_summary(InchPage& page, QPrinter& printer, const SummaryPrintData& data, const SummaryLayout& layout,
                   PageProgress& progress);

// The print job: landscape when the printer takes it (else portrait), the fit
// ("Unable to fit the data to the page" when none), then the pages.
PrintJob summary_print_job(QWidget* parent, const SummaryPrintData& data);

}  // namespace tessaran
