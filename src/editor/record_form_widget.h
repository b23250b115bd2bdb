// The record editor's fields: the frames of kaleidoscope parameters,
// characteristics and purchase information, built from the field table
// (form_fields()). It shows a record, gives and takes the form's values,
// marks the fields that differ from the stored record and paints itself from
// the colour scheme. Pictures are the picture strip's.
#pragma once

#include "core/editor_fields.h"
#include "core/record_form.h"

#include <QWidget>

#include <array>

class QColor;
class QGroupBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace tessaran {

class LimitedTextEdit;

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

    // The scheme's colours for the frames, captions and fields; fields
    // unmarked.
    void apply_colors();
    void restore_colors();

private:
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
};

}  // namespace tessaran
