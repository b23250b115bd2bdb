// Testing a record against selection or find criteria, and the criteria text.
#pragma once

#include "criteria.h"
#include "scope_record.h"

#include <QString>

#include <optional>

namespace tessaran {

// The tests of a selection scan: inclusive date and price ranges (records without
// a date fail a date range), and every used text slot contained, upper-cased, in
// its member at full fixed width.
bool record_matches(const Criteria& c, const ScopeRecord& rec);
// The same test straight on the record's 2473 stored bytes.
bool raw_record_matches(const Criteria& c, const char* raw);

// Day count of a stored date of purchase under the current locale; nothing when
// the text is blank or not a date. Parsed texts are remembered per locale.
std::optional<double> stored_date_days(const QString& stored);
// The same for the stored bytes of a date member (width bytes of Windows-1252).
std::optional<double> stored_date_days_raw(const char* bytes, int width);

// The criteria text shown by the criteria windows and the summaries (CR LF breaks).
// Text slot lines use the stored texts, trimmed (they are upper-cased already).
QString criteria_text(const Criteria& c);

}  // namespace tessaran
