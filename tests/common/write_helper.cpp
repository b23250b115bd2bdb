// Performs one write of the program's in a process of its own, so the
// write-safety tests can run it as another user, under a file size limit or
// with a failing system call preloaded. Prints "ok" (and a warning line) or
// "failed: <reason>"; exits 0 or 1.
//
// "hold PATH" is a second writer that keeps the collection open for changes
// as a window does: it takes the lock ("taken", or "in use" and exit 1), then
// runs one write per line of standard input ("save N NAME", "append NAME",
// "delete N"), answering "ok" or "failed: <reason>", until its input ends.
#include "core/collection_lock.h"
#include "core/color_file.h"
#include "core/delete_record.h"
#include "core/file_write.h"
#include "core/record_file.h"
#include "core/summary_export.h"
#include "core/working_set.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

using namespace tessaran;

namespace {

void say(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

ScopeRecord named(const QString& name)
{
    ScopeRecord rec;
    rec.scopename = fixed_text(name, 50);
    return rec;
}

int hold(const QString& path)
{
    CollectionLock lock;
    if (lock.take(path) != LockOutcome::taken) {
        say("in use");
        return 1;
    }
    say("taken");
    std::string line;
    while (std::getline(std::cin, line)) {
        const QStringList words = QString::fromStdString(line).split(QLatin1Char(' '));
        FileStatus st = FileStatus::failure(QStringLiteral("unknown command"));
        if (words.size() >= 3 && words.at(0) == QLatin1String("save"))
            st = write_record(path, words.at(1).toInt(), named(words.mid(2).join(QLatin1Char(' '))));
        else if (words.size() >= 2 && words.at(0) == QLatin1String("append"))
            st = write_record(path, record_count_of(path) + 1, named(words.mid(1).join(QLatin1Char(' '))));
        else if (words.size() == 2 && words.at(0) == QLatin1String("delete"))
            st = delete_record_file(path, words.at(1).toInt());
        say(st && lock.on_current_file() ? QByteArray("ok") : "failed: " + st.error.toUtf8());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    ignore_file_size_signal();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return 2;
    const QString& op = args.at(0);
    const QString& path = args.at(1);
    if (op == QLatin1String("hold"))
        return hold(path);
    FileStatus st;
    if (op == QLatin1String("save") || op == QLatin1String("append")) {
        const int n = op == QLatin1String("save") ? 1 : record_count_of(path) + 1;
        st = write_record(path, n, named(QStringLiteral("Written by the helper")));
    } else if (op == QLatin1String("delete")) {
        st = delete_record_file(path, 1);
    } else if (op == QLatin1String("colors")) {
        QString error;
        if (!write_color_file(path, builtin_colors(), &error))
            st = FileStatus::failure(error);
    } else if (op == QLatin1String("export") && args.size() == 3) {
        const int count = record_count_of(args.at(2));
        WorkingSet all;
        all.reset_to_all(count);
        SummaryExportHead head;
        head.stamp = QStringLiteral("now");
        head.count = count;
        head.selection_text = QStringLiteral("All");
        head.sort_caption = QStringLiteral("[Sorted by: Unsorted]");
        st = write_summary_export(path, args.at(2), all.records(), count, SummaryKind::scope, head);
    } else {
        return 2;
    }
    const QByteArray text = st ? ("ok\n" + (st.warning.isEmpty() ? QByteArray() : st.warning.toUtf8() + '\n'))
                               : ("failed: " + st.error.toUtf8() + '\n');
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    return st ? 0 : 1;
}
