// The eight fixed pick-lists of the characteristic fields.
#pragma once

#include <QStringList>

namespace tessaran {

// Items of list 1..8 in display order; empty for any other number.
const QStringList& vocabulary(int list);

}  // namespace tessaran
