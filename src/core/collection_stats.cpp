#include "collection_stats.h"

#include <algorithm>

#include "field_text.h"
#include "locale_dates.h"
#include "money.h"
#include "record_match.h"
#include "summary_export.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QtEndian>

namespace tessaran {

namespace {

qint64 price_at(const char* raw, int offset)
{
    return qFromLittleEndian<qint64>(raw + offset);
}

void add_to(QMap<QString, GroupStats>& groups, const QString& key, qint64 paid, qint64 retail)
{
    GroupStats& g = groups[key];
    g.key = key;
    ++g.count;
    g.paid.add(paid);
    g.retail.add(retail);
}

// By key, with the group of records that have none last.
std::vector<GroupStats> ordered(const QMap<QString, GroupStats>& groups, const char* none)
{
    std::vector<GroupStats> out;
    for (const GroupStats& g : groups) {
        if (g.key != QLatin1String(none))
            out.push_back(g);
    }
    if (groups.contains(QLatin1String(none)))
        out.push_back(groups.value(QLatin1String(none)));
    return out;
}

QJsonObject amount_json(const AmountStats& a)
{
    QJsonObject o;
    o.insert(QStringLiteral("total"), a.overflow ? QJsonValue() : QJsonValue(decimal_amount(a.total)));
    o.insert(QStringLiteral("average"), a.overflow ? QJsonValue() : QJsonValue(decimal_amount(a.average())));
    o.insert(QStringLiteral("lowest"), decimal_amount(a.lowest));
    o.insert(QStringLiteral("highest"), decimal_amount(a.highest));
    o.insert(QStringLiteral("with_price"), a.priced);
    o.insert(QStringLiteral("without_price"), a.unpriced);
    return o;
}

QJsonArray groups_json(const std::vector<GroupStats>& groups)
{
    QJsonArray list;
    for (const GroupStats& g : groups) {
        QJsonObject o;
        o.insert(QStringLiteral("name"), g.key);
        o.insert(QStringLiteral("count"), g.count);
        o.insert(QStringLiteral("paid"), g.paid.overflow ? QJsonValue() : QJsonValue(decimal_amount(g.paid.total)));
        o.insert(QStringLiteral("retail"),
                 g.retail.overflow ? QJsonValue() : QJsonValue(decimal_amount(g.retail.total)));
        list.append(o);
    }
    return list;
}

}  // namespace

QString amount_text(const AmountStats& a, qint64 value)
{
    return a.overflow ? QStringLiteral("too large to add up") : money_text(value);
}

void AmountStats::add(qint64 amount)
{
    if (amount == 0) {
        ++unpriced;
        return;
    }
    lowest = priced == 0 ? amount : std::min(lowest, amount);
    highest = priced == 0 ? amount : std::max(highest, amount);
    ++priced;
    if (!overflow && __builtin_add_overflow(total, amount, &total))
        overflow = true;
}

qint64 AmountStats::average() const
{
    if (priced == 0 || overflow)
        return 0;
    // To whole cents, half away from zero, without overflow.
    constexpr qint64 cent = money_scale / 100;
    const qint64 d = qint64(priced) * cent;
    qint64 q = total / d;
    const qint64 r = total % d;
    if (2 * (r < 0 ? -r : r) >= d)
        q += total < 0 ? -1 : 1;
    return q * cent;
}

bool CollectionStats::difference(qint64& out) const
{
    return !paid.overflow && !retail.overflow && !__builtin_sub_overflow(retail.total, paid.total, &out);
}

FileStatus collect_stats(const QString& collection, const std::vector<int>& order, int positions, CollectionStats& out,
                         const std::function<void(int)>& progress)
{
    out = CollectionStats{};
    RecordScanner db;
    if (FileStatus st = db.open(collection); !st)
        return st;
    const int date_offset = text_member_info(m_date_bought)->offset;
    const int date_width = text_member_info(m_date_bought)->width;
    QMap<QString, GroupStats> artists, types, years;
    int last_percent = -1;
    for (int p = 1; p <= positions; ++p) {
        const std::size_t idx = std::size_t(p);
        const char* raw = idx < order.size() ? db.raw(order[idx]) : nullptr;
        if (!raw)
            return FileStatus::failure(QStringLiteral("Record %1 could not be read from the database file.")
                                           .arg(idx < order.size() ? order[idx] : p));
        const qint64 paid = price_at(raw, offset_price_paid);
        const qint64 retail = price_at(raw, offset_price_retail);
        ++out.count;
        out.paid.add(paid);
        out.retail.add(retail);
        const QString artist = trimmed_member_text(raw, m_artist);
        add_to(artists, artist.isEmpty() ? QString::fromLatin1(no_artist_key) : artist, paid, retail);
        const QString type = trimmed_member_text(raw, m_scopetype);
        add_to(types, type.isEmpty() ? QString::fromLatin1(no_type_key) : type, paid, retail);
        const std::optional<double> days = stored_date_days_raw(raw + date_offset, date_width);
        add_to(years, days ? QString::number(days_to_date(*days).year()) : QString::fromLatin1(no_date_key), paid,
               retail);
        if (progress && positions > 0 && p * 100 / positions != last_percent) {
            last_percent = p * 100 / positions;
            progress(last_percent);
        }
    }
    out.by_artist = ordered(artists, no_artist_key);
    out.by_type = ordered(types, no_type_key);
    out.by_year = ordered(years, no_date_key);
    return {};
}

QList<QStringList> stats_rows(const CollectionStats& stats, const StatsHead& head)
{
    QList<QStringList> lines;
    lines << QStringList{QStringLiteral("Collection statistics")};
    lines << QStringList{QStringLiteral("Database file"), head.database};
    lines << QStringList{QStringLiteral("Number of kaleidoscopes"), QString::number(stats.count)};
    lines << QStringList{QStringLiteral("Sorted by"), head.sort};
    lines << QStringList{QStringLiteral("Selection criteria"), head.selection};
    lines << QStringList{QStringLiteral(" ")};
    lines << QStringList{QString(), QStringLiteral("Purchase price"), QStringLiteral("Retail price")};
    // A total too large to add up leaves the lowest and highest amounts as
    // they are: each is one stored price.
    const auto both = [&](const QString& label, qint64 AmountStats::*field, bool summed) {
        const auto text = [&](const AmountStats& a) {
            return !a.priced ? QString() : summed ? amount_text(a, a.*field) : money_text(a.*field);
        };
        lines << QStringList{label, text(stats.paid), text(stats.retail)};
    };
    both(QStringLiteral("Total"), &AmountStats::total, true);
    lines << QStringList{QStringLiteral("Average"), amount_text(stats.paid, stats.paid.average()),
                         amount_text(stats.retail, stats.retail.average())};
    both(QStringLiteral("Lowest"), &AmountStats::lowest, false);
    both(QStringLiteral("Highest"), &AmountStats::highest, false);
    lines << QStringList{QStringLiteral("Without a price"), QString::number(stats.paid.unpriced),
                         QString::number(stats.retail.unpriced)};
    qint64 diff = 0;
    lines << QStringList{QStringLiteral("Retail value less price paid"),
                         stats.difference(diff) ? money_text(diff) : QStringLiteral("too large to add up")};
    const auto table = [&](const QString& title, const std::vector<GroupStats>& groups) {
        lines << QStringList{QStringLiteral(" ")};
        lines << QStringList{title, QStringLiteral("Kaleidoscopes"), QStringLiteral("Total paid"),
                             QStringLiteral("Total retail value")};
        for (const GroupStats& g : groups)
            lines << QStringList{g.key, QString::number(g.count), amount_text(g.paid, g.paid.total),
                                 amount_text(g.retail, g.retail.total)};
    };
    table(QStringLiteral("Artist"), stats.by_artist);
    table(QStringLiteral("Scope type"), stats.by_type);
    table(QStringLiteral("Year of purchase"), stats.by_year);
    return lines;
}

QStringList stats_csv_lines(const CollectionStats& stats, const StatsHead& head)
{
    QStringList lines;
    for (const QStringList& row : stats_rows(stats, head))
        lines << csv_line(row);
    return lines;
}

QByteArray stats_json(const CollectionStats& stats, const StatsHead& head)
{
    QJsonObject o;
    o.insert(QStringLiteral("database"), head.database);
    o.insert(QStringLiteral("kaleidoscopes"), stats.count);
    o.insert(QStringLiteral("sorted_by"), head.sort);
    o.insert(QStringLiteral("selection"), head.selection);
    o.insert(QStringLiteral("price_paid"), amount_json(stats.paid));
    o.insert(QStringLiteral("price_retail"), amount_json(stats.retail));
    qint64 diff = 0;
    o.insert(QStringLiteral("retail_less_paid"),
             stats.difference(diff) ? QJsonValue(decimal_amount(diff)) : QJsonValue());
    o.insert(QStringLiteral("by_artist"), groups_json(stats.by_artist));
    o.insert(QStringLiteral("by_scope_type"), groups_json(stats.by_type));
    o.insert(QStringLiteral("by_year_of_purchase"), groups_json(stats.by_year));
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

CountAxis count_axis_for(int most)
{
    CountAxis axis;
    most = std::max(most, 1);
    for (int power = 1; power <= most; power *= 10) {
        for (const int m : {1, 2, 5}) {
            axis.step = m * power;
            if (axis.step * 5 >= most)
                break;
        }
        if (axis.step * 5 >= most)
            break;
    }
    axis.top = (most + axis.step - 1) / axis.step * axis.step;
    return axis;
}

QString counted(qint64 n, const QString& noun)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? noun : noun + QLatin1Char('s'));
}

}  // namespace tessaran
