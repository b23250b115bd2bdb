// The criteria of the selection and find dialogs from what the user typed:
// the purchase dates, the two price ranges and the text slots, checked in that
// order; the first entry that cannot stand refuses them all with its message.
#pragma once

#include "criteria.h"

#include <QString>

#include <array>
#include <variant>

namespace tessaran {

struct CriteriaEntries {
    QString date_beg;
    QString date_end;
    QString paid_min;
    QString paid_max;
    QString retail_min;
    QString retail_max;
    std::array<QString, text_slot_count> texts;  // the text slots as typed
};

// What refuses the entries: the message and the title of its box.
struct CriteriaRefusal {
    QString text;
    QString title;
};

enum class CriteriaUse { select, find };

// A date is read as the user would type it (a time of day is dropped); a
// price maximum of 0, blank or -999 means no upper bound; texts are
// upper-cased and not trimmed, so that a trailing blank must match too.
std::variant<Criteria, CriteriaRefusal> criteria_from_entries(const CriteriaEntries& entries, CriteriaUse use);

}  // namespace tessaran
