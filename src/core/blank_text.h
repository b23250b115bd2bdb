// The empty test used wherever a text member or typed field may be blank.
#pragma once

#include <QString>

namespace tessaran {

// True when the text, trimmed of blanks, is empty or made only of zero characters.
bool is_blank(const QString& text);

}  // namespace tessaran
