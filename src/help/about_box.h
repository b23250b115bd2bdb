// The about box: logo, program name and version, maker details, OK.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tessaran {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    void done(int result) override;

private:
    void close_window();
    QLabel* pb_logo = nullptr;
    QLabel* lbl_about = nullptr;
    QPushButton* cmd_ok = nullptr;
};

// First line of the about text: "TESSARAN V  Version 5.0".
QString about_title_line();

}  // namespace tessaran
