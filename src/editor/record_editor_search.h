// Selecting, finding and deleting from the record editor.
#pragma once

namespace tessaran {

class RecordEditor;

enum class SelectOutcome {
    cancelled,  // the dialog was cancelled: nothing changed
    all,        // every record (Select all)
    selected,   // the working set now holds the matching records
    no_match,   // nothing matched; the user has been told
    failed      // the database could not be read; the user has been told
};

// Rebuilds the working set from the selection criteria, asking for them first when
// show_dialog is true; applies the remembered sort and shows position 1.
SelectOutcome selector(RecordEditor& ed, bool show_dialog);

enum class FindMode {
    ask_criteria,  // Find: asks for criteria, starts at position 1
    next           // Find next: starts after the position last shown
};

// Finds the next record of the working set that meets the find criteria.
void find_engine(RecordEditor& ed, FindMode mode);

}  // namespace tessaran
