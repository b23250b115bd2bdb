// Change a field...: one field of the working set's kaleidoscopes, or of one
// group of them, set to a new value or a text within it replaced by another.
// The changes are listed before and after, and nothing is written until the
// user presses Change.
#pragma once

#include "core/collection_groups.h"
#include "core/field_change.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace tessaran {

class FieldChangeDialog : public QDialog {
    Q_OBJECT
public:
    // How a write went: written; not written, told, and the changes are to
    // be shown again; or refused (told) and the dialog closes.
    enum class Written { done, again, refused };
    using Writer = std::function<Written(const FieldChangePlan&)>;

    // working_set: the record numbers of the working set, in its order, read
    // again each time the changes are shown. group, value: the group chosen
    // at first (GroupField::none: the whole working set).
    FieldChangeDialog(const QString& path, std::function<std::vector<int>()> working_set, GroupField group,
                      const QString& value, QWidget* parent = nullptr);

    void set_writer(Writer write) { write_ = std::move(write); }
    // How many kaleidoscopes the accepted dialog changed.
    int changed() const { return changed_; }

private:
    void build_choices();
    // The working set read again and grouped; the group valued wanted chosen.
    // False when the grouping has no such group.
    bool fill_groups(const QString& wanted = QString());
    void field_chosen();
    // The changes as they would be made now, listed.
    void show_changes();
    void forget_changes();
    void write_changes();
    // The working set as last read (records_), or the chosen group of it.
    std::vector<int> chosen_records() const;

    QString path_;
    std::function<std::vector<int>()> working_set_;
    Writer write_;
    std::vector<int> records_;      // the working set when the groups were made
    std::vector<RowGroup> groups_;  // of records_
    FieldChangePlan plan_;
    bool shown_ = false;  // plan_ is what the choices would change
    int changed_ = 0;

    QComboBox* group_by_ = nullptr;
    QComboBox* group_ = nullptr;
    QComboBox* field_ = nullptr;
    QRadioButton* set_ = nullptr;
    QRadioButton* replace_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLabel* to_label_ = nullptr;
    QComboBox* to_ = nullptr;
    QPushButton* preview_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* change_ = nullptr;
};

}  // namespace tessaran
