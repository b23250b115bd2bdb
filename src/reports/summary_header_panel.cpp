#include "summary_header_panel.h"

#include <QFontMetrics>
#include <QPainter>

namespace tessaran {

SummaryHeaderPanel::SummaryHeaderPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pb_output"));
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(8);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
}

int SummaryHeaderPanel::text_width(const QString& text, bool bold) const
{
    QFont f = font();
    f.setBold(bold);
    return QFontMetrics(f).horizontalAdvance(text);
}

void SummaryHeaderPanel::print_at(double x, double y, const QString& text, int justification, const QColor& color,
                                  bool bold)
{
    const int w = text_width(text, bold);
    double left = x;
    if (justification == 1)
        left = x - w / 2.0;
    else if (justification == 2)
        left = x - w;
    items_.push_back({left, y, text, color, bold});
    update();
}

void SummaryHeaderPanel::clear_items()
{
    items_.clear();
    update();
}

void SummaryHeaderPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const Item& it : items_) {
        QFont f = font();
        f.setBold(it.bold);
        painter.setFont(f);
        painter.setPen(it.color);
        painter.drawText(QPointF(it.left, it.top + QFontMetrics(f).ascent()), it.text);
    }
}

}  // namespace tessaran
