// tessaran_bench: times the program's operations on a 32767-record collection
// against one sequential read of the file and against SQLite, and prints one
// table row per operation with the medians and the ratios.
//
//   tessaran_bench [--table-out=FILE] [benchmark options]
//   tessaran_bench --rss-probe=COLLECTION   (used by the run itself)
//   tessaran_bench --import-probe=CSV       (likewise)
#include "bench_env.h"
#include "bench_table.h"
#include "child_process.h"

#include "app/start_window.h"
#include "core/session.h"
#include "dialogs/import_preview.h"
#include "editor/collection_list_window.h"
#include "editor/record_editor.h"
#include "reports/summary_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include <unistd.h>

namespace tessaran::bench {

namespace {

constexpr int history_saves = 10000;

// Peak resident memory of this process so far, in kilobytes.
qint64 peak_rss_kb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Keeps the median of every benchmark while the console shows the runs.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so a saved log stays plain text.
    MedianReporter() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) { }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median" && !r.error_occurred)
                medians[r.run_name.function_name] = r.GetAdjustedRealTime();  // milliseconds
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};

// Runs this program again with one probe option and reads the "NAME value"
// lines it prints; empty when the probe failed.
std::map<QString, double> probe_values(const QString& exe, const QString& option)
{
    std::map<QString, double> values;
    QProcess proc;
    proc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    proc.start(exe, {option});
    if (!proc.waitForFinished(300000) || proc.exitCode() != 0)
        return values;
    const QString out = QString::fromUtf8(proc.readAllStandardOutput());
    static const QRegularExpression kv(QStringLiteral("^(\\w+) (\\S+)$"), QRegularExpression::MultilineOption);
    for (auto it = kv.globalMatch(out); it.hasNext();) {
        const auto m = it.next();
        values[m.captured(1)] = m.captured(2).toDouble();
    }
    return values;
}

ProbeResult run_probe(const QString& exe, const QString& collection)
{
    std::map<QString, double> v = probe_values(exe, QStringLiteral("--rss-probe=") + collection);
    ProbeResult p;
    p.peak_rss_mb = v[QStringLiteral("PEAK_RSS_KB")] / 1024.0;
    p.first_scope_ms = v[QStringLiteral("FIRST_WINDOW_SCOPE_MS")];
    p.first_purchase_ms = v[QStringLiteral("FIRST_WINDOW_PURCHASE_MS")];
    p.ok = p.peak_rss_mb > 0;
    p.list_peak_mb
        = probe_values(exe, QStringLiteral("--list-probe=") + collection)[QStringLiteral("PEAK_RSS_KB")] / 1024.0;
    return p;
}

// The offscreen platform says for every window that it cannot do what a
// window manager would; that says nothing about the program.
void quiet_platform_notes(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    if (msg.startsWith(QLatin1String("This plugin does not support"))
        || msg.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, msg)));
}

}  // namespace

// Opens the collection as the start-up window does; the record editor that
// comes up, or nullptr (told on standard error).
RecordEditor* open_in_editor(StartWindow& startup, const QString& path, const BenchDialogs& dialogs)
{
    if (!startup.open_database(path)) {
        std::fprintf(stderr, "probe: %s did not open: %s\n", qPrintable(path), qPrintable(dialogs.last_text));
        return nullptr;
    }
    RecordEditor* ed = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* k = qobject_cast<RecordEditor*>(w))
            ed = k;
    QApplication::processEvents();
    return ed;
}

int rss_probe(const QString& path)
{
    BenchDialogs dialogs;
    StartWindow startup;
    RecordEditor* ed = open_in_editor(startup, path, dialogs);
    if (!ed)
        return 1;
    for (SummaryKind kind : {SummaryKind::scope, SummaryKind::purchase}) {
        QElapsedTimer t;
        t.start();
        {
            SummaryWindow grid(ed->session(), kind, ed);
            grid.show();
            QApplication::processEvents();
            grid.repaint();
            const double ms = double(t.nsecsElapsed()) / 1e6;
            std::printf("%s %.1f\n", kind == SummaryKind::scope ? "FIRST_WINDOW_SCOPE_MS" : "FIRST_WINDOW_PURCHASE_MS",
                        ms);
            grid.reject();
        }
        QApplication::processEvents();
    }
    std::printf("PEAK_RSS_KB %lld\n", static_cast<long long>(peak_rss_kb()));
    return dialogs.errors > 0 ? 1 : 0;
}

