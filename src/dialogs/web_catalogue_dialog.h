// Where the web catalogue goes and whether it shows prices: a folder (typed
// or chosen) and "Include prices", with Export and Cancel.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tessaran {

class WebCatalogueDialog : public QDialog {
    Q_OBJECT
public:
    WebCatalogueDialog(const QString& folder, QWidget* parent = nullptr);

    QString folder() const;
    bool include_prices() const;

private:
    void browse();

    QLineEdit* folder_ = nullptr;
    QCheckBox* prices_ = nullptr;
    QPushButton* export_ = nullptr;
};

}  // namespace tessaran
