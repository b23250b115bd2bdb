#include "sorting.h"

#include "locale_dates.h"
#include "record_file.h"
#include "record_match.h"
#include "scope_record.h"
#include "working_set.h"

#include <QHash>
#include <QtEndian>

#include <algorithm>

#include <utility>

namespace tessaran {

namespace {

constexpr double undated_key = -99999.0;  // records without a date sort first

// The heapsort of the sort engine, on 1-based arrays, with strict less-than
// tests only; equal keys end up in the order this procedure gives them.
template <typename K> void heapsort_keys(std::vector<K>& key, std::vector<int>& pos, int n)
{
    if (n <= 1 || int(key.size()) <= n || int(pos.size()) <= n)
        return;
    int l = n / 2 + 1;
    int ir = n;
    for (;;) {
        // Keys are moved, not copied: every slot moved from is written again
        // before it is next compared, so the order is the same either way.
        K k;
        int q;
        if (l > 1) {
            --l;
            k = std::move(key[size_t(l)]);
            q = pos[size_t(l)];
        } else {
            k = std::move(key[size_t(ir)]);
            q = pos[size_t(ir)];
            key[size_t(ir)] = std::move(key[1]);
            pos[size_t(ir)] = pos[1];
            --ir;
            if (ir == 1) {
                key[1] = std::move(k);
                pos[1] = q;
                return;
            }
        }
        int i = l;
        int j = l + l;
        while (j <= ir) {
            if (j < ir && key[size_t(j)] < key[size_t(j + 1)])
                ++j;
            if (k < key[size_t(j)]) {
                key[size_t(i)] = std::move(key[size_t(j)]);
                pos[size_t(i)] = pos[size_t(j)];
                i = j;
                j = j + j;
            } else {
                j = ir + 1;
            }
        }
        key[size_t(i)] = std::move(k);
        pos[size_t(i)] = q;
    }
}

// A text key with its first four characters packed into one number, so that
// most comparisons are one integer comparison. The order is exactly QString's:
// a shorter text is padded with zeros, which sort below every character, and
// equal heads fall back to the whole texts.
struct TextSortKey {
    quint64 head = 0;
    QString text;

