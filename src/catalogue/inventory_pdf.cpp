#include "inventory_pdf.h"

#include "core/file_write.h"
#include "core/money.h"
#include "pictures/picture_loader.h"
#include "pictures/thumbnail_cache.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace tessaran {

namespace {

constexpr int dpi = 300;

constexpr int px(double points)
{
    return int(points * dpi / 72.0 + 0.5);
}

// The columns' left edges and widths, in device pixels.
struct Columns {
    int picture = 0, name = 0, artist = 0, year = 0, bought = 0, paid = 0, retail = 0, end = 0;
};

QString value_words(InventoryValue value)
{
    return value == InventoryValue::paid ? QStringLiteral("purchase prices") : QStringLiteral("retail prices");
}

// A small copy of the picture for its box, from the thumbnail cache where it
// is there; null with the note to print instead.
QImage picture_for(const QString& path, int box, QString& note)
{
    if (path.isEmpty()) {
        note = QStringLiteral("No picture");
        return QImage();
    }
    QImage image = cached_thumbnail(path);
    if (image.isNull()) {
        PrintedPicture printed = picture_to_print(path, QSize(cached_thumbnail_side, cached_thumbnail_side));
        note = printed.note;
        if (printed.image.isNull())
            return QImage();
        image = std::move(printed.image);
    }
    return image.scaled(box, box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

class InventoryPainter {
public:
    InventoryPainter(QPainter& p, const QRect& area, const std::vector<InventoryLine>& lines,
                     const InventoryOptions& options)
        : p_(p), area_(area), lines_(lines), options_(options)
    {
        body_.setPointSizeF(9);
        bold_ = body_;
        bold_.setBold(true);
        title_ = bold_;
        title_.setPointSizeF(13);
        note_ = body_;
        note_.setPointSizeF(7);
        note_.setItalic(true);
        p_.setFont(body_);
        line_ = QFontMetrics(body_, p_.device()).height();
        const int fixed = header_height() + 2 * line_ + 3 * (line_ + px(4)) + px(8);
        per_page_ = qMax(1, (area_.height() - fixed) / row_height);
        columns_ = layout_columns();
    }

    int pages() const { return qMax(1, int((lines_.size() + std::size_t(per_page_) - 1) / std::size_t(per_page_))); }
    std::size_t first_of(int page) const { return std::size_t(page) * std::size_t(per_page_); }

    // Draws page (0-based); true while the caller goes on.
    void page(int page, InventoryResult& result, const InventoryProgress& progress, bool& go_on)
    {
        int y = header(page);
        const std::size_t first = first_of(page);
        const std::size_t last = qMin(lines_.size(), first + std::size_t(per_page_));
        for (std::size_t i = first; i < last && go_on; ++i) {
            row(lines_[i], y, result);
            y += row_height;
            if (progress && (i + 1) % 64 == 0)
                go_on = progress(int(i + 1), int(lines_.size()));
        }
        totals(y, page);
    }

private:
    static constexpr int row_height = px(42);
    static constexpr int picture_box = px(36);

    int header_height() const { return QFontMetrics(title_, p_.device()).height() + line_ + px(10); }

    Columns layout_columns() const
    {
        const QFontMetrics fm(body_, p_.device());
        const QFontMetrics fb(bold_, p_.device());
        const InventoryTotals all = inventory_totals(lines_, 0, lines_.size());
        // Amounts are never cut: their columns are as wide as the widest.
        int amount = qMax(fb.horizontalAdvance(QStringLiteral("Purchase price")),
                          fb.horizontalAdvance(QStringLiteral("Retail price")));
        int bought = fb.horizontalAdvance(QStringLiteral("Purchased"));
        for (const InventoryLine& l : lines_) {
            amount = qMax(amount, fm.horizontalAdvance(money_text(l.paid)));
            amount = qMax(amount, fm.horizontalAdvance(money_text(l.retail)));
            bought = qMax(bought, fm.horizontalAdvance(l.bought));
        }
        for (const AmountStats* a : {&all.paid, &all.retail})
            amount = qMax(amount, fb.horizontalAdvance(amount_text(*a, a->total)));
        Columns c;
        // A little over the widest, so that rounding never cuts a heading.
        const int gap = px(8) + px(2);
        c.picture = 0;
        c.end = area_.width();
        c.retail = c.end - amount;
        c.paid = c.retail - gap - amount;
        c.bought = c.paid - gap - bought;
        c.year = c.bought - gap
            - qMax(fb.horizontalAdvance(QStringLiteral("Year")), fm.horizontalAdvance(QStringLiteral("8888")));
        const int text_left = qMax(picture_box, fb.horizontalAdvance(QStringLiteral("Picture"))) + gap;
        const int texts = qMax(px(60), c.year - gap - text_left);
        c.name = text_left;
        c.artist = text_left + texts * 11 / 20;
        return c;
    }

    void text(const QRect& box, const QString& s, int flags, const QFont& font)
    {
        p_.setFont(font);
        const QString shown
            = QFontMetrics(font, p_.device()).elidedText(s, Qt::ElideRight, box.width(), Qt::TextSingleLine);
        p_.drawText(box, flags | Qt::TextSingleLine, shown);
    }

    int header(int page)
    {
        const int title_h = QFontMetrics(title_, p_.device()).height();
        const QRect top(0, 0, area_.width(), title_h);
        text(top, QStringLiteral("Inventory of ") + options_.collection, Qt::AlignLeft | Qt::AlignVCenter, title_);
        text(top, QLocale().toString(options_.date, QLocale::LongFormat), Qt::AlignRight | Qt::AlignVCenter, body_);
        const QRect second(0, title_h, area_.width(), line_);
        text(second,
             QStringLiteral("%1 kaleidoscopes; values at %2").arg(lines_.size()).arg(value_words(options_.value)),
             Qt::AlignLeft | Qt::AlignVCenter, body_);
        text(second, QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages()), Qt::AlignRight | Qt::AlignVCenter,
             body_);
        int y = header_height();
        const auto heading = [&](int left, int right, const char* s, int align) {
            text(QRect(left, y, right - left, line_), QString::fromLatin1(s), align | Qt::AlignVCenter, bold_);
        };
        const Columns& c = columns_;
        const int gap = px(8);
        heading(c.picture, c.name - gap, "Picture", Qt::AlignLeft);
        heading(c.name, c.artist - gap, "Scope name", Qt::AlignLeft);
        heading(c.artist, c.year - gap, "Artist", Qt::AlignLeft);
        heading(c.year, c.bought - gap, "Year", Qt::AlignLeft);
        heading(c.bought, c.paid - gap, "Purchased", Qt::AlignLeft);
        heading(c.paid, c.retail - gap, "Purchase price", Qt::AlignRight);
        heading(c.retail, c.end, "Retail price", Qt::AlignRight);
        y += line_ + px(2);
        p_.drawLine(0, y, area_.width(), y);
        return y + px(4);
    }

    void row(const InventoryLine& l, int y, InventoryResult& result)
    {
        const Columns& c = columns_;
        const int gap = px(8);
        QString note;
        const QImage picture = picture_for(l.picture, picture_box, note);
        const QRect box(c.picture, y + (row_height - picture_box) / 2, picture_box, picture_box);
        if (!picture.isNull()) {
            p_.drawImage(QRect(box.center() - QPoint(picture.width() / 2, picture.height() / 2), picture.size()),
                         picture);
        } else {
            (l.picture.isEmpty() ? result.without_picture : result.unreadable)++;
            p_.setPen(QColor(90, 90, 90));
            p_.setFont(note_);
            p_.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, note);
            p_.setPen(Qt::black);
        }
        const auto cell = [&](int left, int right, const QString& s, int align) {
            text(QRect(left, y, right - left, row_height), s, align | Qt::AlignVCenter, body_);
        };
        cell(c.name, c.artist - gap, l.name, Qt::AlignLeft);
        cell(c.artist, c.year - gap, l.artist, Qt::AlignLeft);
        cell(c.year, c.bought - gap, l.year, Qt::AlignLeft);
        cell(c.bought, c.paid - gap, l.bought, Qt::AlignLeft);
        cell(c.paid, c.retail - gap, money_text(l.paid), Qt::AlignRight);
        cell(c.retail, c.end, money_text(l.retail), Qt::AlignRight);
    }

    void totals(int y, int page)
    {
        const Columns& c = columns_;
        const int gap = px(8);
        p_.drawLine(0, y + px(2), area_.width(), y + px(2));
        y += px(4);
        const auto total_row = [&](const QString& what, const InventoryTotals& t) {
            text(QRect(c.name, y, c.paid - gap - c.name, line_), what, Qt::AlignLeft | Qt::AlignVCenter, bold_);
            text(QRect(c.paid, y, c.retail - gap - c.paid, line_), amount_text(t.paid, t.paid.total),
                 Qt::AlignRight | Qt::AlignVCenter, bold_);
            text(QRect(c.retail, y, c.end - c.retail, line_), amount_text(t.retail, t.retail.total),
                 Qt::AlignRight | Qt::AlignVCenter, bold_);
            y += line_ + px(4);
        };
        const InventoryTotals here = inventory_totals(lines_, first_of(page), std::size_t(per_page_));
        total_row(QStringLiteral("Page total (%1 kaleidoscopes)").arg(here.count), here);
        if (page + 1 < pages())
            return;
        const InventoryTotals all = inventory_totals(lines_, 0, lines_.size());
        total_row(QStringLiteral("Grand total (%1 kaleidoscopes)").arg(all.count), all);
        const AmountStats& value = all.value(options_.value);
        text(QRect(c.name, y, c.end - c.name, line_),
             QStringLiteral("Value of the collection at %1: %2")
                 .arg(value_words(options_.value), amount_text(value, value.total)),
             Qt::AlignLeft | Qt::AlignVCenter, bold_);
    }

    QPainter& p_;
    const QRect area_;
    const std::vector<InventoryLine>& lines_;
    const InventoryOptions& options_;
    QFont body_, bold_, title_, note_;
    int line_ = 0;
    int per_page_ = 1;
    Columns columns_;
};

// Hands what the PDF writer writes to the checked write, piece by piece,
// and keeps the first failure.
class PieceDevice : public QIODevice {
public:
    explicit PieceDevice(const ContentPut& put) : put_(put) { open(QIODevice::WriteOnly); }
    bool failed() const { return !status_; }
    const FileStatus& status() const { return status_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (!status_)
            return -1;
        status_ = put_(QByteArray(data, size));
        return status_ ? size : -1;
    }

private:
    const ContentPut& put_;
    FileStatus status_;
};

QPageSize page_size_of_locale()
{
    // Letter where the locale measures in inches, A4 elsewhere.
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                      : QPageSize(QPageSize::A4);
}

}  // namespace

