// The demo collection: the shipped source builds a varied database, and a
// malformed source is refused loudly with its line number.
#include "common/core_temp_db.h"
#include "core/record_file.h"
#include "core/scope_record.h"

#include <QImage>
#include <QtTest>

#include <vector>

using namespace tessaran;
using namespace tessaran::test;

namespace {

const QString tool = QStringLiteral(TESSARAN_BIN_DIR "/tessaran_make_demo");
const QString source = QStringLiteral(TESSARAN_SOURCE_DIR "/data/demo_collection.txt");

struct Run {
    int exit_code = -1;
    QString err;
};

Run run_tool(const QString& in, const QString& out)
{
    QProcess p;
    p.start(tool, {in, out});
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

class tst_make_demo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(tool).isExecutable(), qPrintable(tool + QStringLiteral(" is not built")));
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("demo.rnd"));
        const Run r = run_tool(source, out);
        QVERIFY2(r.exit_code == 0, qPrintable(r.err));
        const int n = record_count_of(out);
        QCOMPARE(QFileInfo(out).size(), qint64(n) * rec_len_bytes);
        for (int i = 1; i <= n; ++i) {
            ScopeRecord rec;
            QVERIFY(read_record(out, i, rec).ok);
            demo.push_back(rec);
        }
    }

    void demo_is_varied()
    {
        QVERIFY(demo.size() >= 40);

        // Every text member and both prices are used somewhere in the set.
        for (const TextMemberInfo& m : text_members()) {
            bool used = false;
            for (const ScopeRecord& r : demo)
                used = used || !trim_blanks(r.*(m.field)).isEmpty();
            QVERIFY2(used, m.name);
        }
        int no_paid = 0, no_retail = 0, no_date = 0, with_images = 0, long_texts = 0;
        QDate first, last;
        QSet<QString> smiths;
        for (const ScopeRecord& r : demo) {
            no_paid += r.price_paid == 0;
            no_retail += r.price_retail == 0;
            with_images += r.image_count > 0;
            long_texts += trim_blanks(r.specfeatures).size() > 400 || trim_blanks(r.comments).size() > 400;
            const QString date = trim_blanks(r.date_bought);
            if (date.isEmpty()) {
                ++no_date;
                continue;
            }
            const QDate d = QDate::fromString(date, QStringLiteral("M/d/yyyy"));
            QVERIFY2(d.isValid(), qPrintable(date));
            if (!first.isValid() || d < first)
                first = d;
            if (!last.isValid() || d > last)
                last = d;
            const QString artist = trim_blanks(r.artist);
            if (artist.startsWith("smith", Qt::CaseInsensitive))
                smiths.insert(artist.left(5));
        }
        QVERIFY(no_paid > 0);
        QVERIFY(no_retail > 0);
        QVERIFY(no_date > 0);
        // Most kaleidoscopes have pictures, some none; every one is drawn beside the built demo.
        QVERIFY(with_images * 4 > int(demo.size()) * 3 && with_images < int(demo.size()));
        for (const ScopeRecord& r : demo) {
            for (int k = 1; k <= r.image_count; ++k) {
                const QString stored = trim_blanks(r.image_files.at(std::size_t(k)));
                QVERIFY2(!QImage(QStringLiteral(TESSARAN_BIN_DIR "/") + stored).isNull(), qPrintable(stored));
            }
        }
        QVERIFY(long_texts >= 2);
        QVERIFY(last.year() - first.year() >= 20);
        // The same surname in three letter cases, so the sort shows how it compares.
        QCOMPARE(smiths.size(), 3);
    }

    void malformed_source_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        const QByteArray ok = "scopename: A\nartist: B\n";
        QTest::newRow("no colon") << QByteArray(ok + "price_paid 12.00\n") << 3;
        QTest::newRow("locale price") << QByteArray(ok + "price_paid: 12,50\n") << 3;
        QTest::newRow("bad date") << QByteArray(ok + "\nscopename: C\ndate_bought: 13/1/2020\n") << 5;
        QTest::newRow("too long") << QByteArray(ok + "state: " + QByteArray(21, 'x') + "\n") << 3;
        QByteArray eleven = ok;
        for (int i = 0; i < 11; ++i)
            eleven += "image: /p/" + QByteArray::number(i) + ".jpg\n";
        QTest::newRow("eleven images") << eleven << 13;
        QTest::newRow("no name") << QByteArray(ok + "\n\nartist: D\nstudio: E\n") << 5;
        QTest::newRow("empty") << QByteArray("# nothing\n\n") << 2;
    }

    void malformed_source()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("bad.txt"));
        const QString out = dir.filePath(QStringLiteral("bad.rnd"));
        QVERIFY(write_bytes(in, text));
        const Run r = run_tool(in, out);
        QCOMPARE(r.exit_code, 1);
        QVERIFY2(r.err.startsWith(in + QLatin1Char(':') + QString::number(line) + QStringLiteral(": ")),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(out));  // nothing half-written
    }

private:
    std::vector<ScopeRecord> demo;
};

QTEST_GUILESS_MAIN(tst_make_demo)
#include "tst_make_demo.moc"
