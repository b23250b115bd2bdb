// The record editor's form as values: what each field holds. From it, which
// fields differ from the stored record (what the editor highlights and asks
// about before leaving), and the record a save writes.
#pragma once

#include "picture_list.h"
#include "scope_record.h"

#include <QString>

#include <array>
#include <vector>

namespace tessaran {

struct RecordForm {
    std::array<QString, 27> texts;  // per text member, in file order (text_members())
    // The line break a save writes into the two multi-line fields.
    QString specfeatures_break = QStringLiteral("\r\n");
    QString comments_break = QStringLiteral("\r\n");
    QString price_paid;
    QString price_retail;
    PictureList pictures;
};

struct FormChanges {
    std::vector<int> texts;   // indexes into text_members()
    bool price_paid = false;  // an entry that is no amount differs too
    bool price_retail = false;
    bool price_paid_unreadable = false;  // the entry is no amount (told to the user)
    bool price_retail_unreadable = false;
    std::vector<int> picture_slots;  // 1..10
    int count() const
    {
        return int(texts.size() + picture_slots.size()) + (price_paid ? 1 : 0) + (price_retail ? 1 : 0);
    }
};

// The form as it shows the record r.
RecordForm form_of(const ScopeRecord& r);

// What differs: a text shown unchanged (same_text) or a price shown as stored
// is no change; only the slots the stored count uses are pictures of the
// record, so what lies beyond them is no change either.
FormChanges form_changes(const RecordForm& form, const ScopeRecord& stored);

// The user's edits (made to before) put over theirs, another program's
// version as the form shows it: only the fields the user changed.
RecordForm edits_over(const RecordForm& theirs, const RecordForm& edits, const ScopeRecord& before);

// The record a save writes: stored with the form's texts (trimmed, line
// breaks as the field keeps them, a date typed with a time of day as its
// short date), prices and pictures. Slots the user emptied are blanked; slots
// beyond every picture the record used keep their bytes. The prices must
// have passed the save's checks.
ScopeRecord record_from_form(const RecordForm& form, const ScopeRecord& stored);

}  // namespace tessaran
