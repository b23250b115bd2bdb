// What "Find missing pictures" will change, before anything is written: one
// row per missing picture, with the path stored now and the one it will get,
// or why it stays as it is; Change and Cancel.
#pragma once

#include "core/picture_search.h"

#include <QDialog>

#include <functional>
#include <vector>

class QPushButton;
class QTableWidget;

namespace tessaran {

class MissingPicturesDialog : public QDialog {
    Q_OBJECT
public:
    // scope_of(record) names the kaleidoscope of a record.
    MissingPicturesDialog(const std::vector<PictureMatch>& matches, const QString& collection_path,
                          const QString& folder, const std::function<QString(int)>& scope_of,
                          QWidget* parent = nullptr);

    int found_count() const { return found_; }

private:
    QTableWidget* table_ = nullptr;
    QPushButton* change_ = nullptr;
    int found_ = 0;
};

}  // namespace tessaran
