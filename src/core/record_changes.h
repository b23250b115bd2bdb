// Telling a kaleidoscope that another program changed from one it removed:
// which stored record is the one shown before, and which fields it changed.
#pragma once

#include "scope_record.h"

#include <QStringList>

#include <vector>

namespace tessaran {

// The captions of the fields in which two versions of a record differ: the 27
// fields of the Sort window in its order ("Scope name" ... "Website"), then
// "Special features", "Comments" and "Pictures".
QStringList changed_field_names(const ScopeRecord& before, const ScopeRecord& after);

// Each field that differs, in that order, with its value before and after as
// the form shows it (prices in the locale's currency, pictures by path).
struct FieldChange {
    QString field;
    QString before;
    QString after;
};
std::vector<FieldChange> field_changes(const ScopeRecord& before, const ScopeRecord& after);

// Whether now (stored bytes) is the kaleidoscope was (stored bytes) after
// another program changed some of its fields, rather than another kaleidoscope
// that took its place: its scope name or its artist is unchanged, or at most
// half of the fields either version fills in changed.
bool same_kaleidoscope(const char* was, const char* now);

}  // namespace tessaran
