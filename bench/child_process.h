// Running a program of ours as its own process, as a script would, and
// learning what that one process used at its peak.
#pragma once

#include <QByteArray>
#include <QList>

namespace tessaran::bench {

struct ChildRun {
    bool ok = false;         // started and exited with status 0
    double peak_rss_mb = 0;  // that process's peak resident memory
};

// Runs argv (the program's path first) with standard output and error
// discarded, and waits for it.
ChildRun run_child(const QList<QByteArray>& argv);

// The largest peak of the "tessaran-rnd import" runs so far, for the table.
double& import_command_peak_mb();

}  // namespace tessaran::bench
