// The command-line tool on sound and damaged collections, run as collectors run it.
#include "record_check.h"

#include "common/core_temp_db.h"
#include "core/record_file.h"
#include "core/scope_record.h"

#include <QtTest>

#include <limits>

#include <sys/stat.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// A record with a date, both prices, a year and a picture, as encoded bytes.
QByteArray sample(const QString& name, const QString& artist, bool picture = true)
{
    ScopeRecord r = make_record(name, artist, "3/14/2001", 1250000, 125000);  // 125.00, 12.50
    r.scopeyear = fixed_text("1999", 10);
    r.image_count = picture ? 1 : 0;
    if (picture)
        r.image_files[1] = fixed_text("/home/c/pics/aurora.jpg", 60);
    return encode_record(r);
}

QByteArray aurora()
{
    return sample("Aurora", QStringLiteral("Smith, Anna"));
}

// The records (and any tail) written as one file in dir; its path.
QString in_dir(const QTemporaryDir& dir, const QString& name, const QList<QByteArray>& records,
               const QByteArray& tail = QByteArray())
{
    QByteArray bytes;
    for (const QByteArray& r : records)
        bytes += r;
    const QString path = dir.filePath(name);
    return write_bytes(path, bytes + tail) ? path : QString();
}

struct Run {
    int code;
    QString out;
    QString err;
    bool finished;
};

// Runs the tool under the given locale; an empty one runs it as cron does, with
// no locale variables at all.
Run run_tool(const QStringList& args, const QString& lang = QStringLiteral("en_US.UTF-8"))
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v : {"LC_ALL", "LANG", "LC_TIME", "LC_NUMERIC", "LC_MONETARY", "LANGUAGE"})
        env.remove(QString::fromLatin1(v));
    if (!lang.isEmpty())
        env.insert("LC_ALL", lang);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TESSARAN_BIN_DIR "/tessaran-rnd"), args);
    const bool finished = p.waitForFinished(30000);
    if (!finished) {
        p.kill();
        p.waitForFinished();
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError()),
            finished};
}

}  // namespace

