// A row of tabs as a screen reader should meet it: a page tab list named by
// what it chooses between, with a page tab for each tab, the chosen one
// selected. (Qt names a tab bar by its current tab, whatever name it is given.)
#pragma once

class QString;
class QTabBar;

namespace tessaran {

// Gives bar the accessible name name, said as the list's name.
void name_tab_bar(QTabBar* bar, const QString& name);

}  // namespace tessaran
