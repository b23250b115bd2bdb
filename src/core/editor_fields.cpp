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

}  // namespace tessaran
