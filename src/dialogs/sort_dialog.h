// The sort dialog: one of the 27 fields of the field-name table and a direction.
#pragma once

#include "core/record_file.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tessaran {

struct WorkingSet;

class SortDialog : public QDialog {
    Q_OBJECT
public:
    // Sorts ws, the working set of the collection at path, when the user asks;
    // ws must outlive the dialog.
    SortDialog(const QString& path, WorkingSet& ws, QWidget* parent = nullptr);

    // True once Sort has reordered the working set; the caller then shows position 1.
    bool sorted() const { return sorted_; }
    // The option of field i (1..27).
    QRadioButton* sort_option(int i) const { return opt_sortby.at(std::size_t(i)); }

public slots:
    void sort_records();
    void cancel();

private:
    QString path_;
    WorkingSet& ws_;
    bool sorted_ = false;
    QGroupBox* frame_sortby = nullptr;
    QGroupBox* frame_order = nullptr;
    std::array<QRadioButton*, field_table_size + 1> opt_sortby{};  // 1..27
    QRadioButton* opt_ascending = nullptr;
    QRadioButton* opt_descending = nullptr;
    QPushButton* cmd_sort = nullptr;
    QPushButton* cmd_cancel = nullptr;
};

}  // namespace tessaran
