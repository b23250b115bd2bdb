#include "record_match.h"

#include "collection_groups.h"

#include "locale_dates.h"
#include "money.h"

#include <QHash>
#include <QLocale>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace tessaran {

namespace {

const QString crlf = QStringLiteral("\r\n");

}  // namespace

std::optional<double> stored_date_days(const QString& stored)
{
    const QString text = trim_blanks(stored);
    if (text.isEmpty())
        return std::nullopt;

    // A scan meets the same few dates over and over, and parsing is slow next
    // to everything else a scan does; the results hold while the locale stays.
    struct Cache {
        QLocale locale;
        QHash<QString, std::optional<double>> days;
    };
    static Cache cache;
    const QLocale now;
    if (!(now == cache.locale) || cache.days.size() > 20000) {
        cache.locale = now;
        cache.days.clear();
    }
    const auto it = cache.days.constFind(text);
    if (it != cache.days.constEnd())
        return *it;
    std::optional<double> result;
    const std::optional<QDate> d = parse_user_date(text);
    if (d && d->isValid())
        result = date_to_days(*d);
    cache.days.insert(text, result);
    return result;
}

namespace {

bool days_in_range(const Criteria& c, const std::optional<double>& d)
{
    if (!d)
        return false;
    if (c.date_beg != open_date_bound && *d < c.date_beg)
        return false;
    if (c.date_end != open_date_bound && *d > c.date_end)
        return false;
    return true;
}

bool date_in_range(const Criteria& c, const QString& stored)
{
    return days_in_range(c, stored_date_days(stored));
}

}  // namespace

// A scan asks for every record, so the answers are remembered by the bytes
// themselves, in an open-addressing table: no string is built and nothing is
// allocated for a date seen before. Like the text cache, it holds while the
// locale stays.
std::optional<double> stored_date_days_raw(const char* p, int width)
{
    constexpr int key_bytes = 16;
    if (width < 0 || width >= key_bytes)
        return stored_date_days(from_cp1252(p, width));

    struct Slot {
        quint64 a = 0;
        quint64 b = 0;  // the last byte holds the width, so no key is all zeros
        double days = 0;
        qint8 state = 0;  // 0 empty, 1 no date, 2 days
    };
    constexpr size_t capacity = 1u << 15;  // twice the entries it may hold
    constexpr size_t max_entries = capacity / 2;
    struct Cache {
        QLocale locale;
        std::vector<Slot> table = std::vector<Slot>(capacity);
        size_t used = 0;
    };
    static Cache cache;
    const QLocale now;
    if (!(now == cache.locale) || cache.used >= max_entries) {
        cache.locale = now;
        std::fill(cache.table.begin(), cache.table.end(), Slot{});
        cache.used = 0;
    }

    unsigned char bytes[key_bytes] = {};
    std::memcpy(bytes, p, size_t(width));
    bytes[key_bytes - 1] = static_cast<unsigned char>(width);
    quint64 a;
    quint64 b;
    std::memcpy(&a, bytes, 8);
    std::memcpy(&b, bytes + 8, 8);
    size_t i = size_t((a * 0x9E3779B97F4A7C15ull) ^ (b * 0xC2B2AE3D27D4EB4Full)) >> 17;
    for (;; i = (i + 1) & (capacity - 1)) {
        Slot& slot = cache.table[i & (capacity - 1)];
        if (slot.state == 0) {
            const std::optional<double> d = stored_date_days(from_cp1252(p, width));
            slot = Slot{a, b, d.value_or(0), qint8(d ? 2 : 1)};
            ++cache.used;
            return d;
        }
        if (slot.a == a && slot.b == b)
            return slot.state == 2 ? std::optional<double>(slot.days) : std::nullopt;
    }
}

namespace {

bool price_in_range(qint64 p, qint64 min, qint64 max)
{
    if (max != open_money_max && p > max)
        return false;
    return p >= min;
}

// The member as the file holds it: its full fixed width.
QString stored_form(const QString& member, int width)
{
    return member.size() == width ? member : fixed_text(member, width);
}

bool text_contains(const QString& full_width, const QString& wanted)
{
    return full_width.toUpper().contains(wanted, Qt::CaseSensitive);
}

// The same test on the stored bytes, without building strings when the
// member's capitals are plain bytes.
bool raw_text_contains(const char* p, int width, const QString& wanted)
{
    char upper[500];  // the widest member
    if (width <= int(sizeof upper) && upper_cp1252(p, width, upper)) {
        // The same few wanted texts come for every record of a scan: their
        // bytes are made once.
        struct Wanted {
            QString text;
            QByteArray bytes;
            bool exact = false;
        };
        static Wanted last;
        if (last.text.isNull() || last.text != wanted) {
            last.text = wanted;
            last.exact = to_cp1252_exact(wanted, last.bytes);
        }
        // A character outside the code page cannot occur in these capitals.
        if (!last.exact)
            return false;
        return std::string_view(upper, size_t(width))
                   .find(std::string_view(last.bytes.constData(), size_t(last.bytes.size())))
            != std::string_view::npos;
    }
    return text_contains(from_cp1252(p, width), wanted);
}

}  // namespace

