#include "summary_print.h"

#include "ui/user_dialogs.h"

#include <QHash>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QSet>

#include <cmath>
#include <memory>

namespace tessaran {

namespace {

constexpr int largest_size = 9;
constexpr int smallest_size = 2;

enum class Just { left, centre, right };

// One print run: the page header, cells with page breaks, the table rules.
class SummaryPainter {
public:
    SummaryPainter(InchPage& page, QPrinter& printer, const SummaryPrintData& d, const SummaryLayout& l,
                   PageProgress& progress)
        : page_(page), printer_(printer), d_(d), l_(l), progress_(progress), bottom_limit_(l.bottom)
    { }

    void run()
    {
        print_page_header();
        y_ = heading_bottom_ + l_.line_height;
        pages_ = page_count();
        if (!progress_.page(1, pages_))
            return;
        const int n = static_cast<int>(d_.columns.size());
        for (const QStringList& row : d_.rows) {
            for (int j = 0; j < n && j < row.size(); ++j) {
                const auto [x, just] = cell_anchor(j);
                if (!print_cell(x, row.at(j), just))
                    return;
            }
            y_ += l_.row_pitch;
            fresh_page_ = false;
        }
        bottom_limit_ = y_;
        draw_table_lines();
    }

private:
    // Every page has the same header, so every page holds the same number of
    // rows: the first row at the top, one more per pitch while it fits.
    int page_count() const
    {
        const double text = page_.text_height(summary_font(page_size(), false));
        const double top = heading_bottom_ + l_.line_height;
        const int per_page = std::max(1, int((bottom_limit_ - text - top) / l_.row_pitch) + 1);
        const int rows = int(d_.rows.size());
        return std::max(1, (rows + per_page - 1) / per_page);
    }

    std::pair<double, Just> cell_anchor(int j) const
    {
        const double pad = l_.pad;
        const auto js = static_cast<std::size_t>(j);
        if (d_.kind == SummaryKind::scope) {
            if (j == 11)
                return {l_.x[js] + l_.w[js] - pad, Just::right};
            return {l_.x[js] + pad, Just::left};
        }
        // The two prices stand right-aligned against their columns' right borders.
        if (j == 3 || j == 4)
            return {l_.x[js] + l_.w[js] - pad, Just::right};
        return {l_.x[js] + pad, Just::left};
    }

    void put(const QFont& f, double x, double y, const QString& text, Just just)
    {
        const double tw = page_.text_width(f, text);
        double left = x;
        if (just == Just::centre)
            left = x - tw / 2;
        else if (just == Just::right)
            left = x - tw;
        page_.text(f, left, y, text);
        last_text_bottom_ = y + page_.text_height(f);
    }

    // False when the user cancelled at a page break.
    bool print_cell(double x, const QString& raw, Just just)
    {
        const QString text = raw.trimmed();
        const QFont f = summary_font(page_size(), false);
        // A row that would pass the bottom goes whole to a new page; a fresh page
        // takes it anyway so an oversized header cannot loop forever.
        if (y_ + page_.text_height(f) > bottom_limit_ && !fresh_page_) {
            draw_table_lines();
            ++page_no_;
            if (!progress_.page(page_no_, std::max(pages_, page_no_)))
                return false;
            printer_.newPage();
            print_page_header();
            y_ = heading_bottom_ + l_.line_height;
            fresh_page_ = true;
        }
        put(f, x, y_, text, just);
        return true;
    }

    int page_size() const { return qMax(1, l_.size - 1); }

    void print_page_header()
    {
        const int s = l_.size;
        double y = l_.top;
        put(summary_font(s, true), l_.table_left + l_.table_width / 2, y,
            QStringLiteral("KALEIDOSCOPE SUMMARY ") + d_.stamp, Just::centre);
        // The rest of the page is one point smaller.
        const QFont reg = summary_font(page_size(), false);
        const QFont bold = summary_font(page_size(), true);
        put(reg, l_.table_right, y, QStringLiteral("Page ") + QString::number(page_no_), Just::right);
        put(bold, l_.table_left, y, QStringLiteral("TESSARAN V"), Just::left);
        y += 2 * l_.line_height;
        put(reg, l_.table_left, y, QStringLiteral("Database file: ") + trim_blanks(d_.path), Just::left);
        y += l_.line_height;
        put(reg, l_.table_left, y, QStringLiteral("Number of kaleidoscopes in summary: ") + QString::number(d_.count),
            Just::left);
        y += l_.line_height;
        put(reg, l_.table_left, y, sort_caption_inner(d_.sort_caption), Just::left);
        y += l_.line_height;
        const QString label = QStringLiteral("Selection criteria: ");
        put(reg, l_.table_left, y, label, Just::left);
        const double crit_x = l_.table_left + std::nearbyint(page_.text_width(reg, label) + 0.5);
        for (const QString& line : split_lines(d_.selection_text)) {
            put(reg, crit_x, y, line, Just::left);
            y += l_.line_height;
        }
        table_top_ = last_text_bottom_ + l_.row_pitch;
        const double first = table_top_ + 0.05;
        const double second = first + s / 72.0 + 0.05;
        heading_bottom_ = second + s / 72.0 + 0.05;
        for (std::size_t j = 0; j < d_.columns.size(); ++j) {
            const SummaryColumn& col = d_.columns[j];
            if (!col.print_line2.isEmpty()) {
                put(bold, l_.c[j], first, col.print_line1, Just::centre);
                put(bold, l_.c[j], second, col.print_line2, Just::centre);
            } else {
                const double yy = (table_top_ + heading_bottom_) / 2 - page_.text_height(bold) / 2;
                put(bold, l_.c[j], yy, col.print_line1, Just::centre);
            }
        }
    }

