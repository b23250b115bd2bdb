#include "child_process.h"

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

extern char** environ;

namespace tessaran::bench {

ChildRun run_child(const QList<QByteArray>& argv)
{
    ChildRun run;
    std::vector<char*> args;
    for (const QByteArray& a : argv)
        args.push_back(const_cast<char*>(a.constData()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        return run;
    // The child's own high-water mark, read while it runs: its rusage would
    // also count the memory of this process, which it shared until exec.
    const QString status_file = QStringLiteral("/proc/%1/status").arg(pid);
    qint64 peak_kb = 0;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0)
            return run;
        QFile f(status_file);
        if (f.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : f.readAll().split('\n'))
                if (line.startsWith("VmHWM:"))
                    peak_kb = std::max(peak_kb, line.mid(6).trimmed().split(' ').value(0).toLongLong());
        }
        usleep(2000);
    }
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peak_rss_mb = double(peak_kb) / 1024.0;
    return run;
}

double& import_command_peak_mb()
{
    static double peak = 0;
    return peak;
}

}  // namespace tessaran::bench
