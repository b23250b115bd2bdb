#include "field_text.h"

#include "blank_text.h"
#include "entry_checks.h"
#include "money.h"
#include "scope_record.h"

namespace tessaran {

namespace {

bool blank_or_zero(QChar c)
{
    return c == QLatin1Char(' ') || c.unicode() == 0;
}

// Every line break as LF: CR LF and a lone CR both count as one break.
QString with_lf_breaks(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

}  // namespace

QString shown_text(const QString& member)
{
    qsizetype b = 0;
    qsizetype e = member.size();
    while (b < e && blank_or_zero(member.at(b)))
        ++b;
    while (e > b && blank_or_zero(member.at(e - 1)))
        --e;
    return member.mid(b, e - b);
}

bool same_field_text(const QString& field, const QString& member)
{
    return with_lf_breaks(shown_text(field)) == with_lf_breaks(shown_text(member));
}

QString line_break_of(const QString& member)
{
    const qsizetype lf = member.indexOf(QLatin1Char('\n'));
    if (lf >= 0 && (lf == 0 || member.at(lf - 1) != QLatin1Char('\r')))
        return QStringLiteral("\n");
    return QStringLiteral("\r\n");
}

QString stored_line_breaks(const QString& field, const QString& line_break)
{
    QString t = with_lf_breaks(field);
    if (line_break != QLatin1String("\n"))
        t.replace(QLatin1Char('\n'), line_break);
    return t;
}

int stored_length(const QString& field, const QString& line_break)
{
    const QString t = with_lf_breaks(field);
    return int(t.size() + t.count(QLatin1Char('\n')) * (line_break.size() - 1));
}

int text_extent(const QString& text)
{
    const QString t = trim_blanks(text);
    for (int i = int(t.size()); i > 0; --i) {
        if (!blank_or_zero(t.at(i - 1)))
            return i;
    }
    return 0;
}

bool same_text(const QString& field, const QString& member)
{
    if (trim_blanks(field) == trim_blanks(member))
        return true;
    if (text_extent(field) == 0 && text_extent(member) == 0)
        return true;
    // What the field shows of the member: zero bytes at the ends dropped, and
    // a CR LF read back from the field as a plain line break.
    return same_field_text(field, member);
}

std::optional<qint64> price_entry(const QString& field, qint64 stored)
{
    if (field == money_text(stored))
        return stored;
    if (is_blank(field))
        return 0;
    if (!is_money(field))
        return std::nullopt;
    return money_from_text(field);
}

}  // namespace tessaran
