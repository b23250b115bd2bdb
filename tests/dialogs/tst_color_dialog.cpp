#include "appearance/color_settings.h"
#include "appearance/scheme_paint.h"
#include "common/core_temp_db.h"
#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "common/scripted_dialogs.h"
#include "core/color_file.h"
#include "core/color_items.h"
#include "core/database.h"
#include "core/session.h"
#include "dialogs/color_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// A user scheme unlike the defaults: entry i holds 1000 + i.
ColorScheme user_scheme()
{
    ColorScheme s{};
    for (int i = 0; i < color_count; ++i)
        s[std::size_t(i)] = 1000 + i;
    return s;
}

// The window's colour boxes (the five of a frame, then the single one), their
// captions and the sample form's frames, buttons, fields and captions, by name.
const char* const box_names[6]
    = {"pb_frame", "pb_frame_title", "pb_label", "pb_text_back", "pb_text_fore", "pb_single"};
ColorBox* color_box(const ColorDialog& d, int i)
{
    return control<ColorBox>(d, QString::fromLatin1(box_names[i]));
}
QLabel* box_label(const ColorDialog& d, int i)
{
    return control<QLabel>(d, QStringLiteral("lbl_") + QString::fromLatin1(box_names[i] + 3));
}
QGroupBox* sample_frame(const ColorDialog& d, int i)
{
    static const char* const names[5]
        = {"sample_params", "sample_characteristics", "sample_purchase", "sample_store", "sample_images"};
    return control<QGroupBox>(d, QString::fromLatin1(names[i]));
}
QPushButton* sample_button(const ColorDialog& d, int i)
{
    return control<QPushButton>(d, QStringLiteral("sample_button%1").arg(i + 1));
}
QLineEdit* sample_text(const ColorDialog& d, int i)
{
    return control<QLineEdit>(d, QStringLiteral("tb_sample%1").arg(i));
}
QLabel* sample_label(const ColorDialog& d, int i)
{
    return control<QLabel>(d, QStringLiteral("lbl_sample%1").arg(i));
}

}  // namespace

