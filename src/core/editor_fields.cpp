#include "editor_fields.h"

#include "criteria.h"

namespace tessaran {

bool is_listed_member(Member m)
{
    // The selection dialog's slots know which members have a pick-list.
    for (const TextSlot& slot : text_slots()) {
        if (slot.member == m && slot.list != 0)
            return true;
    }
    return false;
}

QString editor_field_name(const TextMemberInfo& member)
{
    return (is_listed_member(member.member) ? QStringLiteral("combo_") : QStringLiteral("tb_"))
        + QString::fromLatin1(member.name);
}

QString spoken_caption(const QString& caption)
{
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                out += c, ++i;
            continue;
        }
        out += (c == QLatin1Char('\n') || c == QLatin1Char('\r')) ? QLatin1Char(' ') : c;
    }
    out = out.simplified();
    if (out.endsWith(QLatin1Char(':')))
        out.chop(1);
    return out;
}

}  // namespace tessaran
