// Sorting the working set by one of the 27 fields of the field-name table.
#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace tessaran {

class WorkingSet;

// The fields the Sort window sorts by, in its order, numbered as the field
// table numbers them (field_name, field_member); none: no sort.
enum class SortField {
    none,
    scope_name,
    artist,
    studio,
    scope_type,
    scope_year,
    exterior_material,
    exterior_color,
    cell_type,
    edition,
    cell_objects,
    signed_by,
    mirror_system,
    point_symmetry,
    date_bought,
    price_paid,
    price_retail,
    salesperson,
    store,
    street,
    city,
    state,
    zip,
    country,
    phone,
    fax,
    email,
    website,
};

// The heapsorts carry pos along with the keys; arrays are 1-based (index 0 unused).
void heapsort_text(std::vector<QString>& key, std::vector<int>& pos, int n);
void heapsort_number(std::vector<qint64>& key, std::vector<int>& pos, int n);
void heapsort_date(std::vector<double>& key, std::vector<int>& pos, int n);

// "[Sorted by: Artist(Asc.)]"
QString sort_caption_for(SortField field, bool descending);

// Sorts the record numbers records[1..n] of the collection at path by field
// with the Sort dialog's keys (texts without regard to case, dates as dates,
// prices as amounts). With undated_last, and field the date of purchase,
// records without a date that reads here go last in either direction.
// Returns false with the reason, the order untouched, when a record cannot be read.
bool sort_record_numbers(const QString& path, std::vector<int>& records, int n, int field, bool descending,
                         bool undated_last, QString* error = nullptr);

// Sorts positions 1..count of the working set on the collection at path and
// keeps the sort field, direction and caption in it. Returns false with the
// system's reason when the collection cannot be read.
bool sort_working_set(const QString& path, WorkingSet& ws, SortField field, bool descending, QString* error = nullptr);

}  // namespace tessaran
