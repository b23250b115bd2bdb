// The collection list's groups: the kaleidoscopes that share an artist, a
// studio, a year of purchase..., each group with its count and the sums of
// its prices, the groups in the order the Sort dialog gives that field.
#pragma once

#include "collection_stats.h"
#include "criteria.h"
#include "record_file.h"
#include "sorting.h"

#include <QString>

#include <vector>

namespace tessaran {

struct GroupFieldInfo {
    GroupField field;
    const char* caption;  // "Artist", "Year of purchase"
    SortField sort;       // how the Sort dialog orders it
    Member member;        // the field grouped by (the date, for its year)
};

// Every field the list groups by, "None" first, in menu order.
const std::vector<GroupFieldInfo>& group_fields();
const GroupFieldInfo& group_field_info(GroupField field);

// The group of a record's stored bytes: the field's text, trimmed, or the
// year of its date of purchase (empty without a date that reads).
QString group_value(GroupField field, const char* raw);

// What a group's value reads as: "(none)" for the empty one.
QString group_value_text(const QString& value);

struct RowGroup {
    QString value;          // as the first of its kaleidoscopes spells it
    std::vector<int> rows;  // positions in the records given, in their order
    AmountStats paid;
    AmountStats retail;
};

// The groups of records (record numbers of the collection at path, in the
// list's order) by field: one per value without regard to case, ordered as
// the Sort dialog orders the field, "(none)" where it puts the empty value.
FileStatus group_rows(const QString& path, const std::vector<int>& records, GroupField field,
                      std::vector<RowGroup>& groups);

// "Abernathy, Rose: 12 kaleidoscopes, paid $3,210.00, retail $3,500.00".
QString group_label(const RowGroup& group);

// The selection of one group, as "Select this group" makes it.
Criteria group_criteria(GroupField field, const QString& value);

}  // namespace tessaran
