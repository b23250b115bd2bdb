#include "blank_text.h"

namespace tessaran {

bool is_blank(const QString& text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QChar(0))
            return false;
    }
    return true;
}

}  // namespace tessaran
