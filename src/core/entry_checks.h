// Checks of typed dates, prices and scope years, without any window.
#pragma once

#include <QString>

namespace tessaran {

// True when the text converts to money (not the invalid marker).
bool is_money(const QString& text);

enum class FieldCheck {
    blank,        // empty by is_blank: nothing to check
    ok,           // accepted; normalised text in the result
    invalid,      // "Invalid entry for ... field."
    invalid_year  // a date before 1800: "Invalid year entry for ... field."
};

struct CheckedText {
    FieldCheck result = FieldCheck::blank;
    QString text;  // the normalised text to show (ok and invalid_year)
};

// Date: blank, ok with the short-date text, invalid, or invalid_year (text reformatted).
CheckedText check_date_text(const QString& text);
// Price: blank, ok with money_text of the amount (0 gives empty), or invalid.
CheckedText check_price_text(const QString& text);

enum class YearCheck { blank, ok, non_numeric, non_integer, out_of_range };
// Scope year: leading number read with "." as decimal point; below 1700 or
// above 32767 is out of range.
YearCheck check_scopeyear(const QString& text);
// The message for a failed scope-year check (empty for blank and ok).
QString scopeyear_message(YearCheck check);

}  // namespace tessaran
