// The web catalogue as files on disk: texts escaped and in UTF-8, pictures
// copied once and scaled, no path of the user's disk in any page, prices left
// out on request, and a folder that holds either the whole new catalogue or
// what it held before.
#include "catalogue/web_catalogue.h"
#include "common/core_temp_db.h"
#include "core/working_set.h"

#include <QtTest>
#include <QtWidgets>

#include <sys/stat.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// Every file the catalogue holds, relative to its folder.
QStringList files_in(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QSize size_of(const QString& path)
{
    return QImageReader(path).size();
}

WebCatalogueResult write_all_of(const TempDb& db, int count, const QString& folder, bool prices,
                                const CatalogueProgress& progress = {})
{
    WorkingSet ws;
    ws.reset_to_all(count);
    return write_web_catalogue(db.path(), ws.records(), ws.count(), folder, prices, progress);
}

}  // namespace

class tst_web_catalogue : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void texts_are_escaped_and_in_utf8_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("a script") << "<script>alert(1)</script>" << QByteArray("&lt;script&gt;alert(1)&lt;/script&gt;");
        QTest::newRow("quotes and ampersand")
            << "\"Red\" & 'Blue'" << QByteArray("&quot;Red&quot; &amp; &#39;Blue&#39;");
        QTest::newRow("Windows-1252 letters") << "Œuvre € Dorée" << QString("Œuvre € Dorée").toUtf8();
    }
    void texts_are_escaped_and_in_utf8()
    {
        QFETCH(QString, stored);
        QFETCH(QByteArray, written);
        ScopeRecord r = make_record(stored, stored);
        r.comments = fixed_text(stored + "\r\nsecond line", 500);
        TempDb db({r});
        const QString folder = db.dir() + QStringLiteral("/catalogue");
        const WebCatalogueResult result = write_all_of(db, 1, folder, true);
        QVERIFY2(result.status, qPrintable(result.status.error));
        for (const char* page : {"/index.html", "/k/1.html", "/list/gallery-1.html"}) {
            const QByteArray html = read_bytes(folder + QLatin1String(page));
            QVERIFY(html.contains("<meta charset=\"utf-8\">"));
            QVERIFY2(html.contains(written), page);
            QVERIFY(!html.contains("<script>alert"));
        }
        QVERIFY(read_bytes(folder + QStringLiteral("/k/1.html")).contains("<br>second line"));
        // The page's own script is the only one.
        QCOMPARE(read_bytes(folder + QStringLiteral("/index.html")).count("<script>"), 1);
        QCOMPARE(read_bytes(folder + QStringLiteral("/k/1.html")).count("<script>"), 0);
        // The search's rows are data, never markup or script.
        const QByteArray search = read_bytes(folder + QStringLiteral("/list/search.js"));
        QVERIFY(!search.contains("</script>") && !search.contains("\r\n"));
    }

    void pictures_are_copied_scaled_and_named()
    {
        TempDb db;
        const QString own = db.dir() + QStringLiteral("/My Pictures");
        QVERIFY(QDir().mkpath(own));
        QImage big(3000, 2000, QImage::Format_RGB32);
        big.fill(QColor(30, 60, 200));
        QVERIFY(big.save(own + QStringLiteral("/big.png")));
        QImage small(100, 80, QImage::Format_ARGB32);
        small.fill(Qt::transparent);
        QVERIFY(small.save(own + QStringLiteral("/small.png")));
        QVERIFY(write_bytes(own + "/broken.jpg", "no picture"));
        // A copy cut short: it decodes, grey below the cut, and is named as unreadable.
        QVERIFY(big.save(own + "/cut.jpg", "JPG", 90));
        const QByteArray whole_jpeg = read_bytes(own + QStringLiteral("/cut.jpg"));
        QVERIFY(write_bytes(own + "/cut.jpg", whole_jpeg.left(whole_jpeg.size() / 2)));
        ScopeRecord first = make_record("First");
        first.image_count = 5;
        first.image_files[5] = fixed_text(own + "/cut.jpg", 60);
        first.image_files[1] = fixed_text(own + "/big.png", 60);
        first.image_files[2] = fixed_text(own + "/small.png", 60);
        first.image_files[3] = fixed_text(own + "/gone.jpg", 60);
        first.image_files[4] = fixed_text(own + "/broken.jpg", 60);
        ScopeRecord second = make_record("Second");
        second.image_count = 1;
        // The same picture, kept by its path from the collection's folder.
        second.image_files[1] = fixed_text("My Pictures/big.png", 60);
        QVERIFY(db.rewrite({first, second}));

        const QString folder = db.dir() + QStringLiteral("/catalogue");
        const WebCatalogueResult result = write_all_of(db, 2, folder, true);
        QVERIFY2(result.status, qPrintable(result.status.error));
        QCOMPARE(result.kaleidoscopes, 2);
        QCOMPARE(result.pictures, 2);  // the shared picture once
        QCOMPARE(result.unreadable.size(), 3);
        QVERIFY(result.unreadable.at(0).startsWith(own + QStringLiteral("/gone.jpg: ")));
        QVERIFY(result.unreadable.at(1).startsWith(own + QStringLiteral("/broken.jpg: ")));
        QCOMPARE(result.unreadable.at(2),
                 own + QStringLiteral("/cut.jpg: Only part of the picture can be read: the file is cut short."));
        QCOMPARE(files_in(folder),
                 (QStringList{"index.html", "k/1.html", "list/gallery-1.html", "list/search.js", "pictures/1-small.jpg",
                              "pictures/1.jpg", "pictures/2-small.jpg", "pictures/2.jpg", "style.css"}));
        QCOMPARE(size_of(folder + QStringLiteral("/pictures/1.jpg")), QSize(1600, 1066));
        QCOMPARE(size_of(folder + QStringLiteral("/pictures/1-small.jpg")), QSize(200, 133));
        QCOMPARE(size_of(folder + QStringLiteral("/pictures/2.jpg")), QSize(100, 80));
        // What was see-through shows on white.
        QCOMPARE(QImage(folder + QStringLiteral("/pictures/2.jpg")).pixelColor(50, 40).lightness(), 255);
        const QByteArray page = read_bytes(folder + QStringLiteral("/k/1.html"));
        const QByteArray first_section
            = page.mid(page.indexOf("id=\"k1\""), page.indexOf("id=\"k2\"") - page.indexOf("id=\"k1\""));
        const QByteArray second_section = page.mid(page.indexOf("id=\"k2\""));
        QVERIFY(first_section.contains("Picture 3, gone.jpg, could not be read."));
        QVERIFY(first_section.contains("Picture 4, broken.jpg, could not be read."));
        // The shared picture, shown large as the second kaleidoscope's first.
        QVERIFY(second_section.contains("<img src=\"../pictures/1.jpg\""));
        // No folder of the user's disk in any page.
        for (const QString& f : files_in(folder)) {
            if (f.endsWith(QLatin1String(".html")) || f.endsWith(QLatin1String(".js")))
                QVERIFY2(!read_bytes(folder + QLatin1Char('/') + f).contains(QFile::encodeName(db.dir())),
                         qPrintable(f));
        }
    }

    void prices_only_when_included_data()
    {
        QTest::addColumn<bool>("prices");
        QTest::newRow("included") << true;
        QTest::newRow("left out") << false;
    }
    void prices_only_when_included()
    {
        QFETCH(bool, prices);
        TempDb db({make_record("Alpha", "Smith", "1/5/2000", 1234500, 2000000)});
        const QString folder = db.dir() + QStringLiteral("/catalogue");
        QVERIFY(write_all_of(db, 1, folder, prices).status);
        for (const char* page : {"/index.html", "/k/1.html", "/list/search.js"}) {
            const QByteArray html = read_bytes(folder + QLatin1String(page));
            QCOMPARE(html.contains("$123.45"), prices);
            QCOMPARE(html.contains("$200.00"), prices);
            QCOMPARE(html.contains("Purchase price"), prices && !QByteArray(page).endsWith(".js"));
            QVERIFY(html.contains("1/5/2000"));
        }
        // Nor as the key the price column sorts by.
        QCOMPARE(read_bytes(folder + QStringLiteral("/index.html")).contains("data-sort=\"1234500\""), prices);
    }

    // A large catalogue opens a page at a time: the list in pages of 500
    // rows, the gallery in pages of 200 tiles, each numbered and linked; the
    // search reads the whole collection from one file of data.
    void large_catalogues_come_in_pages()
    {
        QList<ScopeRecord> records;
        for (int i = 1; i <= 1001; ++i)
            records << make_record(QStringLiteral("Scope %1").arg(i), QStringLiteral("Artist %1").arg(i));
        TempDb db(records);
        const QString folder = db.dir() + QStringLiteral("/catalogue");
        QVERIFY(write_all_of(db, 1001, folder, true).status);
        const QStringList lists = QDir(folder + QStringLiteral("/list")).entryList(QDir::Files, QDir::Name);
        QCOMPARE(lists,
                 (QStringList{"2.html", "3.html", "gallery-1.html", "gallery-2.html", "gallery-3.html",
                              "gallery-4.html", "gallery-5.html", "gallery-6.html", "search.js"}));
        const QByteArray first = read_bytes(folder + QStringLiteral("/index.html"));
        QCOMPARE(first.count("<tr data-text"), 500);
        QVERIFY(first.contains("Kaleidoscopes 1 to 500 of 1001"));
        QVERIFY(first.contains("<strong aria-current=\"page\">1</strong> <a href=\"list/2.html\">2</a>"));
        const QByteArray last = read_bytes(folder + QStringLiteral("/list/3.html"));
        QCOMPARE(last.count("<tr data-text"), 1);
        QVERIFY(last.contains("href=\"../k/11.html#k1001\""));
        QVERIFY(last.contains("href=\"../style.css\""));
        QCOMPARE(read_bytes(folder + QStringLiteral("/list/gallery-6.html")).count("<figure class=\"tile\">"), 1);
        QCOMPARE(read_bytes(folder + QStringLiteral("/list/search.js")).count("\n[\"k/"), 1001);
    }

    // A kaleidoscope's section: its pictures first, then only the fields
    // that hold something.
    void a_kaleidoscope_shows_its_pictures_first()
    {
        ScopeRecord r = make_record("Alpha", "Smith");
        r.image_count = 1;
        r.image_files[1] = fixed_text("alpha.png", 60);
        TempDb db({r});
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(Qt::darkRed);
        QVERIFY(picture.save(db.dir() + QStringLiteral("/alpha.png")));
        const QString folder = db.dir() + QStringLiteral("/catalogue");
        QVERIFY(write_all_of(db, 1, folder, true).status);
        const QByteArray page = read_bytes(folder + QStringLiteral("/k/1.html"));
        QVERIFY(page.indexOf("class=\"pictures\"") < page.indexOf("class=\"fields\""));
        QVERIFY(page.contains("<th scope=\"row\">Artist</th><td>Smith</td>"));
        QVERIFY(!page.contains(">Fax<"));
    }

    void a_catalogue_is_whole_or_not_there_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("new folder, written") << false << false;
        QTest::newRow("new folder, cancelled") << false << true;
        QTest::newRow("existing folder, written") << true << false;
        QTest::newRow("existing folder, cancelled") << true << true;
    }
    void a_catalogue_is_whole_or_not_there()
    {
        QFETCH(bool, existing);
        QFETCH(bool, cancel);
        QList<ScopeRecord> records;
        for (int i = 1; i <= 200; ++i)
            records << varied_record(i);
        TempDb db(records);
        const QString folder = db.dir() + QStringLiteral("/catalogue");
        if (existing) {
            QVERIFY(QDir().mkpath(folder + QStringLiteral("/k")));
            QVERIFY(write_bytes(folder + "/notes.txt", "mine"));
            QVERIFY(write_bytes(folder + "/index.html", "old catalogue"));
            QVERIFY(write_bytes(folder + "/k/1.html", "old page"));
            // Of a larger catalogue before: a page and a picture the new one has not.
            QVERIFY(write_bytes(folder + "/k/3.html", "old page three"));
            QVERIFY(QDir().mkpath(folder + QStringLiteral("/pictures")));
            QVERIFY(write_bytes(folder + "/pictures/7.jpg", "old picture"));
        }
        int calls = 0;
        const WebCatalogueResult result = write_all_of(db, 200, folder, true, [&](int done, int total) {
            ++calls;
            return !(cancel && done >= total / 2);
        });
        QVERIFY(calls > 1);
        QCOMPARE(result.cancelled, cancel);
        // Nothing is left of the writing beside the folder.
        QCOMPARE(QDir(db.dir()).entryList({".catalogue*"}, QDir::AllEntries | QDir::Hidden).size(), 0);
        if (cancel) {
            QCOMPARE(QFileInfo::exists(folder), existing);
            if (existing) {
                QCOMPARE(read_bytes(folder + QStringLiteral("/index.html")), QByteArray("old catalogue"));
                QCOMPARE(read_bytes(folder + QStringLiteral("/k/1.html")), QByteArray("old page"));
            }
            return;
        }
        QVERIFY2(result.status, qPrintable(result.status.error));
        QCOMPARE(QDir(folder + QStringLiteral("/k")).entryList(QDir::Files).size(), 2);  // a hundred to a page
        QVERIFY(read_bytes(folder + QStringLiteral("/k/2.html")).contains("<section id=\"k200\">"));
        QVERIFY(read_bytes(folder + QStringLiteral("/index.html")).contains("200 kaleidoscopes."));
        if (existing) {
            QCOMPARE(read_bytes(folder + QStringLiteral("/notes.txt")), QByteArray("mine"));
            QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/k/3.html")));
            QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/pictures/7.jpg")));
        } else {
            // Made to be shared: the permissions any new folder gets.
            const mode_t mask = ::umask(0);
            ::umask(mask);
            struct stat st { };
            QCOMPARE(::stat(QFile::encodeName(folder).constData(), &st), 0);
            QCOMPARE(st.st_mode & 0777, 0777 & ~mask);
        }
    }

    // A folder no catalogue can be written in is refused with the reason.
    void an_unwritable_folder_is_refused_with_its_reason()
    {
        TempDb db({make_record("A")});
        const WebCatalogueResult result = write_all_of(db, 1, "/proc/catalogue", true);
        QVERIFY(!result.status);
        const QString start = QStringLiteral("No catalogue can be written in the folder /proc: ");
        QVERIFY2(result.status.error.startsWith(start) && result.status.error.size() > start.size() + 2,
                 qPrintable(result.status.error));
    }

    void a_folder_that_is_a_file_is_refused()
    {
        TempDb db({make_record("A")});
        const QString file = db.dir() + QStringLiteral("/catalogue");
        QVERIFY(write_bytes(file, "x"));
        const WebCatalogueResult result = write_all_of(db, 1, file, true);
        QVERIFY(!result.status);
        QCOMPARE(result.status.error, file + QStringLiteral(" is a file, not a folder."));
        QCOMPARE(read_bytes(file), QByteArray("x"));
    }
};

QTEST_MAIN(tst_web_catalogue)
#include "tst_web_catalogue.moc"
