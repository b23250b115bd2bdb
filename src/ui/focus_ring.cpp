#include "focus_ring.h"

#include "core/color_contrast.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace tessaran {

namespace {

constexpr int ring_width = 2;

qint32 color_value(const QColor& c)
{
    return c.red() + 256 * c.green() + 65536 * c.blue();
}

}  // namespace

void FocusRing::install()
{
    static const bool installed = [] {
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget* old, QWidget* now) {
            if (old && old->window() != (now ? now->window() : nullptr))
                if (FocusRing* ring = old->window()->findChild<FocusRing*>(QString(), Qt::FindDirectChildrenOnly))
                    ring->follow(nullptr);
            // Menus and drop-down lists mark their own current item.
            QWidget* window = now ? now->window() : nullptr;
            if (window && window->windowType() != Qt::Popup && window->windowType() != Qt::ToolTip)
                of(window)->follow(now);
        });
        return true;
    }();
    Q_UNUSED(installed);
}

FocusRing* FocusRing::of(QWidget* window)
{
    if (auto* ring = window->findChild<FocusRing*>(QString(), Qt::FindDirectChildrenOnly))
        return ring;
    return new FocusRing(window);
}

FocusRing::FocusRing(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("focus_ring"));
    // Over the whole window, seen but never in the way.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(window->rect());
    window->installEventFilter(this);
    show();
}

void FocusRing::follow(QWidget* target)
{
    if (target_)
        target_->removeEventFilter(this);
    target_ = target && target != parentWidget() ? target : nullptr;
    if (target_)
        target_->installEventFilter(this);
    raise();
    update();
}

QColor FocusRing::ring_color(const QWidget* target)
{
    // The background the ring is drawn on: what the control's parent shows.
    const QWidget* around = target->parentWidget() ? target->parentWidget() : target;
    const qint32 back = color_value(around->palette().color(around->backgroundRole()));
    const qint32 black = 0;
    const qint32 white = 0xffffff;
    return contrast_ratio(black, back) >= contrast_ratio(white, back) ? QColor(Qt::black) : QColor(Qt::white);
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == parentWidget())
            setGeometry(parentWidget()->rect());
        update();
        break;
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::PaletteChange: update(); break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*)
{
    if (!target_ || !target_->isVisible() || target_->window() != parentWidget())
        return;
    QRect r(target_->mapTo(parentWidget(), QPoint(0, 0)), target_->size());
    r.adjust(-ring_width, -ring_width, ring_width - 1, ring_width - 1);
    QPainter p(this);
    p.setPen(QPen(ring_color(target_), ring_width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(ring_width / 2, ring_width / 2, -ring_width / 2, -ring_width / 2));
}

}  // namespace tessaran
