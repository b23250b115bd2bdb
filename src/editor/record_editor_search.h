// What a selection came to, and how a find starts.
#pragma once

namespace tessaran {

enum class SelectOutcome {
    cancelled,  // the dialog was cancelled: nothing changed
    all,        // every record (Select all)
    selected,   // the working set now holds the matching records
    no_match,   // nothing matched; the user has been told
    failed      // the database could not be read; the user has been told
};

enum class FindMode {
    ask_criteria,  // Find: asks for criteria, starts at position 1
    next           // Find next: starts after the position last shown
};

}  // namespace tessaran
