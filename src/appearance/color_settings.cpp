#include "color_settings.h"

namespace tessaran {

namespace {

struct ColorState {
    ColorScheme scheme{};
    QString file_path;
};

ColorState& state()
{
    static ColorState s;
    return s;
}

}  // namespace

const ColorScheme& current_colors()
{
    return state().scheme;
}

void set_current_colors(const ColorScheme& scheme)
{
    state().scheme = scheme;
}

void set_current_color(int index, qint32 value)
{
    state().scheme.at(static_cast<std::size_t>(index)) = value;
}

QString color_file_path()
{
    return state().file_path;
}

void set_color_file_path(const QString& path)
{
    state().file_path = path;
}

bool load_colors(QString* error)
{
    ColorState& s = state();
    if (read_color_file(s.file_path, s.scheme, error))
        return true;
    s.scheme = builtin_colors();
    return false;
}

bool save_colors(QString* error)
{
    return write_color_file(state().file_path, state().scheme, error);
}

}  // namespace tessaran
