// Selections kept under a name with the collection: "Save selection as..."
// keeps the selection in force, the sort and the collection list's filter;
// the Search menu lists the saved ones, and choosing one rebuilds that
// working set from the collection as it is now; "Saved selections..."
// renames and deletes them.
#pragma once

#include "core/selection_definition.h"

class QMenu;

namespace tessaran {

class RecordEditor;

void save_selection_as(RecordEditor& ed);
void manage_saved_selections(RecordEditor& ed);
// Fills the submenu of search with the saved selections each time it opens.
void attach_saved_selections_menu(RecordEditor& ed, QMenu* search);
void use_saved_selection(RecordEditor& ed, const SelectionDefinition& d);

}  // namespace tessaran
