#include "image_fit.h"

#include <cmath>

namespace tessaran {

namespace {

// Nearest integer, halves to the even neighbour.
int round_even(double v)
{
    const double r = std::nearbyint(v);  // default rounding mode: to nearest, ties to even
    return static_cast<int>(r);
}

}  // namespace

PictureSize fit_picture(int natural_w, int natural_h, int largest_w, int largest_h)
{
    if (natural_w <= 0 || natural_h <= 0)
        return {0, 0};
    const bool wide = natural_w > largest_w;
    const bool tall = natural_h > largest_h;
    if (!wide && !tall)
        return {natural_w, natural_h};

    const auto by_width = [&] { return PictureSize{largest_w, round_even(double(largest_w) / natural_w * natural_h)}; };
    const auto by_height = [&] {
        return PictureSize{round_even(double(largest_h) / natural_h * natural_w), largest_h};
    };
    if (wide && !tall)
        return by_width();
    if (tall && !wide)
        return by_height();
    // Both exceed: the tighter ratio decides (compared in single precision).
    const float rw = float(largest_w) / float(natural_w);
    const float rh = float(largest_h) / float(natural_h);
    return rw < rh ? by_width() : by_height();
}

PictureSize refit_size(double avail_w, double avail_h, const RefitLimits& limits)
{
    const double aspect = limits.aspect;
    if (avail_h > 0 && aspect > 0) {
        const double ratio = avail_w / avail_h;
        if (ratio < aspect)
            avail_w = avail_h * aspect;  // the height leads
        else if (ratio > aspect)
            avail_h = avail_w / aspect;  // the width leads
    }
    if (!(std::floor(avail_h) >= limits.smallest_h)) {  // also catches a non-positive height
        avail_h = limits.smallest_h;
        avail_w = limits.smallest_w;
    }
    if (std::floor(avail_h) > limits.natural_h) {
        avail_h = limits.natural_h;
        avail_w = limits.natural_w;
    }
    return {static_cast<int>(std::floor(avail_w)), static_cast<int>(std::floor(avail_h))};
}

RefitLimits refit_limits(int natural_w, int natural_h, int screen_h)
{
    RefitLimits l;
    l.natural_w = natural_w;
    l.natural_h = natural_h;
    l.aspect = natural_h > 0 ? double(natural_w) / natural_h : 1.0;
    l.smallest_h = round_even(screen_h * 0.1);
    l.smallest_w = round_even(l.smallest_h * l.aspect);
    return l;
}

int zoom_percent(int shown_w, int natural_w)
{
    if (natural_w <= 0)
        return 0;
    // Integer arithmetic, so 49.9 % never becomes 50 through a rounding error.
    return static_cast<int>((100LL * shown_w) / natural_w);
}

}  // namespace tessaran
