// The editor's Images frame: adding, showing, removing and clearing images,
// with the viewers following their images and images_loaded telling exactly
// which viewers are open.
#include "common/gui_editor_fixture.h"

#include "core/globalvars.h"
#include "core/record_file.h"
#include "dialogs/frm_remimage.h"
#include "images/frm_image.h"
#include "appearance/sub_stradjust.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// The path a picture button's tooltip names; its preview or the reason it
// has none may follow it.
QString tip_path(const QWidget* button)
{
    const QString tip = button->toolTip();
    if (!tip.startsWith(QLatin1String("<p>")))
        return tip;
    return QTextDocumentFragment::fromHtml(tip.section(QStringLiteral("</p>"), 0, 0).mid(3)).toPlainText();
}

const QString full_list =
    QStringLiteral("Cannot add image, as kaleidscope record already contains maximum number of images.");
const QString no_images = QStringLiteral("Cannot remove image, as kaleidscope record contains no images.");
const QStringList picture_filters{QStringLiteral("JPG (*.jpg)"), QStringLiteral("GIF (*.gif)"),
                                  QStringLiteral("BMP (*.bmp)")};

ScopeRecord record_with(const QString& name, const QStringList& paths)
{
    ScopeRecord r = make_record(name, QStringLiteral("Artist ") + name);
    r.image_count = qint16(paths.size());
    for (int i = 0; i < paths.size(); ++i)
        r.image_files[std::size_t(i + 1)] = fixed_text(paths[i], image_slot_width);
    return r;
}

frm_image* viewer(frm_kaleido* ed, int i)
{
    return qobject_cast<frm_image*>(ed->image_viewers[std::size_t(i)].data());
}

bool viewer_open(frm_kaleido* ed, int i)
{
    frm_image* v = viewer(ed, i);
    return v && v->isVisible();
}

// images_loaded as the open viewers say it should be.
QString marks_from_viewers(frm_kaleido* ed)
{
    QString s;
    for (int i = 1; i <= 10; ++i)
        s += viewer_open(ed, i) ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

// Runs the remove dialog: picks item k (1-based) and presses Remove image.
void remove_through_dialog(frm_kaleido* ed, int k, QStringList* items = nullptr)
{
    QTimer::singleShot(0, [k, items] {
        auto* d = qobject_cast<frm_remimage*>(QApplication::activeModalWidget());
        QVERIFY(d);
        if (items) {
            for (int i = 0; i < d->Combo1->count(); ++i)
                *items << d->Combo1->itemText(i);
        }
        d->Combo1->setCurrentIndex(k - 1);
        QTest::mouseClick(d->cmd_rem, Qt::LeftButton);
    });
    ed->cmd_rem_image_Click();
}

}  // namespace

class tst_kaleido_images : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void frame_commands_and_enabling();
    void add_opens_the_new_image();
    void add_cancel_changes_nothing();
    void full_list_message_at_ten();
    void remove_two_of_four_moves_viewers();
    void remove_last_moves_nothing();
    void remove_with_no_images();
    void missing_file_question_data();
    void missing_file_question();
    void undecodable_picture_reported();
    void open_viewer_comes_forward();
    void clear_all_after_moving_to_smaller_record();
    void closing_viewer_by_hand_and_reopening();
    void same_file_twice_gets_two_viewers();
    void display_all_opens_every_image();
    void long_path_kept_while_editing_cut_on_save();
    void closing_editor_closes_viewers();

private:
    QString picture(const QString& name, int w, int h);
    QTemporaryDir pics_;
};

void tst_kaleido_images::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(pics_.isValid());
}

void tst_kaleido_images::init() { gv() = Globalvars{}; }

QString tst_kaleido_images::picture(const QString& name, int w, int h)
{
    const QString path = pics_.filePath(name);
    if (!QFile::exists(path)) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(QColor(40, 90, 160));
        if (!img.save(path, "BMP"))
            qWarning("cannot write %s", qPrintable(path));
    }
    return path;
}

