// What a save of the record editor refuses among the typed fields: a scope
// year, a date of purchase or a price that cannot be stored. A stored value
// shown unchanged is no entry of the user's and passes whatever it holds.
#pragma once

#include "scope_record.h"

#include <QString>

#include <optional>

namespace tessaran {

enum class TypedField { scope_year, date_bought, price_paid, price_retail };

struct TypedEntries {
    QString scope_year;
    QString date_bought;
    QString price_paid;
    QString price_retail;
};

struct EntryRefusal {
    TypedField field;
    QString message;
};

// The first refused entry, in the order year, date, purchase price, retail
// price; stored: the record as read, shown_paid and shown_retail: the amounts
// the price fields were filled with.
std::optional<EntryRefusal> refused_entry(const TypedEntries& typed, const ScopeRecord& stored, qint64 shown_paid,
                                          qint64 shown_retail);

}  // namespace tessaran
