// tessaran-rnd: inspect, verify, dump and export a collection database from
// scripts (backups, migrations) without starting the program.
#include "record_check.h"

#include "core/globalvars.h"
#include "core/record_file.h"
#include "core/scope_record.h"
#include "core/sub_sorter.h"
#include "core/summary_export.h"
#include "core/summary_rows.h"
#include "core/working_set.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

using namespace tessaran;

namespace {

int usage()
{
    std::fputs("usage: tessaran-rnd info FILE\n"
               "       tessaran-rnd verify FILE\n"
               "       tessaran-rnd dump FILE [N]\n"
               "       tessaran-rnd export FILE --kind kaleidoscope|purchase\n",
               stderr);
    return 2;
}

void out(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

void err(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
}

int cmd_info(const QString& path)
{
    const DatabaseReport r = check_database(path);
    if (r.size < 0) {
        err(r.problems.value(0));
        return 1;
    }
    out(QStringLiteral("file: %1").arg(path));
    out(QStringLiteral("size: %1 bytes").arg(r.size));
    out(QStringLiteral("records: %1").arg(r.records));
    out(QStringLiteral("problems: %1").arg(r.problems.size()));
    for (const QString& p : r.problems)
        out(QStringLiteral("  ") + p);
    return 0;
}

int cmd_verify(const QString& path)
{
    const DatabaseReport r = check_database(path);
    for (const QString& p : r.problems)
        out(p);
    return r.problems.isEmpty() ? 0 : 1;
}

int cmd_dump(const QString& path, const QString& which)
{
    RecordScanner scanner;
    if (const FileStatus st = scanner.open(path); !st) {
        err(QStringLiteral("cannot read %1: %2").arg(path, st.error));
        return 1;
    }
    int first = 1;
    int last = scanner.count();
    if (!which.isEmpty()) {
        bool ok = false;
        const int n = which.toInt(&ok);
        if (!ok || n < 1 || n > scanner.count()) {
            err(QStringLiteral("record %1 is not in the file (1..%2)").arg(which).arg(scanner.count()));
            return 1;
        }
        first = last = n;
    }
    ScopeRecord rec;
    for (int n = first; n <= last; ++n) {
        if (!scanner.read(n, rec)) {
            err(QStringLiteral("record %1 cannot be read").arg(n));
            return 1;
        }
        const QByteArray line = record_json(rec, n) + '\n';
        std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    }
    return 0;
}

// The export the program writes for a freshly opened collection: every record,
// sorted by artist ascending, no selection.
int cmd_export(const QString& path, const QString& kind_name)
{
    int kind = 0;
    if (kind_name == QLatin1String("kaleidoscope"))
        kind = 1;
    else if (kind_name == QLatin1String("purchase"))
        kind = 2;
    else
        return usage();

    const DatabaseReport report = check_database(path);
    if (report.size < 0 || report.size % rec_len_bytes != 0 || report.records > max_record_count) {
        err(QStringLiteral("cannot export %1: %2").arg(path, report.problems.value(0)));
        return 1;
    }
    Globalvars& g = gv();
    g.db_path = path;
    sub_get_maxr();
    build_field_names();
    ws_reset_all();
    QString error;
    if (!sort_working_set(2, false, &error)) {
        err(QStringLiteral("cannot export %1: %2").arg(path, error));
        return 1;
    }

    SummaryExportHead head;
    head.stamp = general_date_text(QDateTime::currentDateTime());
    head.ws_count = g.ws_count;
    head.sel_criteria = g.sel_criteria;
    head.sort_caption = g.sort_caption;

    // The writer replaces a file only when all is written, so export to a
    // scratch file and copy it out.
    QTemporaryDir scratch;
    const QString out_path = scratch.filePath(QStringLiteral("summary.txt"));
    if (const FileStatus st = write_summary_export(out_path, path, g.ws_recno, g.ws_count, kind, head); !st) {
        err(QStringLiteral("cannot export %1: %2").arg(path, st.error));
        return 1;
    }
    QFile written(out_path);
    if (!written.open(QIODevice::ReadOnly)) {
        err(QStringLiteral("cannot export %1: %2").arg(path, written.errorString()));
        return 1;
    }
    const QByteArray bytes = written.readAll();
    if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout)
            != static_cast<std::size_t>(bytes.size())
        || std::fflush(stdout) != 0) {
        err(QStringLiteral("cannot write the export to standard output"));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QString& command = args.at(0);
    const QString& path = args.at(1);
    if (command == QLatin1String("info") && args.size() == 2)
        return cmd_info(path);
    if (command == QLatin1String("verify") && args.size() == 2)
        return cmd_verify(path);
    if (command == QLatin1String("dump") && args.size() <= 3)
        return cmd_dump(path, args.value(2));
    if (command == QLatin1String("export") && args.size() == 4 && args.at(2) == QLatin1String("--kind"))
        return cmd_export(path, args.at(3));
    return usage();
}
