#include "sheet_range.h"

#include <QLocale>
#include <QtGlobal>

#include <cmath>

namespace tessaran {

double record_entry_value(const QString& text, bool* ok)
{
    const QString t = text.trimmed();
    bool good = false;
    double v = 0;
    if (!t.isEmpty()) {
        v = QLocale().toDouble(t, &good);
        if (!good)
            v = QLocale::c().toDouble(t, &good);
    }
    if (good && !std::isfinite(v))
        good = false;
    if (ok)
        *ok = good;
    return good ? v : 0.0;
}

SheetRange sheet_range_from_entries(const QString& first_text, const QString& last_text, int count)
{
    SheetRange range;
    bool ok_beg = false;
    bool ok_end = false;
    const double beg = record_entry_value(first_text, &ok_beg);
    const double end = record_entry_value(last_text, &ok_end);
    if (!ok_beg || !ok_end) {
        range.refusal = QStringLiteral("Invalid record number entry. Please try again.");
        return range;
    }
    if (beg < 1 || beg > count || end < 1 || end > count) {
        range.refusal = QStringLiteral("Record number must lie between 1 and ") + QString::number(count)
            + QStringLiteral(". Please try again.");
        return range;
    }
    if (end < beg) {
        range.refusal
            = QStringLiteral("Beginning record number is greater than ending record number. Please try again.");
        return range;
    }
    // Whole positions, halves to even (the default rounding mode).
    range.first = qBound(1, static_cast<int>(std::nearbyint(beg)), count);
    range.last = qBound(range.first, static_cast<int>(std::nearbyint(end)), count);
    return range;
}

}  // namespace tessaran
