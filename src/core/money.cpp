#include "money.h"

#include "blank_text.h"
#include "digit_at.h"
#include "scope_record.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <vector>

namespace tessaran {

namespace {

// Bidi marks (LRM, RLM, ALM) sit inside several locales' currency and sign
// texts; they carry no meaning for the amount.
QString without_format_chars(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (const QChar c : s) {
        if (c.category() != QChar::Other_Format)
            out.append(c);
    }
    return out;
}

QString trim_spaces(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s.at(b).isSpace())
        ++b;
    while (e > b && s.at(e - 1).isSpace())
        --e;
    return s.mid(b, e - b);
}

struct Affixes {
    QStringList symbols;    // longest first
    QStringList negatives;  // longest first
    QStringList positives;
};

Affixes affixes_for(const QLocale& loc)
{
    Affixes a;
    for (const QString& s :
         {loc.currencySymbol(QLocale::CurrencySymbol), loc.currencySymbol(QLocale::CurrencyIsoCode)}) {
        const QString t = trim_spaces(without_format_chars(s));
        if (!t.isEmpty() && !a.symbols.contains(t))
            a.symbols.append(t);
    }
    a.negatives = {QStringLiteral("-"), QString(QChar(0x2212))};
    const QString neg = trim_spaces(without_format_chars(loc.negativeSign()));
    if (!neg.isEmpty() && !a.negatives.contains(neg))
        a.negatives.append(neg);
    a.positives = {QStringLiteral("+")};
    const QString pos = trim_spaces(without_format_chars(loc.positiveSign()));
    if (!pos.isEmpty() && !a.positives.contains(pos))
        a.positives.append(pos);
    const auto longest_first = [](const QString& x, const QString& y) { return x.size() > y.size(); };
    std::sort(a.symbols.begin(), a.symbols.end(), longest_first);
    std::sort(a.negatives.begin(), a.negatives.end(), longest_first);
    std::sort(a.positives.begin(), a.positives.end(), longest_first);
    return a;
}

// Length of the affix from the list found at the start (or end) of s, or 0.
qsizetype match_affix(const QString& s, const QStringList& list, bool at_end)
{
    for (const QString& a : list) {
        if (at_end ? s.endsWith(a, Qt::CaseInsensitive) : s.startsWith(a, Qt::CaseInsensitive))
            return a.size();
    }
    return 0;
}

qsizetype match_symbol(const QString& s, const Affixes& a, bool at_end)
{
    if (const qsizetype n = match_affix(s, a.symbols, at_end))
        return n;
    // Any single currency sign ("$", "€", "£" ...) is taken as a symbol too.
    if (!s.isEmpty()) {
        const QChar c = at_end ? s.back() : s.front();
        if (c.category() == QChar::Symbol_Currency)
            return 1;
    }
    return 0;
}

// Strips blanks, one sign and one currency symbol from the front and the back.
// Returns false when a second sign or symbol turns up.
bool strip_affixes(QString& s, const Affixes& a, bool& negative, bool sign_seen)
{
    bool symbol_seen = false;
    for (const bool at_end : {false, true}) {
        for (;;) {
            s = trim_spaces(s);
            qsizetype n = match_affix(s, a.negatives, at_end);
            bool neg = n > 0;
            if (n == 0)
                n = match_affix(s, a.positives, at_end);
            if (n > 0) {
                if (sign_seen)
                    return false;
                sign_seen = true;
                negative = neg;
            } else {
                n = match_symbol(s, a, at_end);
                if (n == 0)
                    break;
                if (symbol_seen)
                    return false;
                symbol_seen = true;
            }
            s = at_end ? s.left(s.size() - n) : s.mid(n);
        }
    }
    return true;
}

// Groups of the integer part: the first 1..3 digits, the inner ones 2 or 3
// (Indian grouping), the last exactly 3. "12.50" under de_DE is thus refused
// instead of silently becoming 1250.
bool grouping_ok(const std::vector<int>& groups)
{
    if (groups.size() < 2)
        return true;
    if (groups.front() < 1 || groups.front() > 3 || groups.back() != 3)
        return false;
    for (size_t i = 1; i + 1 < groups.size(); ++i) {
        if (groups[i] != 2 && groups[i] != 3)
            return false;
    }
    return true;
}

// The group lengths the locale itself prints for an integer of n digits (Qt
// prints "1000 000" under bg_BG, for one); it must read back too.
std::vector<int> locale_groups(const QLocale& loc, const QString& group, qsizetype n)
{
    std::vector<int> lengths;
    if (n < 1 || n > 19 || group.isEmpty())
        return lengths;
    qulonglong v = 1;
    for (qsizetype k = 1; k < n; ++k)
        v *= 10;
    const QString shown = without_format_chars(loc.toString(v));
    for (const QString& part : shown.split(group))
        lengths.push_back(int(part.size()));
    return lengths;
}

}  // namespace

