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
    // bytes: the file at source_path as it was read; collection: where the
    // rows go, written ahead while the preview is on screen.
    ImportPreview(const QString& source_path, QByteArray bytes, const QString& collection, QWidget* parent = nullptr);

    // Why the file cannot be imported at all (no headings, not JSON); empty when it can.
    const QString& error() const { return error_; }
    // The column's field, as the user would choose it in the list.
    void set_target(int column, int target);
    // The fields chosen, per column: what the Import command converts with.
    const QList<int>& targets() const { return targets_; }
    // The source file read again into bytes; empty when it is still the file
    // the preview was made from, else why not (the Import command and another
    // choice of fields convert only that file).
    QString read_again(QByteArray& bytes) const;
    int sound_count() const { return sound_; }
    int skipped() const { return skipped_; }
    // The collection with the sound rows appended, ready to take its place.
    PreparedImport& prepared() { return prepared_; }

    static constexpr int preview_rows = 20;

private:
    // Each column's heading beside the field it goes into, chosen from a list.
    void build_column_table();
    // Tab follows the reading order.
    void set_tab_order();
    // Converts every row once with the chosen fields, keeping only what the
    // window shows: the first sound rows, the problems and the counts.
    void convert(ImportReader& reader);
    void convert_again();

    QString source_path_;
    QStringList headings_;
    QString error_;
    QByteArray fingerprint_;
    int empty_rows_ = 0;
    QList<int> targets_;
    int sound_ = 0;
    int skipped_ = 0;
    PreparedImport prepared_;
    QString prepare_error_;
    QStandardItemModel* preview_ = nullptr;
    QTableWidget* tbl_columns = nullptr;
    QTableView* tbl_preview = nullptr;
    QListWidget* lst_problems = nullptr;
    QLabel* lbl_summary = nullptr;
    QPushButton* cmd_import = nullptr;
    QPushButton* cmd_cancel = nullptr;
};

}  // namespace tessaran
