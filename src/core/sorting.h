// Sorting the working set by one of the 27 fields of the field-name table.
#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace tessaran {

struct WorkingSet;

// The heapsorts carry pos along with the keys; arrays are 1-based (index 0 unused).
void heapsort_text(std::vector<QString>& key, std::vector<int>& pos, int n);
void heapsort_number(std::vector<qint64>& key, std::vector<int>& pos, int n);
void heapsort_date(std::vector<double>& key, std::vector<int>& pos, int n);

// "[Sorted by: Artist(Asc.)]"
QString sort_caption_for(int field, bool descending);

// Sorts positions 1..count of the working set on the collection at path and
// keeps the sort field, direction and caption in it. Returns false with the
// system's reason when the collection cannot be read.
bool sort_working_set(const QString& path, WorkingSet& ws, int field, bool descending, QString* error = nullptr);

}  // namespace tessaran
