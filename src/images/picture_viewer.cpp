#include "picture_viewer.h"

#include "ui/screen_placement.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

namespace tessaran {

namespace {

constexpr int refit_delay_ms = 200;

QRect screen_rect(bool available)
{
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s)
        return QRect(0, 0, 1024, 768);
    return available ? s->availableGeometry() : s->geometry();
}

}  // namespace

PictureArea::PictureArea(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pb_dest"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureArea::set_picture(const QImage* picture)
{
    picture_ = picture;
    update();
}

void PictureArea::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!picture_ || picture_->isNull()) {
        p.fillRect(rect(), palette().window());
        return;
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), *picture_);
}

PictureViewer::PictureViewer(QWidget* editor) : QWidget(editor, Qt::Window)
{
    setObjectName(QStringLiteral("frm_image"));
    pb_dest = new PictureArea(this);
    lbl_sizebox = new QLabel(this);
    lbl_sizebox->setObjectName(QStringLiteral("lbl_sizebox"));
    lbl_sizebox->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(refit_delay_ms);
    connect(Timer1, &QTimer::timeout, this, &PictureViewer::Timer1_Timer);
}

int PictureViewer::cascade_step()
{
    return twips_to_px(300);
}

void PictureViewer::open_picture(int index, const QString& path, const QImage& picture, const QSize& natural,
                                 int largest_w, int largest_h)
{
    Timer1->stop();
    index_ = index;
    const QRect avail = screen_rect(true);
    const int offset = (index - 1) * cascade_step();
    move(avail.left() + offset, avail.top() + offset);
    setWindowTitle(QStringLiteral("Image ") + QString::number(index) + QStringLiteral(": ") + path.trimmed());

    picture_ = picture;
    pb_dest->set_picture(&picture_);
    pb_dest->show();
    natural_ = natural.isValid() ? PictureSize{natural.width(), natural.height()}
                                 : PictureSize{picture_.width(), picture_.height()};
    limits_ = refit_limits(natural_.width, natural_.height, screen_rect(false).height());

    lbl_sizebox->setText(QStringLiteral("100%"));
    lbl_sizebox->adjustSize();
    margin_ = lbl_sizebox->height() + twips_to_px(100);

    shown_ = fit_picture(natural_.width, natural_.height, largest_w, largest_h);
    // The window's inner size; the frame comes on top of it.
    expected_size_ = QSize(2 * margin_ + shown_.width, 2 * margin_ + shown_.height);
    resize(expected_size_);
    redraw_picture(largest_w, largest_h);
}

void PictureViewer::redraw_picture(int largest_w, int largest_h)
{
    shown_ = fit_picture(natural_.width, natural_.height, largest_w, largest_h);
    pb_dest->resize(shown_.width, shown_.height);
    lbl_sizebox->setText(QString::number(zoom_percent(shown_.width, natural_.width)) + QLatin1Char('%'));
    lbl_sizebox->adjustSize();
    place_picture();
    pb_dest->update();
}

void PictureViewer::place_picture()
{
    // Centred in the inner area; the zoom label right-aligned under it.
    pb_dest->move((width() - pb_dest->width()) / 2, (height() - pb_dest->height()) / 2);
    const QRect pic = pb_dest->geometry();
    lbl_sizebox->move(pic.x() + pic.width() - lbl_sizebox->width(), pic.y() + pic.height() + twips_to_px(50));
}

void PictureViewer::Timer1_Timer()
{
    Timer1->stop();
    if (busy_ || natural_.width <= 0)
        return;
    const double avail_w = width() - 2.0 * margin_;
    const double avail_h = height() - 2.0 * margin_;
    const PictureSize s = refit_size(avail_w, avail_h, limits_);

    busy_ = true;
    expected_size_ = QSize(2 * margin_ + s.width, 2 * margin_ + s.height);
    resize(expected_size_);
    busy_ = false;
    redraw_picture(s.width, s.height);
}

void PictureViewer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place_picture();
    // Only a size the user made starts a refit; the window's own resizing
    // arrives here too, possibly later, and must not start another.
    if (!busy_ && event->size() != expected_size_)
        Timer1->start();
}

void PictureViewer::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    event->accept();
    emit viewer_closed(index_);
    // A closed viewer holds no picture; opening it again loads afresh.
    pb_dest->set_picture(nullptr);
    picture_ = QImage();
}

void PictureViewer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tessaran
