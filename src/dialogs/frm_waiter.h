// The progress window shown while a long scan runs on the user-interface thread.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace tessaran {

class frm_waiter : public QDialog {
    Q_OBJECT
public:
    explicit frm_waiter(QWidget* parent = nullptr);

    // Shows the message (trimmed) and a bar running from 0 to maximum.
    void start(const QString& message, int maximum);
    // Moves the bar; the window is repainted only when the bar visibly moves.
    void step(int value);

    QLabel* lbl_msg = nullptr;
    QProgressBar* progbar = nullptr;

private:
    int last_percent_ = -1;
};

}  // namespace tessaran
