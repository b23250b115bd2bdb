// A colour scheme whose entries are easy to tell apart in a failure message.
#pragma once

#include "core/color_file.h"

namespace tessaran::test {

// Entry i holds 1000 + i.
inline ColorScheme numbered_scheme()
{
    ColorScheme s{};
    for (int i = 0; i < color_count; ++i)
        s[size_t(i)] = 1000 + i;
    return s;
}

}  // namespace tessaran::test
