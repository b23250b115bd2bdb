#include "sub_stradjust.h"

#include "core/globalvars.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessaran {

namespace {

// 1 / n as the layout arithmetic uses it: computed in double, kept in single
// precision. n = 0 has no part; it is taken as 0 so the result is the top or
// left edge instead of an infinity.
double part_of(int n)
{
    if (n == 0)
        return 0.0;
    return double(static_cast<float>(1.0 / n));
}

int round_half_even(double v)
{
    const double r = std::nearbyint(v);  // the default rounding mode: halves to even
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    if (!(r >= lo))
        return std::numeric_limits<int>::min();
    if (r > hi)
        return std::numeric_limits<int>::max();
    return int(r);
}

}  // namespace

TwipRect twip_rect(const QWidget* w)
{
    if (!w)
        return {};
    const QRect g = w->geometry();
    return {px_to_twips(g.x()), px_to_twips(g.y()), px_to_twips(g.width()), px_to_twips(g.height())};
}

double left_for_right(const TwipRect& obj, double x) { return x - obj.width; }
double left_for_center(const TwipRect& obj, double x) { return x - obj.width * 0.5; }
double top_for_center(const TwipRect& obj, double y) { return y - obj.height * 0.5; }
double top_for_bottom(const TwipRect& obj, double y) { return y - obj.height; }
int y_at_part(const TwipRect& obj, int n) { return round_half_even(obj.top + obj.height * part_of(n)); }
double x_at_part(const TwipRect& obj, int n) { return obj.left + obj.width * part_of(n); }

double left_for_right(const QWidget* obj, double x) { return left_for_right(twip_rect(obj), x); }
double left_for_center(const QWidget* obj, double x) { return left_for_center(twip_rect(obj), x); }
double top_for_center(const QWidget* obj, double y) { return top_for_center(twip_rect(obj), y); }
double top_for_bottom(const QWidget* obj, double y) { return top_for_bottom(twip_rect(obj), y); }
int y_at_part(const QWidget* obj, int n) { return y_at_part(twip_rect(obj), n); }
double x_at_part(const QWidget* obj, int n) { return x_at_part(twip_rect(obj), n); }

void move_twips(QWidget* w, double left, double top)
{
    if (w)
        w->move(twips_to_px(left), twips_to_px(top));
}

void sub_getavailscreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;  // no screen (yet): keep what is recorded
    const QRect a = screen->availableGeometry();
    // Stored like a desktop RECT: right and bottom are one past the last pixel.
    gv().work_area = WorkArea{a.x(), a.x() + a.width(), a.y(), a.y() + a.height()};
}

void centre_on_screen(QWidget* w)
{
    if (!w)
        return;
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect a = screen->availableGeometry();
    const QSize size = w->frameGeometry().size();
    const int usable_height = a.height() - twips_to_px(400);
    const int left = a.x() + std::max(0, (a.width() - size.width()) / 2);
    const int top = a.y() + std::max(0, (usable_height - size.height()) / 2);
    w->move(left, top);
}

}  // namespace tessaran