namespace {

// The exact decimal int_digits.frac_digits in ten-thousandths, rounded half to
// even past four places and range-checked for its sign.
MoneyParse ten_thousandths(const QString& int_digits, const QString& frac_digits, bool negative, qint64& amount)
{
    constexpr quint64 max_positive = quint64(std::numeric_limits<qint64>::max());
    const quint64 limit = negative ? max_positive + 1 : max_positive;
    quint64 units = 0;
    for (const QChar c : int_digits) {
        if (qMulOverflow(units, quint64(10), &units) || qAddOverflow(units, quint64(c.digitValue()), &units))
            return MoneyParse::out_of_range;
    }
    if (qMulOverflow(units, quint64(money_scale), &units))
        return MoneyParse::out_of_range;
    quint64 frac = 0;
    for (int k = 0; k < 4; ++k)
        frac = frac * 10 + quint64(k < frac_digits.size() ? frac_digits.at(k).digitValue() : 0);
    if (frac_digits.size() > 4) {
        const int next = frac_digits.at(4).digitValue();
        bool rest = false;
        for (qsizetype k = 5; k < frac_digits.size(); ++k)
            rest = rest || frac_digits.at(k) != QLatin1Char('0');
        // Half to even: the kept last digit's parity is that of frac (10000 is even).
        if (next > 5 || (next == 5 && (rest || (frac % 2) == 1)))
            ++frac;
    }
    if (qAddOverflow(units, frac, &units) || units > limit)
        return MoneyParse::out_of_range;
    amount = negative ? qint64(0 - units) : qint64(units);
    return MoneyParse::ok;
}

}  // namespace

MoneyParse parse_money(const QString& text, qint64& amount)
{
    if (is_blank(text))
        return MoneyParse::empty;
    const QLocale loc;
    const Affixes aff = affixes_for(loc);

    QString s = trim_spaces(without_format_chars(text));
    s.remove(QChar(0));
    bool negative = false;
    bool sign_seen = false;
    if (s.size() >= 2 && s.front() == QLatin1Char('(') && s.back() == QLatin1Char(')')) {
        negative = true;
        sign_seen = true;
        s = s.mid(1, s.size() - 2);
    }
    if (!strip_affixes(s, aff, negative, sign_seen) || s.isEmpty())
        return MoneyParse::not_numeric;

    const QString point = without_format_chars(loc.decimalPoint());
    const QString group = without_format_chars(loc.groupSeparator());

    QString int_digits;
    QString frac_digits;
    std::vector<int> groups;
    int current = 0;
    bool in_fraction = false;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s.at(i);
        qsizetype length = 1;
        const int dv = digit_at(s, i, length);
        if (dv >= 0) {
            (in_fraction ? frac_digits : int_digits).append(QChar(u'0' + dv));
            if (!in_fraction)
                ++current;
            i += length;
        } else if (!point.isEmpty() && s.mid(i, point.size()) == point) {
            if (in_fraction)
                return MoneyParse::not_numeric;
            in_fraction = true;
            i += point.size();
        } else if ((!group.isEmpty() && s.mid(i, group.size()) == group) || c.isSpace()) {
            // A group mark: the locale's separator or blanks (fr_FR users type
            // an ordinary space where the locale has a narrow no-break one).
            if (in_fraction || current == 0)
                return MoneyParse::not_numeric;
            groups.push_back(current);
            current = 0;
            i += (!group.isEmpty() && s.mid(i, group.size()) == group) ? group.size() : 1;
            while (i < s.size() && s.at(i).isSpace())
                ++i;
        } else {
            return MoneyParse::not_numeric;
        }
    }
    if (!groups.empty()) {
        if (current == 0)
            return MoneyParse::not_numeric;  // "1,234," or "1,.5"
        groups.push_back(current);
        if (!grouping_ok(groups) && groups != locale_groups(loc, group, int_digits.size()))
            return MoneyParse::not_numeric;
    }
    if (int_digits.isEmpty() && frac_digits.isEmpty())
        return MoneyParse::not_numeric;

    return ten_thousandths(int_digits, frac_digits, negative, amount);
}

