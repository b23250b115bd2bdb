#include "summary_rows.h"

#include "field_text.h"
#include "locale_dates.h"
#include "money.h"

#include <QLocale>
#include <QtEndian>

#include <limits>

namespace tessaran {

namespace {

SummaryColumn col(const QString& g1, const QString& g2, const QString& title, const QString& seed, const QString& p1,
                  const QString& p2, const QString& measure)
{
    return SummaryColumn{g1, g2, title, seed, p1, p2, measure};
}

}  // namespace

int summary_column_count(SummaryKind kind)
{
    return kind == SummaryKind::scope ? 12 : 6;
}

bool summary_price_column(SummaryKind kind, int col0)
{
    return kind != SummaryKind::scope && (col0 == 3 || col0 == 4);
}

std::vector<SummaryColumn> summary_columns(SummaryKind kind, const QString& currency)
{
    if (kind == SummaryKind::scope) {
        return {
            col("Scope", "Name", "Scope name", "Scope", "Scope name", "", "Scope name"),
            col("Artist", "", "Artist", "Artist", "Artist", "", "Artist"),
            col("Scope", "Type", "Scope type", "Scope", "Scope", "Type", "Scope"),
            col("Scope", "Year", "Year", "Scope", "Scope", "Year", "Scope"),
            col("Exterior", "Material", "Exterior Material", "Exterior", "Exterior", "Material", "Material"),
            col("Exterior", "Color", "Exterior Color", "Exterior", "Exterior", "Color", "Exterior"),
            col("Cell type", "", "Cell type", "Type", "Cell", "Type", "Type"),
            col("Edition", "", "Edition", "Edition", "Edition", "", "Edition"),
            col("Cell", "Objects", "Objects", "Objects", "Cell", "Objects", "Objects"),
            col("Signed", "", "Signed", "Signed", "Signed", "", "Signed"),
            col("Mirror", "System", "Mirror system", "System", "Mirror", "System", "System"),
            col("Point", "Symmetry", "Point Symmetry", "Symmetry", "Point", "Symmetry", "Symmetry"),
        };
    }
    const QString c = trim_blanks(currency);
    const QString paid = with_unit(QStringLiteral("Purchase Price"), c);
    const QString retail = with_unit(QStringLiteral("Retail Price"), c);
    // The printed purchase headings are the one-line titles, measured as they stand.
    return {
        col("Scope", "Name", "Scope name", "Scope", "Scope name", "", "Scope name"),
        col("Artist", "", "Artist", "Artist", "Artist", "", "Artist"),
        col("Date", "Purchased", "Date purchased", "Purchased", "Date purchased", "", "Date purchased"),
        col("Purchase", with_unit(QStringLiteral("Price"), c), paid, "Price", paid, "", paid),
        col("Retail", with_unit(QStringLiteral("Price"), c), retail, "Price", retail, "", retail),
        col("Store/Gallery", "", "Store/Gallery", "Store/Gallery", "Store/Gallery", "", "Store/Gallery"),
    };
}

QString summary_text(const QString& stored)
{
    return shown_text(stored);
}

namespace {

// True when, in the current locale, every amount reads back from its plain text
// unchanged. The plain text is a sign, the integer digits and at most four
// decimals, and the reader takes it digit by digit, so amounts of both signs
// with every digit and every count of decimals, and the extremes, stand for
// all. Worked out once per locale.
bool plain_text_reads_back()
{
    thread_local QLocale checked;
    thread_local bool known = false;
    thread_local bool exact = false;
    const QLocale now;
    if (known && now == checked)
        return exact;
    exact = true;
    const qint64 digits = 1234567890;
    for (const qint64 frac : {0, 5000, 1200, 9870, 6543, 1, 10})
        for (const qint64 sign : {1, -1}) {
            const qint64 amount = sign * (digits * money_scale + frac);
            exact = exact && money_from_text(money_plain_text(amount).trimmed()) == amount;
        }
    for (const qint64 amount : {qint64(1), qint64(-1), std::numeric_limits<qint64>::max(),
                                std::numeric_limits<qint64>::min(), qint64(99990000)})
        exact = exact && money_from_text(money_plain_text(amount).trimmed()) == amount;
    checked = now;
    known = true;
    return exact;
}

}  // namespace

QString format_price(qint64 amount)
{
    // The stored amount goes through its plain text and back, as the editor's
    // fields do, so the grid shows exactly what the editor would. Where that
    // round trip is known to change nothing, it is skipped: a summary formats
    // tens of thousands of prices.
    if (plain_text_reads_back())
        return money_text(amount).trimmed();
    const qint64 back = money_from_text(money_plain_text(amount).trimmed());
    if (back == invalid_money)
        return money_text(amount).trimmed();
    return money_text(back).trimmed();
}

QStringList summary_cells(const ScopeRecord& r, SummaryKind kind)
{
    if (kind == SummaryKind::scope) {
        return {summary_text(r.scopename), summary_text(r.artist),  summary_text(r.scopetype),
                summary_text(r.scopeyear), summary_text(r.extmat),  summary_text(r.extclr),
                summary_text(r.celltype),  summary_text(r.edition), summary_text(r.objects),
                summary_text(r.signed_),   summary_text(r.mirrors), summary_text(r.symmetry)};
    }
    return {summary_text(r.scopename),  summary_text(r.artist),       summary_text(r.date_bought),
            format_price(r.price_paid), format_price(r.price_retail), summary_text(r.store)};
}

// The cells straight from the stored bytes, as summary_text would give them.
QStringList summary_cells_raw(const char* raw, SummaryKind kind)
{
    if (kind == SummaryKind::scope) {
        return {trimmed_member_text(raw, m_scopename), trimmed_member_text(raw, m_artist),
                trimmed_member_text(raw, m_scopetype), trimmed_member_text(raw, m_scopeyear),
                trimmed_member_text(raw, m_extmat),    trimmed_member_text(raw, m_extclr),
                trimmed_member_text(raw, m_celltype),  trimmed_member_text(raw, m_edition),
                trimmed_member_text(raw, m_objects),   trimmed_member_text(raw, m_signed),
                trimmed_member_text(raw, m_mirrors),   trimmed_member_text(raw, m_symmetry)};
    }
    return {trimmed_member_text(raw, m_scopename),
            trimmed_member_text(raw, m_artist),
            trimmed_member_text(raw, m_date_bought),
            format_price(qFromLittleEndian<qint64>(raw + offset_price_paid)),
            format_price(qFromLittleEndian<qint64>(raw + offset_price_retail)),
            trimmed_member_text(raw, m_store)};
}

FileStatus read_summary_rows(const QString& collection, const std::vector<int>& order, int positions, SummaryKind kind,
                             std::vector<QStringList>& rows, const std::function<void(int p)>& progress)
{
    rows.clear();
    RecordScanner db;
    if (FileStatus st = db.open(collection); !st)
        return st;
    rows.reserve(static_cast<std::size_t>(qMax(0, positions)));
    for (int p = 1; p <= positions; ++p) {
        const std::size_t idx = static_cast<std::size_t>(p);
        const int n = idx < order.size() ? order[idx] : 0;
        // Only the members the summary shows are made into text.
        const char* raw = db.raw(n);
        if (!raw) {
            rows.clear();
            return FileStatus::failure(
                QStringLiteral("Record %1 could not be read from the database file %2.").arg(n).arg(collection));
        }
        rows.push_back(summary_cells_raw(raw, kind));
        if (progress)
            progress(p);
    }
    return FileStatus{};
}

QStringList split_lines(const QString& text)
{
    const QString t = trim_blanks(text);
    QStringList lines{QString()};
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar ch = t.at(i);
        if (ch == QLatin1Char('\r')) {
            lines.append(QString());
            if (i + 1 < t.size() && t.at(i + 1) == QLatin1Char('\n'))
                ++i;  // CR LF is one break; a lone CR keeps the character after it
        } else if (ch == QLatin1Char('\n')) {
            lines.append(QString());
        } else {
            lines.last().append(ch);
        }
    }
    return lines;
}

QString sort_caption_inner(const QString& caption)
{
    const QString t = trim_blanks(caption);
    if (t.size() < 2)
        return QString();
    return t.mid(1, t.size() - 2);
}

QString general_date_text(const QDateTime& when)
{
    const QLocale loc;
    QString time_fmt = loc.timeFormat(QLocale::LongFormat);
    time_fmt.remove(QLatin1Char('t'));  // no time zone in the stamp
    time_fmt = time_fmt.trimmed();
    return loc.toString(when.date(), short_date_pattern()) + QLatin1Char(' ') + loc.toString(when.time(), time_fmt);
}

}  // namespace tessaran
