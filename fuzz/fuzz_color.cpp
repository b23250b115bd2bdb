// Fuzz target: the colour-file reader on any bytes. A file it accepts must
// write back as the program's own layout and read back as the same scheme.
#include "core/color_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

using namespace tessaran;

namespace {

QString scratch_dir()
{
    static const QString dir = [] {
        const QString d = QDir::temp().filePath(QStringLiteral("tessaran-fuzz-color-%1").arg(::getpid()));
        QDir().mkpath(d);
        return d;
    }();
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString in_path = scratch_dir() + QStringLiteral("/in.dat");
    const QString out_path = scratch_dir() + QStringLiteral("/out.dat");
    {
        QFile f(in_path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    ColorScheme scheme = builtin_colors();
    QString error;
    if (!read_color_file(in_path, scheme, &error)) {
        // A refused file leaves the scheme untouched and says why.
        if (scheme != builtin_colors() || error.isEmpty())
            std::abort();
        return 0;
    }
    if (!write_color_file(out_path, scheme, &error))
        std::abort();
    ColorScheme again{};
    if (!read_color_file(out_path, again, &error) || again != scheme)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}
