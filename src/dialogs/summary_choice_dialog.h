// The summary choice dialog: kaleidoscope information or purchase information.
#pragma once

#include "core/summary_rows.h"

#include <QDialog>

#include <functional>
#include <optional>

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
    explicit SummaryChoiceDialog(std::function<void(SummaryKind kind)> open_summary, QWidget* parent = nullptr);

    // Shows the dialog modally until "Close". Each "Create Summary" hides the
    // dialog, opens the summary and shows the dialog again when it closes.
    void run();

    void summarize();
    void close_window();

private:
    std::function<void(SummaryKind)> open_summary_;
    std::optional<SummaryKind> pending_kind_;  // chosen by Create Summary, not opened yet
    QRadioButton* opt_scope = nullptr;
    QRadioButton* opt_retail = nullptr;
    QPlainTextEdit* tb_scope = nullptr;
    QPlainTextEdit* tb_retail = nullptr;
    QLabel* lbl_max = nullptr;
    QPushButton* cmd_summarize = nullptr;
    QPushButton* cmd_close = nullptr;
};

}  // namespace tessaran
