// The sort dialog: one of the 27 fields of the field-name table and a direction.
#pragma once

#include "core/record_file.h"
#include "core/sorting.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tessaran {

class SortDialog : public QDialog {
    Q_OBJECT
public:
    explicit SortDialog(QWidget* parent = nullptr);

    // Once accepted: the field to sort by and the direction.
    SortField field() const;
    bool descending() const;
    // Whether Sort was pressed with no field chosen (the remembered sort is
    // then forgotten, whatever follows).
    bool asked_without_field() const { return asked_without_field_; }

private:
    void confirm();

    bool asked_without_field_ = false;
    QGroupBox* frame_sortby = nullptr;
    QGroupBox* frame_order = nullptr;
    std::array<QRadioButton*, field_table_size> opt_sortby{};  // fields 1..27
    QRadioButton* opt_ascending = nullptr;
    QRadioButton* opt_descending = nullptr;
    QPushButton* cmd_sort = nullptr;
    QPushButton* cmd_cancel = nullptr;
};

}  // namespace tessaran
