#include "color_contrast.h"

#include <cmath>

namespace tessaran {

namespace {

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double relative_luminance(qint32 color)
{
    const int r = color & 0xff;
    const int g = (color >> 8) & 0xff;
    const int b = (color >> 16) & 0xff;
    return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
}

double contrast_ratio(qint32 a, qint32 b)
{
    const double la = relative_luminance(a);
    const double lb = relative_luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const std::vector<SchemeTextPair>& scheme_text_pairs()
{
    static const std::vector<SchemeTextPair> pairs = [] {
        std::vector<SchemeTextPair> p;
        // Frame, title, label, field background, field text of each data frame.
        const std::pair<const char*, int> frames[] = {{"Kaleidoscope parameters", 1},
                                                      {"Kaleidoscope characteristics", 6},
                                                      {"Purchase information", 11},
                                                      {"Place of purchase", 16}};
        for (const auto& [name, base] : frames) {
            const QString frame = QString::fromLatin1(name);
            p.push_back({QStringLiteral("Title of ") + frame, base + 1, base});
            p.push_back({QStringLiteral("Labels of ") + frame, base + 2, base});
            p.push_back({QStringLiteral("Fields of ") + frame, base + 4, base + 3});
            p.push_back({QStringLiteral("Changed fields of ") + frame, base + 4, 0});
        }
        p.push_back({QStringLiteral("Title of Images"), 22, 21});
        return p;
    }();
    return pairs;
}

QString contrast_ratio_text(double ratio, double minimum)
{
    // Rounded to one place, unless that would reach the limit the ratio fails:
    // then cut (not rounded) to two, so 2.996 reads "2.99:1", never "3.0:1".
    const QString one = QString::number(ratio, 'f', 1);
    if (ratio >= minimum || one.toDouble() < minimum)
        return one + QStringLiteral(":1");
    return QString::number(std::floor(ratio * 100.0) / 100.0, 'f', 2) + QStringLiteral(":1");
}

QStringList low_contrast_texts(const ColorScheme& scheme, double minimum)
{
    QStringList low;
    for (const SchemeTextPair& pair : scheme_text_pairs()) {
        const double ratio = contrast_ratio(scheme[std::size_t(pair.text)], scheme[std::size_t(pair.background)]);
        if (ratio < minimum)
            low << QStringLiteral("%1 (%2)").arg(pair.what, contrast_ratio_text(ratio, minimum));
    }
    return low;
}

}  // namespace tessaran
