#include "printer_seam.h"

#include "core/file_write.h"
#include "ui/user_dialogs.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <algorithm>

namespace tessaran {

namespace {

PrinterFactory& factory()
{
    static PrinterFactory f;
    return f;
}

PreviewHook& preview_hook()
{
    static PreviewHook h;
    return h;
}

ProgressHook& progress_hook()
{
    static ProgressHook h;
    return h;
}

// The progress window of a printout. It appears only for a printout that
// takes a moment, repaints and takes the Cancel click while pages are drawn.
class DialogProgress : public PageProgress {
public:
    explicit DialogProgress(QWidget* parent) : dialog_(parent)
    {
        dialog_.setObjectName(QStringLiteral("print_progress"));
        dialog_.setWindowTitle(QStringLiteral("Print"));
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(500);
        dialog_.setAutoReset(false);
        dialog_.setAutoClose(false);
    }
    bool page(int number, int pages) override
    {
        if (dialog_.wasCanceled())
            return false;
        dialog_.setMaximum(std::max(1, pages));
        dialog_.setLabelText(QStringLiteral("Printing page %1 of %2").arg(number).arg(pages));
        dialog_.setValue(std::min(number - 1, dialog_.maximum()));
        if (progress_hook())
            progress_hook()(&dialog_, number);
        return !dialog_.wasCanceled();
    }
    bool cancelled() const { return cancelled_ || dialog_.wasCanceled(); }
    // Takes the window away once the pages are drawn, and stops its timer that
    // would show it later: a window-modal progress window over the message
    // that follows would take that message's clicks and keys.
    void finish()
    {
        cancelled_ = dialog_.wasCanceled();
        dialog_.reset();
        dialog_.hide();
    }

private:
    QProgressDialog dialog_;
    bool cancelled_ = false;
};

class NoProgress : public PageProgress {
public:
    bool page(int, int) override { return true; }
};

// Printer line-width units: 1 is a fine rule of 1/150 inch on any device.
constexpr double line_unit_inches = 1.0 / 150.0;

bool offer_pdf(QWidget* parent, const QString& why)
{
    return msgbox(parent, why + QStringLiteral("\n\nDo you want to save the pages as a PDF file instead?"),
                  MsgIcon::question, MsgButtons::ok_cancel, QStringLiteral("Print"))
        == MsgAnswer::ok;
}

// The PDF writer reports no failed write (a full disk, a file size limit): a
// painter ends "successfully" on a cut-off file. A complete PDF ends with its
// "%%EOF" trailer; without it the file is removed and the system's reason,
// learnt by trying to add to the file, is returned. Empty when complete.
QString unfinished_pdf_reason(const QString& path)
{
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return f.errorString();
        const qint64 size = f.size();
        if (size >= 5 && f.seek(qMax<qint64>(0, size - 32)) && f.read(32).contains("%%EOF"))
            return QString();
    }
    QString why;
    QFile probe(path);
    if (probe.open(QIODevice::Append | QIODevice::Unbuffered)) {
        const QByteArray block(64 * 1024, '\0');
        if (probe.write(block) != block.size())
            why = probe.errorString();
        probe.close();
    }
    QFile::remove(path);
    return why.isEmpty() ? QStringLiteral("The file was not written completely.") : why;
}

bool is_pdf_file_output(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

PrintOutcome save_as_pdf(QWidget* parent, const PrintJob& job)
{
    // The job checks what it prints before a file is asked for, so a refused
    // printout never touches one.
    std::unique_ptr<QPrinter> pdf = make_pdf_printer(QString());
    if (job.prepare && !job.prepare(*pdf))
        return PrintOutcome::refused;
    const QString path = user_dialogs().save_file(parent, QStringLiteral("Save as PDF file"), QString(),
                                                  {QStringLiteral("PDF (*.pdf)")});
    if (path.isEmpty())
        return PrintOutcome::cancelled;
    // Written beside the chosen file, which is replaced only by a complete one.
    ScratchFile scratch(path);
    if (FileStatus st = scratch.open(); !st) {
        msgbox(parent, QStringLiteral("The PDF file could not be written: ") + path + QStringLiteral("\n") + st.error,
               MsgIcon::critical);
        return PrintOutcome::failed;
    }
    pdf->setOutputFileName(scratch.path());
    QPainter painter;
    if (!painter.begin(pdf.get())) {
        msgbox(parent, QStringLiteral("The PDF file could not be written: ") + path, MsgIcon::critical);
        return PrintOutcome::failed;
    }
    DialogProgress progress(parent);
    job.paint(painter, *pdf, progress);
    progress.finish();
    if (progress.cancelled()) {
        // The scratch file goes with it; the chosen file was never touched.
        painter.end();
        return PrintOutcome::cancelled;
    }
    if (!painter.end()) {
        msgbox(parent, QStringLiteral("The PDF file could not be finished: ") + path, MsgIcon::critical);
        return PrintOutcome::failed;
    }
    QString why = unfinished_pdf_reason(scratch.path());
    if (why.isEmpty()) {
        if (const FileStatus st = scratch.commit(); !st)
            why = st.error;
    }
    if (!why.isEmpty()) {
        msgbox(parent, QStringLiteral("The PDF file could not be finished: ") + path + QStringLiteral("\n") + why,
               MsgIcon::critical);
        return PrintOutcome::failed;
    }
    msgbox(parent, QStringLiteral("Pages saved to PDF file ") + path, MsgIcon::none, MsgButtons::ok,
           QStringLiteral("Print"));
    return PrintOutcome::saved_pdf;
}

}  // namespace

PrintOutcome save_job_as_pdf(QWidget* parent, const PrintJob& job)
{
    return save_as_pdf(parent, job);
}

void set_printer_factory(PrinterFactory f)
{
    factory() = std::move(f);
}

std::unique_ptr<QPrinter> make_printer()
{
    if (factory())
        return factory()();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

std::unique_ptr<QPrinter> make_pdf_printer(const QString& path)
{
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(path);
    p->setPageSize(QPageSize(QPageSize::Letter));
    p->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Inch);
    return p;
}

InchPage::InchPage(QPainter& painter, const QPrinter& printer) : InchPage(printer)
{
    painter_ = &painter;
}

InchPage::InchPage(const QPrinter& printer) : printer_(&printer)
{
    dpi_x_ = printer.logicalDpiX() > 0 ? printer.logicalDpiX() : 96;
    dpi_y_ = printer.logicalDpiY() > 0 ? printer.logicalDpiY() : 96;
}

double InchPage::text_width(const QFont& font, const QString& text) const
{
    const QFontMetricsF fm(font, printer_);
    return in_x(fm.horizontalAdvance(text));
}

double InchPage::text_height(const QFont& font) const
{
    const QFontMetricsF fm(font, printer_);
    return in_y(fm.height());
}

void InchPage::text(const QFont& font, double x, double y, const QString& s)
{
    if (!painter_ || s.isEmpty())
        return;
    const QFontMetricsF fm(font, printer_);
    painter_->setFont(font);
    painter_->setPen(Qt::black);
    painter_->drawText(QPointF(px_x(x), px_y(y) + fm.ascent()), s);
}

void InchPage::text_elided(const QFont& font, double x, double y, const QString& s, double max_width)
{
    const QFontMetricsF fm(font, printer_);
    text(font, x, y, fm.elidedText(s, Qt::ElideRight, px_x(max_width)));
}

void InchPage::line(double x1, double y1, double x2, double y2, int width)
{
    if (!painter_)
        return;
    painter_->setPen(QPen(Qt::black, px_x(width * line_unit_inches)));
    painter_->drawLine(px(x1, y1), px(x2, y2));
}

void InchPage::rect(double x1, double y1, double x2, double y2, int width)
{
    if (!painter_)
        return;
    painter_->setPen(QPen(Qt::black, px_x(width * line_unit_inches)));
    painter_->setBrush(Qt::NoBrush);
    painter_->drawRect(QRectF(px(x1, y1), px(x2, y2)));
}

PrintOutcome run_print_job(QWidget* parent, const PrintJob& job)
{
    std::unique_ptr<QPrinter> printer = make_printer();
    if (!printer) {
        if (!offer_pdf(parent, QStringLiteral("No default printer is installed, so nothing was printed.")))
            return PrintOutcome::cancelled;
        return save_as_pdf(parent, job);
    }
    if (job.prepare && !job.prepare(*printer))
        return PrintOutcome::refused;
    QPainter painter;
    if (!painter.begin(printer.get())) {
        QString name = printer->printerName();
        if (name.isEmpty())
            name = printer->outputFileName();
        if (!offer_pdf(parent,
                       QStringLiteral("The printer \"") + name
                           + QStringLiteral("\" could not start the document, so nothing was printed.")))
            return PrintOutcome::cancelled;
        return save_as_pdf(parent, job);
    }
    DialogProgress progress(parent);
    job.paint(painter, *printer, progress);
    progress.finish();
    if (progress.cancelled()) {
        printer->abort();
        painter.end();
        // A PDF printer leaves no half file behind.
        if (is_pdf_file_output(*printer))
            QFile::remove(printer->outputFileName());
        return PrintOutcome::cancelled;
    }
    if (!painter.end()) {
        msgbox(parent, QStringLiteral("The printer could not finish the document."), MsgIcon::critical);
        return PrintOutcome::failed;
    }
    if (is_pdf_file_output(*printer)) {
        const QString path = printer->outputFileName();
        if (const QString why = unfinished_pdf_reason(path); !why.isEmpty()) {
            msgbox(parent, QStringLiteral("The PDF file could not be finished: ") + path + QStringLiteral("\n") + why,
                   MsgIcon::critical);
            return PrintOutcome::failed;
        }
    }
    return PrintOutcome::printed;
}

void set_print_progress_hook(ProgressHook hook)
{
    progress_hook() = std::move(hook);
}

void set_preview_hook(PreviewHook hook)
{
    preview_hook() = std::move(hook);
}

void preview_print_job(QWidget* parent, const PrintJob& job)
{
    std::unique_ptr<QPrinter> printer = make_printer();
    if (!printer) {
        // The preview needs no device; a PDF printer lays out the same pages.
        printer = make_pdf_printer(QString());
    }
    if (job.prepare && !job.prepare(*printer))
        return;
    QPrintPreviewDialog dlg(printer.get(), parent);
    dlg.setObjectName(QStringLiteral("print_preview"));
    QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&job](QPrinter* p) {
        QPainter painter;
        if (!painter.begin(p))
            return;
        NoProgress progress;
        job.paint(painter, *p, progress);
        painter.end();
    });
    if (preview_hook()) {
        preview_hook()(&dlg);
        return;
    }
    dlg.exec();
}

}  // namespace tessaran