// The collection list in a fresh program: the collection open, Ctrl+L, and
// the rows scrolled from top to bottom a page at a time.
int list_probe(const QString& path)
{
    BenchDialogs dialogs;
    StartWindow startup;
    RecordEditor* ed = open_in_editor(startup, path, dialogs);
    if (!ed)
        return 1;
    ed->show_collection_list();
    QApplication::processEvents();
    auto* table = ed->findChild<QTableView*>(QStringLiteral("list_table"));
    QScrollBar* bar = table->verticalScrollBar();
    while (bar->value() < bar->maximum()) {
        bar->setValue(bar->value() + bar->pageStep());
        table->viewport()->repaint();
    }
    QApplication::processEvents();
    std::printf("PEAK_RSS_KB %lld\n", static_cast<long long>(peak_rss_kb()));
    return dialogs.errors > 0 ? 1 : 0;
}

// The editor's Import command as a user meets it in a fresh program: an
// empty collection open, the CSV file chosen, the preview built and its
// Import button pressed, the rows written and the new working set shown.
int import_probe(const QString& csv)
{
    BenchDialogs dialogs;
    const QTemporaryDir dir;
    const QString rnd = dir.filePath(QStringLiteral("new.rnd"));
    {
        QFile empty(rnd);
        if (!empty.open(QIODevice::WriteOnly))
            return 1;
    }
    StartWindow startup;
    RecordEditor* ed = open_in_editor(startup, rnd, dialogs);
    if (!ed)
        return 1;
    dialogs.files.push_back(csv);
    // The user's click on Import as soon as the preview is up.
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, &press, [] {
        if (auto* preview = qobject_cast<ImportPreview*>(QApplication::activeModalWidget()))
            preview->accept();
    });
    press.start(1);
    QElapsedTimer t;
    t.start();
    ed->import_records();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    press.stop();
    if (ed->session().record_count() != collection_size) {
        std::fprintf(stderr, "import probe: %d records imported: %s\n", ed->session().record_count(),
                     qPrintable(dialogs.last_text));
        return 1;
    }
    std::printf("IMPORT_WINDOW_MS %.1f\n", ms);
    std::printf("PEAK_RSS_KB %lld\n", static_cast<long long>(peak_rss_kb()));
    ed->close();
    return dialogs.errors > 0 ? 1 : 0;
}

ImportResult run_import_probe(const QString& exe, const QString& csv)
{
    std::map<QString, double> v = probe_values(exe, QStringLiteral("--import-probe=") + csv);
    ImportResult r;
    r.command_peak_mb = import_command_peak_mb();
    r.window_peak_mb = v[QStringLiteral("PEAK_RSS_KB")] / 1024.0;
    r.window_ms = v[QStringLiteral("IMPORT_WINDOW_MS")];
    r.window_ok = r.window_ms > 0 && r.window_peak_mb > 0;
    return r;
}

}  // namespace tessaran::bench

int main(int argc, char** argv)
{
    using namespace tessaran::bench;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Our own options are taken out before the benchmark library sees the rest.
    QString probe_path;
    QString import_probe_csv;
    QString list_probe_path;
    QString table_out;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a.startsWith(QLatin1String("--rss-probe=")))
            probe_path = a.mid(12);
        else if (a.startsWith(QLatin1String("--list-probe=")))
            list_probe_path = a.mid(13);
        else if (a.startsWith(QLatin1String("--import-probe=")))
            import_probe_csv = a.mid(15);
        else if (a.startsWith(QLatin1String("--table-out=")))
            table_out = a.mid(12);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;

    qInstallMessageHandler(quiet_platform_notes);
    QApplication app(argc, argv);
    // The collections the benchmarks open stay out of the user's recent databases.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    if (!probe_path.isEmpty())
        return rss_probe(probe_path);
    if (!import_probe_csv.isEmpty())
        return import_probe(import_probe_csv);
    if (!list_probe_path.isEmpty())
        return list_probe(list_probe_path);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    std::printf("Writing %d records and their SQLite copy...\n", collection_size);
    std::fflush(stdout);
    QString error;
    if (!setup_env(error) || !verify_results(error) || !write_import_csv(error)) {
        std::fprintf(stderr, "tessaran_bench: %s\n", qPrintable(error));
        env().startup.reset();
        return 1;
    }
    register_benchmarks();

    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    restore_rnd();
    ProbeResult probe = run_probe(QCoreApplication::applicationFilePath(), env().rnd);
    probe.inventory_peak_mb = inventory_pictures_peak_mb();
    const ImportResult import = run_import_probe(QCoreApplication::applicationFilePath(), env().import_csv);
    std::printf("Recording %d saves of ordinary records...\n", history_saves);
    std::fflush(stdout);
    const HistorySize history{history_saves, history_size_after_saves(history_saves)};
    const QString table = result_table(reporter.medians, probe, import, history);
    std::printf("\n%s", qPrintable(table));
    if (!table_out.isEmpty()) {
        QFile f(table_out);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(table.toUtf8());
    }

    env().gallery_startup.reset();
    env().startup.reset();
    benchmark::Shutdown();
    return 0;
}