class tst_color_dialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        reset_color_settings();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        set_program_folder_for_tests(dir_->path());
        QVERIFY(QFile::copy(QStringLiteral(TESSARAN_SOURCE_DIR "/data/tessaran_defcolors.dat"), default_path()));
        QVERIFY(write_color_file(user_path(), user_scheme()));
        set_color_file_path(user_path());
        QVERIFY(load_colors());
    }

    void cleanup() { set_program_folder_for_tests(QString()); }

    void opens_on_the_first_item()
    {
        ColorDialog d;
        d.show();
        QCOMPARE(d.windowTitle(), QStringLiteral("Color preferences"));
        QStringList items;
        for (int i = 0; i < control<QComboBox>(d, "combo_frame")->count(); ++i)
            items << control<QComboBox>(d, "combo_frame")->itemText(i);
        QCOMPARE(
            items,
            QStringList({"Parameters frame", "Control", "Characteristics frame", "Purchase information frame",
                         "Place of purchase frame", "Images", "Form background", "Command buttons", "Changed data "}));
        QVERIFY(!control<QComboBox>(d, "combo_frame")->isEditable());
        QCOMPARE(control<QComboBox>(d, "combo_frame")->currentIndex(), 0);
        // Preview from the working copy; the dialog itself from the scheme.
        QCOMPARE(control<QFrame>(d, "pb_sample_form")->palette().color(QPalette::Window), to_qcolor(1024));
        QCOMPARE(sample_button(d, 1)->palette().color(QPalette::Button), to_qcolor(1025));
        QCOMPARE(sample_text(d, 2)->palette().color(QPalette::Base), to_qcolor(1014));
        QCOMPARE(sample_label(d, 3)->palette().color(QPalette::WindowText), to_qcolor(1018));
        QCOMPARE(sample_frame(d, 4)->palette().color(QPalette::Window), to_qcolor(1021));
        QCOMPARE(control<QLabel>(d, "sample_control")->palette().color(QPalette::Window), to_qcolor(1023));
        QCOMPARE(d.palette().color(QPalette::Window), to_qcolor(1024));
        QCOMPARE(control<QPushButton>(d, "cmd_accept")->palette().color(QPalette::Button), to_qcolor(1025));
    }

    void boxes_per_item_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QList<int>>("entries");  // per captioned slot, -1 disabled; or one entry for the single box
        QTest::addColumn<bool>("single");
        // Which entries each item has is the colour items' own rows; here the
        // window's three kinds of page: five boxes, boxes disabled, the single box.
        QTest::newRow("Parameters") << 0 << QList<int>{1, 2, 3, 4, 5} << false;
        QTest::newRow("Images again") << 5 << QList<int>{21, 22, -1, -1, -1} << false;
        QTest::newRow("Control") << 1 << QList<int>{23} << true;
    }

    void boxes_per_item()
    {
        QFETCH(int, item);
        QFETCH(QList<int>, entries);
        QFETCH(bool, single);
        ColorDialog d;
        d.show();
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(5);  // Images first: its disabled boxes must come back
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(item);
        QCOMPARE(d.selected_item(), item);
        QCOMPARE(color_box(d, 5)->isVisible(), single);
        for (int slot = 0; slot < 5; ++slot) {
            QCOMPARE(color_box(d, slot)->isVisible(), !single);
            QCOMPARE(box_label(d, slot)->isVisible(), !single);
        }
        if (single) {
            QCOMPARE(color_box(d, 5)->color(), to_qcolor(1000 + entries[0]));
            return;
        }
        for (int slot = 0; slot < 5; ++slot) {
            const int e = entries[slot];
            QCOMPARE(color_box(d, slot)->isEnabled(), e >= 0);
            QCOMPARE(box_label(d, slot)->isEnabled(), e >= 0);
            QCOMPARE(color_box(d, slot)->color(), e >= 0 ? to_qcolor(1000 + e) : QColor(255, 255, 255));
        }
    }

    void preview_clicks_select_items()
    {
        ColorDialog d;
        d.show();
        const auto click = [&](QWidget* w, int expected) {
            d.select_item(8);
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(3, 3));
            QCOMPARE(d.selected_item(), expected);
            QCOMPARE(control<QComboBox>(d, "combo_frame")->currentIndex(), expected);
        };
        const std::pair<QWidget*, int> targets[] = {{sample_frame(d, 0), 0},
                                                    {control<QLabel>(d, "sample_control"), 1},
                                                    {sample_frame(d, 1), 2},
                                                    {sample_frame(d, 2), 3},
                                                    {sample_frame(d, 3), 4},
                                                    {sample_frame(d, 4), 5},
                                                    {control<QFrame>(d, "pb_sample_form"), 6},
                                                    {sample_button(d, 1), 7},
                                                    {sample_label(d, 3), 4},
                                                    {sample_text(d, 0), 0}};
        for (const auto& [w, item] : targets)
            click(w, item);
        // Typing in the characteristics sample picks its item too.
        d.select_item(8);
        QTest::keyClicks(sample_text(d, 1), "x");
        QCOMPARE(d.selected_item(), 2);
    }

    void picker_sets_box_entry_and_preview()
    {
        ScriptedDialogs dialogs;
        ColorDialog d;
        d.show();
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(2);  // Characteristics
        dialogs.choose_color(QColor(255, 0, 0));
        QTest::mouseClick(color_box(d, 3), Qt::LeftButton);  // Text background
        QCOMPARE(dialogs.color_initials.size(), 1);
        QCOMPARE(dialogs.color_initials[0], to_qcolor(1009));
        QCOMPARE(d.chosen_colors()[9], 255);
        QCOMPARE(color_box(d, 3)->color(), QColor(255, 0, 0));
        QCOMPARE(sample_text(d, 1)->palette().color(QPalette::Base), QColor(255, 0, 0));

        // A screen reader sees a button it can press.
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(color_box(d, 4));
        QCOMPARE(box->role(), QAccessible::Button);
        dialogs.choose_color(QColor(0, 0, 255));
        box->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(color_box(d, 4)->color(), QColor(0, 0, 255));
        QCOMPARE(dialogs.color_initials.size(), 2);

        // Cancelling the picker keeps the colour.
        dialogs.choose_color(std::nullopt);
        QTest::keyClick(color_box(d, 0), Qt::Key_Space);
        QCOMPARE(dialogs.color_initials.size(), 3);
        QCOMPARE(d.chosen_colors()[6], 1006);
        QCOMPARE(color_box(d, 0)->color(), to_qcolor(1006));

        // A disabled box of the Images item opens nothing.
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(5);
        QTest::mouseClick(color_box(d, 4), Qt::LeftButton);
        QCOMPARE(dialogs.color_initials.size(), 3);

        // The single box of Command buttons paints both sample buttons.
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(7);
        dialogs.choose_color(QColor(0, 0, 255));
        QTest::mouseClick(color_box(d, 5), Qt::LeftButton);
        QCOMPARE(d.chosen_colors()[25], 16711680);
        QCOMPARE(sample_button(d, 0)->palette().color(QPalette::Button), QColor(0, 0, 255));
        QCOMPARE(sample_button(d, 1)->palette().color(QPalette::Button), QColor(0, 0, 255));
        // Nothing reaches the scheme before Accept.
        QCOMPARE(current_colors(), user_scheme());
    }

    void accept_writes_only_what_changed()
    {
        const QByteArray before = read_bytes(user_path());
        ScriptedDialogs dialogs;
        ColorDialog d;
        d.show();
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(6);  // Form background
        dialogs.choose_color(QColor(0, 255, 0));
        QTest::mouseClick(color_box(d, 5), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(d, "cmd_accept"), Qt::LeftButton);

        QCOMPARE(dialogs.shown.size(), 2);
        QCOMPARE(dialogs.shown[0].text, QStringLiteral("Save the current color scheme?"));
        QCOMPARE(dialogs.shown[0].icon, MsgIcon::question);
        QCOMPARE(dialogs.shown[0].buttons, MsgButtons::ok_cancel);
        QCOMPARE(dialogs.shown[0].title, QStringLiteral("TESSARAN V"));
        QCOMPARE(dialogs.shown[1].text, QStringLiteral("Color preferences have been saved."));
        QCOMPARE(dialogs.shown[1].icon, MsgIcon::none);
        QCOMPARE(dialogs.shown[1].title, QStringLiteral("Saving color preferences"));
        QVERIFY(!d.isVisible());

        // Only the form background's entry differs (line 6, third value).
        QByteArray expected = before;
        expected.replace(",1024,", ",65280,");
        QCOMPARE(read_bytes(user_path()), expected);
        QCOMPARE(current_colors()[24], 65280);
        QCOMPARE(color_file_path(), user_path());
    }

    void accept_question_cancel_keeps_everything()
    {
        const QByteArray before = read_bytes(user_path());
        ScriptedDialogs dialogs;
        ColorDialog d;
        d.show();
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(1);
        dialogs.choose_color(QColor(1, 2, 3));
        QTest::mouseClick(color_box(d, 5), Qt::LeftButton);
        dialogs.answer(MsgAnswer::cancel);
        QTest::mouseClick(control<QPushButton>(d, "cmd_accept"), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY(d.isVisible());
        QCOMPARE(d.chosen_colors()[23], to_color_value(QColor(1, 2, 3)));
        QCOMPARE(d.selected_item(), 1);
        QCOMPARE(read_bytes(user_path()), before);
        QCOMPARE(current_colors(), user_scheme());
    }

    void accept_without_change_moves_to_user_file()
    {
        QVERIFY(QFile::remove(user_path()));
        set_color_file_path(default_path());
        QVERIFY(load_colors());
        ScriptedDialogs dialogs;
        ColorDialog d;
        d.show();
        QTest::mouseClick(control<QPushButton>(d, "cmd_accept"), Qt::LeftButton);
        QCOMPARE(color_file_path(), user_path());
        QCOMPARE(read_bytes(user_path()), read_bytes(default_path()));
    }

    void defaults_then_cancel_leave_file_untouched()
    {
        const QByteArray before = read_bytes(user_path());
        ScriptedDialogs dialogs;
        ColorDialog d;
        d.show();
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(3);
        QTest::mouseClick(control<QPushButton>(d, "cmd_default_all"), Qt::LeftButton);
        QCOMPARE(d.chosen_colors(), builtin_colors());  // the shipped default file holds the built-in scheme
        QCOMPARE(color_box(d, 0)->color(), to_qcolor(builtin_colors()[11]));
        QCOMPARE(control<QFrame>(d, "pb_sample_form")->palette().color(QPalette::Window),
                 to_qcolor(builtin_colors()[24]));
        QVERIFY(control<QComboBox>(d, "combo_frame")->hasFocus() || !QApplication::focusWidget());
        QTest::mouseClick(control<QPushButton>(d, "cmd_cancel"), Qt::LeftButton);
        QVERIFY(!d.isVisible());
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(read_bytes(user_path()), before);
        QCOMPARE(current_colors(), user_scheme());
        QCOMPARE(color_file_path(), user_path());
    }

    void default_for_one_item_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QList<int>>("entries");
        // Which entries each item sets is the colour items' own rows; here the
        // dialog reads the default file and shows what it set, in the boxes of a
        // data frame and in the single box.
        QTest::newRow("Place of purchase") << 4 << QList<int>{16, 17, 18, 19, 20};
        QTest::newRow("Changed data") << 8 << QList<int>{0};
    }

    void default_for_one_item()
    {
        QFETCH(int, item);
        QFETCH(QList<int>, entries);
        // A default file unlike the user's: entry i holds 5000 + i.
        ColorScheme defaults{};
        for (int i = 0; i < color_count; ++i)
            defaults[std::size_t(i)] = 5000 + i;
        QVERIFY(write_color_file(default_path(), defaults));
        ColorDialog d;
        d.show();
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(item);
        QTest::mouseClick(control<QPushButton>(d, "cmd_default_choice"), Qt::LeftButton);
        for (int i = 0; i < color_count; ++i)
            QCOMPARE(d.chosen_colors()[std::size_t(i)], (entries.contains(i) ? 5000 : 1000) + i);
        const int shown_entry = color_item_entry(item, entries.size() == 1 ? 5 : 0);
        const int slot = entries.size() == 1 ? 5 : 0;
        QCOMPARE(color_box(d, slot)->color(), to_qcolor(5000 + shown_entry));
    }

    void missing_default_file_is_reported()
    {
        QVERIFY(QFile::remove(default_path()));
        ScriptedDialogs dialogs;
        ColorDialog d;
        d.show();
        QTest::mouseClick(control<QPushButton>(d, "cmd_default_all"), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY(dialogs.last().text.contains(QStringLiteral("tessaran_defcolors.dat")));
        QCOMPARE(dialogs.last().icon, MsgIcon::exclamation);
        QCOMPARE(d.chosen_colors(), builtin_colors());
    }

    void hard_to_read_colours_are_warned_about()
    {
        set_current_colors(builtin_colors());
        ScriptedDialogs dialogs;
        ColorDialog d;
        d.show();
        d.actual_temp(1);                                          // the scheme in use: the shipped one
        control<QComboBox>(d, "combo_frame")->setCurrentIndex(0);  // Parameters
        // Labels in a pale grey on the pale frame: warned, and kept.
        dialogs.choose_color(QColor(200, 200, 200));
        QTest::mouseClick(color_box(d, 2), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.last().text,
                 QStringLiteral("With this color some text is hard to read, its contrast being below "
                                "3:1:\nLabels of Kaleidoscope parameters (1.3:1)\n\nThe color is "
                                "kept; choose another one for better reading."));
        QCOMPARE(dialogs.last().icon, MsgIcon::exclamation);
        QCOMPARE(color_box(d, 2)->color(), QColor(200, 200, 200));
        // A colour that reads well says nothing, and neither does another hard
        // one for text that was hard to read already.
        dialogs.choose_color(QColor(0, 0, 0));
        QTest::mouseClick(color_box(d, 4), Qt::LeftButton);
        dialogs.choose_color(QColor(210, 210, 210));
        QTest::mouseClick(color_box(d, 2), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 1);
    }

private:
    QString user_path() const { return dir_->filePath(QStringLiteral("tessaran_colors.dat")); }
    QString default_path() const { return dir_->filePath(QStringLiteral("tessaran_defcolors.dat")); }
    std::unique_ptr<QTemporaryDir> dir_;
};

QTEST_MAIN(tst_color_dialog)
#include "tst_color_dialog.moc"