void tst_kaleido_images::frame_commands_and_enabling()
{
    EditorFixture fx({record_with(QStringLiteral("A"), {})});
    frm_kaleido* ed = fx.open();
    QCOMPARE(ed->cmd_add_image->text(), QStringLiteral("Add an image"));
    QCOMPARE(ed->cmd_rem_image->text(), QStringLiteral("Remove an image"));
    QCOMPARE(ed->cmd_load_all_images->text(), QStringLiteral("Display all images"));
    QCOMPARE(ed->cmd_clear_all_images->text(), QStringLiteral("Clear all images"));
    QCOMPARE(ed->cmd_add_image->toolTip(), QStringLiteral("Add an image to this kaleidoscope record"));
    QCOMPARE(ed->cmd_rem_image->toolTip(),
             QStringLiteral("Remove an image from this kaleidoscope record.  "
                            "NOTE: This does not delete the image from your computer."));
    QCOMPARE(ed->cmd_load_all_images->toolTip(), QStringLiteral("Display all images for this kaleidoscope record"));
    QCOMPARE(ed->cmd_clear_all_images->toolTip(), QStringLiteral("Clear all images from the screen"));
    QVERIFY(ed->cmd_add_image->isEnabled());
    QVERIFY(!ed->cmd_rem_image->isEnabled());
    QVERIFY(!ed->cmd_load_all_images->isEnabled());
    QVERIFY(!ed->cmd_clear_all_images->isEnabled());
    for (int i = 1; i <= 10; ++i)
        QVERIFY(ed->cmd_images[std::size_t(i)]->isHidden());
    // With no image the block starts at 170 twips.
    QCOMPARE(ed->cmd_add_image->x(), 11);
    QCOMPARE(ed->cmd_rem_image->x(), ed->cmd_add_image->x());
    QCOMPARE(ed->cmd_load_all_images->x(), ed->cmd_add_image->geometry().right() + 1);
    QCOMPARE(ed->cmd_rem_image->y(), ed->cmd_add_image->geometry().bottom() + 1);

    // Adding the first enables the rest; removing it disables them again.
    const QString p = picture(QStringLiteral("first.bmp"), 40, 30);
    fx.dialogs.choose_file(p);
    ed->cmd_add_image_Click();
    QVERIFY(ed->cmd_rem_image->isEnabled());
    QVERIFY(ed->cmd_load_all_images->isEnabled());
    QVERIFY(ed->cmd_clear_all_images->isEnabled());
    QPushButton* b1 = ed->cmd_images[1];
    QVERIFY(!b1->isHidden());
    QCOMPARE(b1->text(), QStringLiteral("1"));
    QCOMPARE(tip_path(b1), p);
    QVERIFY(ed->cmd_add_image->x() > b1->geometry().right());
    ed->remimage(1);
    QVERIFY(!ed->cmd_rem_image->isEnabled());
    QVERIFY(!ed->cmd_load_all_images->isEnabled());
    QVERIFY(!ed->cmd_clear_all_images->isEnabled());
    QVERIFY(ed->cmd_add_image->isEnabled());
    QVERIFY(b1->isHidden());
}

void tst_kaleido_images::add_opens_the_new_image()
{
    const QString p1 = picture(QStringLiteral("a.bmp"), 60, 40);
    const QString p2 = picture(QStringLiteral("b.bmp"), 30, 50);
    EditorFixture fx({record_with(QStringLiteral("A"), {p1})});
    frm_kaleido* ed = fx.open();
    fx.dialogs.choose_file(p2);
    ed->cmd_add_image_Click();
    QCOMPARE(fx.dialogs.file_filters.size(), 1);
    QCOMPARE(fx.dialogs.file_filters[0], picture_filters);
    QCOMPARE(ed->temp_numimages, qint16(2));
    QCOMPARE(ed->image_names[2], p2);
    QCOMPARE(ed->images_loaded, QStringLiteral("0100000000"));
    QVERIFY(viewer_open(ed, 2));
    QCOMPARE(viewer(ed, 2)->windowTitle(), QStringLiteral("Image 2: ") + p2);
    // Fitted into the editor's viewer limits.
    const PictureSize fitted = fit_picture(30, 50, twips_to_px(ed->maxxi), twips_to_px(ed->maxyi));
    QCOMPARE(viewer(ed, 2)->shown_size(), QSize(fitted.width, fitted.height));
    QCOMPARE(ed->current_imageform, qint16(2));
    QCOMPARE(ed->current_imageform_name, p2);
    // Only on save does the list reach the file; until then it is a change.
    QCOMPARE(read_db(fx.db.path()).at(0).image_count, qint16(1));
    QCOMPARE(ed->count_changes(1), 1);
}

