#include "record_form.h"

#include "field_text.h"
#include "locale_dates.h"
#include "money.h"

namespace tessaran {

RecordForm form_of(const ScopeRecord& r)
{
    RecordForm form;
    for (std::size_t i = 0; i < form.texts.size(); ++i)
        form.texts[i] = shown_text(r.*(text_members()[i].field));
    form.comments_break = line_break_of(r.comments);
    form.specfeatures_break = line_break_of(r.specfeatures);
    form.price_paid = money_text(r.price_paid);
    form.price_retail = money_text(r.price_retail);
    form.pictures = PictureList::of_record(r);
    return form;
}

FormChanges form_changes(const RecordForm& form, const ScopeRecord& stored)
{
    FormChanges changes;
    for (std::size_t i = 0; i < form.texts.size(); ++i) {
        if (!same_text(form.texts[i], stored.*(text_members()[i].field)))
            changes.texts.push_back(int(i));
    }
    const std::optional<qint64> paid = price_entry(form.price_paid, stored.price_paid);
    const std::optional<qint64> retail = price_entry(form.price_retail, stored.price_retail);
    changes.price_paid = paid != stored.price_paid;
    changes.price_retail = retail != stored.price_retail;
    changes.price_paid_unreadable = !paid;
    changes.price_retail_unreadable = !retail;
    const int stored_images = stored.images_in_use();
    for (int i = 1; i <= max_pictures; ++i) {
        const QString was = i <= stored_images ? shown_text(stored.image_files[std::size_t(i)]) : QString();
        if (was != shown_text(form.pictures.at(i)))
            changes.picture_slots.push_back(i);
    }
    return changes;
}

ScopeRecord record_from_form(const RecordForm& form, const ScopeRecord& stored)
{
    ScopeRecord r = stored;
    for (std::size_t i = 0; i < form.texts.size(); ++i) {
        const TextMemberInfo& info = text_members()[i];
        QString text = trim_blanks(form.texts[i]);
        if (info.member == m_date_bought && text.size() > info.width) {
            if (const auto date = parse_user_date(text))
                text = short_date_text(*date);
        }
        if (info.member == m_specfeatures)
            text = stored_line_breaks(text, form.specfeatures_break);
        else if (info.member == m_comments)
            text = stored_line_breaks(text, form.comments_break);
        r.*(info.field) = fixed_text(text, info.width);
    }
    r.price_paid = price_entry(form.price_paid, stored.price_paid).value_or(0);
    r.price_retail = price_entry(form.price_retail, stored.price_retail).value_or(0);
    const int stored_images = stored.images_in_use();
    r.image_count = qint16(form.pictures.count());
    for (int i = 1; i < image_slot_count; ++i) {
        const std::size_t s = std::size_t(i);
        if (i <= form.pictures.count())
            r.image_files[s] = fixed_text(form.pictures.at(i), image_slot_width);
        else if (i <= stored_images)
            r.image_files[s] = fixed_text(QString(), image_slot_width);
    }
    return r;
}

RecordForm edits_over(const RecordForm& theirs, const RecordForm& edits, const ScopeRecord& before)
{
    const FormChanges mine = form_changes(edits, before);
    RecordForm merged = theirs;
    for (const int i : mine.texts)
        merged.texts.at(std::size_t(i)) = edits.texts.at(std::size_t(i));
    if (mine.price_paid)
        merged.price_paid = edits.price_paid;
    if (mine.price_retail)
        merged.price_retail = edits.price_retail;
    if (!mine.picture_slots.empty())
        merged.pictures = edits.pictures;
    return merged;
}

}  // namespace tessaran
