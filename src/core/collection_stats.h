// What the collection (or the working set) cost and what it is worth: the
// totals, averages and extremes of the two prices, and counts and totals per
// artist, per scope type and per year of purchase. Money is added exactly, as
// the stored ten-thousandths.
#pragma once

#include "record_file.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tessaran {

struct AmountStats {
    qint64 total = 0;
    bool overflow = false;  // the total does not fit the stored form
    int priced = 0;         // records with a price
    int unpriced = 0;       // records without one (0)
    qint64 lowest = 0;
    qint64 highest = 0;

    void add(qint64 amount);
    // total / priced to whole cents, half away from zero; 0 without prices.
    qint64 average() const;
};

// A total as the user reads it: the locale's currency, or "too large to add up".
QString amount_text(const AmountStats& a, qint64 value);

// "1 kaleidoscope", "2 kaleidoscopes": a count with its noun (given singular).
QString counted(qint64 n, const QString& noun = QStringLiteral("kaleidoscope"));

struct GroupStats {
    QString key;
    int count = 0;
    AmountStats paid;
    AmountStats retail;
};

inline constexpr const char* no_date_key = "no date";
inline constexpr const char* no_artist_key = "no artist";
inline constexpr const char* no_type_key = "no scope type";

struct CollectionStats {
    int count = 0;
    AmountStats paid;
    AmountStats retail;
    std::vector<GroupStats> by_artist;  // by key; the "no ..." group last
    std::vector<GroupStats> by_type;
    std::vector<GroupStats> by_year;

    // Total retail value less total paid; false when it cannot be shown.
    bool difference(qint64& out) const;
};

// Reads positions 1..positions of order (the working set) once. progress gets 0..100.
FileStatus collect_stats(const QString& collection, const std::vector<int>& order, int positions, CollectionStats& out,
                         const std::function<void(int)>& progress = {});

// The facts above a statistics report, as the summary shows them.
struct StatsHead {
    QString database;
    QString sort;
    QString selection;
};

// The report as rows of items, in the order the text and the PDF give them.
QList<QStringList> stats_rows(const CollectionStats& stats, const StatsHead& head);
// The same as comma-separated lines (every item quoted, inner quotes
// doubled, as the summary export writes them), amounts in the currency form.
QStringList stats_csv_lines(const CollectionStats& stats, const StatsHead& head);
// The report as one JSON document; amounts as plain decimal strings ("12.5").
QByteArray stats_json(const CollectionStats& stats, const StatsHead& head);

// A count axis from 0 that names whole numbers only, at every tick: the step
// between ticks (1, 2 or 5 times a power of ten, at most six ticks) and the
// top, the first multiple of the step that reaches most.
struct CountAxis {
    int step = 1;
    int top = 1;
    int ticks() const { return top / step + 1; }
};
CountAxis count_axis_for(int most);

}  // namespace tessaran
