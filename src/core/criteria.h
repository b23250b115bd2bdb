// Selection and find criteria: the same four kinds of test for both.
#pragma once

#include "scope_record.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

namespace tessaran {

constexpr int text_slot_count = 26;
constexpr double open_date_bound = -999.0;  // no bound on that side
constexpr qint64 open_money_max = -999;     // a maximum of -999: no upper bound

// The fields the collection list groups by; a selection may take one group.
enum class GroupField {
    none,
    artist,
    studio,
    scope_type,
    exterior_material,
    cell_type,
    mirror_system,
    scope_year,
    year_bought,
    store,
    city,
    country,
};

struct Criteria {
    bool by_date = false;
    bool by_paid = false;
    bool by_retail = false;
    bool by_text = false;
    // The text slots in dialog order: the text as typed, upper-cased, not trimmed.
    std::array<QString, text_slot_count> texts;
    double date_beg = open_date_bound;  // day count from 1899-12-30
    double date_end = open_date_bound;
    qint64 paid_min = 0;
    qint64 paid_max = open_money_max;
    qint64 retail_min = 0;
    qint64 retail_max = open_money_max;
    // One group of the collection list: the records whose group value for
    // this field is group_value, without regard to case (none: no such test).
    GroupField group = GroupField::none;
    QString group_value;
};

// One text slot of the selection and find dialogs.
struct TextSlot {
    const char* caption;
    Member member;
    int list;  // vocabulary number 1..8, 0 for a plain text box
};

// The text slots in dialog order.
const std::array<TextSlot, text_slot_count>& text_slots();

}  // namespace tessaran
