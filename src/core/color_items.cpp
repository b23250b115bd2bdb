#include "color_items.h"

namespace tessaran {

namespace {

// The first entry of a data frame's five, by item; -1 for other items.
int base_of_item(int item)
{
    switch (item) {
    case 0: return 1;
    case 2: return 6;
    case 3: return 11;
    case 4: return 16;
    default: return -1;
    }
}

}  // namespace

const QStringList& color_item_names()
{
    static const QStringList names{
        QStringLiteral("Parameters frame"),        QStringLiteral("Control"),
        QStringLiteral("Characteristics frame"),   QStringLiteral("Purchase information frame"),
        QStringLiteral("Place of purchase frame"), QStringLiteral("Images"),
        QStringLiteral("Form background"),         QStringLiteral("Command buttons"),
        QStringLiteral("Changed data "),
    };
    return names;
}

QList<int> color_item_entries(int item)
{
    if (item == all_color_items) {
        QList<int> all;
        for (int i = 0; i < color_count; ++i)
            all << i;
        return all;
    }
    const int base = base_of_item(item);
    if (base > 0)
        return {base, base + 1, base + 2, base + 3, base + 4};
    switch (item) {
    case 1: return {23};
    case 5: return {21, 22};
    case 6: return {24};
    case 7: return {25};
    case 8: return {0};
    default: return {};
    }
}

int color_item_entry(int item, int slot)
{
    const int base = base_of_item(item);
    if (base > 0)
        return slot >= 0 && slot < 5 ? base + slot : -1;
    switch (item) {
    case 5: return slot == 0 ? 21 : slot == 1 ? 22 : -1;
    case 1: return slot == 5 ? 23 : -1;
    case 6: return slot == 5 ? 24 : -1;
    case 7: return slot == 5 ? 25 : -1;
    case 8: return slot == 5 ? 0 : -1;
    default: return -1;
    }
}

ColorScheme with_item_defaults(ColorScheme scheme, const ColorScheme& defaults, int item)
{
    for (const int e : color_item_entries(item))
        scheme[std::size_t(e)] = defaults[std::size_t(e)];
    return scheme;
}

}  // namespace tessaran
