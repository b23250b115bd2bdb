#include "summary_header_panel.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

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
    setAccessibleName(QStringLiteral("Summary heading"));
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
    tell_screen_readers();
    update();
}

void SummaryHeaderPanel::clear_items()
{
    items_.clear();
    tell_screen_readers();
    update();
}

void SummaryHeaderPanel::tell_screen_readers()
{
    // What the panel draws is read as text: line by line from the top, each
    // line from the left.
    std::vector<const Item*> order;
    for (const Item& it : items_)
        order.push_back(&it);
    std::stable_sort(order.begin(), order.end(), [](const Item* a, const Item* b) {
        return a->top != b->top ? a->top < b->top : a->left < b->left;
    });
    QStringList lines;
    double line_top = -1;
    for (const Item* it : order) {
        const QString text = it->text.trimmed();
        if (text.isEmpty())
            continue;
        if (lines.isEmpty() || it->top != line_top)
            lines << text;
        else
            lines.last() += QLatin1Char(' ') + text;
        line_top = it->top;
    }
    setAccessibleDescription(lines.join(QLatin1Char('\n')));
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
