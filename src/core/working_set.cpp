#include "working_set.h"

#include "globalvars.h"
#include "scope_record.h"

namespace tessaran {

namespace {

// The array always has a slot 0 and room for position n.
void ensure_slot(int n)
{
    std::vector<qint16>& v = gv().ws_recno;
    if (int(v.size()) < n + 1)
        v.resize(size_t(n) + 1, 0);
}

}  // namespace

void ws_reset_all()
{
    Globalvars& g = gv();
    const int n = qMax<int>(0, g.rec_count);
    g.ws_recno.assign(size_t(n) + 1, 0);
    for (int p = 1; p <= n; ++p)
        g.ws_recno[size_t(p)] = qint16(p);
    g.ws_count = qint16(n);
    g.sel_matched = qint16(n);
    g.sel_all = true;
    g.sel_criteria = QStringLiteral("All");
}

void ws_clear()
{
    Globalvars& g = gv();
    g.ws_recno.assign(1, 0);
    g.ws_count = 0;
    g.sel_matched = 0;
    g.sel_all = true;
    g.sel_criteria = QStringLiteral("All");
    g.sort_caption = QStringLiteral("[Sorted by: Unsorted]");
}

void ws_append()
{
    Globalvars& g = gv();
    const int p = g.ws_pos;
    if (p < 1)
        return;
    ensure_slot(p);
    g.ws_recno[size_t(p)] = qint16(p);
    g.ws_count = qint16(p);
    g.sel_matched = qint16(p);
}

void ws_reserve_new(int n)
{
    if (n < 1 || n > max_record_count)
        return;
    ensure_slot(n);
    gv().ws_recno[size_t(n)] = qint16(n);
    gv().ws_pos = qint16(n);
}

QString selection_caption(bool all, const Criteria& c)
{
    if (all)
        return QStringLiteral("[Selected: All]");
    QString s = QStringLiteral("[Selected: ");
    if (c.by_date)
        s = trim_blanks(s) + QStringLiteral("Date");
    if (c.by_paid) {
        s = trim_blanks(s);
        s += s.contains(QLatin1String("Date")) ? QStringLiteral(", Price Paid") : QStringLiteral("Price Paid");
    }
    if (c.by_retail) {
        s = trim_blanks(s);
        const bool first = !s.contains(QLatin1String("Price Paid")) && !s.contains(QLatin1String("Date"));
        s += first ? QStringLiteral("Retail Price") : QStringLiteral(", Retail Price");
    }
    if (c.by_text) {
        s = trim_blanks(s);
        const bool first = !s.contains(QLatin1String("Price")) && !s.contains(QLatin1String("Date"));
        s += first ? QStringLiteral("Text") : QStringLiteral(",Text");
    }
    return trim_blanks(s) + QStringLiteral("]");
}

QString database_caption(const QString& db_path)
{
    return QStringLiteral("Database file: ") + trim_blanks(db_path);
}

QString position_caption(int pos, int count)
{
    return QStringLiteral("[Record %1 of %2]").arg(pos).arg(count);
}

QString adding_caption(int number)
{
    return QStringLiteral("[Adding record %1]").arg(number);
}

QString caption_make()
{
    const Globalvars& g = gv();
    const QString sep = QStringLiteral("  ");
    return trim_blanks(g.db_text) + sep + trim_blanks(g.rec_text) + sep + trim_blanks(g.sort_caption) + sep +
           trim_blanks(selection_caption(g.sel_all, g.sel));
}

}  // namespace tessaran
