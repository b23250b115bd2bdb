// Putting the colour settings back between test functions.
#pragma once

#include "appearance/color_settings.h"

namespace tessaran::test {

// An all-black scheme and no colour file, as at program start.
inline void reset_color_settings()
{
    set_current_colors(ColorScheme{});
    set_color_file_path(QString());
}

}  // namespace tessaran::test
