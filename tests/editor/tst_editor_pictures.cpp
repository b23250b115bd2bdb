// The editor's Images frame: adding, showing, removing and clearing images,
// with the viewers following their images.
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "common/gui_colors.h"
#include "core/record_file.h"
#include "core/session.h"
#include "dialogs/remove_picture_dialog.h"
#include "images/picture_viewer.h"
#include "ui/screen_placement.h"

#include <QtTest>
#include <QtWidgets>

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
    return QTextDocumentFragment::fromHtml(tip.section("</p>", 0, 0).mid(3)).toPlainText();
}

ScopeRecord record_with(const QString& name, const QStringList& paths)
{
    return with_pictures(make_record(name, QStringLiteral("Artist ") + name), paths);
}

PictureViewer* viewer(RecordEditor* ed, int i)
{
    return picture_strip(ed)->viewer(int(i));
}

bool viewer_open(RecordEditor* ed, int i)
{
    PictureViewer* v = viewer(ed, i);
    return v && v->isVisible();
}

// Which picture positions have a viewer open, "1" or "0" each.
QString open_viewers(RecordEditor* ed)
{
    QString s;
    for (int i = 1; i <= 10; ++i)
        s += viewer_open(ed, i) ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

}  // namespace

class tst_editor_pictures : public QObject {
    Q_OBJECT

    QTemporaryDir pics_;

