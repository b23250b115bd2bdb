#include "inventory.h"

#include "core/picture_list.h"
#include "core/picture_paths.h"
#include "core/scope_record.h"

#include <QtEndian>

namespace tessaran {

FileStatus inventory_lines(const QString& path, const std::vector<int>& records, int count,
                           std::vector<InventoryLine>& lines)
{
    lines.clear();
    RecordScanner scan;
    if (FileStatus st = scan.open(path); !st)
        return st;
    lines.reserve(std::size_t(qMax(count, 0)));
    for (int position = 1; position <= count && position < int(records.size()); ++position) {
        const char* raw = scan.raw(records[std::size_t(position)]);
        if (!raw)
            return FileStatus::failure(
                QStringLiteral("The collection holds fewer kaleidoscopes than were chosen: it was changed meanwhile."));
        InventoryLine line;
        if (const QString stored = first_picture_of(raw); !stored.isEmpty())
            line.picture = picture_file(stored, path);
        line.name = trimmed_member_text(raw, m_scopename);
        line.artist = trimmed_member_text(raw, m_artist);
        line.year = trimmed_member_text(raw, m_scopeyear);
        line.bought = trimmed_member_text(raw, m_date_bought);
        line.paid = qFromLittleEndian<qint64>(raw + offset_price_paid);
        line.retail = qFromLittleEndian<qint64>(raw + offset_price_retail);
        lines.push_back(std::move(line));
    }
    return {};
}

InventoryTotals inventory_totals(const std::vector<InventoryLine>& lines, std::size_t first, std::size_t count)
{
    InventoryTotals t;
    for (std::size_t i = first; i < lines.size() && i < first + count; ++i) {
        ++t.count;
        t.paid.add(lines[i].paid);
        t.retail.add(lines[i].retail);
    }
    return t;
}

}  // namespace tessaran
