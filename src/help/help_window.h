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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The guide itself, read as a document.
    void build_guide(const QString& path);
    void open_in_browser();
    // The link under the guide's caret ("" when none), told to a screen
    // reader as the guide's description while the caret is on it.
    QString link_at_caret() const;
    void tell_link_at_caret();

    QString path_;
    QTextBrowser* text_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* back_ = nullptr;
};

}  // namespace tessaran