    QString picture(const QString& name, int w = 10, int h = 10)
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

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(pics_.isValid());
    }
    void init() { reset_color_settings(); }

    void add_and_remove_enable_the_frame()
    {
        EditorFixture fx({record_with("A", {})});
        RecordEditor* ed = fx.open();
        QVERIFY(control<QPushButton>(ed, "cmd_add_image")->isEnabled());
        QVERIFY(!control<QPushButton>(ed, "cmd_rem_image")->isEnabled());
        QVERIFY(!control<QPushButton>(ed, "cmd_load_all_images")->isEnabled());
        QVERIFY(!control<QPushButton>(ed, "cmd_clear_all_images")->isEnabled());
        picture_strip(ed)->remove_picture();  // the button is disabled; the command still refuses
        QCOMPARE(fx.dialogs.shown, (Shown{{"Cannot remove image, as kaleidscope record contains no images."}}));
        fx.dialogs.shown.clear();
        control<QPushButton>(ed, "cmd_add_image")->click();  // nothing scripted: the user cancels
        QCOMPARE(fx.dialogs.file_filters, (QList<QStringList>{{"JPG (*.jpg)", "GIF (*.gif)", "BMP (*.bmp)"}}));
        QCOMPARE(picture_strip(ed)->pictures().count(), 0);

        // The added picture opens at once, fitted into the editor's viewer limits.
        const QString p = picture("first.bmp", 30, 50);
        fx.dialogs.choose_file(p);
        control<QPushButton>(ed, "cmd_add_image")->click();
        QVERIFY(control<QPushButton>(ed, "cmd_rem_image")->isEnabled());
        QVERIFY(control<QPushButton>(ed, "cmd_load_all_images")->isEnabled());
        QVERIFY(control<QPushButton>(ed, "cmd_clear_all_images")->isEnabled());
        QPushButton* b1 = picture_strip(ed)->button(1);
        QVERIFY(!b1->isHidden());
        QCOMPARE(b1->text(), QStringLiteral("1"));
        QCOMPARE(tip_path(b1), p);
        QVERIFY(control<QPushButton>(ed, "cmd_add_image")->x() > b1->geometry().right());
        QCOMPARE(open_viewers(ed), QStringLiteral("1000000000"));
        QCOMPARE(viewer(ed, 1)->windowTitle(), QStringLiteral("Image 1: ") + p);
        // A viewer opens at most at 0.6 of the editor's inner area.
        const int menu = ed->menuBar()->sizeHint().height();
        const PictureSize fitted = fit_picture(30, 50, twips_to_px(int(px_to_twips(ed->width()) * 0.6 + 0.5)),
                                               twips_to_px(int(px_to_twips(ed->height() - menu) * 0.6 + 0.5)));
        QCOMPARE(control<QWidget>(viewer(ed, 1), "pb_dest")->size(), QSize(fitted.width, fitted.height));
        // Only on save does the list reach the file; until then it is a change.
        QCOMPARE(read_db(fx.db.path()).at(0).image_count, qint16(0));
        QCOMPARE(ed->count_changes(1), 1);

        picture_strip(ed)->remove_picture_at(1);
        QVERIFY(!control<QPushButton>(ed, "cmd_rem_image")->isEnabled());
        QVERIFY(!control<QPushButton>(ed, "cmd_clear_all_images")->isEnabled());
        QVERIFY(b1->isHidden());
        QVERIFY(fx.dialogs.shown.isEmpty());
    }

    void full_list_message_at_ten()
    {
        QStringList ten;
        for (int i = 1; i <= 10; ++i)
            ten << QStringLiteral("/no/such/%1.jpg").arg(i);
        EditorFixture fx({record_with("A", ten)});
        RecordEditor* ed = fx.open();
        QTest::mouseClick(control<QPushButton>(ed, "cmd_add_image"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.texts(),
                 QStringList{"Cannot add image, as kaleidscope record already contains maximum number of images."});
        QCOMPARE(fx.dialogs.last().icon, MsgIcon::none);
        QCOMPARE(fx.dialogs.last().title, QStringLiteral("TESSARAN V"));
        QVERIFY(fx.dialogs.file_filters.isEmpty());
        QCOMPARE(picture_strip(ed)->pictures().count(), 10);
        QCOMPARE(tip_path(picture_strip(ed)->button(10)), QStringLiteral("/no/such/10.jpg"));
    }

    void remove_moves_the_viewers()
    {
        const QStringList p{picture("r1.bmp", 10), picture("r2.bmp", 20), picture("r3.bmp", 30), picture("r4.bmp", 40)};
        EditorFixture fx({record_with("A", p)});
        RecordEditor* ed = fx.open();
        QTest::mouseClick(picture_strip(ed)->button(2), Qt::LeftButton);
        QTest::mouseClick(picture_strip(ed)->button(3), Qt::LeftButton);
        QCOMPARE(open_viewers(ed), QStringLiteral("0110000000"));

        QStringList items;
        QTimer::singleShot(0, [&items] {
            auto* d = qobject_cast<RemovePictureDialog*>(QApplication::activeModalWidget());
            QVERIFY(d);
            for (int i = 0; i < control<QComboBox>(d, "Combo1")->count(); ++i)
                items << control<QComboBox>(d, "Combo1")->itemText(i);
            control<QComboBox>(d, "Combo1")->setCurrentIndex(1);
            QTest::mouseClick(control<QPushButton>(d, "cmd_rem"), Qt::LeftButton);
        });
        control<QPushButton>(ed, "cmd_rem_image")->click();
        QCOMPARE(
            items,
            QStringList({" 1   [" + p[0] + "]", " 2   [" + p[1] + "]", " 3   [" + p[2] + "]", " 4   [" + p[3] + "]"}));
        QCOMPARE(fx.dialogs.shown,
                 (Shown{{"Do you really want to remove Image #2?", MsgIcon::none, MsgButtons::yes_no}}));
        QCOMPARE(open_viewers(ed), QStringLiteral("0100000000"));
        QCOMPARE(viewer(ed, 2)->windowTitle(), QStringLiteral("Image 2: ") + p[2]);
        QCOMPARE(picture_strip(ed)->pictures().paths(), (QStringList{p[0], p[2], p[3]}));
        QCOMPARE(picture_strip(ed)->pictures().at(4), QString());
        QVERIFY(picture_strip(ed)->button(4)->isHidden());
        QCOMPARE(tip_path(picture_strip(ed)->button(3)), p[3]);
        QVERIFY(QFile::exists(p[1]));  // the picture file itself is left alone

        // Removing the last one moves nothing.
        PictureViewer* second = viewer(ed, 2);
        picture_strip(ed)->remove_picture_at(3);
        QCOMPARE(picture_strip(ed)->pictures().count(), 2);
        QCOMPARE(viewer(ed, 2), second);
        QCOMPARE(open_viewers(ed), QStringLiteral("0100000000"));
    }

    void missing_file_question_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("choose");
        QTest::newRow("no keeps the reference") << MsgAnswer::no << false;
        QTest::newRow("yes, then cancel") << MsgAnswer::yes << false;
        QTest::newRow("yes, another file") << MsgAnswer::yes << true;
    }
    void missing_file_question()
    {
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, choose);
        const QString missing = QStringLiteral("/no/such/folder/gone.jpg");
        const QString other = picture(QStringLiteral("other.bmp"));
        EditorFixture fx({record_with("A", {missing})});
        RecordEditor* ed = fx.open();
        fx.dialogs.answer(answer);
        if (choose)
            fx.dialogs.choose_file(other);
        QTest::mouseClick(picture_strip(ed)->button(1), Qt::LeftButton);
        QCOMPARE(fx.dialogs.texts(),
                 QStringList{"The file /no/such/folder/gone.jpg does not exist!\n"
                             "Do you want to specify another file?"});
        QCOMPARE(fx.dialogs.last().icon, MsgIcon::none);
        QCOMPARE(fx.dialogs.last().buttons, MsgButtons::yes_no);
        QCOMPARE(fx.dialogs.file_filters.size(), answer == MsgAnswer::yes ? 1 : 0);
        QCOMPARE(picture_strip(ed)->pictures().at(1), choose ? other : missing);
        QCOMPARE(tip_path(picture_strip(ed)->button(1)), choose ? other : missing);
        QCOMPARE(open_viewers(ed), choose ? QStringLiteral("1000000000") : QStringLiteral("0000000000"));
    }

    void undecodable_picture_reported()
    {
        const QString bad = pics_.filePath(QStringLiteral("broken.jpg"));
        QVERIFY(write_bytes(bad, QByteArray("\xFF\xD8\xFF garbage, not a real jpeg").repeated(10)));
        EditorFixture fx({record_with("A", {})});
        RecordEditor* ed = fx.open();
        fx.dialogs.choose_file(bad);
        control<QPushButton>(ed, "cmd_add_image")->click();
        const QString head = QStringLiteral("The image ") + bad + QStringLiteral(" cannot be displayed.\n");
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QVERIFY2(fx.dialogs.last().text.startsWith(head) && fx.dialogs.last().text.size() > head.size(),
                 qPrintable(fx.dialogs.last().text));
        QCOMPARE(fx.dialogs.last().icon, MsgIcon::critical);
        // The added path stays added, no viewer opened; clicking again says it again.
        QCOMPARE(picture_strip(ed)->pictures().at(1), bad);
        picture_strip(ed)->button(1)->click();
        QCOMPARE(fx.dialogs.shown.size(), 2);
        QCOMPARE(open_viewers(ed), QStringLiteral("0000000000"));
    }

    void viewers_keep_their_place_and_size()
    {
        const QString p1 = picture(QStringLiteral("h1.bmp"));
        EditorFixture fx({record_with("A", {p1, p1})});
        RecordEditor* ed = fx.open();
        picture_strip(ed)->button(1)->click();
        picture_strip(ed)->button(2)->click();
        QVERIFY(viewer(ed, 1) != viewer(ed, 2));  // the same file twice has two viewers
        QCOMPARE(viewer(ed, 2)->pos() - viewer(ed, 1)->pos(), QPoint(20, 20));

        PictureViewer* v = viewer(ed, 1);
        v->resize(v->width() + 40, v->height());
        const QSize size = v->size();
        picture_strip(ed)->button(1)->click();  // an open viewer comes forward as it is
        QCOMPARE(viewer(ed, 1), v);
        QCOMPARE(v->size(), size);

        const QPoint place = viewer(ed, 2)->pos();
        viewer(ed, 2)->close();
        QCOMPARE(open_viewers(ed), QStringLiteral("1000000000"));
        picture_strip(ed)->button(2)->click();
        QCOMPARE(viewer(ed, 2)->pos(), place);
        QCOMPARE(open_viewers(ed), QStringLiteral("1100000000"));
    }

    void display_all_then_clear_all_on_a_smaller_record()
    {
        QStringList five;
        for (int i = 1; i <= 5; ++i)
            five << picture(QStringLiteral("five%1.bmp").arg(i), 10 + i);
        five[2] = QStringLiteral("/no/such/d3.jpg");
        EditorFixture fx(
            {record_with("A", five),
             record_with("B", {picture(QStringLiteral("two1.bmp")), picture(QStringLiteral("two2.bmp"))})});
        RecordEditor* ed = fx.open();
        fx.dialogs.answer(MsgAnswer::no);
        QTest::mouseClick(control<QPushButton>(ed, "cmd_load_all_images"), Qt::LeftButton);
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(open_viewers(ed), QStringLiteral("1101100000"));
        QVERIFY(ed->show_position(2));
        // Viewers keep their pictures across records; Clear all clears those the record has.
        QCOMPARE(viewer(ed, 1)->windowTitle(), QStringLiteral("Image 1: ") + five[0]);
        QTest::mouseClick(control<QPushButton>(ed, "cmd_clear_all_images"), Qt::LeftButton);
        QCOMPARE(open_viewers(ed), QStringLiteral("0001100000"));
        QVERIFY(control<QPushButton>(ed, "cmd_clear_all_images")->isEnabled());
        QCOMPARE(fx.dialogs.shown.size(), 1);
    }

    void closing_editor_closes_viewers()
    {
        const QString p1 = picture(QStringLiteral("c1.bmp"));
        EditorFixture fx({record_with("A", {p1, p1})});
        RecordEditor* ed = fx.open();
        ed->show();
        picture_strip(ed)->button(1)->click();
        picture_strip(ed)->button(2)->click();
        QPointer<PictureViewer> v1 = viewer(ed, 1);
        QPointer<PictureViewer> v2 = viewer(ed, 2);
        QVERIFY(ed->close());
        QVERIFY(!v1 || !v1->isVisible());
        QVERIFY(!v2 || !v2->isVisible());
        QCOMPARE(open_viewers(ed), QStringLiteral("0000000000"));
    }
};

QTEST_MAIN(tst_editor_pictures)
#include "tst_editor_pictures.moc"
