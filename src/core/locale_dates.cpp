#include "locale_dates.h"

#include "digit_at.h"

#include <QLocale>
#include <QStringList>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace tessaran {

namespace {

const QDate day_zero(1899, 12, 30);

bool starts_word(const QString& s, qsizetype i)
{
    const QChar c = s.at(i);
    if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
        const char32_t u = QChar::surrogateToUcs4(c, s.at(i + 1));
        return QChar::isLetter(u) || QChar::isMark(u);
    }
    return c.isLetter() || c.isMark();
}

bool is_pattern_letter(QChar c)
{
    return c.isLetter() && c.unicode() < 128;
}

// Every run of 'y' outside quoted text becomes "yyyy": Qt gives "yy" for many
// locales and a two-digit year must never be shown or stored.
QString widen_year(const QString& pattern)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            out.append(c);
            ++i;
        } else if (!quoted && c == QLatin1Char('y')) {
            while (i < pattern.size() && pattern.at(i) == QLatin1Char('y'))
                ++i;
            out.append(QLatin1String("yyyy"));
        } else {
            out.append(c);
            ++i;
        }
    }
    return out;
}

enum class Field { day, month, year };

// The order of day, month and year in a pattern, and its literal words (quoted
// text and non-ASCII letters such as the "年" of Japanese long dates).
struct PatternShape {
    std::vector<Field> order;
    QStringList words;
};

PatternShape shape_of(const QString& pattern)
{
    PatternShape shape;
    QString word;
    const auto flush = [&] {
        const QString w = word.trimmed();
        if (!w.isEmpty())
            shape.words.append(w);
        word.clear();
    };
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            if (quoted && i + 1 < pattern.size() && pattern.at(i + 1) == QLatin1Char('\'')) {
                word.append(c);
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        if (quoted) {
            if (c.isLetter() || c.isMark())
                word.append(c);
            else
                flush();
            ++i;
            continue;
        }
        if (is_pattern_letter(c)) {
            flush();
            qsizetype run = 0;
            while (i + run < pattern.size() && pattern.at(i + run) == c)
                ++run;
            i += run;
            Field f;
            if (c == QLatin1Char('d') && run <= 2)
                f = Field::day;
            else if (c == QLatin1Char('M') || c == QLatin1Char('L'))
                f = Field::month;
            else if (c == QLatin1Char('y'))
                f = Field::year;
            else
                continue;  // weekday names, times: not part of the date value
            if (std::find(shape.order.begin(), shape.order.end(), f) == shape.order.end())
                shape.order.push_back(f);
            continue;
        }
        if (c.isLetter() || c.isMark())
            word.append(c);
        else
            flush();
        ++i;
    }
    flush();
    return shape;
}

struct Word {
    QString text;
    int month = 0;  // 1..12 for a month name, 0 for words that are skipped
};

std::vector<Word> words_for(const QLocale& loc, const QStringList& literals)
{
    std::vector<Word> words;
    for (int m = 1; m <= 12; ++m) {
        for (const QString& name :
             {loc.monthName(m, QLocale::LongFormat), loc.monthName(m, QLocale::ShortFormat),
              loc.standaloneMonthName(m, QLocale::LongFormat), loc.standaloneMonthName(m, QLocale::ShortFormat)}) {
            if (!name.isEmpty())
                words.push_back({name, m});
        }
    }
    for (int d = 1; d <= 7; ++d) {
        for (const QString& name :
             {loc.dayName(d, QLocale::LongFormat), loc.dayName(d, QLocale::ShortFormat),
              loc.standaloneDayName(d, QLocale::LongFormat), loc.standaloneDayName(d, QLocale::ShortFormat)}) {
            if (!name.isEmpty())
                words.push_back({name, 0});
        }
    }
    for (const QString& w : literals)
        words.push_back({w, 0});
    // Longest first, so that "March" wins over "Mar"; month names before
    // other words of the same length.
    std::stable_sort(words.begin(), words.end(), [](const Word& a, const Word& b) {
        if (a.text.size() != b.text.size())
            return a.text.size() > b.text.size();
        return a.month > b.month;
    });
    return words;
}

struct Number {
    int value = 0;
    int digits = 0;
};

// The words of a locale and pattern, worked out once: a scan of a collection
// parses a date per record, and gathering and sorting the month and day names
// each time was most of its cost.
const std::vector<Word>& cached_words(const QLocale& loc, const QStringList& literals)
{
    thread_local std::map<QString, std::vector<Word>> cache;
    const QString key = loc.name() + QChar(0x1F) + literals.join(QChar(0x1F));
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, words_for(loc, literals)).first;
    return it->second;
}

