// The arrow keys in a list of option buttons: they move to the next or the
// previous option and choose it, as the desktop's dialogs do, also where no
// option of the list is chosen yet (Qt then only moves the focus).
#pragma once

#include <QList>

class QRadioButton;

namespace tessaran {

// Up and Left go to the previous option of options, Down and Right to the
// next; at either end they stay. The watcher is a child of the first option.
void choose_options_with_arrows(const QList<QRadioButton*>& options);

}  // namespace tessaran
