// The remove-image dialog: the user picks one of the record's images; after a
// confirmation the dialog closes with its number in removed_position().
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;

namespace tessaran {

class RemovePictureDialog : public QDialog {
    Q_OBJECT
public:
    // names: the image paths of positions 1..n (from the editor's picture_name).
    explicit RemovePictureDialog(const QStringList& names, QWidget* parent = nullptr);
    // The image chosen and confirmed, 1-based; 0 when nothing is removed.
    int removed_position() const { return removed; }

    // The list item of image i.
    static QString item_text(int i, const QString& path);

    void remove_chosen();
    void cancel();

private:
    int removed = 0;
    QLabel* lbl_select = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* cmd_rem = nullptr;
    QPushButton* cmd_cancel = nullptr;
};

}  // namespace tessaran
