// Another writer of a collection, in a process of its own: the write helper
// holding the collection open for changes as another window of the program
// does, writing it on request. Needs TESSARAN_WRITE_HELPER from the build.
#pragma once

#include <QProcess>
#include <QString>

#include <pwd.h>
#include <unistd.h>

namespace tessaran::test {

// The login name of this process's user, as a lock holder is described.
inline QString user_name()
{
    const passwd* pw = ::getpwuid(::geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(::geteuid());
}

#ifdef TESSARAN_WRITE_HELPER
class OtherWriter {
public:
    explicit OtherWriter(const QString& path)
    {
        process.start(QStringLiteral(TESSARAN_WRITE_HELPER), {QStringLiteral("hold"), path});
        first = reply();
    }
    ~OtherWriter()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    OtherWriter(const OtherWriter&) = delete;
    OtherWriter& operator=(const OtherWriter&) = delete;

    // The helper's next line: "taken" or "in use" first, then "ok" or "failed: ...".
    QString reply()
    {
        while (!process.canReadLine() && process.waitForReadyRead(30000)) {
        }
        return QString::fromUtf8(process.readLine()).trimmed();
    }
    // "save N NAME", "append NAME" or "delete N"; the helper's answer.
    QString run(const QString& command)
    {
        process.write(command.toUtf8() + '\n');
        return reply();
    }
    bool holds() const { return first == QLatin1String("taken"); }
    // How a window names this holder.
    QString holder() const
    {
        return QStringLiteral("write_helper (process %1, user %2)").arg(process.processId()).arg(user_name());
    }

    QProcess process;
    QString first;
};
#endif

}  // namespace tessaran::test
