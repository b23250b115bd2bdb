#include "logo.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace tessaran {
namespace {

constexpr double pi = 3.14159265358979323846;

QPointF polar(double radius, double degrees)
{
    const double a = degrees * pi / 180.0;
    return {radius * std::cos(a), radius * std::sin(a)};
}

// What one 30-degree wedge of the object cell shows; the mirrors do the rest.
void draw_cell(QPainter& p, double r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 60, 210));  // ruby petal
    p.save();
    p.translate(polar(0.58 * r, 12));
    p.rotate(12);
    p.drawEllipse(QPointF(0, 0), 0.26 * r, 0.09 * r);
    p.restore();

    p.setBrush(QColor(245, 170, 30, 220));  // amber bead
    p.drawEllipse(polar(0.30 * r, 22), 0.10 * r, 0.10 * r);

    p.setBrush(QColor(40, 170, 90, 200));  // emerald shard
    const QPointF shard[] = {polar(0.78 * r, 2), polar(0.95 * r, 18), polar(0.70 * r, 26)};
    p.drawPolygon(shard, 3);

    p.setBrush(QColor(70, 110, 230, 190));  // sapphire chip
    p.drawEllipse(polar(0.12 * r, 8), 0.07 * r, 0.07 * r);

    p.setBrush(QColor(170, 80, 210, 170));  // violet glass
    const QPointF glass[] = {polar(0.45 * r, 28), polar(0.62 * r, 33), polar(0.85 * r, 24),
                             polar(0.66 * r, 20)};
    p.drawPolygon(glass, 4);
}

}  // namespace

QPixmap kaleidoscope_logo(int size)
{
    size = std::max(size, 8);
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);

    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = size / 2.0 - std::max(1.0, size / 40.0);
    p.translate(size / 2.0, size / 2.0);

    QRadialGradient bg(QPointF(0, 0), r);
    bg.setColorAt(0.0, QColor(30, 40, 90));
    bg.setColorAt(1.0, QColor(5, 5, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawEllipse(QPointF(0, 0), r, r);

    QPainterPath circle;
    circle.addEllipse(QPointF(0, 0), r, r);
    QPainterPath wedge;
    wedge.moveTo(0, 0);
    wedge.lineTo(polar(2 * r, 0));
    wedge.lineTo(polar(2 * r, 30));
    wedge.closeSubpath();

    // Twelve wedges, every second one mirrored, as a two-mirror scope shows them.
    for (int k = 0; k < 12; ++k) {
        p.save();
        if (k % 2 == 0) {
            p.rotate(k * 30.0);
        } else {
            p.rotate((k + 1) * 30.0);
            p.scale(1.0, -1.0);
        }
        p.setClipPath(circle);
        p.setClipPath(wedge, Qt::IntersectClip);
        draw_cell(p, r);
        p.restore();
    }

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(180, 140, 60), std::max(1.0, size / 40.0)));  // brass rim
    p.drawEllipse(QPointF(0, 0), r, r);
    return pm;
}

}  // namespace tessaran
