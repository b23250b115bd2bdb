// The progress window shown while a summary table is being built.
#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace tessaran {

class SummaryProgress : public QWidget {
    Q_OBJECT
public:
    explicit SummaryProgress(QWidget* parent = nullptr);

    // Shows the window and lets it paint before the long work starts.
    void show_now();
    // Progress 0..100; repaints at once because the work runs on this thread.
    void set_progress(int percent);

private:
    QLabel* img_logo = nullptr;
    QLabel* lbl_msg = nullptr;
    QProgressBar* progbar = nullptr;
};

}  // namespace tessaran
