// The record editor's 27 text fields, one per text member of the record in
// file order: the object name of each field's control, by which the editor
// loads, compares and saves them through one table.
#pragma once

#include "scope_record.h"

#include <QString>

namespace tessaran {

// Members typed from a list (scope type, exterior material, cell type,
// objects, mirror system, edition, signed, point symmetry).
bool is_listed_member(Member m);

// "tb_NAME" for a text box, "combo_NAME" for a drop-down.
QString editor_field_name(const TextMemberInfo& member);

// A caption as a screen reader should say it: access-key marks dropped ("&&"
// stays one "&"), line breaks read as blanks ("Artist\n(Last,First)" ->
// "Artist (Last,First)"), a closing colon dropped.
QString spoken_caption(const QString& caption);

}  // namespace tessaran
