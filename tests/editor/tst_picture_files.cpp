// Pictures that stay found: a path that cannot be kept is copied into the
// collection's picture folder on request (never cut), pictures beside the
// collection travel with it, and missing ones are found again in one step.
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "common/gui_colors.h"
#include "core/picture_paths.h"
#include "dialogs/missing_pictures_dialog.h"
#include "images/picture_viewer.h"

#include <QtTest>
#include <QtWidgets>

#include <sys/stat.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

ScopeRecord record_with(const QString& name, const QStringList& paths)
{
    return with_pictures(make_record(name, QStringLiteral("Artist ") + name), paths);
}

// A small picture at path (folders made); its colour tells copies apart.
QString picture(const QString& path, QColor color = QColor(40, 90, 160), int w = 10)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage img(w, 10, QImage::Format_RGB32);
    img.fill(color);
    if (!img.save(path, "BMP"))
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

bool copy_folder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(file);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(file, target))
            return false;
    }
    return true;
}

QString stored_slot(const QString& db, int record, int slot)
{
    return read_db(db).at(record - 1).image_files[std::size_t(slot)].trimmed();
}

PictureViewer* viewer(RecordEditor* ed, int i)
{
    return picture_strip(ed)->viewer(i);
}

}  // namespace

class tst_picture_files : public QObject {
    Q_OBJECT
    QTemporaryDir outside_;

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(outside_.isValid());
    }
    void init() { reset_color_settings(); }

    void chosen_picture_is_stored_or_copied_data()
    {
        QTest::addColumn<QString>("where");  // below the outside folder, or "COLL/..." beside the collection
        QTest::addColumn<int>("answer");     // to the copy question; -1: none is asked
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("reason");
        const QString deep = QStringLiteral("Pictures/Kaleidoscopes/2019/") + QString(30, QLatin1Char('x'))
            + QStringLiteral("/IMG_20190612_142233.jpg");
        // clang-format off
        QTest::newRow("short path, kept") << "short.bmp" << -1 << "OUT/short.bmp" << "";
        QTest::newRow("beside the collection, relative") << "COLL/pictures/blue hour.bmp" << -1
                                                         << "pictures/blue hour.bmp" << "";
        QTest::newRow("long path, copied") << deep << int(MsgAnswer::yes) << "test-pictures/blue-hour-1.jpg"
                                           << "is %1 characters long, and a kaleidoscope record keeps at most 60";
        QTest::newRow("long path, no copy") << deep << int(MsgAnswer::no) << "" << "is %1 characters long";
        QTest::newRow("letters a record cannot store") << "\u0142\u00f3d\u017a.bmp" << int(MsgAnswer::no) << ""
                                                       << "holds characters that a kaleidoscope record cannot "
                                                          "store (\u0142\u017a)";
        // clang-format on
    }
    void chosen_picture_is_stored_or_copied()
    {
        QFETCH(QString, where);
        QFETCH(int, answer);
        QFETCH(QString, stored);
        QFETCH(QString, reason);
        EditorFixture f({record_with("Blue Hour", {})});
        const QString coll = f.db.dir();
        const QString path = where.startsWith(QLatin1String("COLL/")) ? coll + where.mid(4) : outside_.filePath(where);
        picture(path);
        stored.replace("OUT", outside_.path());
        RecordEditor* ed = f.open();
        f.dialogs.choose_file(path);
        if (answer >= 0)
            f.dialogs.answer(MsgAnswer(answer));
        control<QPushButton>(ed, "cmd_add_image")->click();
        if (answer < 0) {
            QCOMPARE(f.dialogs.texts(), QStringList());
        } else {
            QCOMPARE(f.dialogs.texts().size(), 1);
            const QString question = f.dialogs.texts().first();
            QVERIFY2(question.startsWith(QStringLiteral("The picture ") + path
                                         + QStringLiteral(" cannot be kept where it is: its path ")),
                     qPrintable(question));
            QVERIFY2(question.contains(reason.arg(path.size())), qPrintable(question));
            QVERIFY(question.endsWith(QStringLiteral("\n\nCopy it into the collection's picture folder ") + coll
                                      + QStringLiteral("/test-pictures, where its name fits? The picture itself "
                                                       "stays where it is; without a copy it is not added.")));
        }
        if (stored.isEmpty()) {
            QCOMPARE(picture_strip(ed)->pictures().count(), 0);
            QVERIFY(!QDir(coll + QStringLiteral("/test-pictures")).exists());
            return;
        }
        QCOMPARE(picture_strip(ed)->pictures().at(1), stored);
        const QString file = picture_file(stored, f.db.path());
        QVERIFY(QFileInfo(file).isFile());
        QCOMPARE(viewer(ed, 1)->windowTitle(), QStringLiteral("Image 1: ") + file);
        control<QPushButton>(ed, "cmd_save")->click();  // the confirmation gets Yes
        QCOMPARE(stored_slot(f.db.path(), 1, 1), stored);
        QVERIFY(QFileInfo::exists(path));  // the original is never touched
        // Opened again, the picture is found where it was stored.
        f.drop();
        f.dialogs.shown.clear();
        RecordEditor* again = f.open();
        picture_strip(again)->button(1)->click();
        QCOMPARE(f.dialogs.texts(), QStringList());
        QCOMPARE(viewer(again, 1)->windowTitle(), QStringLiteral("Image 1: ") + file);
    }

    // What is no picture is refused before anything reads or copies it: a
    // FIFO would block the window for ever, a large file would be copied whole.
    void what_is_no_picture_is_refused_at_once_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a FIFO") << "fifo"
                                << "It is a FIFO (named pipe), not a picture file.";
        QTest::newRow("a folder") << "folder"
                                  << "It is a folder, not a picture file.";
        QTest::newRow("zeros named .jpg at a long path") << "zeros"
                                                         << "It is not a picture that TESSARAN V can show";
    }
    void what_is_no_picture_is_refused_at_once()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        EditorFixture f({record_with("Blue Hour", {})});
        const QString path = outside_.filePath(QStringLiteral("Pictures/Kaleidoscopes/") + QString(50, QLatin1Char('z'))
                                               + QStringLiteral("/") + kind + QStringLiteral(".jpg"));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(write_bytes(path, QByteArray(1 << 20, '\0')));
        RecordEditor* ed = f.open();
        f.dialogs.choose_file(path);
        control<QPushButton>(ed, "cmd_add_image")->click();
        QCOMPARE(f.dialogs.texts().size(), 1);
        const QString refusal = QStringLiteral("The file %1 cannot be added as a picture:\n").arg(path) + reason;
        QVERIFY2(f.dialogs.texts().first().startsWith(refusal), qPrintable(f.dialogs.texts().first()));
        QCOMPARE(f.dialogs.last().icon, MsgIcon::critical);
        QCOMPARE(picture_strip(ed)->pictures().count(), 0);
        QVERIFY(!QDir(f.db.dir() + QStringLiteral("/test-pictures")).exists());
    }

    // A collection folder copied to another place with its pictures shows
    // every picture from there.
    void moved_collection_shows_its_pictures()
    {
        QList<ScopeRecord> records;
        {
            EditorFixture first({record_with("Polar Night", {})});
            RecordEditor* ed = first.open();
            const QString long_path = picture(
                outside_.filePath(QStringLiteral("camera/") + QString(50, 'c') + QStringLiteral("/IMG_1.bmp")));
            first.dialogs.choose_file(long_path);
            first.dialogs.answer(MsgAnswer::yes);  // copy it
            control<QPushButton>(ed, "cmd_add_image")->click();
            first.dialogs.choose_file(picture(first.db.dir() + QStringLiteral("/mine/side.bmp")));
            control<QPushButton>(ed, "cmd_add_image")->click();
            control<QPushButton>(ed, "cmd_save")->click();
            QCOMPARE(stored_slot(first.db.path(), 1, 1), QStringLiteral("test-pictures/polar-night-1.bmp"));
            QCOMPARE(stored_slot(first.db.path(), 1, 2), QStringLiteral("mine/side.bmp"));
            records = read_db(first.db.path());
            first.drop();
            EditorFixture second(records);
            QVERIFY(copy_folder(first.db.dir() + "/test-pictures", second.db.dir() + QStringLiteral("/test-pictures")));
            QVERIFY(copy_folder(first.db.dir() + "/mine", second.db.dir() + QStringLiteral("/mine")));
            // The old place is gone.
            QVERIFY(QDir(first.db.dir() + QStringLiteral("/test-pictures")).removeRecursively());
            QVERIFY(QDir(first.db.dir() + QStringLiteral("/mine")).removeRecursively());
            RecordEditor* moved = second.open();
            control<QPushButton>(moved, "cmd_load_all_images")->click();
            QCOMPARE(second.dialogs.texts(), QStringList());
            QCOMPARE(viewer(moved, 1)->windowTitle(),
                     QStringLiteral("Image 1: ") + second.db.dir()
                         + QStringLiteral("/test-pictures/polar-night-1.bmp"));
            QCOMPARE(viewer(moved, 2)->windowTitle(),
                     QStringLiteral("Image 2: ") + second.db.dir() + QStringLiteral("/mine/side.bmp"));
            // Nothing to look for.
            control<QAction>(moved, "mnu_missing_pictures")->trigger();
            QCOMPARE(second.dialogs.texts(),
                     QStringList{"All 2 pictures of this collection are where they are stored."});
        }
    }

    // Pictures stored as absolute paths of another computer, found again in
    // the folder where they are now: by name, by the folder they were in, and
    // one of two different pictures of one name left to the user.
    void missing_pictures_are_found_again()
    {
        EditorFixture f({record_with("One", {"/home/old/Pictures/2019/IMG_1.jpg", "/home/old/Pictures/loose.bmp"}),
                         record_with("Two", {"C:\\Scopes\\twice.bmp", "/home/old/Pictures/gone.bmp"})});
        const QString now = f.db.dir() + QStringLiteral("/Pictures");
        picture(now + "/2019/IMG_1.jpg", Qt::red);
        picture(now + "/2020/IMG_1.jpg", Qt::green, 20);
        picture(now + QStringLiteral("/loose.bmp"));
        picture(outside_.filePath(QStringLiteral("elsewhere/a/twice.bmp")), Qt::red);
        picture(outside_.filePath(QStringLiteral("elsewhere/b/twice.bmp")), Qt::blue, 30);
        RecordEditor* ed = f.open();

        // The first missing picture the user meets brings the offer, once.
        f.dialogs.answer(MsgAnswer::no);  // not now
        f.dialogs.answer(MsgAnswer::no);  // no other file either
        picture_strip(ed)->button(1)->click();
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{QStringLiteral("4 of the 4 pictures of this collection cannot be found where they are "
                                             "stored, for example /home/old/Pictures/2019/IMG_1.jpg.\n\nIf the "
                                             "collection was moved or copied from another computer, the program can "
                                             "look for them in the folder where they are now (Find missing "
                                             "pictures... in the Kaleidoscope data menu). Look for them now?"),
                              QStringLiteral("The file /home/old/Pictures/2019/IMG_1.jpg does not exist!\nDo you "
                                             "want to specify another file?")}));
        f.dialogs.shown.clear();
        f.dialogs.answer(MsgAnswer::no);
        picture_strip(ed)->button(2)->click();
        QCOMPARE(f.dialogs.texts().size(), 1);  // only the question of the file itself

        // Two runs: the collection's own folder, then the other one.
        QStringList preview;
        const auto change_all = [&preview](MissingPicturesDialog* d) {
            auto* table = control<QTableWidget>(d, "tbl_missing");
            for (int r = 0; r < table->rowCount(); ++r)
                preview << table->item(r, 0)->text() + QStringLiteral(" | ") + table->item(r, 2)->text()
                        + QStringLiteral(" | ") + table->item(r, 3)->text();
            control<QPushButton>(d, "cmd_change_paths")->click();
        };
        f.dialogs.shown.clear();
        f.dialogs.choose_file(now);
        when_modal<MissingPicturesDialog>(change_all);
        control<QAction>(ed, "mnu_missing_pictures")->trigger();
        QCOMPARE(preview,
                 (QStringList{"One (record 1) | /home/old/Pictures/2019/IMG_1.jpg | Pictures/2019/IMG_1.jpg",
                              "One (record 1) | /home/old/Pictures/loose.bmp | Pictures/loose.bmp",
                              "Two (record 2) | C:\\Scopes\\twice.bmp | Stays missing: not found",
                              "Two (record 2) | /home/old/Pictures/gone.bmp | Stays missing: not found"}));
        QCOMPARE(f.dialogs.texts(),
                 QStringList{QStringLiteral("2 of the 4 missing pictures were found and their "
                                            "paths changed; 2 are still missing.")});
        QCOMPARE(stored_slot(f.db.path(), 1, 1), QStringLiteral("Pictures/2019/IMG_1.jpg"));
        QCOMPARE(stored_slot(f.db.path(), 1, 2), QStringLiteral("Pictures/loose.bmp"));
        // The record shown has its new paths at once.
        QCOMPARE(picture_strip(ed)->pictures().at(1), QStringLiteral("Pictures/2019/IMG_1.jpg"));

        preview.clear();
        f.dialogs.shown.clear();
        f.dialogs.choose_file(outside_.filePath(QStringLiteral("elsewhere")));
        when_modal<MissingPicturesDialog>(change_all);
        control<QAction>(ed, "mnu_missing_pictures")->trigger();
        const QString a = outside_.filePath(QStringLiteral("elsewhere/a/twice.bmp"));
        const QString b = outside_.filePath(QStringLiteral("elsewhere/b/twice.bmp"));
        QCOMPARE(preview,
                 (QStringList{"Two (record 2) | C:\\Scopes\\twice.bmp | Stays missing: found more than "
                              "once ("
                                  + a + ", " + b + ")",
                              "Two (record 2) | /home/old/Pictures/gone.bmp | Stays missing: not found"}));
        QCOMPARE(stored_slot(f.db.path(), 2, 1), QStringLiteral("C:\\Scopes\\twice.bmp"));
    }
};

QTEST_MAIN(tst_picture_files)
#include "tst_picture_files.moc"
