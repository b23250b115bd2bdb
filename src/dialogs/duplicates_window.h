// The possible duplicates of the working set: a group for each name and
// artist or picture that several kaleidoscopes share, each kaleidoscope under
// it. Enter or a double click on one shows it in the editor behind, the window
// staying open to go on with the next.
#pragma once

#include "core/duplicates.h"

#include <QDialog>

#include <vector>

namespace tessaran {

class DuplicatesWindow : public QDialog {
    Q_OBJECT
public:
    // count: the kaleidoscopes of the working set looked through.
    DuplicatesWindow(const std::vector<DuplicateGroup>& groups, int count, QWidget* parent = nullptr);

signals:
    // The user chose the kaleidoscope at this working-set position.
    void position_chosen(int position);
};

}  // namespace tessaran
