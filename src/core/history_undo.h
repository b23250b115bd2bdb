// Undo and Redo over a collection's history: whether the collection still
// holds what the change left, and its records put back in one safe write
// that is itself recorded.
#pragma once

#include "collection_history.h"

namespace tessaran {

struct StepOutcome {
    bool done = false;
    QString refusal;       // why nothing was written (another program's change, nothing to do)
    FileStatus written;    // the collection's write, when one was tried
    int shown_record = 0;  // the record to show afterwards (0: none)
};

// Takes back step (history.next_undo(), or next_redo() with redo): the
// records it changed get their stored bytes before it again, a deleted one
// at its old place (or at the end when that place no longer fits). Refused,
// naming the kaleidoscope, when another program changed a record since, and
// when the history cannot record it.
StepOutcome take_back(CollectionHistory& history, const HistoryStep& step, bool redo);

// Puts a deleted kaleidoscope back with its identity, at its old place (the
// end where that place no longer fits), as a change of its own.
StepOutcome restore_deleted(CollectionHistory& history, const DeletedKaleidoscope& gone);

}  // namespace tessaran