    explicit TextSortKey(QString t = QString()) : text(std::move(t))
    {
        for (qsizetype i = 0; i < 4; ++i)
            head = (head << 16) | (i < text.size() ? text.at(i).unicode() : 0u);
    }
    bool operator<(const TextSortKey& o) const { return head != o.head ? head < o.head : text < o.text; }
};

// The heapsort only ever asks which of two keys is the smaller, so the texts
// can be replaced by their ranks among the distinct texts: every answer stays
// the same, and the heapsort then compares and moves integers. A text met many
// times (an artist with many scopes) is ranked once.
std::vector<int> text_ranks(const std::vector<QString>& texts, int n)
{
    QHash<QString, int> ids;
    ids.reserve(n);
    std::vector<int> id_of(size_t(n) + 1, 0);
    std::vector<TextSortKey> distinct;
    for (int p = 1; p <= n; ++p) {
        const QString& t = texts[size_t(p)];
        auto it = ids.constFind(t);
        if (it == ids.constEnd()) {
            it = ids.insert(t, int(distinct.size()));
            distinct.emplace_back(t);
        }
        id_of[size_t(p)] = it.value();
    }
    std::vector<int> order(distinct.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::sort(order.begin(), order.end(),
              [&distinct](int a, int b) { return distinct[size_t(a)] < distinct[size_t(b)]; });
    std::vector<int> rank(distinct.size());
    for (size_t i = 0; i < order.size(); ++i)
        rank[size_t(order[i])] = int(i);
    std::vector<int> keys(size_t(n) + 1, 0);
    for (int p = 1; p <= n; ++p)
        keys[size_t(p)] = rank[size_t(id_of[size_t(p)])];
    return keys;
}

enum class KeyKind { text, date, number };

KeyKind kind_of(int field)
{
    if (field == 14)
        return KeyKind::date;
    if (field == 15 || field == 16)
        return KeyKind::number;
    return KeyKind::text;
}

QString text_key(const char* raw, const TextMemberInfo& m)
{
    char upper[500];  // the widest member
    if (upper_cp1252(raw + m.offset, m.width, upper)) {
        // One byte is one character, so the blanks are trimmed before the
        // text is made: one string per key instead of two.
        int b = 0;
        int e = m.width;
        while (b < e && upper[b] == ' ')
            ++b;
        while (e > b && upper[e - 1] == ' ')
            --e;
        return from_cp1252(upper + b, e - b);
    }
    return trim_blanks(from_cp1252(raw + m.offset, m.width)).toUpper();
}

double date_key(const char* raw, const TextMemberInfo& m)
{
    // A date the locale cannot read sorts with the undated records.
    return stored_date_days_raw(raw + m.offset, m.width).value_or(undated_key);
}

}  // namespace

void heapsort_text(std::vector<QString>& key, std::vector<int>& pos, int n)
{
    heapsort_keys(key, pos, n);
}

void heapsort_number(std::vector<qint64>& key, std::vector<int>& pos, int n)
{
    heapsort_keys(key, pos, n);
}

void heapsort_date(std::vector<double>& key, std::vector<int>& pos, int n)
{
    heapsort_keys(key, pos, n);
}

QString sort_caption_for(SortField field, bool descending)
{
    const QString name = field_name(int(field));
    return QStringLiteral("[Sorted by: ") + trim_blanks(name)
        + (descending ? QStringLiteral("(Desc.)]") : QStringLiteral("(Asc.)]"));
}

bool sort_record_numbers(const QString& path, std::vector<int>& records, int n, int field, bool descending,
                         bool undated_last, QString* error)
{
    if (field < 1 || field > field_table_size) {
        if (error)
            *error = QStringLiteral("There is no sort field %1.").arg(field);
        return false;
    }
    n = qMin(n, int(records.size()) - 1);
    if (n <= 0)
        return true;

    std::vector<int> pos;
    std::vector<QString> text_keys;
    std::vector<double> date_keys;
    std::vector<qint64> number_keys;
    const KeyKind kind = kind_of(field);
    const Member member = field_member(field);

    RecordScanner scan;
    const FileStatus st = scan.open(path);
    if (!st) {
        if (error)
            *error = st.error;
        return false;
    }
    pos.resize(size_t(n) + 1);
    switch (kind) {
    case KeyKind::text: text_keys.resize(size_t(n) + 1); break;
    case KeyKind::date: date_keys.resize(size_t(n) + 1); break;
    case KeyKind::number: number_keys.resize(size_t(n) + 1); break;
    }
    const TextMemberInfo* info = text_member_info(member);
    const int price_offset = member == m_price_paid ? offset_price_paid : offset_price_retail;
    for (int p = 1; p <= n; ++p) {
        const int r = records[size_t(p)];
        const char* raw = scan.raw(r);
        if (!raw) {
            // The record numbers no longer fit the file: leave the order alone.
            if (error)
                *error = QStringLiteral("Record %1 lies outside the database file.").arg(r);
            return false;
        }
        pos[size_t(p)] = p;
        switch (kind) {
        case KeyKind::text: text_keys[size_t(p)] = text_key(raw, *info); break;
        case KeyKind::date: date_keys[size_t(p)] = date_key(raw, *info); break;
        case KeyKind::number: number_keys[size_t(p)] = qFromLittleEndian<qint64>(raw + price_offset); break;
        }
    }
    scan.close();

    // The heapsort moves the date keys; which records have none is kept apart.
    std::vector<bool> undated;
    if (kind == KeyKind::date && undated_last) {
        undated.resize(size_t(n) + 1);
        for (int p = 1; p <= n; ++p)
            undated[size_t(p)] = date_keys[size_t(p)] == undated_key;
    }
    switch (kind) {
    case KeyKind::text: {
        std::vector<int> ranks = text_ranks(text_keys, n);
        heapsort_keys(ranks, pos, n);
        break;
    }
    case KeyKind::date: heapsort_date(date_keys, pos, n); break;
    case KeyKind::number: heapsort_number(number_keys, pos, n); break;
    }
    if (descending)
        std::reverse(pos.begin() + 1, pos.begin() + n + 1);
    if (!undated.empty())
        std::stable_partition(pos.begin() + 1, pos.begin() + n + 1, [&](int p) { return !undated[size_t(p)]; });

    const std::vector<int> old(records.begin(), records.begin() + n + 1);
    for (int p = 1; p <= n; ++p)
        records[size_t(p)] = old[size_t(pos[size_t(p)])];
    return true;
}

bool sort_working_set(const QString& path, WorkingSet& ws, SortField field, bool descending, QString* error)
{
    if (!sort_record_numbers(path, ws.records_, ws.count_, int(field), descending, false, error))
        return false;
    ws.sort_ = {field, descending, sort_caption_for(field, descending)};
    return true;
}

}  // namespace tessaran
