#include "criteria.h"

namespace tessaran {

const std::array<TextSlot, text_slot_count>& text_slots()
{
    static const std::array<TextSlot, text_slot_count> table{{
        {"Scope name", m_scopename, 0},
        {"Artist", m_artist, 0},
        {"Studio", m_studio, 0},
        {"Scope type", m_scopetype, 1},
        {"Scope year", m_scopeyear, 0},
        {"Exterior material", m_extmat, 2},
        {"Exterior color", m_extclr, 0},
        {"Cell type", m_celltype, 3},
        {"Edition", m_edition, 6},
        {"Primary Cell Objects", m_objects, 4},
        {"Signed", m_signed, 7},
        {"Mirror system", m_mirrors, 5},
        {"Point Symmetry", m_symmetry, 8},
        {"Special features", m_specfeatures, 0},
        {"Comments", m_comments, 0},
        {"Salesperson", m_salesperson, 0},
        {"Store/Gallery", m_store, 0},
        {"Street", m_street, 0},
        {"City", m_city, 0},
        {"State", m_state, 0},
        {"Zip code", m_zip, 0},
        {"Country", m_country, 0},
        {"Phone", m_phone, 0},
        {"Fax", m_fax, 0},
        {"Email", m_email, 0},
        {"Website", m_www, 0},
    }};
    return table;
}

}  // namespace tessaran