InventoryResult write_inventory_pdf(const QString& out, const std::vector<InventoryLine>& lines,
                                    const InventoryOptions& options, const InventoryProgress& progress)
{
    InventoryResult result;
    bool go_on = true;
    // Written through the program's checked path: a scratch file beside the
    // target, every byte checked, renamed into place only when whole.
    const FileStatus st = replace_file_with(
        out,
        [&](const ContentPut& put) {
            PieceDevice device(put);
            QPdfWriter writer(&device);
            writer.setResolution(dpi);
            writer.setPageSize(page_size_of_locale());
            writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
            writer.setTitle(QStringLiteral("Inventory of ") + options.collection);
            writer.setCreator(QStringLiteral("TESSARAN V"));
            QPainter painter;
            if (!painter.begin(&writer))
                return device.failed() ? device.status()
                                       : FileStatus::failure(QStringLiteral("The PDF could not be started."));
            InventoryPainter inventory(painter, QRect(QPoint(), writer.pageLayout().paintRectPixels(dpi).size()), lines,
                                       options);
            result.pages = inventory.pages();
            for (int page = 0; page < inventory.pages() && go_on && !device.failed(); ++page) {
                if (page > 0)
                    writer.newPage();
                inventory.page(page, result, progress, go_on);
            }
            painter.end();
            if (!go_on)
                return FileStatus::failure(QStringLiteral("cancelled"));
            return device.status();
        },
        false);
    if (!go_on) {
        result.cancelled = true;
    } else if (!st) {
        result.status = FileStatus::failure(QStringLiteral("The inventory cannot be written to %1:\n%2")
                                                .arg(QFileInfo(out).absoluteFilePath(), st.error));
    }
    return result;
}

}  // namespace tessaran
