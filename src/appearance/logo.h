// The program's logo: a kaleidoscope-like rosette drawn in code, so the program
// needs no picture files of its own.
#pragma once

#include <QPixmap>

namespace tessaran {

// A square logo of size x size pixels on a transparent background.
QPixmap kaleidoscope_logo(int size);

}  // namespace tessaran