qint64 money_from_text(const QString& text)
{
    qint64 amount = 0;
    switch (parse_money(text, amount)) {
    case MoneyParse::ok: return amount;
    case MoneyParse::not_numeric: return invalid_money;
    case MoneyParse::empty:
    case MoneyParse::out_of_range: break;
    }
    return 0;
}

namespace {

quint64 magnitude(qint64 amount)
{
    return amount < 0 ? quint64(0) - quint64(amount) : quint64(amount);
}

// Fraction digits needed to show the amount exactly (0..4).
int needed_decimals(quint64 mag)
{
    int frac = int(mag % quint64(money_scale));
    int digits = 4;
    while (digits > 0 && frac % 10 == 0) {
        frac /= 10;
        --digits;
    }
    return digits;
}

// What the money texts need of the current locale, worked out once per locale:
// working it out costs far more than one text, and a summary makes tens of
// thousands of them.
struct MoneyLocale {
    QLocale loc;
    QLocale plain;             // the same without group separators
    QString one;               // plain.toString(1)
    bool ascii_plain = false;  // plain writes whole numbers as QString::number does
    QString decimal_point;
    QString negative_sign;
    QByteArray decimal_bytes;  // the two above in Windows-1252, for money_plain_bytes
    QByteArray negative_bytes;
    bool plain_bytes = false;  // money_plain_bytes may write digits itself
    // The currency form of one sign: the probe amount 1234 in it, and where the
    // probe's number stands in it (-1 when not exactly once).
    struct Form {
        int usual = 0;  // the decimals the locale's currency form shows
        QString currency;
        QString number;
        qsizetype at = -1;
    };
    Form positive;
    Form negative;
};

const MoneyLocale& money_locale()
{
    thread_local MoneyLocale m;
    thread_local bool made = false;
    const QLocale now;
    if (made && now == m.loc)
        return m;
    m = MoneyLocale{};
    m.loc = now;
    m.plain = now;
    m.plain.setNumberOptions(now.numberOptions() | QLocale::OmitGroupSeparator);
    m.one = m.plain.toString(1);
    // Every digit appears in the probe, and without separators a whole number
    // is its digits alone, so this one comparison answers for every number.
    m.ascii_plain = m.plain.toString(qulonglong(1234567890)) == QLatin1String("1234567890");
    m.decimal_point = now.decimalPoint();
    m.negative_sign = now.negativeSign();
    m.plain_bytes = m.ascii_plain && to_cp1252_exact(m.decimal_point, m.decimal_bytes)
        && to_cp1252_exact(m.negative_sign, m.negative_bytes);
    constexpr double probe = 1234.0;
    for (const bool negative : {false, true}) {
        MoneyLocale::Form& f = negative ? m.negative : m.positive;
        f.currency = now.toCurrencyString(negative ? -probe : probe);
        for (int d = 4; d >= 0; --d) {
            if (f.currency.contains(now.toString(probe, 'f', d))) {
                f.usual = d;
                break;
            }
        }
        f.number = now.toString(probe, 'f', f.usual);
        const qsizetype at = f.currency.indexOf(f.number);
        f.at = (at < 0 || f.currency.indexOf(f.number, at + 1) >= 0) ? -1 : at;
    }
    made = true;
    return m;
}

// The number without sign, in the locale's digits, with `decimals` places.
// Group separators follow the locale's number options when `grouped`.
QString plain_whole(const MoneyLocale& m, quint64 v)
{
    return m.ascii_plain ? QString::number(v) : m.plain.toString(qulonglong(v));
}

QString exact_number(const MoneyLocale& m, quint64 mag, int decimals, bool grouped)
{
    const quint64 int_part = mag / quint64(money_scale);
    QString out = grouped ? m.loc.toString(qulonglong(int_part)) : plain_whole(m, int_part);
    if (decimals > 0) {
        quint64 frac = mag % quint64(money_scale);
        quint64 pow = 1;
        for (int k = 0; k < decimals; ++k)
            pow *= 10;
        if (decimals <= 4) {
            for (int k = decimals; k < 4; ++k)
                frac /= 10;
        } else {
            for (int k = 4; k < decimals; ++k)
                frac *= 10;
        }
        // "1" in front keeps the leading zeros; it is cut off again, whatever
        // the locale's digits look like.
        const QString with_one = plain_whole(m, pow + frac);
        out += m.decimal_point + with_one.mid(m.one.size());
    }
    return out;
}

}  // namespace

