// The summary choice dialog: kaleidoscope information or purchase information.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tessaran {

class SummaryChoiceDialog : public QDialog {
    Q_OBJECT
public:
    // open_summary shows the summary of the chosen kind modally; it is the
    // caller's, so this dialog needs nothing of the summary window itself.
    explicit SummaryChoiceDialog(std::function<void(int kind)> open_summary, QWidget* parent = nullptr);

    // Shows the dialog modally until "Close". Each "Create Summary" hides the
    // dialog, opens the summary and shows the dialog again when it closes.
    void run();

    void summarize();
    void close_window();

    // The kind chosen by the last "Create Summary" that has not been opened yet; 0 when none.
    int pending_kind() const { return pending_kind_; }

private:
    std::function<void(int)> open_summary_;
    int pending_kind_ = 0;
    QRadioButton* opt_scope = nullptr;
    QRadioButton* opt_retail = nullptr;
    QPlainTextEdit* tb_scope = nullptr;
    QPlainTextEdit* tb_retail = nullptr;
    QLabel* lbl_max = nullptr;
    QPushButton* cmd_summarize = nullptr;
    QPushButton* cmd_close = nullptr;
};

}  // namespace tessaran
