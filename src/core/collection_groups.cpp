#include "collection_groups.h"

#include "locale_dates.h"
#include "money.h"
#include "record_match.h"
#include "scope_record.h"

#include <QHash>
#include <QtEndian>

namespace tessaran {

const std::vector<GroupFieldInfo>& group_fields()
{
    static const std::vector<GroupFieldInfo> fields{
        {GroupField::none, "None", SortField::none, m_scopename},
        {GroupField::artist, "Artist", SortField::artist, m_artist},
        {GroupField::studio, "Studio", SortField::studio, m_studio},
        {GroupField::scope_type, "Scope type", SortField::scope_type, m_scopetype},
        {GroupField::exterior_material, "Exterior material", SortField::exterior_material, m_extmat},
        {GroupField::cell_type, "Cell type", SortField::cell_type, m_celltype},
        {GroupField::mirror_system, "Mirror system", SortField::mirror_system, m_mirrors},
        {GroupField::scope_year, "Scope year", SortField::scope_year, m_scopeyear},
        {GroupField::year_bought, "Year of purchase", SortField::date_bought, m_date_bought},
        {GroupField::store, "Store/gallery", SortField::store, m_store},
        {GroupField::city, "City", SortField::city, m_city},
        {GroupField::country, "Country", SortField::country, m_country},
    };
    return fields;
}

const GroupFieldInfo& group_field_info(GroupField field)
{
    for (const GroupFieldInfo& info : group_fields()) {
        if (info.field == field)
            return info;
    }
    return group_fields().front();
}

QString group_value(GroupField field, const char* raw)
{
    if (field == GroupField::none || !raw)
        return QString();
    const Member member = group_field_info(field).member;
    if (field == GroupField::year_bought) {
        const TextMemberInfo* m = text_member_info(member);
        const std::optional<double> days = stored_date_days_raw(raw + m->offset, m->width);
        return days ? QString::number(days_to_date(*days).year()) : QString();
    }
    return trimmed_member_text(raw, member);
}

QString group_value_text(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("(none)") : value;
}

FileStatus group_rows(const QString& path, const std::vector<int>& records, GroupField field,
                      std::vector<RowGroup>& groups)
{
    groups.clear();
    if (field == GroupField::none)
        return {};
    RecordScanner scan;
    if (FileStatus st = scan.open(path); !st)
        return st;
    QHash<QString, int> group_of;         // the value upper-cased: the group's index
    std::vector<int> first_record(1, 0);  // 1-based, as the sort takes them
    for (int row = 0; row < int(records.size()); ++row) {
        const char* raw = scan.raw(records[std::size_t(row)]);
        if (!raw)
            return FileStatus::failure(
                QStringLiteral("Record %1 lies outside the database file.").arg(records[std::size_t(row)]));
        const QString value = group_value(field, raw);
        auto it = group_of.find(value.toUpper());
        if (it == group_of.end()) {
            it = group_of.insert(value.toUpper(), int(groups.size()));
            groups.push_back(RowGroup{value, {}, {}, {}});
            first_record.push_back(records[std::size_t(row)]);
        }
        RowGroup& g = groups[std::size_t(*it)];
        g.rows.push_back(row);
        g.paid.add(qFromLittleEndian<qint64>(raw + offset_price_paid));
        g.retail.add(qFromLittleEndian<qint64>(raw + offset_price_retail));
    }
    // Each group sorts as its first kaleidoscope does.
    std::vector<int> order = first_record;
    QString error;
    if (!sort_record_numbers(path, order, int(groups.size()), int(group_field_info(field).sort), false, true, &error))
        return FileStatus::failure(error);
    QHash<int, int> group_of_record;
    for (std::size_t g = 0; g < groups.size(); ++g)
        group_of_record.insert(first_record[g + 1], int(g));
    std::vector<RowGroup> sorted;
    sorted.reserve(groups.size());
    for (int i = 1; i <= int(groups.size()); ++i)
        sorted.push_back(std::move(groups[std::size_t(group_of_record.value(order[std::size_t(i)]))]));
    groups = std::move(sorted);
    return {};
}

QString group_label(const RowGroup& group)
{
    QString label = group_value_text(group.value) + QStringLiteral(": ") + counted(qint64(group.rows.size()));
    if (group.paid.priced > 0)
        label += QStringLiteral(", paid ") + amount_text(group.paid, group.paid.total);
    if (group.retail.priced > 0)
        label += QStringLiteral(", retail ") + amount_text(group.retail, group.retail.total);
    return label;
}

Criteria group_criteria(GroupField field, const QString& value)
{
    Criteria c;
    c.group = field;
    c.group_value = value;
    return c;
}

}  // namespace tessaran
