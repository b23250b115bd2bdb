#include "record_changes.h"

#include "field_text.h"
#include "money.h"
#include "picture_list.h"
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

std::vector<FieldChange> field_changes(const ScopeRecord& before, const ScopeRecord& after)
{
    // In the order of the field list the Sort window shows, then the two long
    // texts and the pictures.
    std::vector<FieldChange> found;
    const auto compare = [&found](const QString& field, const QString& was, const QString& now) {
        if (was != now)
            found.push_back({field, was, now});
    };
    for (int i = 1; i <= field_table_size; ++i) {
        const Member m = field_member(i);
        if (is_price(m)) {
            const auto price = m == m_price_paid ? &ScopeRecord::price_paid : &ScopeRecord::price_retail;
            compare(field_name(i), money_text(before.*price), money_text(after.*price));
        } else {
            compare(field_name(i), shown_text(before.*(text_member_info(m)->field)),
                    shown_text(after.*(text_member_info(m)->field)));
        }
    }
    compare(QStringLiteral("Special features"), shown_text(before.specfeatures), shown_text(after.specfeatures));
    compare(QStringLiteral("Comments"), shown_text(before.comments), shown_text(after.comments));
    if (!same_pictures(before, after))
        compare(QStringLiteral("Pictures"), PictureList::of_record(before).paths().join(QStringLiteral("; ")),
                PictureList::of_record(after).paths().join(QStringLiteral("; ")));
    return found;
}

QStringList changed_field_names(const ScopeRecord& before, const ScopeRecord& after)
{
    QStringList names;
    for (const FieldChange& c : field_changes(before, after))
        names << c.field;
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
