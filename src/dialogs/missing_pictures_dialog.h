// What "Find missing pictures" will change, before anything is written: one
// row per missing picture, with the path stored now and the one it will get,
// or why it stays as it is; Change and Cancel.
#pragma once

#include "core/picture_search.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTableWidget;

namespace tessaran {

class MissingPicturesDialog : public QDialog {
    Q_OBJECT
public:
    MissingPicturesDialog(const std::vector<PictureMatch>& matches, const QString& collection_path,
                          const QString& folder, QWidget* parent = nullptr);

    int found_count() const { return found_; }

private:
    QTableWidget* table_ = nullptr;
    QPushButton* change_ = nullptr;
    int found_ = 0;
};

}  // namespace tessaran
