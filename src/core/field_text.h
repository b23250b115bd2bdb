// How a stored text member and the editor field that shows it relate: what
// the field shows, when the two count as the same, and what a save stores.
#pragma once

#include <QString>

#include <optional>

namespace tessaran {

// The text a field shows for a stored member: blanks and zero bytes at both
// ends are dropped, so a member that only holds them shows as an empty field.
QString shown_text(const QString& member);

// True when the field text and the member say the same thing: equal once both
// are shown as fields show them, with line breaks compared whatever their form.
bool same_field_text(const QString& field, const QString& member);

// True when a field shows the member unchanged: the same text once blanks at
// the ends are dropped, or both empty of all but blanks and zero bytes, or the
// same as same_field_text says.
bool same_text(const QString& field, const QString& member);
// The length of a text without blanks at the ends and zero bytes at its end.
int text_extent(const QString& text);

// The amount a price field stands for: the stored amount while the field
// shows it unchanged (even one the currency form cannot read back), 0 for a
// blank field, nothing for an entry that is no amount.
std::optional<qint64> price_entry(const QString& field, qint64 stored);

// The line break a save writes into this member: the one the stored text
// already uses (LF where it used LF alone), otherwise CR LF, the collection's
// line break.
QString line_break_of(const QString& member);

// The field text as a save stores it: every line break written as line_break.
QString stored_line_breaks(const QString& field, const QString& line_break);

// The number of bytes the field text takes in the record when its line breaks
// are written as line_break.
int stored_length(const QString& field, const QString& line_break);

}  // namespace tessaran