void tst_kaleido_images::add_cancel_changes_nothing()
{
    EditorFixture fx({record_with(QStringLiteral("A"), {})});
    frm_kaleido* ed = fx.open();
    ed->cmd_add_image_Click();  // nothing scripted: the user cancels
    QCOMPARE(fx.dialogs.file_filters.size(), 1);
    QCOMPARE(ed->temp_numimages, qint16(0));
    QVERIFY(fx.dialogs.shown.isEmpty());
    QCOMPARE(ed->images_loaded, QStringLiteral("0000000000"));
}

void tst_kaleido_images::full_list_message_at_ten()
{
    QStringList ten;
    for (int i = 1; i <= 10; ++i)
        ten << QStringLiteral("/no/such/%1.jpg").arg(i);
    EditorFixture fx({record_with(QStringLiteral("A"), ten)});
    frm_kaleido* ed = fx.open();
    QCOMPARE(ed->temp_numimages, qint16(10));
    QVERIFY(ed->cmd_add_image->isEnabled());
    QTest::mouseClick(ed->cmd_add_image, Qt::LeftButton);
    QCOMPARE(fx.dialogs.texts(), QStringList{full_list});
    QCOMPARE(fx.dialogs.last().icon, MsgIcon::none);
    QCOMPARE(fx.dialogs.last().buttons, MsgButtons::ok);
    QCOMPARE(fx.dialogs.last().title, QStringLiteral("TESSARAN V"));
    QVERIFY(fx.dialogs.file_filters.isEmpty());
    QCOMPARE(ed->temp_numimages, qint16(10));
    QCOMPARE(tip_path(ed->cmd_images[10]), QStringLiteral("/no/such/10.jpg"));
}

void tst_kaleido_images::remove_two_of_four_moves_viewers()
{
    const QStringList p{picture(QStringLiteral("r1.bmp"), 10, 10), picture(QStringLiteral("r2.bmp"), 20, 10),
                        picture(QStringLiteral("r3.bmp"), 30, 10), picture(QStringLiteral("r4.bmp"), 40, 10)};
    EditorFixture fx({record_with(QStringLiteral("A"), p)});
    frm_kaleido* ed = fx.open();
    QTest::mouseClick(ed->cmd_images[2], Qt::LeftButton);
    QTest::mouseClick(ed->cmd_images[3], Qt::LeftButton);
    QCOMPARE(ed->images_loaded, QStringLiteral("0110000000"));

    QStringList items;
    remove_through_dialog(ed, 2, &items);
    QCOMPARE(items, QStringList({" 1   [" + p[0] + "]", " 2   [" + p[1] + "]", " 3   [" + p[2] + "]",
                                 " 4   [" + p[3] + "]"}));
    QCOMPARE(fx.dialogs.texts(), QStringList{QStringLiteral("Do you really want to remove Image #2?")});

    QCOMPARE(ed->temp_numimages, qint16(3));
    QCOMPARE(ed->images_loaded, QStringLiteral("0100000000"));
    QCOMPARE(marks_from_viewers(ed), ed->images_loaded);
    QCOMPARE(viewer(ed, 2)->windowTitle(), QStringLiteral("Image 2: ") + p[2]);
    QCOMPARE(viewer(ed, 2)->natural_size(), QSize(30, 10));
    QCOMPARE(ed->image_names[1], p[0]);
    QCOMPARE(ed->image_names[2], p[2]);
    QCOMPARE(ed->image_names[3], p[3]);
    QVERIFY(ed->image_names[4].isEmpty());
    QVERIFY(ed->cmd_images[4]->isHidden());
    QCOMPARE(tip_path(ed->cmd_images[3]), p[3]);
    // The picture file itself is left alone.
    QVERIFY(QFile::exists(p[1]));
}

