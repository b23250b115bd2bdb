#include "editor_fields.h"

#include "criteria.h"
#include "locale_dates.h"

namespace tessaran {

namespace {

constexpr int multiline_limit = 500;
constexpr FieldKind line = FieldKind::line;
constexpr FieldKind list = FieldKind::list;
constexpr FieldKind text = FieldKind::text;
constexpr FormFrame parameters = FormFrame::parameters;
constexpr FormFrame purchase = FormFrame::purchase;
constexpr FormFrame store = FormFrame::store;
constexpr FormFrame characteristics = FormFrame::characteristics;

}  // namespace

const std::array<FormField, 29>& form_fields()
{
    // The tips of the date and the prices name the locale's format; the
    // editor sets them.
    static const std::array<FormField, 29> fields = {{
        {m_scopename, "tb_scopename", "lbl_scopename", "Scope Name", "Name of kaleidoscope", line, 50, 0, parameters, 0,
         0},
        {m_artist, "tb_artist", "lbl_artist", "Artist\n(Last,First)", "Name of scope artist (last, first)", line, 50, 0,
         parameters, 1, 0},
        {m_studio, "tb_studio", "lbl_studio", "Studio", "Studio/company name of kaleidoscope artist", line, 50, 0,
         parameters, 2, 0},
        // Room for a date typed with a time of day ("12/14/2001 10:30 PM"); the
        // time is dropped and the short date is what is stored.
        {m_date_bought, "tb_date_bought", "lbl_date_bought", "Date of purchase", "", line, typed_date_length, 0,
         purchase, 0, 0},
        {m_price_paid, "tb_price_paid", "lbl_price_paid", "Purchase price", "", line, 0, 0, purchase, 1, 0},
        {m_price_retail, "tb_price_retail", "lbl_price_retail", "Retail price", "", line, 0, 0, purchase, 2, 0},
        {m_salesperson, "tb_salesperson", "lbl_salesperson", "Salesperson",
         "Salesperson from whom the kaleidoscope was purchased", line, 40, 0, store, 0, 0},
        {m_store, "tb_store", "lbl_store", "Store/Gallery", "Store or gallery from which kaleidoscope was purchased",
         line, 50, 0, store, 1, 0},
        {m_street, "tb_street", "lbl_street", "Street address", "Street address of store/gallery", line, 50, 0, store,
         2, 0},
        {m_city, "tb_city", "lbl_city", "City", "City of store/gallery", line, 50, 0, store, 3, 0},
        {m_state, "tb_state", "lbl_state", "State", "State of store/gallery", line, 20, 0, store, 4, 0},
        {m_zip, "tb_zip", "lbl_zip", "Zip code", "Zip code of store/gallery", line, 10, 0, store, 5, 0},
        {m_country, "tb_country", "lbl_country", "Country", "Country of store/gallery", line, 40, 0, store, 6, 0},
        {m_phone, "tb_phone", "lbl_phone", "Phone", "Telephone number of store/gallery", line, 20, 0, store, 7, 0},
        {m_fax, "tb_fax", "lbl_fax", "Fax", "Fax number of store/gallery", line, 20, 0, store, 8, 0},
        {m_email, "tb_email", "lbl_email", "Email", "Email address of seller", line, 50, 0, store, 9, 0},
        {m_www, "tb_www", "lbl_www", "Website", "Website of seller", line, 50, 0, store, 10, 0},
        {m_scopetype, "combo_scopetype", "lbl_scopetype", "Scope type",
         "Type of kaleidoscope, e.g. wheel, cell, teleidoscope", list, 30, 1, characteristics, 0, 0},
        {m_extmat, "combo_extmat", "lbl_extmat", "Exterior material",
         "Materials used to create outer kaleidoscope tube", list, 30, 2, characteristics, 1, 0},
        {m_extclr, "tb_extclr", "lbl_extclr", "Exterior color", "Color of the scope exterior", line, 30, 0,
         characteristics, 2, 0},
        {m_celltype, "combo_celltype", "lbl_celltype", "Cell type", "Type of object cell,e.g. oil filled, wheels", list,
         25, 3, characteristics, 3, 0},
        {m_objects, "combo_objects", "lbl_objects", "Primary\ncell objects", "Predominant type of cell object", list,
         25, 4, characteristics, 4, 0},
        {m_mirrors, "combo_mirrors", "lbl_mirrors", "Mirror system", "Number of mirrors", list, 25, 5, characteristics,
         0, 1},
        {m_scopeyear, "tb_scopeyear", "lbl_scopeyear", "Scope year", "Year of kaleidoscope manufacture (yyyy)", line,
         10, 0, characteristics, 1, 1},
        {m_edition, "combo_edition", "lbl_ltd", "Edition", "Type of edition (limited, production, promotional, etc.)",
         list, 15, 6, characteristics, 2, 1},
        {m_signed, "combo_signed", "lbl_signed", "Signed", "Is the kaleidoscope signed by the artist?", list, 20, 7,
         characteristics, 3, 1},
        {m_symmetry, "combo_symmetry", "lbl_symmetry", "Point\nsymmetry",
         "Symmetry of the image, e.g. 6-point, 8-point", list, 20, 8, characteristics, 4, 1},
        {m_specfeatures, "tb_specfeatures", "lbl_specfeatures", "Special Features",
         "Special features of the kaleidoscope", text, multiline_limit, 0, characteristics, 5, 0},
        {m_comments, "tb_comments", "lbl_comments", "Comments", "Miscellaneous information about the kaleidoscope",
         text, multiline_limit, 0, characteristics, 6, 0},
    }};
    return fields;
}

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
