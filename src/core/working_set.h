// The working set: the ordered record numbers the editor walks, with captions.
#pragma once

#include "criteria.h"

#include <QString>

namespace tessaran {

// ws_recno(p) = p for p = 1..rec_count; ws_count = sel_matched = rec_count;
// sel_all = true; sel_criteria = "All".
void ws_reset_all();
// Empty working set, "All", "[Sorted by: Unsorted]".
void ws_clear();
// A new record saved at ws_pos joins the end of the working set.
void ws_append();
// Reserves the slot ws_recno(n) = n for a record being added and sets ws_pos = n
// (ws_count unchanged).
void ws_reserve_new(int n);

// The parts of the editor caption: "Database file: PATH", "[Record P of N]"
// and "[Adding record N]".
QString database_caption(const QString& db_path);
QString position_caption(int pos, int count);
QString adding_caption(int number);

// "[Selected: All]" or "[Selected:Date, Price Paid, Retail Price,Text]" etc.
QString selection_caption(bool all, const Criteria& c);
// The editor caption: db_text, rec_text, sort_caption and the selection text,
// each trimmed, separated by two blanks.
QString caption_make();

}  // namespace tessaran