void tst_kaleido_images::remove_last_moves_nothing()
{
    const QStringList p{picture(QStringLiteral("l1.bmp"), 10, 10), picture(QStringLiteral("l2.bmp"), 12, 10),
                        picture(QStringLiteral("l3.bmp"), 14, 10)};
    EditorFixture fx({record_with(QStringLiteral("A"), p)});
    frm_kaleido* ed = fx.open();
    ed->cmd_images_Click(1);
    ed->cmd_images_Click(3);
    frm_image* first = viewer(ed, 1);
    ed->remimage(3);
    QCOMPARE(ed->temp_numimages, qint16(2));
    QCOMPARE(ed->images_loaded, QStringLiteral("1000000000"));
    QCOMPARE(marks_from_viewers(ed), ed->images_loaded);
    QCOMPARE(viewer(ed, 1), first);
    QCOMPARE(ed->image_names[1], p[0]);
    QCOMPARE(ed->image_names[2], p[1]);
    QVERIFY(ed->image_names[3].isEmpty());
}

void tst_kaleido_images::remove_with_no_images()
{
    EditorFixture fx({record_with(QStringLiteral("A"), {})});
    frm_kaleido* ed = fx.open();
    ed->cmd_rem_image_Click();  // the button is disabled; the command still refuses
    QCOMPARE(fx.dialogs.texts(), QStringList{no_images});
    QCOMPARE(fx.dialogs.last().icon, MsgIcon::none);
    QVERIFY(!QApplication::activeModalWidget());
}

void tst_kaleido_images::missing_file_question_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::addColumn<bool>("choose");
    QTest::addColumn<bool>("shown");
    QTest::newRow("no keeps the reference") << MsgAnswer::no << false << false;
    QTest::newRow("yes, then cancel") << MsgAnswer::yes << false << false;
    QTest::newRow("yes, another file") << MsgAnswer::yes << true << true;
}

void tst_kaleido_images::missing_file_question()
{
    QFETCH(MsgAnswer, answer);
    QFETCH(bool, choose);
    QFETCH(bool, shown);
    const QString missing = QStringLiteral("/no/such/folder/gone.jpg");
    const QString other = picture(QStringLiteral("other.bmp"), 25, 25);
    EditorFixture fx({record_with(QStringLiteral("A"), {missing})});
    frm_kaleido* ed = fx.open();
    fx.dialogs.answer(answer);
    if (choose)
        fx.dialogs.choose_file(other);
    QTest::mouseClick(ed->cmd_images[1], Qt::LeftButton);
    QCOMPARE(fx.dialogs.shown.size(), 1);
    QCOMPARE(fx.dialogs.last().text, QStringLiteral("The file /no/such/folder/gone.jpg does not exist!\n"
                                                    "Do you want to specify another file?"));
    QCOMPARE(fx.dialogs.last().icon, MsgIcon::none);
    QCOMPARE(fx.dialogs.last().buttons, MsgButtons::yes_no);
    QCOMPARE(fx.dialogs.file_filters.size(), answer == MsgAnswer::yes ? 1 : 0);
    QCOMPARE(ed->image_names[1], shown ? other : missing);
    QCOMPARE(tip_path(ed->cmd_images[1]), shown ? other : missing);
    QCOMPARE(viewer_open(ed, 1), shown);
    QCOMPARE(ed->images_loaded, shown ? QStringLiteral("1000000000") : QStringLiteral("0000000000"));
}

