// Where every printout gets its printer, and the one helper that turns the
// page's nominal inches into device pixels. The program prints on the default
// printer; tests install a factory that writes PDF files.
#pragma once

#include <QFont>
#include <QPointF>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace tessaran {

using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;

// Installs the factory every printout uses; an empty one goes back to the
// default printer.
void set_printer_factory(PrinterFactory factory);
// The printer for the next printout: the factory's, else the system's default
// printer; nullptr when there is none.
std::unique_ptr<QPrinter> make_printer();
// A printer writing a PDF file (US Letter, no margins).
std::unique_ptr<QPrinter> make_pdf_printer(const QString& path);

// Page coordinates in inches from the top left of the printable area, mapped
// to the device's pixels. All drawing and measuring of a printout goes through it.
class InchPage {
public:
    InchPage(QPainter& painter, const QPrinter& printer);
    // Resolution only, for measuring before a document starts.
    explicit InchPage(const QPrinter& printer);

    double px_x(double inches) const { return inches * dpi_x_; }
    double px_y(double inches) const { return inches * dpi_y_; }
    QPointF px(double x, double y) const { return {px_x(x), px_y(y)}; }
    double in_x(double px) const { return px / dpi_x_; }
    double in_y(double px) const { return px / dpi_y_; }

    // Printed width and height of a text in the given font, in inches.
    double text_width(const QFont& font, const QString& text) const;
    double text_height(const QFont& font) const;

    // Text with its top left corner at (x, y) inches.
    void text(const QFont& font, double x, double y, const QString& text);
    // Text with its top left at (x, y), cut with "..." to max_width inches.
    void text_elided(const QFont& font, double x, double y, const QString& text, double max_width);
    // Lines and rectangles; width in printer line-width units (1 = 1/150 inch).
    void line(double x1, double y1, double x2, double y2, int width);
    void rect(double x1, double y1, double x2, double y2, int width);

    QPainter* painter() const { return painter_; }

private:
    QPainter* painter_ = nullptr;
    const QPrinter* printer_ = nullptr;
    double dpi_x_ = 96;
    double dpi_y_ = 96;
};

// Told before each page of a printout is drawn. False means the user cancelled:
// the job draws nothing more.
class PageProgress {
public:
    virtual ~PageProgress() = default;
    virtual bool page(int number, int pages) = 0;
};

// A printout: prepare sets up the printer (orientation) and may refuse (after
// telling the user); paint draws every page on a started document, asking
// progress before each one.
struct PrintJob {
    std::function<bool(QPrinter&)> prepare;
    std::function<void(QPainter&, QPrinter&, PageProgress&)> paint;
};

enum class PrintOutcome { printed, saved_pdf, cancelled, refused, failed };

// Prints the job on the printer from make_printer(). Without a printer, or when
// the printer cannot start the document, the user is told and may save the same
// pages as a PDF file instead. Only a real result is reported as done. A
// progress window ("Printing page N of M", Cancel) is shown while it prints;
// Cancel aborts the job: the printer gets nothing more and no PDF remains.
PrintOutcome run_print_job(QWidget* parent, const PrintJob& job);

// Asks for a PDF file and writes the job's pages to it (the file is replaced
// only by a complete one); the user is told the outcome.
PrintOutcome save_job_as_pdf(QWidget* parent, const PrintJob& job);

// Shows the job's pages in a print preview before anything is printed.
void preview_print_job(QWidget* parent, const PrintJob& job);

// Set by tests: called with the progress window after it shows each page.
using ProgressHook = std::function<void(QWidget* progress_window, int page)>;
void set_print_progress_hook(ProgressHook hook);

// Set by tests: called with the preview dialog instead of running it modally.
using PreviewHook = std::function<void(QWidget* preview_dialog)>;
void set_preview_hook(PreviewHook hook);

}  // namespace tessaran
