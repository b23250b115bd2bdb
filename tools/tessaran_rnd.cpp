// tessaran-rnd: inspect, verify, dump and export a collection database from
// scripts (backups, migrations) without starting the program.
#include "record_check.h"

#include "core/record_file.h"
#include "core/scope_record.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

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
    return usage();
}
