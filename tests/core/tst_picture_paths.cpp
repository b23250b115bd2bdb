// How a picture's path is kept in a record and found again: relative to the
// collection's folder where it lies beside it, never cut, and copied into the
// collection's picture folder where it cannot be kept as it is.
#include "common/core_temp_db.h"

#include "core/picture_paths.h"
#include "core/picture_search.h"
#include "core/record_file.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

bool put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace

class tst_picture_paths : public QObject {
    Q_OBJECT
    QTemporaryDir root;
    QString coll() const { return root.path() + QStringLiteral("/coll"); }
    QString db() const { return coll() + QStringLiteral("/scopes.rnd"); }

private slots:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        QVERIFY(put(db(), QByteArray()));
        QVERIFY(put(coll() + "/pictures/blue.jpg", "b"));
        QVERIFY(put(coll() + "/Café Fotos/blaue Stunde.jpg", "c"));
        QVERIFY(put(root.path() + "/outside/red.jpg", "r"));
        QVERIFY(QFile::link(root.path() + "/outside", coll() + QStringLiteral("/link-out")));
        QVERIFY(QFile::link(coll() + "/pictures", root.path() + QStringLiteral("/link-in")));
        QVERIFY(put(root.path() + "/elsewhere/green.jpg", "g"));
        QVERIFY(QDir().mkpath(coll() + QStringLiteral("/x")));
        // The collection's picture folder is a link to a shelf elsewhere; a
        // folder deeper down links out too.
        QVERIFY(put(root.path() + "/shelf/p.jpg", "p"));
        QVERIFY(QFile::link(root.path() + "/shelf", coll() + QStringLiteral("/scopes-pictures")));
        QVERIFY(put(root.path() + "/deep/d.jpg", "d"));
        QVERIFY(QDir().mkpath(coll() + QStringLiteral("/mine")));
        QVERIFY(QFile::link(root.path() + "/deep", coll() + QStringLiteral("/mine/deep")));
    }

    void stored_form_data()
    {
        QTest::addColumn<QString>("chosen");  // below the temporary root
        QTest::addColumn<QString>("stored");  // "ROOT" for the temporary root
        QTest::addColumn<int>("problem");
        const int none = int(StoredPicture::Problem::none);
        const int too_long = int(StoredPicture::Problem::too_long);
        const int not_storable = int(StoredPicture::Problem::not_storable);
        const QString long_name = QString(70, QLatin1Char('x')) + QStringLiteral(".jpg");
        // clang-format off
        QTest::newRow("beside the collection") << "coll/pictures/blue.jpg" << "pictures/blue.jpg" << none;
        QTest::newRow("outside, absolute") << "elsewhere/green.jpg" << "ROOT/elsewhere/green.jpg" << none;
        QTest::newRow("blanks and Windows-1252 letters") << "coll/Café Fotos/blaue Stunde.jpg"
                                                         << "Café Fotos/blaue Stunde.jpg" << none;
        QTest::newRow(".. staying in") << "coll/x/../pictures/blue.jpg" << "pictures/blue.jpg" << none;
        QTest::newRow("link leading in") << "link-in/blue.jpg" << "pictures/blue.jpg" << none;
        // A picture a link in the collection's folder leads to is kept through
        // the link, by whichever way it was chosen: the same form each time.
        QTest::newRow("link in the folder leading out") << "coll/link-out/red.jpg" << "link-out/red.jpg" << none;
        QTest::newRow("the same picture, chosen directly") << "outside/red.jpg" << "link-out/red.jpg" << none;
        QTest::newRow("the same picture, through ..") << "coll/../outside/red.jpg" << "link-out/red.jpg" << none;
        QTest::newRow("picture folder a link") << "coll/scopes-pictures/p.jpg" << "scopes-pictures/p.jpg" << none;
        QTest::newRow("picture folder a link, its target") << "shelf/p.jpg" << "scopes-pictures/p.jpg" << none;
        QTest::newRow("a link deeper in the folder") << "coll/mine/deep/d.jpg" << "mine/deep/d.jpg" << none;
        // The system resolves the link before "..": x.jpg beside the link's target.
        QTest::newRow(".. after a link") << "coll/link-out/../elsewhere/green.jpg" << "ROOT/elsewhere/green.jpg"
                                         << none;
        QTest::newRow("too long outside") << "outside/" + long_name << "ROOT/outside/" + long_name << too_long;
        QTest::newRow("long inside, but fits") << "coll/" + QString(50, QLatin1Char('y')) + ".jpg"
                                               << QString(50, QLatin1Char('y')) + ".jpg" << none;
        QTest::newRow("not Windows-1252") << "outside/Калейдоскоп.jpg" << "ROOT/outside/Калейдоскоп.jpg"
                                          << not_storable;
        // clang-format on
    }
    void stored_form()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        QFETCH(int, problem);
        stored.replace("ROOT", root.path());
        const StoredPicture s = stored_picture(root.path() + QLatin1Char('/') + chosen, db());
        if (problem == int(StoredPicture::Problem::none) || s.stored.size() <= image_slot_width)
            QCOMPARE(s.stored, stored);
        // What is stored names the very file that was chosen.
        if (problem == int(StoredPicture::Problem::none))
            QCOMPARE(QFileInfo(picture_file(s.stored, db())).canonicalFilePath(),
                     QFileInfo(root.path() + QLatin1Char('/') + chosen).canonicalFilePath());
        QCOMPARE(int(s.problem), problem);
        QCOMPARE(s.why.isEmpty(), problem == int(StoredPicture::Problem::none));
    }

    void resolution_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("file");  // "COLL" for the collection's folder
        // clang-format off
        QTest::newRow("relative") << "pictures/blue.jpg" << "COLL/pictures/blue.jpg";
        QTest::newRow("padded with blanks") << "  pictures/blue.jpg   " << "COLL/pictures/blue.jpg";
        QTest::newRow("absolute") << "/srv/pictures/a.jpg" << "/srv/pictures/a.jpg";
        QTest::newRow("written on Windows") << "C:\\My Pictures\\a.jpg" << "C:\\My Pictures\\a.jpg";
        QTest::newRow("Windows share") << "\\\\server\\a.jpg" << "\\\\server\\a.jpg";
        QTest::newRow("empty") << "   " << "";
        // clang-format on
    }
    void resolution()
    {
        QFETCH(QString, stored);
        QFETCH(QString, file);
        file.replace("COLL", coll());
        QCOMPARE(picture_file(stored, db()), file);
        // A stored path resolves to the file it was made from.
        if (is_relative_picture_path(stored))
            QCOMPARE(stored_picture(picture_file(stored, db()), db()).stored, stored.trimmed());
    }

    void picture_folder_is_named_after_the_collection_data()
    {
        QTest::addColumn<QString>("collection");
        QTest::addColumn<QString>("folder");
        QTest::newRow("usual") << "/home/anna/Scopes.rnd"
                               << "Scopes-pictures";
        QTest::newRow("long name") << "/x/" + QString(31, QLatin1Char('n')) + ".rnd"
                                   << "pictures";
        QTest::newRow("letters a record cannot store") << "/x/Калейдоскопы.rnd"
                                                       << "pictures";
    }
    void picture_folder_is_named_after_the_collection()
    {
        QFETCH(QString, collection);
        QFETCH(QString, folder);
        QCOMPARE(picture_folder_name(collection), folder);
    }

    // The copy: a short unique name that keeps the extension, once per picture,
    // the original untouched.
    void copies_into_the_picture_folder()
    {
        QTemporaryDir here;
        const QString rnd = here.filePath(QStringLiteral("Kaleidoscopes.rnd"));
        const QString deep = here.filePath(QStringLiteral("camera/") + QString(40, QLatin1Char('d'))
                                           + QStringLiteral("/IMG_20190612_142233.JPG"));
        QVERIFY(put(deep, "picture one"));
        const QString other = here.filePath(QStringLiteral("camera/IMG_2.jpeg"));
        QVERIFY(put(other, "picture two"));

        QString stored;
        QVERIFY(copy_into_picture_folder(deep, rnd, "Blue Hour", stored));
        QCOMPARE(stored, QStringLiteral("Kaleidoscopes-pictures/blue-hour-1.jpg"));
        QCOMPARE(read_bytes(picture_file(stored, rnd)), QByteArray("picture one"));
        QCOMPARE(read_bytes(deep), QByteArray("picture one"));
        // The same picture again: the copy made before.
        QVERIFY(copy_into_picture_folder(deep, rnd, "Blue Hour", stored));
        QCOMPARE(stored, QStringLiteral("Kaleidoscopes-pictures/blue-hour-1.jpg"));
        // Another picture of the same scope: the next number.
        QVERIFY(copy_into_picture_folder(other, rnd, "Blue Hour", stored));
        QCOMPARE(stored, QStringLiteral("Kaleidoscopes-pictures/blue-hour-2.jpeg"));
        // A picture in the folder itself is kept where it is.
        QVERIFY(copy_into_picture_folder(picture_file(stored, rnd), rnd, "Other", stored));
        QCOMPARE(stored, QStringLiteral("Kaleidoscopes-pictures/blue-hour-2.jpeg"));
        // A scope name of no letters, and a long one: still within the slot.
        QVERIFY(put(here.filePath(QStringLiteral("3.png")), "three"));
        QVERIFY(copy_into_picture_folder(here.filePath(QStringLiteral("3.png")), rnd, "***", stored));
        QCOMPARE(stored, QStringLiteral("Kaleidoscopes-pictures/picture-1.png"));
        QVERIFY(put(here.filePath(QStringLiteral("4.png")), "four"));
        QVERIFY(copy_into_picture_folder(here.filePath(QStringLiteral("4.png")), rnd,
                                         QStringLiteral("Über die Brücke ") + QString(60, QLatin1Char('z')), stored));
        QVERIFY(stored.startsWith(QStringLiteral("Kaleidoscopes-pictures/uber-die-brucke-z")));
        QVERIFY(stored.endsWith(QStringLiteral("-1.png")));
        QCOMPARE(stored.size(), image_slot_width);
        // A large copy tells its progress and stops when told: nothing is left.
        QVERIFY(put(here.filePath(QStringLiteral("big.jpg")), QByteArray(3 << 20, 'b')));
        QList<qint64> told;
        const FileStatus cancelled = copy_into_picture_folder(here.filePath(QStringLiteral("big.jpg")), rnd, "Big",
                                                              stored, [&](qint64 done, qint64 all) {
                                                                  told << done;
                                                                  return all == (3 << 20) && done < (2 << 20);
                                                              });
        QCOMPARE(cancelled.error, QString::fromLatin1(copy_cancelled_text));
        QCOMPARE(told, (QList<qint64>{1 << 20, 2 << 20}));
        // No scratch file is left behind.
        QCOMPARE(QDir(picture_folder(rnd)).entryList(QDir::Files | QDir::Hidden).size(), 4);
        // A picture that is gone is reported, nothing is made.
        const FileStatus gone = copy_into_picture_folder(here.filePath(QStringLiteral("gone.jpg")), rnd, "x", stored);
        QVERIFY(!gone);
        QVERIFY(gone.error.contains(QStringLiteral("gone.jpg")));
    }

    // Matching missing pictures in a folder: by name, then by the folders they
    // were in, then copies told by size and pixels.
    void missing_pictures_are_matched_data()
    {
        QTest::addColumn<QStringList>("files");  // below the search folder, "name=bytes"
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("found");
        const int found = int(PictureMatch::Outcome::found);
        const int several = int(PictureMatch::Outcome::several);
        const int none = int(PictureMatch::Outcome::none);
        // clang-format off
        QTest::newRow("one of that name") << QStringList{"a/IMG_1.jpg=x"} << "/old/IMG_1.jpg" << found << "a/IMG_1.jpg";
        QTest::newRow("letter case aside") << QStringList{"a/img_1.JPG=x"} << "/old/IMG_1.jpg" << found << "a/img_1.JPG";
        QTest::newRow("written on Windows") << QStringList{"b/a.jpg=x"} << "C:\\Pics\\a.jpg" << found << "b/a.jpg";
        QTest::newRow("none") << QStringList{"a/other.jpg=x"} << "/old/IMG_1.jpg" << none << "";
        QTest::newRow("two, one in the same folder")
            << QStringList{"2019/IMG_1.jpg=x", "2020/IMG_1.jpg=yy"} << "/home/anna/Pictures/2019/IMG_1.jpg"
            << found << "2019/IMG_1.jpg";
        QTest::newRow("two copies of one picture")
            << QStringList{"a/IMG_1.jpg=same", "b/IMG_1.jpg=same"} << "/old/IMG_1.jpg" << found << "a/IMG_1.jpg";
        QTest::newRow("two pictures of one name")
            << QStringList{"a/IMG_1.jpg=one", "b/IMG_1.jpg=other"} << "/old/IMG_1.jpg" << several << "";
        // clang-format on
    }
    void missing_pictures_are_matched()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, stored);
        QFETCH(int, outcome);
        QFETCH(QString, found);
        QTemporaryDir where;
        for (const QString& f : files) {
            const QStringList parts = f.split(QLatin1Char('='));
            QVERIFY(put(where.filePath(parts.at(0)), parts.at(1).toLatin1()));
        }
        StoredPictureRef missing;
        missing.stored = stored;
        missing.uses = {{1, 1}};
        const std::vector<PictureMatch> matches
            = match_missing_pictures({missing}, where.path(), [](const QString&) { return QSize(640, 480); });
        QCOMPARE(matches.size(), std::size_t(1));
        QCOMPARE(int(matches.front().outcome), outcome);
        QCOMPARE(matches.front().found, found.isEmpty() ? QString() : where.filePath(found));
        QCOMPARE(matches.front().candidates.size(), outcome == int(PictureMatch::Outcome::several) ? 2 : 0);
    }

    // The collection's pictures, each path once with its uses; a change of
    // paths touches the slots and nothing else.
    void pictures_are_listed_and_changed_in_place()
    {
        QTemporaryDir here;
        const QString rnd = here.filePath(QStringLiteral("c.rnd"));
        QVERIFY(put(here.filePath(QStringLiteral("p/kept.jpg")), "k"));
        QList<ScopeRecord> records{with_pictures(make_record(QStringLiteral("One")), {"p/kept.jpg", "/gone/a.jpg"}),
                                   with_pictures(make_record(QStringLiteral("Two")), {"/gone/a.jpg"}),
                                   with_pictures(make_record(QStringLiteral("Three")), {})};
        records[1].comments = fixed_text("   leading blanks stay", 1000);
        QVERIFY(write_db(rnd, records));
        const QByteArray before = read_bytes(rnd);

        std::vector<StoredPictureRef> all;
        QVERIFY(collection_pictures(rnd, all));
        QCOMPARE(all.size(), std::size_t(2));
        QCOMPARE(all[0].stored, QStringLiteral("p/kept.jpg"));
        QVERIFY(all[0].exists);
        QCOMPARE(all[1].file, QStringLiteral("/gone/a.jpg"));
        QVERIFY(!all[1].exists);
        QCOMPARE(all[1].uses.size(), std::size_t(2));
        QCOMPARE(all[1].uses[1].record, 2);
        QCOMPARE(missing_only(all).size(), std::size_t(1));

        // A slot that no longer holds the old path (another program changed it) stays.
        std::vector<PictureUse> uses = all[1].uses;
        uses.push_back({1, 1});
        QVERIFY(store_picture_changes(rnd, {{uses, all[1].stored, "p/a.jpg"}}));
        const QByteArray after = read_bytes(rnd);
        QCOMPARE(after.size(), before.size());
        int changed = 0;
        for (qsizetype i = 0; i < after.size(); ++i) {
            if (after.at(i) == before.at(i))
                continue;
            ++changed;
            const qsizetype in_record = i % rec_len_bytes;
            QVERIFY(in_record >= offset_image_files + image_slot_width
                    && in_record < offset_image_files + image_slot_count * image_slot_width);
        }
        QVERIFY(changed > 0);
        const QList<ScopeRecord> read = read_db(rnd);
        QCOMPARE(read[0].image_files[2].trimmed(), QStringLiteral("p/a.jpg"));
        QCOMPARE(read[1].image_files[1].trimmed(), QStringLiteral("p/a.jpg"));
        QCOMPARE(read[0].image_files[1].trimmed(), QStringLiteral("p/kept.jpg"));
    }
};

QTEST_MAIN(tst_picture_paths)
#include "tst_picture_paths.moc"
