// The preview before kaleidoscopes are imported: the first rows as they will
// be stored, which column goes into which field (the user may change it),
// which rows cannot be imported and why. Nothing is written here; the editor
// appends the sound rows when the user confirms.
#pragma once

#include "core/record_import.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QStandardItemModel;
class QTableView;
class QTableWidget;

namespace tessaran {

class ImportPreview : public QDialog {
    Q_OBJECT
public:
    ImportPreview(const QString& source_path, ImportSource source, QWidget* parent = nullptr);

    // The column's field, as the user would choose it in the list.
    void set_target(int column, int target);

    // Every converted row, the refused ones with their problem: what the
    // Import command writes (append_sound_rows), so that a large import is
    // not copied first.
    const std::vector<ImportedRow>& rows() const { return rows_; }
    int sound_count() const { return int(rows_.size()) - skipped(); }
    int skipped() const;

    static constexpr int preview_rows = 20;

private:
    void convert();

    QString source_path_;
    ImportSource source_;  // headings and counts; its items only while converting
    QList<int> targets_;
    std::vector<ImportedRow> rows_;
    QStandardItemModel* preview_ = nullptr;
    QTableWidget* tbl_columns = nullptr;
    QTableView* tbl_preview = nullptr;
    QListWidget* lst_problems = nullptr;
    QLabel* lbl_summary = nullptr;
    QPushButton* cmd_import = nullptr;
    QPushButton* cmd_cancel = nullptr;
};

}  // namespace tessaran
