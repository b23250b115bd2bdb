// How well text reads on its background in a colour scheme: the contrast
// ratio of WCAG 2.1 (1:1 for equal colours, 21:1 for black on white).
#pragma once

#include "color_file.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tessaran {

// A colour value r + 256 g + 65536 b, as the scheme stores it.
double relative_luminance(qint32 color);
double contrast_ratio(qint32 a, qint32 b);

// A text of the editor and the background it is read on, as scheme entries.
struct SchemeTextPair {
    QString what;  // "Labels of Kaleidoscope parameters"
    int text = 0;
    int background = 0;
};
// Every such pair whose two colours come from the scheme. Command buttons and
// the menu bar are left out: their captions take black or white, whichever
// reads better.
const std::vector<SchemeTextPair>& scheme_text_pairs();

// A contrast ratio as the colour window shows it ("4.5:1"), never rounded up
// to the minimum it falls short of.
QString contrast_ratio_text(double ratio, double minimum);

// The pairs of scheme below minimum, each as "what (2.4:1)".
QStringList low_contrast_texts(const ColorScheme& scheme, double minimum);

}  // namespace tessaran
