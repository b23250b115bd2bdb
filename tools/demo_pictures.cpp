#include "demo_pictures.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cmath>

namespace tessaran {

namespace {

// FNV-1a: the same seed for the same name with any Qt version.
quint32 seed_of(const QString& name)
{
    quint32 h = 2166136261u;
    for (const char c : name.toUtf8()) {
        h ^= quint8(c);
        h *= 16777619u;
    }
    return h;
}

// The pieces lying in one half-wedge of the cell, drawn again in every other.
void draw_pieces(QPainter& p, QRandomGenerator& rng, const std::vector<QColor>& colours, double radius, double half)
{
    const int pieces = 14 + int(rng.bounded(10));
    for (int i = 0; i < pieces; ++i) {
        const double r = radius * (0.05 + 0.95 * rng.generateDouble());
        const double a = (-0.15 + 1.3 * rng.generateDouble()) * half * M_PI / 180.0;
        const QPointF at(r * std::cos(a), r * std::sin(a));
        const double extent = radius * (0.04 + 0.22 * rng.generateDouble());
        QColor c = colours[rng.bounded(int(colours.size()))];
        c.setAlpha(140 + int(rng.bounded(100)));
        QRadialGradient glass(at, extent);
        glass.setColorAt(0, c.lighter(150));
        glass.setColorAt(1, c);
        p.setBrush(glass);
        p.setPen(QPen(c.darker(160), radius * 0.006));
        switch (rng.bounded(3)) {
        case 0: p.drawEllipse(at, extent, extent * (0.4 + 0.6 * rng.generateDouble())); break;
        case 1: {
            QPolygonF shard;
            const int corners = 3 + int(rng.bounded(3));
            for (int k = 0; k < corners; ++k) {
                const double t = 2 * M_PI * k / corners + rng.generateDouble();
                shard << at + QPointF(extent * std::cos(t), extent * std::sin(t));
            }
            p.drawPolygon(shard);
            break;
        }
        default: {
            QPainterPath bead(at);
            bead.cubicTo(at + QPointF(extent, -extent), at + QPointF(extent * 2, extent),
                         at + QPointF(extent * 2.5 * rng.generateDouble(), extent * 0.5));
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(c, radius * (0.01 + 0.02 * rng.generateDouble()), Qt::SolidLine, Qt::RoundCap));
            p.drawPath(bead);
        }
        }
    }
}

}  // namespace

QImage kaleidoscope_picture(const QString& name, int points, int size)
{
    QRandomGenerator rng(seed_of(name));
    points = qBound(3, points, 24);
    const double hue = rng.bounded(360);
    std::vector<QColor> colours;
    for (const double turn : {0.0, 35.0, 160.0, 200.0, 300.0})
        colours.push_back(QColor::fromHsv(int(hue + turn + rng.bounded(20)) % 360, 150 + int(rng.bounded(105)),
                                          170 + int(rng.bounded(85))));
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(int(hue), 60, 24));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(size / 2.0, size / 2.0);
    const double radius = size * 0.47;
    const double wedge = 360.0 / points;
    QPainterPath half;
    half.moveTo(0, 0);
    half.arcTo(QRectF(-radius, -radius, 2 * radius, 2 * radius), 0, -wedge / 2);
    half.closeSubpath();
    const quint32 pieces_seed = rng.generate();
    for (int k = 0; k < points; ++k) {
        for (const int mirror : {1, -1}) {
            p.save();
            p.rotate(k * wedge);
            p.scale(1, mirror);
            p.setClipPath(half);
            QRandomGenerator same(pieces_seed);  // every half-wedge the same pieces
            draw_pieces(p, same, colours, radius, wedge);
            p.restore();
        }
    }
    // The eyepiece's rim.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 20, 24), size * 0.03));
    p.drawEllipse(QPointF(0, 0), radius + size * 0.015, radius + size * 0.015);
    return image;
}

std::vector<DemoPicture> demo_pictures(const QString& source)
{
    static const QRegularExpression symmetry(QStringLiteral("^symmetry:\\s*(\\d+)-point"));
    std::vector<DemoPicture> found;
    int points = 6;
    std::vector<size_t> block;  // the pictures of the block read so far
    const auto end_block = [&] {
        for (const size_t i : block)
            found[i].points = points;
        block.clear();
        points = 6;
    };
    for (const QString& line : source.split(QLatin1Char('\n'))) {
        const QString text = line.trimmed();
        if (text.isEmpty()) {
            end_block();
        } else if (const QRegularExpressionMatch m = symmetry.match(text); m.hasMatch()) {
            points = m.captured(1).toInt();
        } else if (text.startsWith(QLatin1String("image:"))) {
            const QString path = text.mid(6).trimmed();
            if (!path.startsWith(QLatin1Char('/'))) {
                block.push_back(found.size());
                found.push_back({path, 6});
            }
        }
    }
    end_block();
    return found;
}

}  // namespace tessaran