    void draw_table_lines()
    {
        page_.rect(l_.table_left, table_top_, l_.table_right, bottom_limit_, 2);
        page_.line(l_.table_left, table_top_, l_.table_right, table_top_, 2);
        page_.line(l_.table_left, heading_bottom_, l_.table_right, heading_bottom_, 2);
        for (std::size_t j = 1; j < l_.x.size(); ++j)
            page_.line(l_.x[j], table_top_, l_.x[j], bottom_limit_, 2);
    }

    InchPage& page_;
    QPrinter& printer_;
    const SummaryPrintData& d_;
    const SummaryLayout& l_;
    PageProgress& progress_;
    double bottom_limit_;
    int pages_ = 1;
    double y_ = 0;
    double table_top_ = 0;
    double heading_bottom_ = 0;
    double last_text_bottom_ = 0;
    int page_no_ = 1;
    bool fresh_page_ = true;
};

}  // namespace

QFont summary_font(int size, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(size);
    f.setBold(bold);
    return f;
}

std::optional<SummaryLayout> fit_summary(const std::vector<SummaryColumn>& columns,
                                         const std::vector<QStringList>& rows, double page_w, double page_h,
                                         const SummaryMeasure& measure)
{
    const std::size_t n = columns.size();
    // Each distinct text of a column is measured once per size.
    std::vector<QSet<QString>> distinct(n);
    for (const QStringList& row : rows)
        for (std::size_t j = 0; j < n && j < static_cast<std::size_t>(row.size()); ++j)
            distinct[j].insert(row.at(static_cast<qsizetype>(j)).trimmed());

    SummaryLayout l;
    l.page_w = page_w;
    l.page_h = page_h;
    l.right = page_w - 0.4;
    l.bottom = page_h - 0.4;
    const double usable = l.right - l.left;
    for (int size = largest_size; size >= smallest_size; --size) {
        l.size = size;
        l.w.assign(n, 0.0);
        l.x.assign(n, 0.0);
        l.c.assign(n, 0.0);
        for (std::size_t j = 0; j < n; ++j) {
            double w = measure(columns[j].print_measure, size, true);
            for (const QString& t : distinct[j])
                w = qMax(w, measure(t, size, false));
            l.w[j] = w;
        }
        double x = l.left;
        for (std::size_t j = 0; j < n; ++j) {
            l.w[j] += 2 * l.pad;
            l.x[j] = x;
            l.c[j] = x + l.w[j] / 2;
            x += l.w[j];
        }
        const double width = n ? l.x[n - 1] + l.w[n - 1] - l.x[0] : 0.0;
        if (width <= usable) {
            l.table_width = width;
            const double shift = page_w / 2 - width / 2 - l.left;
            for (std::size_t j = 0; j < n; ++j) {
                l.x[j] += shift;
                l.c[j] += shift;
            }
            l.table_left = l.left + shift;
            l.table_right = l.table_left + width;
            l.line_height = size * 1.5 / 72;
            l.row_pitch = size * 2.0 / 72;
            return l;
        }
    }
    return std::nullopt;
}

void paint_summary(InchPage& page, QPrinter& printer, const SummaryPrintData& data, const SummaryLayout& layout,
                   PageProgress& progress)
{
    SummaryPainter(page, printer, data, layout, progress).run();
}

PrintJob summary_print_job(QWidget* parent, const SummaryPrintData& data)
{
    auto layout = std::make_shared<SummaryLayout>();
    PrintJob job;
    job.prepare = [parent, &data, layout](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
        const bool landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
        const double pw = landscape ? 11.0 : 8.5;
        const double ph = landscape ? 8.5 : 11.0;
        const InchPage page(printer);
        const auto fitted
            = fit_summary(data.columns, data.rows, pw, ph, [&page](const QString& t, int size, bool bold) {
                  return page.text_width(summary_font(size, bold), t);
              });
        if (!fitted) {
            msgbox(parent, QStringLiteral("Unable to fit the data to the page"));
            return false;
        }
        *layout = *fitted;
        return true;
    };
    job.paint = [&data, layout](QPainter& painter, QPrinter& printer, PageProgress& progress) {
        InchPage page(painter, printer);
        paint_summary(page, printer, data, *layout, progress);
    };
    return job;
}

}  // namespace tessaran