bool record_matches(const Criteria& c, const ScopeRecord& rec)
{
    if (c.group != GroupField::none
        && !raw_record_matches(group_criteria(c.group, c.group_value), encode_record(rec).constData()))
        return false;
    if (c.by_date && !date_in_range(c, rec.date_bought))
        return false;
    if (c.by_paid && !price_in_range(rec.price_paid, c.paid_min, c.paid_max))
        return false;
    if (c.by_retail && !price_in_range(rec.price_retail, c.retail_min, c.retail_max))
        return false;
    if (c.by_text) {
        const auto& slots_table = text_slots();
        for (int k = 0; k < text_slot_count; ++k) {
            const QString& wanted = c.texts[size_t(k)];
            if (wanted.isEmpty())
                continue;
            const TextMemberInfo* m = text_member_info(slots_table[size_t(k)].member);
            if (!text_contains(stored_form(rec.*(m->field), m->width), wanted))
                return false;
        }
    }
    return true;
}

bool raw_record_matches(const Criteria& c, const char* raw)
{
    if (!raw)
        return false;
    if (c.group != GroupField::none && group_value(c.group, raw).compare(c.group_value, Qt::CaseInsensitive) != 0)
        return false;
    if (c.by_paid && !price_in_range(qFromLittleEndian<qint64>(raw + offset_price_paid), c.paid_min, c.paid_max))
        return false;
    if (c.by_retail
        && !price_in_range(qFromLittleEndian<qint64>(raw + offset_price_retail), c.retail_min, c.retail_max))
        return false;
    if (c.by_date) {
        const TextMemberInfo* m = text_member_info(m_date_bought);
        if (!days_in_range(c, stored_date_days_raw(raw + m->offset, m->width)))
            return false;
    }
    if (c.by_text) {
        const auto& slots_table = text_slots();
        for (int k = 0; k < text_slot_count; ++k) {
            const QString& wanted = c.texts[size_t(k)];
            if (wanted.isEmpty())
                continue;
            const TextMemberInfo* m = text_member_info(slots_table[size_t(k)].member);
            if (!raw_text_contains(raw + m->offset, m->width, wanted))
                return false;
        }
    }
    return true;
}

QString criteria_text(const Criteria& c)
{
    auto date_text = [](double days) {
        return days == open_date_bound ? QStringLiteral("Any") : short_date_text(days_to_date(days)).trimmed();
    };
    auto range_text = [](qint64 min, qint64 max, const QString& name) {
        if (max == open_money_max)
            return money_text(min) + QStringLiteral(" < ") + name + QStringLiteral(" < Any");
        return money_text(min) + QStringLiteral(" < ") + name + QStringLiteral(" < ") + money_text(max);
    };

    QString s;
    if (c.by_date)
        s = trim_blanks(s) + date_text(c.date_beg) + QStringLiteral(" < Date bought < ") + date_text(c.date_end);
    if (c.by_paid)
        s = trim_blanks(s) + (c.by_date ? crlf : QString())
            + range_text(c.paid_min, c.paid_max, QStringLiteral("Price paid"));
    if (c.by_retail)
        s = trim_blanks(s) + (c.by_date || c.by_paid ? crlf : QString())
            + range_text(c.retail_min, c.retail_max, QStringLiteral("Retail price"));
    if (c.group != GroupField::none)
        s = trim_blanks(s) + (c.by_date || c.by_paid || c.by_retail ? crlf : QString())
            + QString::fromLatin1(group_field_info(c.group).caption) + QStringLiteral(" is \"")
            + group_value_text(c.group_value) + QStringLiteral("\"");
    if (c.by_text) {
        s = trim_blanks(s) + (c.by_date || c.by_paid || c.by_retail || c.group != GroupField::none ? crlf : QString())
            + QStringLiteral("Text select: ");
        const auto& slots_table = text_slots();
        for (int k = 0; k < text_slot_count; ++k) {
            const QString wanted = trim_blanks(c.texts[size_t(k)]).toUpper();
            if (wanted.isEmpty())
                continue;
            s = trim_blanks(s) + crlf + QStringLiteral("   ") + QString::fromLatin1(slots_table[size_t(k)].caption)
                + QStringLiteral(" contains \"") + wanted + QStringLiteral("\"");
        }
    }
    return s;
}

}  // namespace tessaran
