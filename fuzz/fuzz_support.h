// What every fuzz target shares: the application object, a private scratch
// folder for the files a target writes, and a failure that names itself.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace tessaran::fuzz {

inline int initialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

// A property does not hold: said on standard error, then the run stops there.
[[noreturn]] inline void fail(const QString& why)
{
    std::fprintf(stderr, "property failed: %s\n", qPrintable(why));
    std::abort();
}

inline QString scratch_dir()
{
    static const QString dir = [] {
        const QString d = QDir::temp().filePath(QStringLiteral("tessaran-fuzz-%1").arg(::getpid()));
        QDir().mkpath(d);
        return d;
    }();
    return dir;
}

// No scratch file of a write is left in the scratch folder.
inline bool no_scratch_files()
{
    return QDir(scratch_dir()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden).isEmpty();
}

}  // namespace tessaran::fuzz