// Reads text in the order of a pattern: numbers and month names fill the day,
// month and year; weekday names and the pattern's own words are passed over;
// any other word, or a wrong count of numbers, fails.
std::optional<QDate> parse_with(const QLocale& loc, const QString& text, const QString& pattern)
{
    const PatternShape shape = shape_of(pattern);
    if (shape.order.size() != 3)
        return std::nullopt;
    const std::vector<Word>& words = cached_words(loc, shape.words);

    std::vector<Number> numbers;
    int named_month = 0;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype length = 1;
        if (digit_at(text, i, length) >= 0) {
            Number n;
            int dv = 0;
            while (i < text.size() && (dv = digit_at(text, i, length)) >= 0) {
                if (++n.digits > 4)
                    return std::nullopt;
                n.value = n.value * 10 + dv;
                i += length;
            }
            numbers.push_back(n);
        } else if (starts_word(text, i)) {
            const Word* hit = nullptr;
            for (const Word& w : words) {
                if (QStringView(text).mid(i, w.text.size()).compare(w.text, Qt::CaseInsensitive) == 0) {
                    hit = &w;
                    break;
                }
            }
            if (!hit)
                return std::nullopt;
            if (hit->month > 0) {
                if (named_month > 0)
                    return std::nullopt;
                named_month = hit->month;
            }
            i += hit->text.size();
        } else {
            ++i;  // separators
        }
    }

    const size_t wanted = named_month > 0 ? 2 : 3;
    if (numbers.size() != wanted)
        return std::nullopt;
    int day = 0;
    int month = named_month;
    int year = 0;
    int year_digits = 0;
    size_t next = 0;
    for (const Field f : shape.order) {
        if (f == Field::month && named_month > 0)
            continue;
        const Number& n = numbers[next++];
        switch (f) {
        case Field::day:
            if (n.digits > 2)
                return std::nullopt;
            day = n.value;
            break;
        case Field::month:
            if (n.digits > 2)
                return std::nullopt;
            month = n.value;
            break;
        case Field::year:
            year = n.value;
            year_digits = n.digits;
            break;
        }
    }
    if (year_digits <= 2)
        year += year < 30 ? 2000 : 1900;  // two digits: 1930..2029
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QDate> parse_iso(const QString& t)
{
    // yyyy-MM-dd with ASCII digits only.
    const QStringList parts = t.split(QLatin1Char('-'));
    if (parts.size() != 3 || parts[0].size() != 4 || parts[1].isEmpty() || parts[1].size() > 2 || parts[2].isEmpty()
        || parts[2].size() > 2)
        return std::nullopt;
    int v[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        for (const QChar c : parts[k]) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return std::nullopt;
            v[k] = v[k] * 10 + (c.unicode() - '0');
        }
    }
    const QDate date(v[0], v[1], v[2]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

}  // namespace

QString short_date_pattern()
{
    return widen_year(QLocale().dateFormat(QLocale::ShortFormat));
}

QString locale_short_date_fmt()
{
    return short_date_pattern().toLower();
}

QString with_unit(const QString& caption, const QString& unit)
{
    const QString u = unit.trimmed();
    return u.isEmpty() ? caption : caption + QStringLiteral(" (") + u + QLatin1Char(')');
}

QString locale_currency_symbol()
{
    QString s = QLocale().currencySymbol(QLocale::CurrencySymbol);
    while (!s.isEmpty() && (s.front().isSpace() || s.front().category() == QChar::Other_Format))
        s.remove(0, 1);
    while (!s.isEmpty() && (s.back().isSpace() || s.back().category() == QChar::Other_Format))
        s.chop(1);
    return s;
}

LocaleLabels current_locale_labels()
{
    return {locale_short_date_fmt(), locale_currency_symbol()};
}

namespace {

std::optional<QDate> parse_date_only(const QString& t)
{
    if (const auto iso = parse_iso(t))
        return iso;
    const QLocale loc;
    if (const auto d = parse_with(loc, t, loc.dateFormat(QLocale::ShortFormat)))
        return d;
    return parse_with(loc, t, loc.dateFormat(QLocale::LongFormat));
}

// A time of day in the locale's forms, in 24-hour "H:mm[:ss]" or 12-hour "h:mm[:ss] AP".
bool is_time_of_day(QString t)
{
    if (t.isEmpty() || !t.front().isDigit())
        return false;
    const QLocale loc;
    if (loc.toTime(t, QLocale::ShortFormat).isValid() || loc.toTime(t, QLocale::LongFormat).isValid())
        return true;
    // CLDR puts a narrow no-break space before AM/PM; people type a blank.
    t.replace(QChar(0x202F), QLatin1Char(' ')).replace(QChar(0x00A0), QLatin1Char(' '));
    for (const char* f : {"H:mm", "H:mm:ss", "h:mm AP", "h:mm:ss AP", "h:mmAP", "h:mm ap", "h:mm:ss ap"}) {
        if (QTime::fromString(t, QString::fromLatin1(f)).isValid())
            return true;
    }
    return false;
}

}  // namespace

std::optional<QDate> parse_user_date(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (const auto d = parse_date_only(t))
        return d;
    // A time of day after the date is dropped, as the short-date form drops it.
    for (qsizetype i = t.indexOf(QLatin1Char(' ')); i > 0; i = t.indexOf(QLatin1Char(' '), i + 1)) {
        if (is_time_of_day(t.mid(i + 1).trimmed())) {
            if (const auto d = parse_date_only(t.left(i).trimmed()))
                return d;
        }
    }
    return std::nullopt;
}

QString short_date_text(const QDate& date)
{
    return QLocale().toString(date, short_date_pattern());
}

double date_to_days(const QDate& date)
{
    return date.isValid() ? double(day_zero.daysTo(date)) : 0.0;
}

QDate days_to_date(double days)
{
    // Beyond any date a record can hold; also keeps the cast below defined.
    if (!std::isfinite(days) || std::fabs(days) > 1e9)
        return QDate();
    return day_zero.addDays(qint64(std::floor(days)));
}

}  // namespace tessaran
