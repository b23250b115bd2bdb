#include "entry_checks.h"

#include "blank_text.h"
#include "locale_dates.h"
#include "money.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace tessaran {

namespace {

constexpr int first_valid_year = 1800;
constexpr double scopeyear_min = 1700;
constexpr double scopeyear_max = 32767;  // the record keeps a 16-bit year

// The leading number of a text, read with "." as the only decimal point:
// blanks before it, a sign, digits, a fraction and an exponent; 0 when the
// text does not start with a number.
double leading_number(const QString& text)
{
    QString num;
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        num.append(text.at(i++));
    const auto digits = [&] {
        qsizetype n = 0;
        while (i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
            num.append(text.at(i++));
            ++n;
        }
        return n;
    };
    qsizetype mantissa = digits();
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        num.append(text.at(i++));
        mantissa += digits();
    }
    if (mantissa == 0)
        return 0.0;
    if (i < text.size() && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        const qsizetype mark = i;
        const qsizetype kept = num.size();
        num.append(QLatin1Char('e'));
        ++i;
        if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            num.append(text.at(i++));
        if (digits() == 0) {
            i = mark;
            num.truncate(kept);
        }
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(num, &ok);
    return ok ? v : 0.0;
}

bool is_whole(double v)
{
    return std::isfinite(v) && v == std::nearbyint(v);
}

}  // namespace

bool is_money(const QString& text)
{
    qint64 amount = 0;
    // An amount that happens to equal the invalid marker could not be told
    // apart from a failed conversion later, so it is refused too.
    return parse_money(text, amount) == MoneyParse::ok && amount != invalid_money;
}

CheckedText check_date_text(const QString& text)
{
    const QString t = text.trimmed();
    if (is_blank(t))
        return {FieldCheck::blank, QString()};
    const auto date = parse_user_date(t);
    if (!date)
        return {FieldCheck::invalid, t};
    const QString shown = short_date_text(*date);
    if (date->year() < first_valid_year)
        return {FieldCheck::invalid_year, shown};
    return {FieldCheck::ok, shown};
}

CheckedText check_price_text(const QString& text)
{
    const QString t = text.trimmed();
    if (is_blank(t))
        return {FieldCheck::blank, QString()};
    if (!is_money(t))
        return {FieldCheck::invalid, t};
    return {FieldCheck::ok, money_text(money_from_text(t))};
}

YearCheck check_scopeyear(const QString& text)
{
    if (is_blank(text))
        return YearCheck::blank;
    const QString t = text.trimmed();
    // Numeric for the platform: a number in the user's locale (grouping,
    // currency form) or a plain number with "." and an optional exponent.
    qint64 as_money = 0;
    const MoneyParse local = parse_money(t, as_money);
    bool plain = false;
    QLocale::c().toDouble(t, &plain);
    plain = plain && t.contains(QRegularExpression(QStringLiteral("[0-9]")));  // not "inf" or "nan"
    if (local == MoneyParse::not_numeric && !plain)
        return YearCheck::non_numeric;
    const double v = leading_number(t);
    if (!is_whole(v))
        return is_whole(std::trunc(v)) ? YearCheck::non_integer : YearCheck::out_of_range;
    // "1999,5" under de_DE reads as 1999 with a point-only parser, yet the
    // user typed a fraction: refuse it as one.
    if (local == MoneyParse::ok && as_money % money_scale != 0)
        return YearCheck::non_integer;
    if (v < scopeyear_min || v > scopeyear_max)
        return YearCheck::out_of_range;
    return YearCheck::ok;
}

QString scopeyear_message(YearCheck check)
{
    switch (check) {
    case YearCheck::non_numeric: return QStringLiteral("Non-numeric entry for scope year field!");
    case YearCheck::non_integer: return QStringLiteral("Non-integer entry for scope year field!");
    case YearCheck::out_of_range: return QStringLiteral("Entry for scope year field out of range!");
    case YearCheck::blank:
    case YearCheck::ok: break;
    }
    return QString();
}

}  // namespace tessaran
