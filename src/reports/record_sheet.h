// Record sheets: one landscape page per kaleidoscope with every field, the
// wrapped long texts and the list of image files.
#pragma once

#include "core/scope_record.h"
#include "printer_seam.h"

#include <QFont>
#include <QString>

class QWidget;

namespace tessaran {

class WorkingSet;

// Page layout of a sheet, inches.
struct SheetLayout {
    double left = 0.6;
    double right = 10.4;
    double centre = 5.5;
    double top = 0.7;
    double a = 1.7;
    double b = 4.7;
    double c = 5.7;
    double d = 6.7;
    double bottom = 8.2;
    double left_text_x = 0.68;
    double right_text_x = 5.58;
    double line_step = 15.3 / 72;
    double long_width = 9.64;
};
// The layout for a page of the given width (11 in landscape).
SheetLayout sheet_layout(double page_width = 11.0);

// Text output of a sheet: labelled values on one line, wrapped long texts.
class SheetWriter {
public:
    explicit SheetWriter(InchPage& page);

    // Puts text at (x, y), or after the previous text when that one kept the line.
    void printstring(const QString& text, double x, double y, bool keep_on_line, bool bold);
    // A long text as lines no wider than width, the first at y, each next step lower.
    void printlongstring(const QString& text, double x, double y, double width, double step);
    // Bold label followed by its value in regular type, ending the line.
    void labelled(const QString& label, const QString& value, double x, double y);

    bool print_continue = false;

private:
    InchPage& page_;
    QFont regular_;
    QFont bold_;
    double cur_x_ = 0;
    double cur_y_ = 0;
};

// One sheet of a record on the current page.
void paint_record_sheet(InchPage& page, const ScopeRecord& rec, const SheetLayout& layout);

// A page of the record's pictures (those of the collection at path), each
// scaled to its place with its file's name under it, or a note where it
// cannot be shown.
void paint_picture_page(InchPage& page, const ScopeRecord& rec, const QString& path);

// The sheets of working-set positions first..last (1-based) of the collection
// at path, in that order; with pictures, a sheet of a kaleidoscope that has
// any is followed by a page of them.
PrintJob record_sheets_job(QWidget* parent, const QString& path, const WorkingSet& ws, int first, int last,
                           bool pictures = false);

// Prints (or, without a printer, saves) the sheets; true when they went out.
bool print_record_sheets(QWidget* parent, const QString& path, const WorkingSet& ws, int first, int last,
                         bool pictures = false);
// Shows the sheets in a print preview.
bool preview_record_sheets(QWidget* parent, const QString& path, const WorkingSet& ws, int first, int last,
                           bool pictures = false);

}  // namespace tessaran
