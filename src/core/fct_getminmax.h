// Smaller and larger of two values, used by window layout.
#pragma once

#include <QtGlobal>

namespace tessaran {

inline qint16 smaller(qint16 a, qint16 b) { return a < b ? a : b; }
inline qint16 larger(qint16 a, qint16 b) { return a > b ? a : b; }
inline float larger(float a, float b) { return a > b ? a : b; }

}  // namespace tessaran
