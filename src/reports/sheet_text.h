// Breaking a long text into printed lines no wider than a width, at blanks.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tessaran {

// Printed width of a text, in the caller's unit.
using TextWidth = std::function<double(const QString& text)>;

// The lines printlongstring prints: the text trimmed, broken at blanks so that
// each line (with the blank that ends it) fits the width. A word wider than the
// width stands alone on its line (the caller cuts it to the width). A line break
// inside the text starts a new line; a blank line is kept.
QStringList long_text_lines(const QString& text, double width, const TextWidth& measure);

}  // namespace tessaran
