#include "color_file.h"

#include "file_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tessaran {

namespace {

// Scheme indexes line by line, in the order the file holds them.
constexpr int file_order[color_count] = {
    2,  7,  12, 17, 22,  // frame titles
    1,  3,  4,  5,       // Parameters
    6,  8,  9,  10,      // Characteristics
    11, 13, 14, 15,      // Purchase information
    16, 18, 19, 20,      // Place of purchase
    21, 23, 24, 25, 0    // Images, control, form, buttons, changed data
};
constexpr int line_lengths[] = {5, 4, 4, 4, 4, 5};

// A colour file is a few hundred bytes; anything past this is not one.
constexpr qint64 max_color_file_size = 64 * 1024;

}  // namespace

const ColorScheme& builtin_colors()
{
    // The same values as data/tessaran_defcolors.dat: pale frame backgrounds,
    // navy frame titles, black on white fields, soft yellow for changed data.
    static const ColorScheme scheme = {
        11599871,                           // 0 changed data
        15787741, 6302224, 0, 16777215, 0,  // 1..5 Parameters
        14610146, 6302224, 0, 16777215, 0,  // 6..10 Characteristics
        14608880, 6302224, 0, 16777215, 0,  // 11..15 Purchase information
        15918826, 6302224, 0, 16777215, 0,  // 16..20 Place of purchase
        15132390, 6302224,                  // 21, 22 Images
        14339780,                           // 23 control
        16053492,                           // 24 form background
        15000804,                           // 25 command buttons
    };
    return scheme;
}

QByteArray color_file_text(const ColorScheme& scheme)
{
    QByteArray out;
    int k = 0;
    for (const int n : line_lengths) {
        for (int j = 0; j < n; ++j, ++k) {
            if (j > 0)
                out.append(',');
            out.append(QByteArray::number(scheme[size_t(file_order[k])]));
        }
        out.append("\r\n");
    }
    return out;
}

bool read_color_file(const QString& path, ColorScheme& scheme, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray data = file.read(max_color_file_size);
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.close();

    // Commas and line ends separate alike; stray blanks are tolerated.
    ColorScheme read{};
    int count = 0;
    QByteArray token;
    const auto take = [&]() -> bool {
        const QByteArray t = token.trimmed();
        token.clear();
        if (t.isEmpty() || count == color_count)
            return true;
        bool ok = false;
        const int v = t.toInt(&ok);
        if (!ok) {
            if (error)
                *error = QStringLiteral("Color file %1 holds \"%2\", which is not a color value.")
                             .arg(QDir::toNativeSeparators(path), QString::fromLatin1(t.left(40)));
            return false;
        }
        read[size_t(file_order[count++])] = v;
        return true;
    };
    for (const char c : data) {
        if (c == ',' || c == '\r' || c == '\n') {
            if (!take())
                return false;
        } else {
            token.append(c);
        }
    }
    if (!take())
        return false;
    if (count < color_count) {
        if (error)
            *error = QStringLiteral("Color file %1 holds %2 color values instead of %3.")
                         .arg(QDir::toNativeSeparators(path))
                         .arg(count)
                         .arg(color_count);
        return false;
    }
    scheme = read;
    return true;
}

bool write_color_file(const QString& path, const ColorScheme& scheme, QString* error)
{
    // Written beside the target and renamed over it, so a failed write
    // leaves the previous scheme in place.
    const FileStatus st = replace_file_contents(path, color_file_text(scheme), false);
    const QString why = st.ok ? QString() : st.error;
    if (why.isEmpty())
        return true;
    if (error)
        *error = why;
    return false;
}

}  // namespace tessaran
