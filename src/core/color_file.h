// Colour files: 26 colour values in six CR LF lines of comma-separated integers.
#pragma once

#include <QString>

#include <array>

namespace tessaran {

inline constexpr int color_count = 26;
using ColorScheme = std::array<qint32, color_count>;

// The built-in scheme, equal to the shipped default file.
const ColorScheme& builtin_colors();

// Reads the 26 values in file order. Fails (with the reason) when the file cannot
// be read or holds fewer than 26 numbers; scheme is then left untouched.
bool read_color_file(const QString& path, ColorScheme& scheme, QString* error = nullptr);
// Writes the six-line layout; false with the system's reason on failure, in
// which case an existing file is left as it was.
bool write_color_file(const QString& path, const ColorScheme& scheme, QString* error = nullptr);
// The six lines of the file, CR LF ended.
QByteArray color_file_text(const ColorScheme& scheme);

inline constexpr const char* user_color_file_name = "tessaran_colors.dat";
inline constexpr const char* default_color_file_name = "tessaran_defcolors.dat";

}  // namespace tessaran
