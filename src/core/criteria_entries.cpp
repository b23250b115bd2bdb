#include "criteria_entries.h"

#include "blank_text.h"
#include "entry_checks.h"
#include "locale_dates.h"
#include "money.h"

#include <QDate>

#include <optional>

namespace tessaran {

namespace {

const QString date_title = QStringLiteral("Date range search");
const QString price_title = QStringLiteral("Price search");

// Messages of one price range, in the order they are checked.
struct PriceTexts {
    QString invalid_min, invalid_max, min_above_max;
};

// A typed maximum of 0 (or blank) or of -999 means "no upper bound".
bool open_maximum(qint64 max)
{
    return max == 0 || max == -999 * money_scale;
}

// One price range, only when one of its boxes holds something; the refusal's
// text when it cannot stand.
std::optional<QString> price_range(const QString& min_text, const QString& max_text, const PriceTexts& texts,
                                   bool& flag, qint64& min, qint64& max)
{
    if (is_blank(min_text) && is_blank(max_text))
        return std::nullopt;
    if (!is_blank(min_text) && !is_money(min_text))
        return texts.invalid_min;
    if (!is_blank(max_text) && !is_money(max_text))
        return texts.invalid_max;
    const qint64 lo = is_blank(min_text) ? 0 : money_from_text(min_text);
    const qint64 hi = is_blank(max_text) ? 0 : money_from_text(max_text);
    if (!open_maximum(hi) && lo > hi)
        return texts.min_above_max;
    flag = true;
    min = lo;
    max = open_maximum(hi) ? open_money_max : hi;
    return std::nullopt;
}

}  // namespace

std::variant<Criteria, CriteriaRefusal> criteria_from_entries(const CriteriaEntries& e, CriteriaUse use)
{
    Criteria c;
    if (!is_blank(e.date_beg) || !is_blank(e.date_end)) {
        std::optional<QDate> beg_date;
        std::optional<QDate> end_date;
        if (!is_blank(e.date_beg)) {
            beg_date = parse_user_date(e.date_beg);
            if (!beg_date || !beg_date->isValid())
                return CriteriaRefusal{QStringLiteral("Invalid entry in beginning date!"), date_title};
        }
        if (!is_blank(e.date_end)) {
            end_date = parse_user_date(e.date_end);
            if (!end_date || !end_date->isValid())
                return CriteriaRefusal{QStringLiteral("Invalid entry in ending date!"), date_title};
        }
        c.date_beg = beg_date ? date_to_days(*beg_date) : open_date_bound;
        c.date_end = end_date ? date_to_days(*end_date) : open_date_bound;
        if (beg_date && end_date && c.date_beg > c.date_end)
            return CriteriaRefusal{QStringLiteral("Beginning date is AFTER ending date"), date_title};
        c.by_date = true;
    }

    if (const auto why = price_range(e.paid_min, e.paid_max,
                                     {QStringLiteral("Invalid entry in minimum price paid!"),
                                      QStringLiteral("Invalid entry in maximum price paid!"),
                                      QStringLiteral("Minimum price paid is greater than maximum price paid!")},
                                     c.by_paid, c.paid_min, c.paid_max))
        return CriteriaRefusal{*why, price_title};
    if (const auto why = price_range(e.retail_min, e.retail_max,
                                     {QStringLiteral("Invalid entry in minimum retail price!"),
                                      QStringLiteral("Invalid entry in maximum retail price!"),
                                      QStringLiteral("Minimum retail price is greater than maximum retail price!")},
                                     c.by_retail, c.retail_min, c.retail_max))
        return CriteriaRefusal{*why, price_title};

    for (int k = 0; k < text_slot_count; ++k) {
        c.texts[size_t(k)] = e.texts[size_t(k)].toUpper();
        if (!c.texts[size_t(k)].isEmpty())
            c.by_text = true;
    }

    if (!c.by_date && !c.by_paid && !c.by_retail && !c.by_text) {
        if (use == CriteriaUse::select)
            return CriteriaRefusal{QStringLiteral("No select criteria selected!"), QStringLiteral("Select criteria")};
        return CriteriaRefusal{QStringLiteral("No find criteria selected!"), QStringLiteral("Find criteria")};
    }
    return c;
}

}  // namespace tessaran
