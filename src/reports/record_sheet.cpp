#include "record_sheet.h"

#include "core/locale_dates.h"
#include "core/picture_paths.h"
#include "core/record_file.h"
#include "core/summary_rows.h"
#include "core/working_set.h"
#include "pictures/picture_loader.h"
#include "sheet_text.h"
#include "ui/user_dialogs.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <memory>

namespace tessaran {

namespace {

QFont sheet_font(bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(9);
    f.setBold(bold);
    return f;
}

QString date_text(const QString& stored)
{
    const QString t = summary_text(stored);
    if (t.isEmpty())
        return t;
    const std::optional<QDate> d = parse_user_date(t);
    return d && d->isValid() ? short_date_text(*d) : t;
}

}  // namespace

SheetLayout sheet_layout(double page_width)
{
    SheetLayout l;
    l.left = 0.6;
    l.right = page_width - 0.6;
    l.centre = (l.left + l.right) / 2;
    l.top = 0.7;
    l.a = l.top + 1.0;
    l.b = l.a + 3.0;
    l.c = l.b + 1.0;
    l.d = l.c + 1.0;
    l.bottom = l.d + 1.5;
    l.left_text_x = l.left + 0.08;
    l.right_text_x = l.centre + 0.08;
    l.line_step = 15.3 / 72;
    l.long_width = l.right - 0.08 - l.left_text_x;
    return l;
}

SheetWriter::SheetWriter(InchPage& page) : page_(page), regular_(sheet_font(false)), bold_(sheet_font(true))
{ }

void SheetWriter::printstring(const QString& text, double x, double y, bool keep_on_line, bool bold)
{
    if (!print_continue) {
        cur_x_ = x;
        cur_y_ = y;
    }
    const QFont& f = bold ? bold_ : regular_;
    page_.text(f, cur_x_, cur_y_, text);
    if (keep_on_line) {
        cur_x_ += page_.text_width(f, text);
        print_continue = true;
    } else {
        cur_x_ = x;
        cur_y_ += page_.text_height(f);
        print_continue = false;
    }
}

void SheetWriter::printlongstring(const QString& text, double x, double y, double width, double step)
{
    const QStringList lines
        = long_text_lines(text, width, [this](const QString& t) { return page_.text_width(regular_, t); });
    double yy = y;
    for (const QString& line : lines) {
        // A word wider than the line is cut to it.
        page_.text_elided(regular_, x, yy, line, width);
        yy += step;
    }
}

void SheetWriter::labelled(const QString& label, const QString& value, double x, double y)
{
    printstring(label, x, y, true, true);
    printstring(value, x, y, false, false);
}

void paint_record_sheet(InchPage& page, const ScopeRecord& r, const SheetLayout& l)
{
    page.rect(l.left, l.top, l.right, l.bottom, 3);
    page.rect(l.left, l.a, l.right, l.d, 3);
    page.rect(l.left, l.b, l.right, l.c, 3);
    page.line(l.centre, l.a, l.centre, l.b, 3);

    SheetWriter w(page);
    const double step = l.line_step;
    auto v = [](const QString& s) { return summary_text(s); };

    w.printstring(QStringLiteral("TESSARAN V"), l.left, l.top - step, false, true);

    double y = l.top + 0.2;
    const double lx = l.left_text_x;
    w.labelled(QStringLiteral("Scopename: "), v(r.scopename), lx, y);
    w.labelled(QStringLiteral("Artist: "), v(r.artist), lx, y += step);
    w.labelled(QStringLiteral("Studio: "), v(r.studio), lx, y += step);

    w.printstring(QStringLiteral("KALEIDOSCOPE CHARACTERISTICS"), lx, l.a + 0.05, false, true);
    y = l.a + 0.05 + 1.5 * step;
    const std::pair<const char*, const QString*> characteristics[] = {
        {"Scope type: ", &r.scopetype},         {"Scope Year: ", &r.scopeyear}, {"Exterior material: ", &r.extmat},
        {"Exterior color: ", &r.extclr},        {"Cell type: ", &r.celltype},   {"Edition: ", &r.edition},
        {"Primary cell objects: ", &r.objects}, {"Signed: ", &r.signed_},       {"Mirror system: ", &r.mirrors},
        {"Point Symmetry: ", &r.symmetry},
    };
    for (const auto& [label, field] : characteristics) {
        w.labelled(QString::fromLatin1(label), v(*field), lx, y);
        y += step;
    }

    const double rx = l.right_text_x;
    w.printstring(QStringLiteral("PURCHASE INFORMATION"), rx, l.a + 0.05, false, true);
    y = l.a + 0.05 + 1.5 * step;
    w.labelled(QStringLiteral("Date of purchase: "), date_text(r.date_bought), rx, y);
    w.labelled(QStringLiteral("Purchase price: "), format_price(r.price_paid), rx, y += step);
    w.labelled(QStringLiteral("Retail price: "), format_price(r.price_retail), rx, y += step);
    w.labelled(QStringLiteral("Salesperson: "), v(r.salesperson), rx, y += step);
    w.labelled(QStringLiteral("Store/gallery: "), v(r.store), rx, y += step);
    w.labelled(QStringLiteral("Street: "), v(r.street), rx, y += step);
    w.labelled(QStringLiteral("City: "), v(r.city), rx, y += step);
    y += step;
    w.printstring(QStringLiteral("State: "), rx, y, true, true);
    w.printstring(v(r.state), rx, y, true, false);
    w.labelled(QStringLiteral("             Zip code: "), v(r.zip), rx, y);
    w.labelled(QStringLiteral("Country: "), v(r.country), rx, y += step);
    y += step;
    w.printstring(QStringLiteral("Phone: "), rx, y, true, true);
    w.printstring(v(r.phone), rx, y, true, false);
    w.labelled(QStringLiteral("             Fax: "), v(r.fax), rx, y);
    w.labelled(QStringLiteral("Email: "), v(r.email), rx, y += step);
    w.labelled(QStringLiteral("Website: "), v(r.www), rx, y += step);

    w.printstring(QStringLiteral("SPECIAL FEATURES"), lx, l.b + 0.05, false, true);
    w.printlongstring(r.specfeatures, lx, l.b + 0.05 + step, l.long_width, step);
    w.printstring(QStringLiteral("COMMENTS"), lx, l.c + 0.05, false, true);
    w.printlongstring(r.comments, lx, l.c + 0.05 + step, l.long_width, step);

    w.printstring(QStringLiteral("IMAGES"), lx, l.d + 0.05, false, true);
    const int count = r.images_in_use();
    for (int k = 1; k <= count; ++k) {
        const bool left_column = k <= 5;
        const double x = left_column ? lx : rx;
        const double yy = l.d + 0.05 + step * (left_column ? k : k - 5);
        w.printstring(v(r.image_files[static_cast<std::size_t>(k)]), x, yy, false, false);
    }
}

void paint_picture_page(InchPage& page, const ScopeRecord& rec, const QString& path)
{
    const SheetLayout l = sheet_layout(11.0);
    const QFont bold = sheet_font(true);
    const QFont regular = sheet_font(false);
    page.text(bold, l.left_text_x, l.top, QStringLiteral("PICTURES: ") + trim_blanks(rec.scopename));
    // Up to ten pictures, five to a row, each in its own box.
    constexpr int across = 5;
    const double gap = 0.15;
    const double caption = page.text_height(regular) * 1.4;
    const double box_w = (l.right - l.left - gap * (across - 1)) / across;
    const double top = l.top + 0.45;
    const double box_h = (l.bottom - top - gap) / 2 - caption;
    const int count = rec.images_in_use();
    for (int k = 1; k <= count; ++k) {
        const double x = l.left + ((k - 1) % across) * (box_w + gap);
        const double y = top + ((k - 1) / across) * (box_h + caption + gap);
        const QString stored = trim_blanks(rec.image_files[std::size_t(k)]);
        const QString file = picture_file(stored, path);
        const QRectF box(page.px(x, y), page.px(x + box_w, y + box_h));
        const PrintedPicture picture = picture_to_print(file, box.size().toSize());
        if (picture.note.isEmpty()) {
            const QSizeF shown = QSizeF(picture.image.size()).scaled(box.size(), Qt::KeepAspectRatio);
            page.painter()->drawImage(QRectF(box.center() - QPointF(shown.width() / 2, shown.height() / 2), shown),
                                      picture.image);
        } else {
            page.rect(x, y, x + box_w, y + box_h, 1);
            page.text_elided(regular, x + 0.08, y + box_h / 2, picture.note, box_w - 0.16);
        }
        page.text_elided(regular, x, y + box_h + caption * 0.2, picture_file_name(stored), box_w);
    }
}

PrintJob record_sheets_job(QWidget* parent, const QString& path, const WorkingSet& ws, int first, int last,
                           bool pictures)
{
    PrintJob job;
    // The job keeps its own copy of the order, so it never reads a working set
    // that changed or went away.
    auto records = std::make_shared<const std::vector<int>>(ws.records());
    job.prepare = [parent, path, records, first, last](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
        // Every record of the range must be there before a page is started.
        RecordScanner db;
        if (FileStatus st = db.open(path); !st) {
            msgbox(parent,
                   QStringLiteral("The kaleidoscopes could not be read from the database file ") + path
                       + QStringLiteral(":\n") + st.error,
                   MsgIcon::critical);
            return false;
        }
        for (int p = first; p <= last; ++p) {
            const auto idx = static_cast<std::size_t>(p);
            if (p < 1 || idx >= records->size() || (*records)[idx] < 1 || (*records)[idx] > db.count()) {
                msgbox(parent,
                       QStringLiteral("Record %1 could not be read from the database file %2.")
                           .arg(idx < records->size() ? (*records)[idx] : p)
                           .arg(path),
                       MsgIcon::critical);
                return false;
            }
        }
        return true;
    };
    job.paint = [path, records, first, last, pictures](QPainter& painter, QPrinter& printer, PageProgress& progress) {
        InchPage page(painter, printer);
        const SheetLayout layout = sheet_layout(11.0);
        RecordScanner db;
        if (!db.open(path))
            return;
        ScopeRecord rec;
        for (int p = first; p <= last; ++p) {
            if (!progress.page(p - first + 1, last - first + 1))
                return;
            if (p > first)
                printer.newPage();
            if (!db.read((*records)[static_cast<std::size_t>(p)], rec))
                continue;
            paint_record_sheet(page, rec, layout);
            if (pictures && rec.images_in_use() > 0) {
                printer.newPage();
                paint_picture_page(page, rec, path);
            }
        }
    };
    return job;
}

bool print_record_sheets(QWidget* parent, const QString& path, const WorkingSet& ws, int first, int last, bool pictures)
{
    const PrintOutcome o = run_print_job(parent, record_sheets_job(parent, path, ws, first, last, pictures));
    return o == PrintOutcome::printed || o == PrintOutcome::saved_pdf;
}

bool preview_record_sheets(QWidget* parent, const QString& path, const WorkingSet& ws, int first, int last,
                           bool pictures)
{
    preview_print_job(parent, record_sheets_job(parent, path, ws, first, last, pictures));
    return true;
}

}  // namespace tessaran