void tst_kaleido_images::undecodable_picture_reported()
{
    const QString bad = pics_.filePath(QStringLiteral("broken.jpg"));
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\xFF\xD8\xFF garbage, not a real jpeg").repeated(10));
    f.close();
    EditorFixture fx({record_with(QStringLiteral("A"), {})});
    frm_kaleido* ed = fx.open();
    fx.dialogs.choose_file(bad);
    ed->cmd_add_image_Click();
    QCOMPARE(fx.dialogs.shown.size(), 1);
    QVERIFY2(fx.dialogs.last().text.startsWith(QStringLiteral("The image ") + bad +
                                               QStringLiteral(" cannot be displayed.\n")),
             qPrintable(fx.dialogs.last().text));
    QVERIFY(fx.dialogs.last().text.size() > (QStringLiteral("The image ") + bad + " cannot be displayed.\n").size());
    QCOMPARE(fx.dialogs.last().icon, MsgIcon::critical);
    // The added path stays added, no viewer opened.
    QCOMPARE(ed->temp_numimages, qint16(1));
    QCOMPARE(ed->image_names[1], bad);
    QVERIFY(!viewer_open(ed, 1));
    QCOMPARE(ed->images_loaded, QStringLiteral("0000000000"));
    // Clicking the button again says it again.
    ed->cmd_images_Click(1);
    QCOMPARE(fx.dialogs.shown.size(), 2);
    QCOMPARE(ed->images_loaded, QStringLiteral("0000000000"));
}

void tst_kaleido_images::open_viewer_comes_forward()
{
    const QString p = picture(QStringLiteral("keep.bmp"), 50, 50);
    EditorFixture fx({record_with(QStringLiteral("A"), {p})});
    frm_kaleido* ed = fx.open();
    ed->cmd_images_Click(1);
    frm_image* v = viewer(ed, 1);
    QVERIFY(v);
    v->resize(v->width() + 40, v->height());  // the user's size stays
    const QSize size = v->size();
    ed->cmd_images_Click(1);
    QCOMPARE(viewer(ed, 1), v);
    QCOMPARE(v->size(), size);
    QCOMPARE(ed->images_loaded, QStringLiteral("1000000000"));
}

void tst_kaleido_images::clear_all_after_moving_to_smaller_record()
{
    QStringList five;
    for (int i = 1; i <= 5; ++i)
        five << picture(QStringLiteral("five%1.bmp").arg(i), 10 + i, 10);
    const QStringList two{picture(QStringLiteral("two1.bmp"), 11, 11), picture(QStringLiteral("two2.bmp"), 12, 12)};
    EditorFixture fx({record_with(QStringLiteral("A"), five), record_with(QStringLiteral("B"), two)});
    frm_kaleido* ed = fx.open();
    ed->cmd_images_Click(1);
    ed->cmd_images_Click(2);
    ed->cmd_images_Click(5);
    QCOMPARE(ed->images_loaded, QStringLiteral("1100100000"));
    QVERIFY(ed->fill_form(2));
    QCOMPARE(ed->temp_numimages, qint16(2));
    // Viewers keep their pictures across records.
    QCOMPARE(ed->images_loaded, QStringLiteral("1100100000"));
    QCOMPARE(viewer(ed, 1)->windowTitle(), QStringLiteral("Image 1: ") + five[0]);
    QTest::mouseClick(ed->cmd_clear_all_images, Qt::LeftButton);
    QCOMPARE(ed->images_loaded, QStringLiteral("0000100000"));
    QCOMPARE(marks_from_viewers(ed), ed->images_loaded);
    QCOMPARE(ed->temp_numimages, qint16(2));
    // Again, with nothing open below: nothing happens.
    QTest::mouseClick(ed->cmd_clear_all_images, Qt::LeftButton);
    QCOMPARE(ed->images_loaded, QStringLiteral("0000100000"));
    QVERIFY(ed->cmd_clear_all_images->isEnabled());
    QVERIFY(fx.dialogs.shown.isEmpty());
}

void tst_kaleido_images::closing_viewer_by_hand_and_reopening()
{
    const QString p1 = picture(QStringLiteral("h1.bmp"), 10, 10);
    const QString p2 = picture(QStringLiteral("h2.bmp"), 10, 10);
    EditorFixture fx({record_with(QStringLiteral("A"), {p1, p2})});
    frm_kaleido* ed = fx.open();
    ed->cmd_images_Click(2);
    frm_image* v = viewer(ed, 2);
    const QPoint place = v->pos();
    v->close();
    QCOMPARE(ed->images_loaded, QStringLiteral("0000000000"));
    ed->cmd_images_Click(2);
    QVERIFY(viewer_open(ed, 2));
    QCOMPARE(viewer(ed, 2)->pos(), place);
    QCOMPARE(ed->images_loaded, QStringLiteral("0100000000"));
}

