// The working set: the ordered record numbers the editor walks, with the
// selection, sort and find state that produced them, and the caption parts.
#pragma once

#include "criteria.h"
#include "sorting.h"

#include <QString>

#include <vector>

namespace tessaran {

class WorkingSet {
public:
    // records()[p] is the record number at position p = 1..count() (slot 0
    // unused; one more slot while a new record is being added). The numbers,
    // the count and the position change only through the operations below,
    // which keep them agreeing: count() + 1 <= records().size(), and the
    // position 0 (none yet), a position of the set, or the record being added.
    const std::vector<int>& records() const { return records_; }
    int count() const { return count_; }
    int position() const { return position_; }

    // The selection in force: whether it is everything, its criteria, their
    // text ("All" or the criteria window's text) and how many records matched.
    struct Selection {
        bool all = true;
        Criteria criteria;
        QString text = QStringLiteral("All");
        int matched = 0;
    };
    // The sort remembered for the set (field 0: none) and the caption of the
    // order the set stands in.
    struct Sort {
        SortField field = SortField::none;
        bool descending = false;
        QString caption = QStringLiteral("[Sorted by: Unsorted]");
    };
    const Selection& selection() const { return selection_; }
    int matched() const { return selection_.matched; }
    bool all() const { return selection_.all; }
    const QString& selection_text() const { return selection_.text; }
    const Sort& sort() const { return sort_; }
    SortField sort_field() const { return sort_.field; }
    const QString& sort_caption() const { return sort_.caption; }
    // The find criteria, their text (empty before the first Find), and
    // whether the last find matched.
    const Criteria& find_criteria() const { return find_; }
    const QString& find_text() const { return find_text_; }
    bool found() const { return found_; }

    // The selection criteria in force from now on (the records are chosen by the caller).
    void select(const Criteria& c);
    // Every record from now on; the criteria text stays until the set is rebuilt.
    void select_everything();
    // A selection as it was before (when a new one matched nothing or failed).
    void restore_selection(const Selection& s) { selection_ = s; }
    // The last selection matched nothing; the set itself stays.
    void note_no_match() { selection_.matched = 0; }
    // The find criteria from now on.
    void set_find(const Criteria& c);
    void set_found(bool found) { found_ = found; }
    // No find made yet.
    void forget_find();
    // The sort the user chose (or none) is remembered, whether it succeeds or not.
    void choose_sort(SortField field) { sort_.field = field; }
    // A sort as it was before.
    void restore_sort(const Sort& s) { sort_ = s; }
    // The set stands in file order (the remembered sort stays).
    void mark_unsorted() { sort_.caption = QStringLiteral("[Sorted by: Unsorted]"); }

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
    // The position that holds record n, 0 when the set does not.
    int position_of(int n) const;
    // Positions 1..count as record numbers.
    std::vector<int> positions() const;
    // The set becomes numbers (a selection's matches, in file order).
    void set_matches(const std::vector<int>& numbers);
    // Moves to position p of the set (or the record being added); false, and
    // nothing moves, when p is neither.
    bool move_to(int p);

private:
    // The sort reorders the numbers in place.
    friend bool sort_working_set(const QString& path, WorkingSet& ws, SortField field, bool descending, QString* error);

    std::vector<int> records_ = std::vector<int>(1, 0);
    int count_ = 0;
    int position_ = 0;
    Selection selection_;
    Sort sort_;
    Criteria find_;
    QString find_text_;
    bool found_ = false;
};

// The parts of the editor caption: "Database file: PATH", "[Record P of N]"
// and "[Adding record N]".
QString database_caption(const QString& collection);
QString position_caption(int pos, int count);
QString adding_caption(int number);

// "[Selected: All]" or "[Selected:Date, Price Paid, Retail Price,Text]" etc.
QString selection_caption(bool all, const Criteria& c);

}  // namespace tessaran
