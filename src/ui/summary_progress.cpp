#include "summary_progress.h"

#include "appearance/scheme_paint.h"
#include "logo.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace tessaran {

SummaryProgress::SummaryProgress(QWidget* parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("frm_createsummary"));
    setWindowTitle(QStringLiteral("Kaleidoscope Summary"));
    setWindowModality(Qt::NonModal);

    img_logo = new QLabel(this);
    img_logo->setObjectName(QStringLiteral("img_logo"));
    img_logo->setPixmap(kaleidoscope_logo(64));
    img_logo->setAlignment(Qt::AlignCenter);
    lbl_msg = new QLabel(QStringLiteral("Creating kaleidoscope summary report..."), this);
    lbl_msg->setObjectName(QStringLiteral("lbl_msg"));
    lbl_msg->setAlignment(Qt::AlignCenter);
    progbar = new QProgressBar(this);
    progbar->setObjectName(QStringLiteral("progbar"));
    progbar->setRange(0, 100);
    progbar->setValue(0);
    progbar->setFixedWidth(300);

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(30, 20, 30, 20);
    box->setSpacing(12);
    box->addWidget(img_logo, 0, Qt::AlignHCenter);
    box->addWidget(lbl_msg, 0, Qt::AlignHCenter);
    box->addWidget(progbar, 0, Qt::AlignHCenter);
    box->setSizeConstraint(QLayout::SetFixedSize);

    paint_background(this, scheme_color(color_form_background));
}

void SummaryProgress::show_now()
{
    show();
    raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SummaryProgress::set_progress(int percent)
{
    if (progbar->value() == percent)
        return;
    progbar->setValue(percent);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tessaran