class TestRndTool : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void verify_finds_each_problem_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("damage");  // which record 2 gets
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("code");  // without --strict; with it, every problem fails
        QTest::newRow("image count") << QByteArray("image_count") << "record 2: image_count is 99, outside 0..10" << 1;
        QTest::newRow("undefined byte") << QByteArray("byte")
                                        << "warning: record 2: artist holds a byte that is no character (0x81)" << 0;
        QTest::newRow("date") << QByteArray("date")
                              << "warning: record 2: date of purchase \"31/31/31x\" is not a date in the locale en_US" << 0;
        QTest::newRow("year") << QByteArray("year")
                              << "warning: record 2: scope year \"1600\" in the locale en_US: Entry for scope year field out of range!"
                              << 0;
        QTest::newRow("short tail") << QByteArray("tail")
                                    << "length 4956 is not a whole number of 2473-byte records (10 bytes left over)" << 1;
        // clang-format on
    }
    void verify_finds_each_problem()
    {
        QFETCH(QByteArray, damage);
        QFETCH(QString, problem);
        QFETCH(int, code);
        QTemporaryDir dir;
        QByteArray second = sample("Borealis", QStringLiteral("Adams, Jo"));
        QByteArray tail;
        if (damage == "image_count") {
            second[1811] = char(99);
            second[1812] = 0;
        } else if (damage == "byte") {
            second[52] = char(0x81);
        } else if (damage == "date") {
            second.replace(150, 15, QByteArray("31/31/31x      "));
        } else if (damage == "year") {
            second.replace(746, 10, QByteArray("1600      "));
        } else if (damage == "tail") {
            tail = QByteArray(10, 'x');
        }
        const QString path = in_dir(dir, "c.rnd", {aurora(), second}, tail);
        const Run r = run_tool({"verify", path});
        QCOMPARE(r.code, code);
        QVERIFY2(r.out.split(QLatin1Char('\n')).contains(problem), qPrintable(r.out));
        QCOMPARE(run_tool({"verify", path, "--strict"}).code, 1);
    }

    // Under cron (no locale at all) the demo's dates are no dates in the C
    // locale: a warning that names the locale, not a failed check.
    void verdict_does_not_depend_on_the_locale()
    {
        QTemporaryDir dir;
        const QString path = in_dir(dir, "ok.rnd", {sample("Aurora", "Smith", false)});
        const Run cron = run_tool({"verify", path}, QString());
        QCOMPARE(cron.code, 0);
        QCOMPARE(cron.out,
                 QStringLiteral("warning: record 1: date of purchase \"3/14/2001\" is not a date in the locale C\n"));
        QCOMPARE(run_tool({"verify", path, "--strict"}, QString()).code, 1);
        const Run chosen = run_tool({"verify", path, "--locale", "en_US"}, QString());
        QCOMPARE(chosen.code, 0);
        QCOMPARE(chosen.out, QString());
        QCOMPARE(run_tool({"verify", path, "--locale", "xx_QQ"}).code, 2);
    }

    // Anything but a regular file is refused at once on standard error; a FIFO
    // never blocks the tool and /dev/zero is no empty collection.
    void only_regular_files_are_read_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* c : {"info", "verify", "dump", "export"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }
    void only_regular_files_are_read()
    {
        QFETCH(QString, command);
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("pipe.rnd"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString& path : QStringList{fifo, "/dev/zero", dir.path()}) {
            QStringList args{command, path};
            if (command == QLatin1String("export"))
                args << QStringLiteral("--kind") << QStringLiteral("purchase");
            const Run r = run_tool(args);
            QVERIFY2(r.finished, qPrintable(path));
            QCOMPARE(r.code, 1);
            QCOMPARE(r.out, QString());
            QCOMPARE(r.err, QStringLiteral("cannot read %1: not a regular file\n").arg(path));
        }
    }

    // Dumping never stops quietly short of the file's end.
    void dump_reports_what_it_cannot_dump()
    {
        QTemporaryDir dir;
        const QByteArray rec = aurora();
        const QString short_path = in_dir(dir, "short.rnd", {rec, rec, rec.left(rec_len_bytes - 1)});
        const Run cut = run_tool({"dump", short_path});
        QCOMPARE(cut.code, 1);
        QCOMPARE(cut.out.count(QLatin1Char('\n')), 2);
        QCOMPARE(cut.err,
                 short_path + QStringLiteral(": the last 2472 bytes are no whole record and were not dumped\n"));

        // One record more than a collection holds: the last record dumps, and the excess is told.
        const QString big_path = dir.filePath(QStringLiteral("big.rnd"));
        {
            QFile f(big_path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(qint64(max_record_count + 1) * rec_len_bytes));
        }
        const QString too_many
            = big_path + QStringLiteral(" holds 32768 records, more than the 32767 a collection can hold\n");
        const Run last = run_tool({"dump", big_path, "32768"});
        QCOMPARE(last.code, 1);
        QCOMPARE(QJsonDocument::fromJson(last.out.toUtf8()).object().value(QStringLiteral("record")).toInt(), 32768);
        QCOMPARE(last.err, too_many);
    }

    // dump then import gives a collection back byte for byte (slot 0, which
    // neither reads, aside; zero-byte padding comes back as blanks), whatever
    // the locale the commands run in.
    void dump_and_import_round_trip_data()
    {
        QTest::addColumn<QString>("collection");
        QTest::addColumn<QString>("lang");
        for (const char* lang : {"", "de_DE.UTF-8", "en_US.UTF-8", "fr_FR.UTF-8"}) {
            QTest::addRow("demo, LANG=%s", lang) << "demo" << QString::fromLatin1(lang);
            QTest::addRow("odd records, LANG=%s", lang) << "odd" << QString::fromLatin1(lang);
        }
    }
    void dump_and_import_round_trip()
    {
        QFETCH(QString, collection);
        QFETCH(QString, lang);
        QTemporaryDir dir;
        QString source = QStringLiteral(TESSARAN_BIN_DIR "/demo.rnd");
        QByteArray expected = read_bytes(source);
        if (collection == QLatin1String("odd")) {
            // What a real collection may hold: leading blanks, a picture above
            // the count, a date and a year that read nowhere, zero bytes,
            // a line break in a one-line field, a byte that is no character,
            // the extreme amounts.
            const auto put = [](QByteArray& rec, Member m, const QByteArray& text) {
                const TextMemberInfo* info = text_member_info(m);
                rec.replace(info->offset, text.size(), text);
            };
            QByteArray a = encode_record(make_record(QString()));
            put(a, m_scopename, "  Indented");
            put(a, m_artist, " Smith, Anna");
            put(a, m_date_bought, "31/31/1999");
            put(a, m_scopeyear, "19x9");
            put(a, m_city, QByteArray("Zero\0padded", 11) + QByteArray(20, '\0'));
            put(a, m_store, "two\r\nlines");
            put(a, m_studio, "caf\xe9 \x81");
            a.replace(offset_image_count, 2, QByteArray("\x01\x00", 2));
            a.replace(offset_image_files + image_slot_width, 9, "/p/a.jpg ");
            a.replace(offset_image_files + 3 * image_slot_width, 10, "  /p/c.jpg");
            ScopeRecord extreme = make_record("Extreme", QString(), "6/14/1991", std::numeric_limits<qint64>::max(),
                                              std::numeric_limits<qint64>::min());
            extreme.image_count = 0;
            extreme.image_files[10] = fixed_text("/p/last.jpg", image_slot_width);
            const QByteArray b = encode_record(extreme);
            source = in_dir(dir, "odd.rnd", {a, b});
            expected = a + b;
            // The zero-byte padding of City comes back as blanks.
            const TextMemberInfo* city = text_member_info(m_city);
            expected.replace(city->offset + 11, city->width - 11, QByteArray(city->width - 11, ' '));
        }
        const Run dump = run_tool({"dump", source}, lang);
        QCOMPARE(dump.code, 0);
        const QString jsonl = dir.filePath(QStringLiteral("dump.jsonl"));
        QVERIFY(write_bytes(jsonl, dump.out.toUtf8()));
        const QString out = dir.filePath(QStringLiteral("copy.rnd"));
        const Run imported = run_tool({"import", jsonl, out}, lang);
        QCOMPARE(imported.code, 0);
        const int count = int(expected.size() / rec_len_bytes);
        QCOMPARE(imported.out,
                 QStringLiteral("imported %1 kaleidoscope%2, skipped 0 rows\n").arg(count).arg(count == 1 ? "" : "s"));
        if (collection == QLatin1String("odd"))
            QVERIFY2(imported.err.startsWith(
                         QLatin1String("line 1: warning: Date of purchase \"31/31/1999\" is not a date")),
                     qPrintable(imported.err));
        else if (lang.startsWith(QLatin1String("en")))
            QCOMPARE(imported.err, QString());
        QByteArray copy = read_bytes(out);
        QCOMPARE(copy.size(), expected.size());
        for (qsizetype at = offset_image_files; at < expected.size(); at += rec_len_bytes) {
            expected.replace(at, image_slot_width, QByteArray(image_slot_width, '\0'));
            copy.replace(at, image_slot_width, QByteArray(image_slot_width, '\0'));
        }
        qsizetype differs = 0;
        while (differs < copy.size() && copy.at(differs) == expected.at(differs))
            ++differs;
        QVERIFY2(differs == copy.size(),
                 qPrintable(QStringLiteral("record %1, byte %2 differs")
                                .arg(differs / rec_len_bytes + 1)
                                .arg(differs % rec_len_bytes)));

        // An existing collection is only added to with --append.
        const Run again = run_tool({"import", jsonl, out}, lang);
        QCOMPARE(again.code, 1);
        QVERIFY(again.err.endsWith(out + QStringLiteral(" exists; give --append to add the kaleidoscopes to it\n")));
    }

    // Columns the program has no field for, and rows of empty cells, are named
    // (the encodings a spreadsheet offers are the reader's own rows).
    void import_names_what_it_leaves_out()
    {
        QTemporaryDir dir;
        const QString csv = dir.filePath("list.csv");
        QVERIFY(write_bytes(csv,
                            QStringLiteral("Scope name,Price paid (\u20ac),Insured (\u20ac),Notes\n"
                                           "Aurora,12.50,20,x\n,,,\n , ,\"\",\n\n")
                                .toUtf8()));
        const QString out = dir.filePath("new.rnd");
        const Run run = run_tool({"import", csv, out});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.err,
                 QStringLiteral("column \"Insured (\u20ac)\" matches no field and is ignored\n"
                                "column \"Notes\" matches no field and is ignored\n"
                                "2 empty rows skipped\n"));
        QCOMPARE(run.out, QStringLiteral("imported 1 kaleidoscope, skipped 0 rows\n"));
        const QList<ScopeRecord> recs = read_db(out);
        QCOMPARE(recs.size(), 1);
        QCOMPARE(trim_blanks(recs[0].scopename), QStringLiteral("Aurora"));
        QCOMPARE(recs[0].price_paid, qint64(125000));
    }

    // What would lose values or write a record verify calls damaged is refused
    // with its reason, and nothing is written.
    void import_refuses_what_it_cannot_keep_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("err");  // PATH stands for the source file
        const QString rejected
            = QStringLiteral("1 row rejected; nothing was written (give --skip-bad to import the others)\n");
        QTest::newRow("a row with no amount")
            << QByteArray("Scope name;Purchase price\nAurora;12.50\nBorealis;lots\n")
            << QStringLiteral("line 3: Purchase price \"lots\" is not an amount\n") + rejected;
        QTest::newRow("three columns for one field")
            << QByteArray("Scope name,Purchase Price ($),Price paid (\xe2\x82\xac),Purchase price\nA,1,2,3\n")
            << QStringLiteral("cannot import PATH: The columns \"Purchase Price ($)\", \"Price paid (\u20ac)\" and "
                              "\"Purchase price\" all go into Purchase price, and only one can; choose the one to "
                              "import.\n");
        QTest::newRow("no heading names a field")
            << QByteArray("foo,bar\n1,2\n")
            << QStringLiteral("cannot import PATH: None of the file's headings names a field of a kaleidoscope: "
                              "\"foo\" and \"bar\".\n");
        QTest::newRow("a dump's image count above ten")
            << QByteArray("{\"scopename\":\"A\",\"image_count\":11}\n")
            << QStringLiteral("line 1: image_count 11 lies outside 0..10\n") + rejected;
        QTest::newRow("a dump's image count below zero")
            << QByteArray("{\"scopename\":\"A\",\"image_count\":-5,\"image_files\":[]}\n")
            << QStringLiteral("line 1: image_count -5 lies outside 0..10\n") + rejected;
    }
    void import_refuses_what_it_cannot_keep()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, err);
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("list.csv"));
        QVERIFY(write_bytes(source, bytes));
        const QString out = dir.filePath(QStringLiteral("new.rnd"));
        const Run refused = run_tool({"import", source, out});
        QCOMPARE(refused.code, 1);
        QCOMPARE(refused.err, QString(err).replace(QLatin1String("PATH"), source));
        QVERIFY(!QFile::exists(out));
    }

    void import_skips_bad_rows_on_request()
    {
        QTemporaryDir dir;
        const QString csv = dir.filePath(QStringLiteral("list.csv"));
        QVERIFY(write_bytes(csv, "Scope name;Purchase price\nAurora;12.50\nBorealis;lots\n"));
        const QString out = dir.filePath(QStringLiteral("new.rnd"));
        const Run skipped = run_tool({"import", csv, out, "--skip-bad"});
        QCOMPARE(skipped.code, 0);
        QCOMPARE(skipped.out, QStringLiteral("imported 1 kaleidoscope, skipped 1 row\n"));

        // The same figures as the window, for scripts.
        const Run stats = run_tool({"stats", out, "--json"});
        QCOMPARE(stats.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(stats.out.toUtf8()).object();
        QCOMPARE(o.value(QStringLiteral("kaleidoscopes")).toInt(), 1);
        QCOMPARE(o.value(QStringLiteral("price_paid")).toObject().value(QStringLiteral("total")).toString(),
                 QStringLiteral("12.5"));
    }

    void web_writes_a_catalogue_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("existing");  // the folder already holds a file
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("prices");
        QTest::newRow("new folder") << QStringList{} << false << 0 << true;
        QTest::newRow("without prices") << QStringList{"--no-prices"} << false << 0 << false;
        QTest::newRow("folder in use, refused") << QStringList{} << true << 1 << false;
        QTest::newRow("folder in use, replaced") << QStringList{"--replace"} << true << 0 << true;
    }
    void web_writes_a_catalogue()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, existing);
        QFETCH(int, code);
        QFETCH(bool, prices);
        TempDb db({make_record("Alpha", "Smith", "1/5/2000", 1234500), make_record("Bravo", "Adams")});
        const QString folder = db.dir() + QStringLiteral("/web");
        if (existing) {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(write_bytes(folder + "/notes.txt", "mine"));
        }
        const Run r = run_tool(QStringList{"web", db.path(), folder} + options);
        QCOMPARE(r.code, code);
        if (code != 0) {
            QCOMPARE(r.err.trimmed(),
                     folder
                         + QStringLiteral(" is not empty; give --replace to replace the catalogue's "
                                          "files in it"));
            QVERIFY(!QFile::exists(folder + QStringLiteral("/index.html")));
            return;
        }
        QCOMPARE(r.out.trimmed(), QStringLiteral("wrote 2 kaleidoscopes and 0 pictures to ") + folder);
        QFile index(folder + QStringLiteral("/index.html"));
        QVERIFY(index.open(QIODevice::ReadOnly));
        const QByteArray html = index.readAll();
        // Sorted by artist, as the program opens a collection.
        QVERIFY(html.indexOf(">Bravo</a>") < html.indexOf(">Alpha</a>"));
        QCOMPARE(html.contains("$123.45"), prices);
        if (existing)
            QVERIFY(QFile::exists(folder + QStringLiteral("/notes.txt")));
    }

    // Every stored picture with the file it names; verify warns of those gone.
    void pictures_are_listed_and_missing_ones_named()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("pics")));
        QVERIFY(write_bytes(dir.filePath(QStringLiteral("pics/here.jpg")), "jpg"));
        ScopeRecord one = make_record(QStringLiteral("One"));
        one.image_count = 2;
        one.image_files[1] = fixed_text("pics/here.jpg", 60);
        one.image_files[2] = fixed_text("/gone/x.jpg", 60);
        ScopeRecord two = make_record(QStringLiteral("Two"));
        two.image_count = 3;
        two.image_files[1] = fixed_text("C:\\Old\\y.jpg", 60);
        two.image_files[2] = fixed_text("pics/pipe.jpg", 60);
        two.image_files[3] = fixed_text("pics", 60);
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pics/pipe.jpg"))).constData(), 0600), 0);
        const QString path = in_dir(dir, "c.rnd", {encode_record(one), encode_record(two)});
        const Run list = run_tool({"pictures", path});
        QCOMPARE(list.code, 0);
        QCOMPARE(list.out,
                 QStringLiteral("record 1, picture 1: pics/here.jpg -> %1/pics/here.jpg (found)\n"
                                "record 1, picture 2: /gone/x.jpg -> /gone/x.jpg (missing)\n"
                                "record 2, picture 1: C:\\Old\\y.jpg -> C:\\Old\\y.jpg (missing)\n"
                                "record 2, picture 2: pics/pipe.jpg -> %1/pics/pipe.jpg (not a picture file)\n"
                                "record 2, picture 3: pics -> %1/pics (not a picture file)\n")
                     .arg(dir.path()));
        const Run verify = run_tool({"verify", path});
        QCOMPARE(verify.code, 0);
        QCOMPARE(verify.out,
                 QStringLiteral("warning: record 1, picture 2: /gone/x.jpg cannot be found\n"
                                "warning: record 2, picture 1: C:\\Old\\y.jpg cannot be found\n"
                                "warning: record 2, picture 2: %1/pics/pipe.jpg is not a picture file\n"
                                "warning: record 2, picture 3: %1/pics is not a picture file\n")
                     .arg(dir.path()));
        QCOMPARE(run_tool({"verify", path, "--strict"}).code, 1);

        // A file cut short is no collection to list.
        QVERIFY(write_bytes(path, read_bytes(path).left(rec_len_bytes + 100)));
        const Run cut = run_tool({"pictures", path});
        QCOMPARE(cut.code, 1);
        QCOMPARE(cut.out, QString());
        QCOMPARE(cut.err,
                 QStringLiteral("%1 is not a collection: length 2573 is not a whole number of 2473-byte "
                                "records (100 bytes left over)\n")
                     .arg(path));
    }

    // What import --append adds is recorded; history lists it, also for the
    // kaleidoscope it added, and says so where nothing was ever recorded.
    void history_lists_what_import_recorded_and_verify_compares_it()
    {
        TempDb db({make_record("Alpha"), make_record("Bravo")});
        const Run none = run_tool({"history", db.path()});
        QCOMPARE(none.code, 1);
        QCOMPARE(none.err,
                 QStringLiteral("The history file %1-history does not exist: no change has been recorded.\n")
                     .arg(db.path()));
        const QString csv = db.dir() + "/new.csv";
        QVERIFY(write_bytes(csv, "Scope name\nCharlie\n"));
        QCOMPARE(run_tool({"import", csv, db.path(), "--append"}).code, 0);
        const QRegularExpression line(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ \\S+ import record 3 \"Charlie\"\n$"));
        for (const QStringList& args : {QStringList{"history", db.path()}, {"history", db.path(), "--record", "3"}}) {
            const Run listed = run_tool(args);
            QCOMPARE(listed.code, 0);
            QVERIFY2(line.match(listed.out).hasMatch(), qPrintable(listed.out));
        }
        QCOMPARE(run_tool({"history", db.path(), "--record", "9"}).err,
                 QStringLiteral("record 9 is not in the history of %1\n").arg(db.path()));
        // verify names where another program's write left the history behind.
        QCOMPARE(run_tool({"verify", db.path(), "--strict"}).code, 0);
        QVERIFY(write_record(db.path(), 2, make_record("Bravo, changed elsewhere")));
        const Run verified = run_tool({"verify", db.path()});
        QCOMPARE(verified.code, 0);
        QCOMPARE(verified.out, QStringLiteral("warning: history: record 2 is not as this program last wrote it\n"));
    }

    void inventory_writes_a_pdf()
    {
        QTemporaryDir dir;
        const QString path = in_dir(dir, "ok.rnd", {aurora(), sample("Borealis", "Jones", false)});
        const QString pdf = dir.filePath(QStringLiteral("inventory.pdf"));
        const Run r = run_tool({"inventory", path, pdf, "--paid"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out,
                 QStringLiteral("wrote the inventory of 2 kaleidoscopes on 1 page to %1\n"
                                "1 kaleidoscope without a picture, 1 picture that could not be read\n")
                     .arg(pdf));
        QVERIFY(QFile(pdf).size() > 0);
        QCOMPARE(run_tool({"inventory", path, pdf, "--paid", "--retail"}).code, 2);
    }

    void replace_changes_a_field_in_many()
    {
        QTemporaryDir dir;
        const QString path = in_dir(dir, "ok.rnd", {aurora(), sample("Borealis", "Smith, Anna"), sample("C", "Jones")});
        const Run dry = run_tool({"replace", path, "artist", "Smith, Anna", "Smith, Ann", "--dry-run"});
        QCOMPARE(dry.code, 0);
        QCOMPARE(dry.out,
                 QStringLiteral("record 1 \"Aurora\": \"Smith, Anna\" -> \"Smith, Ann\"\n"
                                "record 2 \"Borealis\": \"Smith, Anna\" -> \"Smith, Ann\"\n"
                                "would change 2 kaleidoscopes\n"));
        const Run done = run_tool({"replace", path, "artist", "Smith, Anna", "Smith, Ann"});
        QCOMPARE(done.code, 0);
        QVERIFY(done.out.endsWith(QLatin1String("changed 2 kaleidoscopes\n")));
        QVERIFY(run_tool({"history", path}).out.contains(QLatin1String(" many 2 kaleidoscopes")));
        QCOMPARE(run_tool({"replace", path, "nofield", "a", "b"}).code, 2);
    }

    void missing_file_and_bad_usage()
    {
        const Run missing = run_tool({"verify", "/nonexistent/x.rnd"});
        QCOMPARE(missing.code, 1);
        QCOMPARE(missing.out, QString());
        QVERIFY(missing.err.startsWith(QLatin1String("cannot read /nonexistent/x.rnd: ")));
        // The whole output of each command is kept in the golden files; here
        // only a record number the file does not hold.
        QTemporaryDir dir;
        const QString path = in_dir(dir, "ok.rnd", {aurora(), aurora()});
        const Run past = run_tool({"dump", path, "3"});
        QCOMPARE(past.code, 1);
        QCOMPARE(past.err, QStringLiteral("record 3 is not in the file (1..2)\n"));
        QCOMPARE(run_tool({"frobnicate", "x"}).code, 2);
        QCOMPARE(run_tool({}).code, 2);
    }
};

QTEST_GUILESS_MAIN(TestRndTool)
#include "tst_rnd_tool.moc"
