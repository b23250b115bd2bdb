#include "save_checks.h"

#include "blank_text.h"
#include "entry_checks.h"
#include "field_text.h"
#include "locale_dates.h"

namespace tessaran {

std::optional<EntryRefusal> refused_entry(const TypedEntries& typed, const ScopeRecord& stored, qint64 shown_paid,
                                          qint64 shown_retail)
{
    const YearCheck year = check_scopeyear(typed.scope_year);
    if (year != YearCheck::blank && year != YearCheck::ok && !same_text(typed.scope_year, stored.scopeyear))
        return EntryRefusal{TypedField::scope_year, scopeyear_message(year)};
    if (!is_blank(typed.date_bought) && !parse_user_date(typed.date_bought.trimmed())
        && !same_text(typed.date_bought, stored.date_bought))
        return EntryRefusal{TypedField::date_bought, QStringLiteral("Invalid entry for date of purchase field!")};
    // An amount too large to store is no amount: it would otherwise be saved as 0.
    if (!price_entry(typed.price_paid, shown_paid))
        return EntryRefusal{TypedField::price_paid, QStringLiteral("Invalid entry for purchase price field!")};
    if (!price_entry(typed.price_retail, shown_retail))
        return EntryRefusal{TypedField::price_retail, QStringLiteral("Invalid entry for retail price field!")};
    return std::nullopt;
}

}  // namespace tessaran
