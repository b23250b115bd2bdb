// The criteria dialog: 26 text slots, a purchase-date range and two price ranges.
// One body serves two uses: the selection dialog SelectDialog and the find dialog
// FindDialog. The criteria are checked as a whole when the user confirms and given
// back only then, so a refused or cancelled attempt leaves the criteria in force alone.
#pragma once

#include "core/criteria.h"
#include "core/locale_dates.h"

#include <QDialog>

#include <array>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tessaran {

class CriteriaDialog : public QDialog {
    Q_OBJECT
public:
    enum class Use { select, find };

    // Accepted after Perform selection / Select all / Find, Rejected after
    // Cancel, Escape or the window frame's close.
    Use use() const { return use_; }
    // What the user confirmed: the criteria, or (selection only) Select all.
    const Criteria& chosen() const { return chosen_; }
    bool chose_all() const { return chose_all_; }

public slots:
    void confirm_criteria();
    void select_all();
    void cancel();
    // The check run when the user leaves one of the six range boxes.
    void range_box_left(QLineEdit* box);

protected:
    CriteriaDialog(Use use, const LocaleLabels& labels, QWidget* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The text the user entered in slot k (1..26), as typed.
    QString slot_text(int k) const;
    // The slot's entry field: its text box or its combo box.
    QWidget* slot_field(int k) const;
    void build();
    // The 26 text slots in two columns, the three ranges, the command buttons.
    QGridLayout* build_slots(const QString& stem);
    QGridLayout* build_ranges();
    QHBoxLayout* build_buttons(bool select);
    // Checks every box and fills c; false after telling the user what is wrong.
    bool gather(Criteria& c);
    QString range_field_name(const QLineEdit* box) const;

    Use use_;
    LocaleLabels labels_;  // the date pattern and currency symbol the ranges are labelled with
    Criteria chosen_;
    bool chose_all_ = false;
    bool checking_ = false;
    std::array<bool, text_slot_count> slot_is_combo{};
    std::array<QString, text_slot_count> slot_caption;
    std::array<QLabel*, text_slot_count> lbl_cat{};
    std::array<QLineEdit*, text_slot_count> tb_cat{};     // nullptr for combo slots
    std::array<QComboBox*, text_slot_count> combo_cat{};  // nullptr for text-box slots
    QLineEdit* tb_begdate = nullptr;
    QLineEdit* tb_enddate = nullptr;
    QLineEdit* tb_price_paid_min = nullptr;
    QLineEdit* tb_price_paid_max = nullptr;
    QLineEdit* tb_retail_price_min = nullptr;
    QLineEdit* tb_retail_price_max = nullptr;
    QPushButton* cmd_perform = nullptr;    // "Perform selection" (cmd_select) or "Find" (cmd_find)
    QPushButton* cmd_selectall = nullptr;  // selection only
    QPushButton* cmd_cancel = nullptr;
};

// The selection dialog: asks for the selection criteria.
class SelectDialog : public CriteriaDialog {
    Q_OBJECT
public:
    explicit SelectDialog(const LocaleLabels& labels, QWidget* parent = nullptr);
};

// The find dialog: asks for the find criteria.
class FindDialog : public CriteriaDialog {
    Q_OBJECT
public:
    explicit FindDialog(const LocaleLabels& labels, QWidget* parent = nullptr);
};

}  // namespace tessaran
