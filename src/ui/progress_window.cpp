#include "progress_window.h"

#include "appearance/scheme_paint.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace tessaran {

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_waiter"));
    setWindowTitle(QStringLiteral("Tessaran Action"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(false);

    lbl_msg = new QLabel(this);
    lbl_msg->setObjectName(QStringLiteral("lbl_msg"));
    lbl_msg->setAlignment(Qt::AlignCenter);
    progbar = new QProgressBar(this);
    progbar->setObjectName(QStringLiteral("progbar"));
    progbar->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(12);
    layout->addWidget(lbl_msg);
    layout->addWidget(progbar);
    setMinimumWidth(360);

    paint_background(this, scheme_color(color_form_background));
}

void ProgressWindow::start(const QString& message, int maximum)
{
    lbl_msg->setText(message.trimmed());
    progbar->setRange(0, qMax(0, maximum));
    progbar->setValue(0);
    last_percent_ = -1;
    held_percent_ = -1;
    since_repaint_.invalidate();
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::step(int value)
{
    const int max = progbar->maximum();
    const int percent = max > 0 ? static_cast<int>(qint64(value) * 100 / max) : 100;
    // A scan steps once per record; the bar (which repaints itself on every
    // visible change) is moved once per percent and no faster than a screen
    // shows frames, and always at the end, so the window costs the scan next
    // to nothing.
    if (percent == last_percent_ || percent == held_percent_)
        return;
    if (value < max && since_repaint_.isValid() && since_repaint_.elapsed() < repaint_interval_ms) {
        held_percent_ = percent;  // the clock is asked again at the next percent
        return;
    }
    last_percent_ = percent;
    since_repaint_.restart();
    progbar->setValue(value);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tessaran
