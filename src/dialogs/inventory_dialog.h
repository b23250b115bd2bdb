// Where the inventory goes and which price states the value: a PDF file
// (typed or chosen) and retail or purchase prices, with Write PDF and Cancel.
#pragma once

#include "core/inventory.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessaran {

class InventoryDialog : public QDialog {
    Q_OBJECT
public:
    InventoryDialog(const QString& file, QWidget* parent = nullptr);

    QString file() const;
    InventoryValue value() const;

private:
    void browse();

    QLineEdit* file_ = nullptr;
    QRadioButton* paid_ = nullptr;
    QPushButton* write_ = nullptr;
};

}  // namespace tessaran
