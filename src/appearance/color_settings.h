// The colour scheme in force and the colour file it is kept in: the program's
// one process-wide appearance service. Windows paint from it; the colour dialog
// and the start-up window change it.
#pragma once

#include "core/color_file.h"

#include <QString>

namespace tessaran {

const ColorScheme& current_colors();
void set_current_colors(const ColorScheme& scheme);
// Changes one entry of the scheme (0..25).
void set_current_color(int index, qint32 value);

QString color_file_path();
void set_color_file_path(const QString& path);

// Reads the scheme from the colour file. A missing or short file gives the
// built-in scheme and false, with the reason in error.
bool load_colors(QString* error = nullptr);
// Writes the scheme to the colour file; false with the system's reason.
bool save_colors(QString* error = nullptr);

}  // namespace tessaran
