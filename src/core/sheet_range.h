// The range of record sheets to print, from the two record numbers the user
// typed: both must be numbers (the user's locale or plain C form) that lie in
// the working set, the first not after the last.
#pragma once

#include <QString>

namespace tessaran {

struct SheetRange {
    int first = 0;
    int last = 0;
    QString refusal;  // the message that refuses the entries; empty when they stand
    bool ok() const { return refusal.isEmpty(); }
};

// count: positions in the working set. A fraction rounds to the nearest whole
// position, halves to even.
SheetRange sheet_range_from_entries(const QString& first_text, const QString& last_text, int count);

// A typed record number: a number under the user's locale or in plain C form,
// blanks around it allowed; ok false when it is none.
double record_entry_value(const QString& text, bool* ok);

}  // namespace tessaran
