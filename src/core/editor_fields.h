// The record editor's 27 text fields, one per text member of the record in
// file order: the object name of each field's control, by which the editor
// loads, compares and saves them through one table.
#pragma once

#include "scope_record.h"

#include <QString>

#include <array>

namespace tessaran {

// How a field is typed into: a line, a line with a pick list, or free text
// over several lines.
enum class FieldKind { line, list, text };
// The frame of the editor a field sits in.
enum class FormFrame { parameters, purchase, store, characteristics };

// One field of the record editor: what it shows, how it looks and where it
// sits (a row of its frame, in the first or the second column of captions
// and fields). The table is in the record's member order, the order Tab
// follows.
struct FormField {
    Member member;
    const char* name;        // the field's object name
    const char* label_name;  // its caption's object name
    const char* caption;
    const char* tip;
    FieldKind kind;
    int limit;      // the most characters typed; 0 for no limit
    int pick_list;  // for a list, its vocabulary (1..8)
    FormFrame frame;
    int row;
    int column;  // 0 or 1
};
const std::array<FormField, 29>& form_fields();

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
