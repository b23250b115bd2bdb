// The record-sheet dialog: which working-set positions to print, one sheet each.
#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tessaran {

class RecordSheetDialog : public QDialog {
    Q_OBJECT
public:
    // count and position are the working set's size and the position shown.
    // print_sheets prints positions first..last and says whether anything was
    // printed (or saved); preview_sheets shows them first. Both are the caller's.
    using SheetAction = std::function<bool(int first, int last)>;
    RecordSheetDialog(int count, int position, SheetAction print_sheets, SheetAction preview_sheets = {},
                      QWidget* parent = nullptr);

    // Checks the two entries; on success first/last are the range, otherwise
    // the user has been told why.
    bool validate(int& first, int& last);

    void print();
    void print_current();
    void preview();
    void cancel();

    // Whether each sheet is followed by a page of the kaleidoscope's pictures.
    bool include_pictures() const;

    // The range of the last valid request (0, 0 before one).
    int range_first() const { return first_; }
    int range_last() const { return last_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Checks the entries and keeps the range; false after telling the user why.
    bool take_range();
    int count_ = 0;
    int position_ = 0;
    SheetAction print_sheets_;
    SheetAction preview_sheets_;
    int first_ = 0;
    int last_ = 0;
    QPlainTextEdit* tb_explain = nullptr;
    QGroupBox* fr_records = nullptr;
    QLabel* lbl_records = nullptr;
    QLineEdit* tb_beg = nullptr;
    QLabel* lbl_to = nullptr;
    QLineEdit* tb_end = nullptr;
    QLabel* lbl_max = nullptr;
    QCheckBox* chk_pictures = nullptr;
    QPushButton* cmd_print = nullptr;
    QPushButton* cmd_current = nullptr;
    QPushButton* cmd_preview = nullptr;
    QPushButton* cmd_cancel = nullptr;
};

}  // namespace tessaran
