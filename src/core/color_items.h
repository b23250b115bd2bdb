// The items of the colour dialog and the colour scheme entries each one sets:
// a data frame has five (frame, title, label, text background, text
// foreground), the images two, the others one.
#pragma once

#include "color_file.h"

#include <QList>
#include <QStringList>

namespace tessaran {

// Every item at once, for "Set all to default colors".
inline constexpr int all_color_items = 999;

// The items in list order (positions are item numbers).
const QStringList& color_item_names();
// Scheme entries an item's defaults copy (all_color_items: all 26).
QList<int> color_item_entries(int item);
// Scheme entry of captioned box slot (0 frame .. 4 text foreground) or of the
// single box (slot 5) for an item; -1 when that box is not used.
int color_item_entry(int item, int slot);
// The scheme with the item's entries taken from the defaults.
ColorScheme with_item_defaults(ColorScheme scheme, const ColorScheme& defaults, int item);

}  // namespace tessaran
