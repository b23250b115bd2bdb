// The working set: the ordered record numbers the editor walks, with the
// selection, sort and find state that produced them, and the caption parts.
#pragma once

#include "criteria.h"

#include <QString>

#include <vector>

namespace tessaran {

struct WorkingSet {
    // records()[p] is the record number at position p = 1..count() (slot 0
    // unused; one more slot while a new record is being added). The numbers,
    // the count and the position change only through the operations below,
    // which keep them agreeing: count() + 1 <= records().size(), and the
    // position 0 (none yet), a position of the set, or the record being added.
    const std::vector<int>& records() const { return records_; }
    int count() const { return count_; }
    int position() const { return position_; }

    // Selection in force: how many records matched, whether it is everything,
    // its criteria and their text ("All" or the criteria window's text).
    int matched = 0;
    bool all = true;
    Criteria selection;
    QString selection_text = QStringLiteral("All");

    int sort_field = 0;
    bool sort_descending = false;
    QString sort_caption = QStringLiteral("[Sorted by: Unsorted]");

    // Find criteria, their text, and whether the last find matched.
    Criteria find;
    QString find_text;
    bool found = false;

    // The selection criteria in force from now on (the records are chosen by the caller).
    void select(const Criteria& c);
    // Every record from now on; the criteria text stays until the set is rebuilt.
    void select_everything();
    // The find criteria from now on.
    void set_find(const Criteria& c);

    // records[p] = p for p = 1..record_count, everything selected, "All".
    void reset_to_all(int record_count);
    // Empty, "All", "[Sorted by: Unsorted]".
    void clear();
    // A new record saved at the current position joins the end.
    void append_current();
    // Reserves records[n] = n for a record being added and moves to n (count unchanged).
    void reserve_new(int n);
    // The record number at position p, 0 outside the set.
    int record_at(int p) const;
    // Positions 1..count as record numbers.
    std::vector<int> positions() const;
    // The set becomes numbers (a selection's matches, in file order).
    void set_matches(const std::vector<int>& numbers);
    // Moves to position p of the set (or the record being added); false, and
    // nothing moves, when p is neither.
    bool move_to(int p);

private:
    // The sort reorders the numbers in place.
    friend bool sort_working_set(const QString& path, WorkingSet& ws, int field, bool descending, QString* error);

    std::vector<int> records_ = std::vector<int>(1, 0);
    int count_ = 0;
    int position_ = 0;
};

// The parts of the editor caption: "Database file: PATH", "[Record P of N]"
// and "[Adding record N]".
QString database_caption(const QString& collection);
QString position_caption(int pos, int count);
QString adding_caption(int number);

// "[Selected: All]" or "[Selected:Date, Price Paid, Retail Price,Text]" etc.
QString selection_caption(bool all, const Criteria& c);

}  // namespace tessaran