void tst_kaleido_images::same_file_twice_gets_two_viewers()
{
    const QString p = picture(QStringLiteral("twice.bmp"), 10, 10);
    EditorFixture fx({record_with(QStringLiteral("A"), {})});
    frm_kaleido* ed = fx.open();
    fx.dialogs.choose_file(p);
    fx.dialogs.choose_file(p);
    ed->cmd_add_image_Click();
    ed->cmd_add_image_Click();
    QCOMPARE(ed->temp_numimages, qint16(2));
    QCOMPARE(ed->images_loaded, QStringLiteral("1100000000"));
    QVERIFY(viewer(ed, 1) != viewer(ed, 2));
    QCOMPARE(viewer(ed, 2)->pos() - viewer(ed, 1)->pos(), QPoint(20, 20));
}

void tst_kaleido_images::display_all_opens_every_image()
{
    const QStringList p{picture(QStringLiteral("d1.bmp"), 10, 10), QStringLiteral("/no/such/d2.jpg"),
                        picture(QStringLiteral("d3.bmp"), 10, 10)};
    EditorFixture fx({record_with(QStringLiteral("A"), p)});
    frm_kaleido* ed = fx.open();
    fx.dialogs.answer(MsgAnswer::no);
    QTest::mouseClick(ed->cmd_load_all_images, Qt::LeftButton);
    QCOMPARE(fx.dialogs.shown.size(), 1);
    QVERIFY(fx.dialogs.last().text.startsWith(QStringLiteral("The file /no/such/d2.jpg does not exist!")));
    QCOMPARE(ed->images_loaded, QStringLiteral("1010000000"));
    QCOMPARE(marks_from_viewers(ed), ed->images_loaded);
}

void tst_kaleido_images::long_path_kept_while_editing_cut_on_save()
{
    const QString dir = pics_.filePath(QStringLiteral("a_rather_long_folder_name_for_pictures"));
    QVERIFY(QDir().mkpath(dir));
    const QString rel = QDir(pics_.path()).relativeFilePath(dir) + QStringLiteral("/a_long_picture_file_name.bmp");
    const QString path = picture(rel, 10, 10);
    QVERIFY(path.size() > 60);
    EditorFixture fx({record_with(QStringLiteral("A"), {})});
    frm_kaleido* ed = fx.open();
    fx.dialogs.choose_file(path);
    ed->cmd_add_image_Click();
    QCOMPARE(ed->image_names[1], path);
    QCOMPARE(tip_path(ed->cmd_images[1]), path);
    QVERIFY(viewer_open(ed, 1));
    QCOMPARE(viewer(ed, 1)->windowTitle(), QStringLiteral("Image 1: ") + path);

    ed->cmd_save_Click();  // the confirmation gets Yes
    const ScopeRecord stored = read_db(fx.db.path()).at(0);
    QCOMPARE(stored.image_count, qint16(1));
    QCOMPARE(stored.image_files[1], path.left(60));
    for (int i = 2; i <= 10; ++i)
        QCOMPARE(stored.image_files[std::size_t(i)], QString(60, QLatin1Char(' ')));
}

void tst_kaleido_images::closing_editor_closes_viewers()
{
    const QString p1 = picture(QStringLiteral("c1.bmp"), 10, 10);
    const QString p2 = picture(QStringLiteral("c2.bmp"), 10, 10);
    EditorFixture fx({record_with(QStringLiteral("A"), {p1, p2})});
    frm_kaleido* ed = fx.open();
    ed->show();
    ed->cmd_images_Click(1);
    ed->cmd_images_Click(2);
    QPointer<frm_image> v1 = viewer(ed, 1);
    QPointer<frm_image> v2 = viewer(ed, 2);
    QVERIFY(ed->close());
    QVERIFY(!v1 || !v1->isVisible());
    QVERIFY(!v2 || !v2->isVisible());
    QCOMPARE(ed->images_loaded, QStringLiteral("0000000000"));
}

QTEST_MAIN(tst_kaleido_images)
#include "tst_kaleido_images.moc"
