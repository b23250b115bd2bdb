#include "record_changes.h"

#include "record_file.h"

namespace tessaran {

namespace {

bool same_pictures(const ScopeRecord& a, const ScopeRecord& b)
{
    if (a.images_in_use() != b.images_in_use())
        return false;
    for (int i = 1; i <= a.images_in_use(); ++i) {
        if (trim_blanks(a.image_files.at(std::size_t(i))) != trim_blanks(b.image_files.at(std::size_t(i))))
            return false;
    }
    return true;
}

}  // namespace

QStringList changed_field_names(const ScopeRecord& before, const ScopeRecord& after)
{
    // In the order of the field list the Sort window shows, then the two long
    // texts and the pictures.
    QStringList names;
    for (int i = 1; i <= field_table_size; ++i) {
        const Member m = field_member(i);
        const bool differs = m == m_price_paid ? before.price_paid != after.price_paid
            : m == m_price_retail
            ? before.price_retail != after.price_retail
            : trim_blanks(before.*(text_member_info(m)->field)) != trim_blanks(after.*(text_member_info(m)->field));
        if (differs)
            names << field_name(i);
    }
    for (const Member m : {m_specfeatures, m_comments}) {
        if (trim_blanks(before.*(text_member_info(m)->field)) != trim_blanks(after.*(text_member_info(m)->field)))
            names << (m == m_specfeatures ? QStringLiteral("Special features") : QStringLiteral("Comments"));
    }
    if (!same_pictures(before, after))
        names << QStringLiteral("Pictures");
    return names;
}

bool same_kaleidoscope(const char* was, const char* now)
{
    ScopeRecord before;
    ScopeRecord after;
    decode_record_into(was, before);
    decode_record_into(now, after);
    if (trim_blanks(before.scopename) == trim_blanks(after.scopename)
        || trim_blanks(before.artist) == trim_blanks(after.artist))
        return true;
    // Of the fields either version fills in, at most half changed.
    int filled = 0;
    for (const TextMemberInfo& m : text_members())
        filled += trim_blanks(before.*m.field).isEmpty() && trim_blanks(after.*m.field).isEmpty() ? 0 : 1;
    filled += before.price_paid != 0 || after.price_paid != 0 ? 1 : 0;
    filled += before.price_retail != 0 || after.price_retail != 0 ? 1 : 0;
    filled += before.images_in_use() > 0 || after.images_in_use() > 0 ? 1 : 0;
    return changed_field_names(before, after).size() * 2 <= filled;
}

}  // namespace tessaran
