#include "logo.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessaran {
namespace {

constexpr double pi = 3.14159265358979323846;

QPointF polar(double radius, double degrees)
{
    const double a = degrees * pi / 180.0;
    return {radius * std::cos(a), radius * std::sin(a)};
}

// One piece of glass in the object cell, in units of the logo's radius.
struct Piece {
    QColor color;
    QPolygonF polygon;  // empty for an ellipse
    QPointF centre;     // ellipse centre
    double rx = 0, ry = 0;
    double angle = 0;  // ellipse rotation, degrees
};

// What one 30-degree wedge of the object cell shows; the mirrors do the rest.
const std::vector<Piece>& cell()
{
    static const std::vector<Piece> pieces = {
        {QColor(200, 30, 60, 210), {}, polar(0.58, 12), 0.26, 0.09, 12},  // ruby petal
        {QColor(245, 170, 30, 220), {}, polar(0.30, 22), 0.10, 0.10, 0},  // amber bead
        {QColor(40, 170, 90, 200), QPolygonF{polar(0.78, 2), polar(0.95, 18), polar(0.70, 26)}, {}, 0, 0, 0},
        {QColor(70, 110, 230, 190), {}, polar(0.12, 8), 0.07, 0.07, 0},  // sapphire chip
        {QColor(170, 80, 210, 170),
         QPolygonF{polar(0.45, 28), polar(0.62, 33), polar(0.85, 24), polar(0.66, 20)},
         {},
         0,
         0,
         0},
    };
    return pieces;
}

const QColor rim_color(180, 140, 60);
const QColor centre_color(30, 40, 90);
const QColor edge_color(5, 5, 20);

double radius_for(int size)
{
    return size / 2.0 - std::max(1.0, size / 40.0);
}

QString num(double v)
{
    return QString::number(v, 'f', 3);
}

QString rgba(const QColor& c)
{
    return QStringLiteral("fill=\"#%1%2%3\" fill-opacity=\"%4\"")
        .arg(c.red(), 2, 16, QLatin1Char('0'))
        .arg(c.green(), 2, 16, QLatin1Char('0'))
        .arg(c.blue(), 2, 16, QLatin1Char('0'))
        .arg(num(c.alphaF()));
}

}  // namespace

QPixmap kaleidoscope_logo(int size)
{
    size = std::max(size, 8);
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);

    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = radius_for(size);
    p.translate(size / 2.0, size / 2.0);

    QRadialGradient bg(QPointF(0, 0), r);
    bg.setColorAt(0.0, centre_color);
    bg.setColorAt(1.0, edge_color);
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
        p.scale(r, r);
        for (const Piece& piece : cell()) {
            p.setBrush(piece.color);
            if (!piece.polygon.isEmpty()) {
                p.drawPolygon(piece.polygon);
                continue;
            }
            p.save();
            p.translate(piece.centre);
            p.rotate(piece.angle);
            p.drawEllipse(QPointF(0, 0), piece.rx, piece.ry);
            p.restore();
        }
        p.restore();
    }

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(rim_color, std::max(1.0, size / 40.0)));  // brass rim
    p.drawEllipse(QPointF(0, 0), r, r);
    return pm;
}

QByteArray kaleidoscope_logo_svg(int size)
{
    const double r = radius_for(size);
    const double c = size / 2.0;
    QString pieces;
    for (const Piece& piece : cell()) {
        if (!piece.polygon.isEmpty()) {
            QStringList points;
            for (const QPointF& pt : piece.polygon)
                points << num(pt.x()) + QLatin1Char(',') + num(pt.y());
            pieces += QStringLiteral("      <polygon points=\"%1\" %2/>\n")
                          .arg(points.join(QLatin1Char(' ')), rgba(piece.color));
        } else {
            pieces
                += QStringLiteral("      <ellipse transform=\"translate(%1 %2) rotate(%3)\" rx=\"%4\" ry=\"%5\" %6/>\n")
                       .arg(num(piece.centre.x()), num(piece.centre.y()), num(piece.angle), num(piece.rx),
                            num(piece.ry), rgba(piece.color));
        }
    }
    QString wedges;
    for (int k = 0; k < 12; ++k) {
        const QString turn = k % 2 == 0 ? QStringLiteral("rotate(%1)").arg(k * 30)
                                        : QStringLiteral("rotate(%1) scale(1 -1)").arg((k + 1) * 30);
        wedges += QStringLiteral("    <g transform=\"%1\"><g clip-path=\"url(#wedge)\"><use href=\"#cell\"/></g></g>\n")
                      .arg(turn);
    }
    const QPointF far = polar(2, 30);
    const QString svg
        = QStringLiteral(
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
              "  <defs>\n"
              "    <radialGradient id=\"glass\" cx=\"0\" cy=\"0\" r=\"1\" gradientUnits=\"userSpaceOnUse\">\n"
              "      <stop offset=\"0\" stop-color=\"%2\"/><stop offset=\"1\" stop-color=\"%3\"/>\n"
              "    </radialGradient>\n"
              "    <clipPath id=\"round\"><circle r=\"1\"/></clipPath>\n"
              "    <clipPath id=\"wedge\"><polygon points=\"0,0 2,0 %4,%5\"/></clipPath>\n"
              "    <g id=\"cell\">\n%6    </g>\n"
              "  </defs>\n"
              "  <g transform=\"translate(%7 %7) scale(%8)\">\n"
              "    <circle r=\"1\" fill=\"url(#glass)\"/>\n"
              "    <g clip-path=\"url(#round)\">\n%9    </g>\n"
              "    <circle r=\"1\" fill=\"none\" stroke=\"%10\" stroke-width=\"%11\"/>\n"
              "  </g>\n"
              "</svg>\n")
              .arg(size)
              .arg(centre_color.name(), edge_color.name(), num(far.x()), num(far.y()), pieces, num(c), num(r), wedges)
              .arg(rim_color.name(), num(std::max(1.0, size / 40.0) / r));
    return svg.toUtf8();
}

LogoLabel::LogoLabel(int size, QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("img_logo"));
    setPixmap(kaleidoscope_logo(size));
    setAlignment(Qt::AlignCenter);
    setToolTip(tr("About TESSARAN V"));
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(QStringLiteral("TESSARAN V logo"));
    setAccessibleDescription(
        QStringLiteral("The program's logo, a kaleidoscope image; a click shows About TESSARAN V"));
}

void LogoLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace tessaran
