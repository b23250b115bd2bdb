// The keys that open a context menu from the keyboard: the Menu key and
// Shift+F10, as on every desktop.
#pragma once

#include <QKeyEvent>

namespace tessaran {

inline bool is_context_menu_key(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Menu || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

}  // namespace tessaran
