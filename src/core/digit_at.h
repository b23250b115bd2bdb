// Reading digits of any script, shared by the money and date parsers.
#pragma once

#include <QChar>
#include <QString>

namespace tessaran {

// The decimal digit value of the character at i (a surrogate pair counts as
// one character, for locales with digits beyond the basic plane), or -1.
inline int digit_at(const QString& s, qsizetype i, qsizetype& length)
{
    length = 1;
    const QChar c = s.at(i);
    if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
        length = 2;
        return QChar::digitValue(QChar::surrogateToUcs4(c, s.at(i + 1)));
    }
    return c.digitValue();
}

}  // namespace tessaran
