// Locale values and date conversion under the user's locale.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace tessaran {

// The locale's short-date pattern (Qt form) with the year widened to four digits.
QString short_date_pattern();
// short_date_fmt: that pattern lower-cased, e.g. "m/d/yyyy".
QString locale_short_date_fmt();
// currency_symbol: the locale's currency symbol, trimmed.
QString locale_currency_symbol();
// Sets gv().short_date_fmt and gv().currency_symbol from the current locale.
void read_locale_values();

// The longest date a user may type: a long date with a time of day. What is
// stored is the short date.
inline constexpr int typed_date_length = 40;

// The platform's date parser: short format with four- or two-digit year (two
// digits mean 1930..2029), the long format, and ISO yyyy-MM-dd.
std::optional<QDate> parse_user_date(const QString& text);
// A date in the short-date form of the current locale (four-digit year).
QString short_date_text(const QDate& date);
// Day count from 1899-12-30, and back.
double date_to_days(const QDate& date);
QDate days_to_date(double days);

}  // namespace tessaran
