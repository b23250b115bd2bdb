// "Deleted kaleidoscopes...": every kaleidoscope deleted and not put back,
// newest first, narrowed by what the filter finds in its name or artist.
// "Restore" ends the window with the one chosen.
#pragma once

#include "core/collection_history.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tessaran {

class DeletedKaleidoscopesWindow : public QDialog {
    Q_OBJECT
public:
    explicit DeletedKaleidoscopesWindow(std::vector<DeletedKaleidoscope> deleted, QWidget* parent = nullptr);
    // The one chosen (nullptr when none is).
    const DeletedKaleidoscope* chosen() const;

private:
    void filter(const QString& text);

    std::vector<DeletedKaleidoscope> deleted_;
    QLineEdit* filter_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* restore_ = nullptr;
};

}  // namespace tessaran
