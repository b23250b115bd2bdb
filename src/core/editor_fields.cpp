#include "editor_fields.h"

namespace tessaran {

bool is_listed_member(Member m)
{
    switch (m) {
    case m_scopetype:
    case m_extmat:
    case m_celltype:
    case m_objects:
    case m_mirrors:
    case m_edition:
    case m_signed:
    case m_symmetry:
        return true;
    default:
        return false;
    }
}

QString editor_field_name(const TextMemberInfo& member)
{
    return (is_listed_member(member.member) ? QStringLiteral("combo_") : QStringLiteral("tb_"))
           + QString::fromLatin1(member.name);
}

}  // namespace tessaran
