#include "vocabularies.h"

#include <array>

namespace tessaran {

const QStringList& vocabulary(int list)
{
    static const std::array<QStringList, 9> lists = {
        QStringList{},
        QStringList{"Barrel(handheld)", "Barrel(parlor)", "Cell(handheld)", "Cell(parlor)", "Handheld", "Jewelry",
                    "Marble(handheld)", "Marble(parlor)", "Teleido(handheld)", "Teleido(parlor)", "Wand(handheld)",
                    "Wand(parlor)", "Wheel(handheld)", "Wheel(parlor)"},
        QStringList{"Acrylic",         "Alabaster",      "Brass",          "Brass/wood",  "Cardboard",
                    "Ceramic",         "Eggshell",       "Fabric",         "Glass",       "Glass(blown)",
                    "Glass(dichroic)", "Glass(slumped)", "Glass(stained)", "Gourd",       "Ivory",
                    "Leather",         "Metal",          "Metal/glass",    "Paper",       "Plastic",
                    "Polymer clay",    "Resin",          "Shell",          "Wood(solid)", "Wood(veneer)"},
        QStringList{"Barrel(dry)", "Barrel(hollow)", "Barrel(liquid)", "Bubble", "Dry", "Marble(liquid)",
                    "Marble(solid)", "Oil-filled", "Polarized", "Teleidoscope", "Turntable", "Wand", "Wheels"},
        QStringList{
            "Acetate",   "Beads",     "Fabric",          "Feathers",          "Flowers/plants", "Found pieces",
            "Gemstones", "Glass",     "Glass(dichroic)", "Glass(lampworked)", "Glass(stained)", "Liquid filled ampules",
            "Marbles",   "None",      "Oil/liquid",      "Plastic",           "Polarizing",     "Rocks",
            "Shells",    "Soap film", "String",          "User supplied",     "Various"},
        QStringList{"2 mirror", "3 mirror", "4 mirror", "2 mirror tapered", "3 mirror tapered", "Multiple",
                    "Non-traditional"},
        QStringList{"Antique", "Limited", "Numbered", "One-of-a-kind", "Production", "Promotional"},
        QStringList{"No", "Yes", "Burned", "Etched", "Stamped"},
        QStringList{"3-point", "4-point", "5-point", "6-point", "7-point", "8-point", "9-point", "10-point", "12-point",
                    "14-point", "15-point"},
    };
    return lists[size_t(list >= 1 && list <= 8 ? list : 0)];
}

}  // namespace tessaran
