// The editor's and dialogs' checks of typed dates and prices when the user
// leaves a field: normalise the box, tell the user what is wrong, keep the focus.
#pragma once

#include <QString>

class QLineEdit;

namespace tessaran {

// A price box: blank leaves result as the caller set it (box emptied); an amount
// shows in the currency form and sets result true; anything else shows
// "Invalid entry for <field> field.", sets result false and refocuses the box.
void check_price(QLineEdit* box, const QString& field_name, bool& result);
// A date box: as check_price, with the short-date form, and
// "Invalid year entry for <field> field." for a year before 1800.
void check_date(QLineEdit* box, const QString& field_name, bool& result);
// The scope-year box: true for a blank box (nothing to do) or a good year (the
// caller keeps the trimmed text as accepted); otherwise the matching message is
// shown, the box shows last_accepted again and keeps the focus: false.
bool check_scopeyear_field(QLineEdit* box, const QString& last_accepted);

}  // namespace tessaran
