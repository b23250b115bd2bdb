// Reading a spreadsheet's export or a dump, matching its columns, checking
// every value as the editor does, and appending in one safe write.
#include "common/core_temp_db.h"
#include "core/file_write.h"
#include "core/record_import.h"

#include <QtTest>

#include <unistd.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

QList<int> targets_of(const ImportSource& s)
{
    QList<int> t;
    for (const QString& h : s.headings)
        t << match_heading(h);
    return t;
}

}  // namespace

class tst_record_import : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void reading_sources_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("headings");
        QTest::addColumn<QStringList>("first_row");
        QTest::addColumn<QList<int>>("lines");
        QTest::newRow("commas") << QByteArray("Scope name,Artist\r\nAurora,\"Baker, Ann\"\r\nB,C\r\n")
                                << QStringList{"Scope name", "Artist"} << QStringList{"Aurora", "Baker, Ann"}
                                << QList<int>{2, 3};
        QTest::newRow("semicolons, UTF-8") << QByteArray("name;artist\nM\xc3\xbcller;\"x;y\"\n")
                                           << QStringList{"name", "artist"} << QStringList{"M\u00fcller", "x;y"}
                                           << QList<int>{2};
        // A spreadsheet's "CSV UTF-8" starts with a byte order mark, which is no part of the first heading.
        QTest::newRow("UTF-8 with a byte order mark") << QByteArray("\xEF\xBB\xBFname\nM\xc3\xbcller\n")
                                                      << QStringList{"name"} << QStringList{"M\u00fcller"} << QList<int>{2};
        QTest::newRow("Windows-1252") << QByteArray("name\n\xe9t\xe9\n") << QStringList{"name"}
                                      << QStringList{"\u00e9t\u00e9"} << QList<int>{2};
        QTest::newRow("quotes and line breaks") << QByteArray("a,b\n\"say \"\"hi\"\"\",\"two\nlines\"\n\nnext,x\n")
                                                << QStringList{"a", "b"} << QStringList{"say \"hi\"", "two\nlines"}
                                                << QList<int>{2, 5};
        // What a spreadsheet saves as "Unicode text": UTF-16 with a byte order mark, tabs between.
        QTest::newRow("UTF-16 little-endian, tabs") << QByteArray("\xFF\xFEn\0\t\0p\0\n\0\xAC\x20\t\0" "1\0", 16)
                                                   << QStringList{"n", "p"} << QStringList{"\u20ac", "1"} << QList<int>{2};
        QTest::newRow("UTF-16 big-endian, tabs") << QByteArray("\xFE\xFF\0n\0\t\0p\0\n\x20\xAC\0\t\0" "1", 16)
                                                << QStringList{"n", "p"} << QStringList{"\u20ac", "1"} << QList<int>{2};
        QTest::newRow("JSON lines") << QByteArray("{\"scopename\":\"A\",\"image_files\":[\"/p/1.jpg\",\"/p/2.jpg\"]}\n")
                                    << QStringList{"image_files", "scopename"} << QStringList{"/p/1.jpg;/p/2.jpg", "A"}
                                    << QList<int>{1};
        // clang-format on
    }

    void reading_sources()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, headings);
        QFETCH(QStringList, first_row);
        QFETCH(QList<int>, lines);
        const ImportSource s = read_import_source(bytes);
        QCOMPARE(s.error, QString());
        QCOMPARE(s.headings, headings);
        QCOMPARE(s.rows.value(0), first_row);
        QCOMPARE(s.lines, lines);
    }

    void headings_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("target");
        QTest::newRow("member name") << "price_paid" << int(m_price_paid);
        QTest::newRow("field caption") << "Purchase price" << int(m_price_paid);
        QTest::newRow("summary title with currency") << "Retail Price ($)" << int(m_price_retail);
        QTest::newRow("any case") << "SCOPE NAME" << int(m_scopename);
        QTest::newRow("summary Objects") << "Objects" << int(m_objects);
        QTest::newRow("signed") << "signed" << int(m_signed);
        QTest::newRow("pictures") << "image_files" << import_images;
        QTest::newRow("unknown") << "Insured value" << import_ignored;
        QTest::newRow("record number") << "record" << import_ignored;
    }

    void headings()
    {
        QFETCH(QString, heading);
        QFETCH(int, target);
        QCOMPARE(match_heading(heading), target);
    }

    void refused_rows_data()
    {
        // clang-format off
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("problem");
        QTest::newRow("sound") << QByteArray("Aurora,3/4/2001,$12.50,1999,/p/a.jpg") << "";
        QTest::newRow("ISO date") << QByteArray("Aurora,2001-03-04,,,") << "";
        QTest::newRow("too long") << QByteArray(QByteArray(51, 'x') + ",,,,") << "Scope name is longer than 50 characters";
        QTest::newRow("no date") << QByteArray("A,31/31/2001,,,") << "Date of purchase \"31/31/2001\" is not a date";
        QTest::newRow("no amount") << QByteArray("A,,abc,,") << "Purchase price \"abc\" is not an amount";
        QTest::newRow("year") << QByteArray("A,,,1600,") << "Scope year \"1600\": Entry for scope year field out of range!";
        QTest::newRow("unstorable") << QByteArray("\xc5\x81\xc3\xb3" "d\xc5\xba,,,,") << "Scope name holds characters the database cannot store";
        QTest::newRow("eleven pictures") << QByteArray("A,,,,a;b;c;d;e;f;g;h;i;j;k") << "Pictures has 11 paths, more than 10";
        QTest::newRow("line break in a name") << QByteArray("\"A\nB\",,,,") << "Scope name holds a line break";
        QTest::newRow("unquoted separator") << QByteArray("A,,$1,120.00,1999,/p/a.jpg")
                                            << "The row has 6 items, more than the 5 headings; Scope year \"120.00\": Entry for scope year field out of range!";
        QTest::newRow("two problems") << QByteArray("A,x,y,,") << "Date of purchase \"x\" is not a date; Purchase price \"y\" is not an amount";
        // clang-format on
    }

    void refused_rows()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, problem);
        const ImportSource s
            = read_import_source("Scope name,Date of purchase,Purchase price,Scope year,Pictures\n" + row + "\n");
        const std::vector<ImportedRow> rows = convert_import_rows(s, targets_of(s));
        QCOMPARE(int(rows.size()), 1);
        QCOMPARE(rows[0].line, 2);
        QCOMPARE(rows[0].problem, problem);
        if (QTest::currentDataTag() == QLatin1String("sound")) {
            // As the collection will hold it.
            QByteArray bytes(rec_len_bytes, '\0');
            encode_stored_record_into(rows[0].rec, bytes.data());
            const ScopeRecord r = decode_record(bytes.constData());
            QCOMPARE(r.scopename, fixed_text("Aurora", 50));
            QCOMPARE(r.price_paid, qint64(125000));
            QCOMPARE(r.image_count, qint16(1));
            QCOMPARE(r.image_files[1], fixed_text("/p/a.jpg", image_slot_width));
        }
    }

    void appending_keeps_the_limit_and_the_old_version()
    {
        TempDb db({make_record("One"), make_record("Two")});
        const QByteArray before = read_bytes(db.path());
        QVERIFY(append_records(db.path(), {make_record("Three")}).ok);
        QCOMPARE(read_bytes(db.path()), before + encode_record(make_record("Three")));
        QCOMPARE(read_bytes(backup_path_of(db.path())), before);

        // One past the limit: refused whole, nothing written.
        const QByteArray now = read_bytes(db.path());
        const std::vector<ScopeRecord> many(std::size_t(max_record_count - 2), make_record("Many"));
        const FileStatus st = append_records(db.path(), many);
        QVERIFY(!st.ok);
        QCOMPARE(st.error,
                 QStringLiteral("The database holds 3 kaleidoscopes; 32765 more would pass the 32767 it can hold."));
        QCOMPARE(read_bytes(db.path()), now);
    }

    // Rows are written as they come; one refused at the end still leaves the
    // collection as it was, whether it is replaced or, having a second name,
    // written in place.
    void a_refused_row_writes_nothing_data()
    {
        QTest::addColumn<bool>("second_name");
        QTest::newRow("replaced") << false;
        QTest::newRow("written in place") << true;
    }
    void a_refused_row_writes_nothing()
    {
        QFETCH(bool, second_name);
        TempDb db({make_record("One"), make_record("Two")});
        const QString other = db.dir() + QStringLiteral("/other.rnd");
        if (second_name)
            QCOMPARE(::link(QFile::encodeName(db.path()).constData(), QFile::encodeName(other).constData()), 0);
        const QByteArray before = read_bytes(db.path());
        QByteArray csv = "Scope name,Purchase price\n";
        for (int i = 0; i < 3000; ++i)
            csv += "Row " + QByteArray::number(i) + ",1.50\n";
        csv += "Last,lots\n";
        ImportReader reader(csv);
        ImportCount count;
        QList<ImportedRow> told;
        const FileStatus st
            = append_import(db.path(), reader, {m_scopename, m_price_paid}, true, count, [&](const ImportedRow& row) {
                  if (!row.problem.isEmpty())
                      told << row;
              });
        QVERIFY(!st.ok);
        QCOMPARE(st.error, QString::fromLatin1(import_refused_text));
        QCOMPARE(count.imported, 3000);
        QCOMPARE(count.refused, 1);
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().line, 3002);
        QCOMPARE(read_bytes(db.path()), before);
        QCOMPARE(scratch_files_in(db.dir()), QStringList());
        if (second_name)
            QCOMPARE(read_bytes(other), before);
    }

    // Written ahead while a preview is shown, then put in place on request;
    // never over a collection that changed meanwhile or has a second name.
    void an_import_written_ahead_data()
    {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<bool>("ready");
        QTest::newRow("nothing happens") << "" << true;
        QTest::newRow("another program saves") << "saved" << false;
        QTest::newRow("the collection has a second name") << "linked" << false;
    }
    void an_import_written_ahead()
    {
        QFETCH(QString, meanwhile);
        QFETCH(bool, ready);
        TempDb db({make_record("One"), make_record("Two")});
        if (meanwhile == QLatin1String("linked"))
            QCOMPARE(::link(QFile::encodeName(db.path()).constData(),
                            QFile::encodeName(db.dir() + QStringLiteral("/other.rnd")).constData()),
                     0);
        const QByteArray before = read_bytes(db.path());
        ImportReader reader("Scope name,Purchase price\nThree,1\nBad,lots\nFour,2\n");
        {
            PreparedImport prepared(db.path());
            QVERIFY(prepared.prepare(reader, {m_scopename, m_price_paid}));
            QCOMPARE(prepared.count().imported, 2);
            QCOMPARE(prepared.count().refused, 1);
            QCOMPARE(read_bytes(db.path()), before);  // nothing in place yet
            if (meanwhile == QLatin1String("saved"))
                QVERIFY(write_record(db.path(), 1, make_record("Uno")));
            QCOMPARE(prepared.ready(), ready);
            if (ready) {
                QVERIFY(prepared.commit());
                QCOMPARE(read_bytes(db.path()),
                         before + encode_record(make_record("Three", QString(), QString(), 10000))
                             + encode_record(make_record("Four", QString(), QString(), 20000)));
                QCOMPARE(read_bytes(backup_path_of(db.path())), before);
            } else {
                QVERIFY(!prepared.commit());
            }
        }
        if (!ready)
            QCOMPARE(read_db(db.path()).size(), 2);
        QCOMPARE(scratch_files_in(db.dir()), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_record_import)
#include "tst_record_import.moc"
