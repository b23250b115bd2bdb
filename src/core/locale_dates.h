// Locale values and date conversion under the user's locale.
#pragma once

#include <QDate>
#include <QString>

#include <optional>

namespace tessaran {

// A caption with its unit in brackets, "Price paid ($)"; the caption alone
// where the locale has no such unit, never "Price paid ()".
QString with_unit(const QString& caption, const QString& unit);

// The locale's short-date pattern (Qt form) with the year widened to four digits.
QString short_date_pattern();
// That pattern lower-cased, e.g. "m/d/yyyy", as the criteria windows show it.
QString locale_short_date_fmt();
// The locale's currency symbol, trimmed.
QString locale_currency_symbol();

// The locale's labels the windows show beside dates and amounts, read when a
// collection is opened.
struct LocaleLabels {
    QString date_format;      // e.g. "m/d/yyyy"
    QString currency_symbol;  // e.g. "$"
};
LocaleLabels current_locale_labels();

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
