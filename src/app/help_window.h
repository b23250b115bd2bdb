// The user guide in a window of the program's own: links, back and contents,
// and a search, so that help never depends on a web browser being installed.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace tessaran {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // Shows the guide at path (an HTML file).
    explicit HelpWindow(const QString& path, QWidget* parent = nullptr);

    // Finds the next place that holds text, from the cursor on and then from
    // the top; false (and a note in the window) when the guide lacks it.
    bool find(const QString& text, bool backwards = false);
    QString shown_source() const;

private:
    void open_in_browser();

    QString path_;
    QTextBrowser* text_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* back_ = nullptr;
};

}  // namespace tessaran
