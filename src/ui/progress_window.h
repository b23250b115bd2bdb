// The progress window shown while a long scan runs on the user-interface thread.
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace tessaran {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    // Shows the message (trimmed) and a bar running from 0 to maximum.
    void start(const QString& message, int maximum);
    // Moves the bar when value reaches the next percent of the maximum, at
    // most once per repaint_interval_ms (always at the maximum); only then is
    // the window repainted.
    void step(int value);

    static constexpr int repaint_interval_ms = 20;

private:
    int last_percent_ = -1;
    int held_percent_ = -1;
    QElapsedTimer since_repaint_;
    QLabel* lbl_msg = nullptr;
    QProgressBar* progbar = nullptr;
};

}  // namespace tessaran
