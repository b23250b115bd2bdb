#include "field_change.h"

#include "collection_history.h"
#include "entry_checks.h"
#include "field_text.h"
#include "file_write.h"
#include "money.h"

#include <QtEndian>

#include <cstring>
#include <map>

namespace tessaran {

namespace {

constexpr int named_at_most = 10;

QString field_caption(Member m)
{
    for (int f = 1; f <= field_table_size; ++f) {
        if (field_member(f) == m)
            return field_name(f);
    }
    return QString::fromLatin1(text_member_info(m) ? text_member_info(m)->name : "");
}

// The new value of one record as the form would store it, or the form's
// refusal. before is the value as shown.
struct NewValue {
    QString shown;
    qint64 amount = 0;
    QString refusal;
};

NewValue new_value(const ChangeForMany& c, const QString& before)
{
    NewValue v;
    if (is_price(c.member)) {
        if (c.replace) {
            v.refusal = QStringLiteral("A price is set, not replaced within: give the new amount.");
            return v;
        }
        const CheckedText checked = check_price_text(c.to);
        if (checked.result == FieldCheck::invalid)
            v.refusal = c.member == m_price_paid ? QStringLiteral("Invalid entry for purchase price field!")
                                                 : QStringLiteral("Invalid entry for retail price field!");
        v.amount = checked.result == FieldCheck::ok ? money_from_text(c.to) : 0;
        v.shown = money_text(v.amount);
        return v;
    }
    v.shown = c.replace ? QString(before).replace(c.from, c.to) : c.to.trimmed();
    if (c.member == m_date_bought) {
        const CheckedText checked = check_date_text(v.shown);
        if (checked.result == FieldCheck::invalid || checked.result == FieldCheck::invalid_year)
            v.refusal = QStringLiteral("Invalid entry for date of purchase field!");
        else if (checked.result == FieldCheck::ok)
            v.shown = checked.text.trimmed();
    } else if (c.member == m_scopeyear) {
        v.refusal = scopeyear_message(check_scopeyear(v.shown));
    }
    return v;
}

QString names_of(const std::vector<QString>& names)
{
    QStringList shown;
    for (std::size_t i = 0; i < names.size() && i < std::size_t(named_at_most); ++i)
        shown << names[i];
    QString text = shown.join(QStringLiteral(", "));
    if (names.size() > std::size_t(named_at_most))
        text += QStringLiteral(" and %1 more").arg(names.size() - std::size_t(named_at_most));
    return text;
}

}  // namespace

std::optional<Member> member_named(const QString& name)
{
    if (name == QLatin1String("price_paid"))
        return m_price_paid;
    if (name == QLatin1String("price_retail"))
        return m_price_retail;
    for (const TextMemberInfo& m : text_members()) {
        if (name == QLatin1String(m.name))
            return m.member;
    }
    return std::nullopt;
}

FileStatus plan_field_change(const QString& path, const std::vector<int>& records, int count,
                             const ChangeForMany& change, FieldChangePlan& plan)
{
    plan = FieldChangePlan{};
    plan.stamp = file_stamp(path);
    RecordScanner scan;
    if (FileStatus st = scan.open(path); !st)
        return st;
    const TextMemberInfo* text = text_member_info(change.member);
    const int price_offset = change.member == m_price_paid ? offset_price_paid : offset_price_retail;
    std::vector<QString> too_long;
    for (int p = 1; p <= count && p < int(records.size()); ++p) {
        const int n = records[std::size_t(p)];
        const char* raw = scan.raw(n);
        if (!raw)
            return FileStatus::failure(QStringLiteral("Record %1 lies outside the database file.").arg(n));
        const QString before = text ? trimmed_member_text(raw, change.member)
                                    : money_text(qFromLittleEndian<qint64>(raw + price_offset));
        const NewValue v = new_value(change, before);
        if (!v.refusal.isEmpty()) {
            plan.refusal = v.refusal;
            plan.changes.clear();
            return {};
        }
        if (v.shown == before)
            continue;
        // Only the field changes: every other byte of the record stays as it was.
        PlannedChange planned{
            p, n, trimmed_member_text(raw, m_scopename), before, v.shown, QByteArray(raw, rec_len_bytes), {}};
        planned.bytes_after = planned.bytes_before;
        char* out = planned.bytes_after.data();
        if (!text) {
            qToLittleEndian<qint64>(v.amount, out + price_offset);
        } else {
            const QByteArray stored = to_cp1252(fixed_text(v.shown, text->width));
            if (to_cp1252(v.shown).size() > text->width)
                too_long.push_back(QStringLiteral("%1 (record %2)").arg(planned.name).arg(n));
            std::memcpy(out + text->offset, stored.constData(),
                        std::size_t(qMin<qsizetype>(stored.size(), text->width)));
        }
        plan.changes.push_back(std::move(planned));
    }
    if (!too_long.empty()) {
        plan.refusal = QStringLiteral("The new text does not fit the field %1 (%2 characters at most) of: %3. "
                                      "Nothing is changed.")
                           .arg(field_caption(change.member))
                           .arg(text->width)
                           .arg(names_of(too_long));
        plan.changes.clear();
    }
    return {};
}

FileStatus write_field_change(const QString& path, const FieldChangePlan& plan, const RecordedWrite& recorded)
{
    if (!plan.refusal.isEmpty() || plan.changes.empty())
        return FileStatus::failure(plan.refusal.isEmpty() ? QStringLiteral("Nothing is to be changed.") : plan.refusal);
    if (file_stamp(path) != plan.stamp)
        return FileStatus::failure(QStringLiteral("Another program changed the collection since the changes were "
                                                  "shown. Nothing was written; look at the changes again."));
    std::map<int, const PlannedChange*> by_record;
    std::vector<RecordChange> records;
    for (const PlannedChange& c : plan.changes) {
        by_record[c.record] = &c;
        records.push_back(RecordChange{c.record, c.record, c.bytes_before, c.bytes_after, 0});
    }
    const auto write = [&] {
        RecordScanner scan;
        if (FileStatus st = scan.open(path); !st)
            return st;
        return replace_file_with(
            path,
            [&](const ContentPut& put) -> FileStatus {
                QByteArray piece;
                for (int n = 1; n <= scan.count(); ++n) {
                    const auto it = by_record.find(n);
                    piece += it != by_record.end() ? it->second->bytes_after : QByteArray(scan.raw(n), rec_len_bytes);
                    if (piece.size() >= (1 << 20) || n == scan.count()) {
                        if (FileStatus done = put(piece); !done)
                            return done;
                        piece.clear();
                    }
                }
                return {};
            },
            true);
    };
    return write_through(recorded, ChangeKind::many, records, write);
}

}  // namespace tessaran