QString money_text(qint64 amount)
{
    if (amount == 0)
        return QString();
    const MoneyLocale& m = money_locale();
    const MoneyLocale::Form& form = amount < 0 ? m.negative : m.positive;
    const quint64 mag = magnitude(amount);
    const int decimals = std::max(form.usual, needed_decimals(mag));
    if (form.at < 0) {
        // The locale's currency form could not be taken apart; its own
        // formatting with enough decimals is the next best.
        return m.loc.toCurrencyString(double(amount) / money_scale, QString(), decimals);
    }
    QString out = form.currency;
    out.replace(form.at, form.number.size(), exact_number(m, mag, decimals, true));
    return out;
}

QString money_plain_text(qint64 amount)
{
    const MoneyLocale& m = money_locale();
    const quint64 mag = magnitude(amount);
    const QString number = exact_number(m, mag, needed_decimals(mag), false);
    return amount < 0 ? m.negative_sign + number : number;
}

QByteArray money_plain_bytes(qint64 amount)
{
    const MoneyLocale& m = money_locale();
    if (!m.plain_bytes)
        return to_cp1252(money_plain_text(amount));
    // The same text as money_plain_text, written straight as bytes.
    const quint64 mag = magnitude(amount);
    char digits[32];
    int n = 0;
    quint64 whole = mag / quint64(money_scale);
    do {
        digits[n++] = char('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    QByteArray out;
    out.reserve(n + 8);
    if (amount < 0)
        out += m.negative_bytes;
    while (n > 0)
        out += digits[--n];
    int places = needed_decimals(mag);
    if (places > 0) {
        out += m.decimal_bytes;
        quint64 frac = mag % quint64(money_scale);
        for (int k = places; k < 4; ++k)
            frac /= 10;
        char f[4];
        for (int k = places - 1; k >= 0; --k) {
            f[k] = char('0' + frac % 10);
            frac /= 10;
        }
        out.append(f, places);
    }
    return out;
}

QString decimal_amount(qint64 amount)
{
    const bool negative = amount < 0;
    // Work in unsigned so the most negative amount does not overflow.
    const quint64 magnitude = negative ? quint64(0) - quint64(amount) : quint64(amount);
    QString text = QString::number(magnitude / 10000);
    quint64 fraction = magnitude % 10000;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += QLatin1Char('.') + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

std::optional<qint64> money_from_decimal(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    const bool negative = t.startsWith(QLatin1Char('-'));
    if (negative)
        ++i;
    quint64 whole = 0;
    int digits = 0;
    for (; i < t.size() && t.at(i).isDigit(); ++i, ++digits) {
        whole = whole * 10 + quint64(t.at(i).digitValue());
        if (whole > quint64(std::numeric_limits<qint64>::max()) / money_scale + 1)
            return std::nullopt;
    }
    quint64 fraction = 0;
    int places = 0;
    if (i < t.size() && t.at(i) == QLatin1Char('.')) {
        for (++i; i < t.size() && t.at(i).isDigit() && places < 4; ++i, ++places)
            fraction = fraction * 10 + quint64(t.at(i).digitValue());
    }
    if (i != t.size() || (digits == 0 && places == 0))
        return std::nullopt;
    for (int p = places; p < 4; ++p)
        fraction *= 10;
    const quint64 magnitude = whole * money_scale + fraction;
    if (magnitude > quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0))
        return std::nullopt;
    return negative ? qint64(0 - magnitude) : qint64(magnitude);
}

}  // namespace tessaran
