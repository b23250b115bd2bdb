// The record editor's fields: the frames of kaleidoscope parameters,
// characteristics and purchase information, built from the field table
// (form_fields()). It shows a record, gives and takes the form's values,
// marks the fields that differ from the stored record and paints itself from
// the colour scheme. It guards its typed fields: the date, the prices and the
// scope year are checked when the user leaves them, and Enter moves on to the
// next field. Pictures are the picture strip's.
#pragma once

#include "core/editor_fields.h"
#include "core/record_form.h"
#include "core/scope_record.h"

#include <QWidget>

#include <array>

class QColor;
class QGroupBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace tessaran {

class LimitedTextEdit;
struct LocaleLabels;

class RecordFormWidget : public QWidget {
    Q_OBJECT
public:
    explicit RecordFormWidget(QWidget* parent);

    // The row under the frames: left under the parameters and the
    // characteristics, right under the purchase information.
    void set_bottom_row(QWidget* left, QWidget* right);

    QWidget* field(Member m) const { return fields_.at(std::size_t(m)); }
    // The field of m where it is a line (the date, the prices and the year among them).
    QLineEdit* line(Member m) const;
    QLabel* label(Member m) const { return labels_.at(std::size_t(m)); }
    // Whether w is one of the fields (a drop-down's line counts as its drop-down).
    bool is_field(const QObject* w) const;

    // Texts and prices as the fields hold them, pictures left empty.
    RecordForm values() const;
    // Fills the fields from form (its pictures aside).
    void set_values(const RecordForm& form);
    // Fills the fields from a stored record.
    void show_record(const ScopeRecord& r);
    // Every field blank; a save writes the usual line breaks.
    void clear();
    // Paints each field that differs in the colour for changed data.
    void mark_changes(const FormChanges& changes);
    void set_read_only();

    // The leave-field checks run from now on (once the window has loaded),
    // or no more (while it closes).
    void set_checks_active(bool active) { checks_active_ = active; }
    // The typed fields as a save checks them: false after telling the user
    // why and putting the focus on the first refused one.
    bool entries_acceptable();
    // The date and price captions' tips name the locale's date form and currency.
    void set_locale_tips(const LocaleLabels& locale);

    // The scheme's colours for the frames, captions and fields; fields
    // unmarked.
    void apply_colors();
    void restore_colors();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void check_left_field(const QObject* field);
    void check_date_bought();
    void check_price(Member m, const QString& name, qint64 shown, QString& last);
    void check_scope_year();
    // The typed fields' texts now are the last accepted ones.
    void remember_typed();
    void watch_fields();
    QGroupBox* add_frame(FormFrame frame, const QString& title, QWidget* parent);
    void add_field(const FormField& entry);
    void fill_pick_lists();

    QGridLayout* grid_ = nullptr;
    std::array<QGroupBox*, 4> frames_{};  // by FormFrame
    std::array<QGridLayout*, 4> frame_grids_{};
    std::array<QWidget*, 29> fields_{};  // by Member
    std::array<QLabel*, 29> labels_{};
    LimitedTextEdit* specfeatures_ = nullptr;
    LimitedTextEdit* comments_ = nullptr;

    ScopeRecord shown_;         // the record the fields were filled from (empty while adding)
    QString last_date_bought_;  // the typed fields' last accepted texts
    QString last_price_paid_;
    QString last_price_retail_;
    QString last_scopeyear_;
    bool checks_active_ = false;
    bool in_check_ = false;  // a check is showing its message
};

}  // namespace tessaran
