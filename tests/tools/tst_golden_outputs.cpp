// What tessaran-rnd prints for the demo and for a full collection of 32767
// varied records, compared with the recorded golden outputs: a change of the
// code's structure must not change a byte of it.
#include "common/core_golden.h"
#include "common/core_temp_db.h"

#include <QtTest>

#include <memory>
#include <vector>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// Exit status, standard output and standard error of each run, as one text
// each. The runs go side by side: a full collection takes a while per command.
QList<QByteArray> tool_outputs(const QList<QStringList>& runs, const QString& dir)
{
    std::vector<std::unique_ptr<QProcess>> procs;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", QStringLiteral("en_US.UTF-8"));
    for (const QStringList& args : runs) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(TESSARAN_BIN_DIR "/tessaran-rnd"), args);
        procs.push_back(std::move(p));
    }
    QList<QByteArray> outputs;
    for (const auto& p : procs) {
        if (!p->waitForFinished(240000)) {
            outputs << "did not finish";
            continue;
        }
        outputs << normalised_output("exit " + QByteArray::number(p->exitCode()) + "\n--- standard output\n"
                                         + p->readAllStandardOutput() + "--- standard error\n"
                                         + p->readAllStandardError(),
                                     dir);
    }
    return outputs;
}

QByteArray tool_output(const QStringList& args, const QString& dir)
{
    return tool_outputs({args}, dir).value(0);
}

const QList<QStringList> commands = {
    {"info"},  {"verify"},          {"dump"}, {"export", "--kind", "kaleidoscope"}, {"export", "--kind", "purchase"},
    {"stats"}, {"stats", "--json"},
};

QString file_name_of(const QString& collection, const QStringList& command)
{
    return collection + QLatin1Char('_') + command.join(QLatin1Char('_')).remove(QStringLiteral("--"))
        + QStringLiteral(".txt");
}

}  // namespace

class tst_golden_outputs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void demo_data()
    {
        QTest::addColumn<QStringList>("command");
        for (const QStringList& c : commands)
            QTest::newRow(qPrintable(c.join(QLatin1Char(' ')))) << c;
    }
    // Kept whole, so that a difference shows where it is.
    void demo()
    {
        QFETCH(QStringList, command);
        QTemporaryDir dir;
        const QString demo = dir.filePath(QStringLiteral("demo.rnd"));
        QVERIFY(QFile::copy(QStringLiteral(TESSARAN_BIN_DIR "/demo.rnd"), demo));
        // With its pictures beside it, as the demo is shipped.
        const QDir pictures(QStringLiteral(TESSARAN_BIN_DIR "/demo-pictures"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("demo-pictures")));
        for (const QString& name : pictures.entryList({QStringLiteral("*.jpg")}, QDir::Files))
            QVERIFY(QFile::copy(pictures.filePath(name), dir.filePath(QStringLiteral("demo-pictures/") + name)));
        const QStringList args = QStringList{command.first(), demo} + command.mid(1);
        const QString diff = golden_difference(file_name_of("demo", command), tool_output(args, dir.path()));
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    // The largest collection the format holds, kept as hashes.
    void full_collection()
    {
        QTemporaryDir dir;
        QList<ScopeRecord> records;
        records.reserve(max_record_count);
        for (int i = 1; i <= max_record_count; ++i)
            records << varied_record(i);
        const QString path = dir.filePath(QStringLiteral("full.rnd"));
        QVERIFY(write_db(path, records));
        records.clear();
        QVERIFY2(golden_hash_difference("full.rnd", read_bytes(path)).isEmpty(),
                 "the generated collection itself changed: the test's records, not the program");
        QList<QStringList> runs;
        for (const QStringList& command : commands)
            runs << QStringList{command.first(), path} + command.mid(1);
        const QList<QByteArray> outputs = tool_outputs(runs, dir.path());
        for (qsizetype i = 0; i < commands.size(); ++i) {
            const QString diff = golden_hash_difference(file_name_of("full", commands[i]), outputs.value(i));
            QVERIFY2(diff.isEmpty(), qPrintable(diff));
        }
    }
};

QTEST_GUILESS_MAIN(tst_golden_outputs)
#include "tst_golden_outputs.moc"
