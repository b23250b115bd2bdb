// Records written by other tools (zero bytes, CR LF line breaks, damaged image
// lists, amounts the currency form cannot read back) are shown and left
// without a false "changed" question, and what the user types is stored as
// typed; the multi-line limit never cuts text; an invalid price keeps the edits.
#include "appearance/color_settings.h"
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"
#include "editor/limited_text_edit.h"

#include "appearance/scheme_paint.h"
#include "common/gui_colors.h"
#include "core/money.h"
#include "core/session.h"
#include "ui/screen_placement.h"

#include <QtTest>
#include <QtWidgets>

#include <limits>

using namespace tessaran;
using namespace tessaran::test;

namespace {

const QString no_changes = QStringLiteral("No changes have been made to the displayed kaleidoscope");
const QString leave_question
    = QStringLiteral("Kaleidoscope data has been changed. Changes are highlighted and/or images have been removed. "
                     "Do you want to save these changes to this record?");

enum class Oddity {
    zero_bytes,
    crlf_comments,
    negative_image_count,
    junk_above_count,
    largest_amount,
    junk_date_and_year
};

// The first record carries the oddity in its stored bytes; the second is plain.
QByteArray odd_file(Oddity kind)
{
    ScopeRecord r = make_record("Odd", QStringLiteral("Artist"));
    const QString zeros(500, QChar(0));
    switch (kind) {
    case Oddity::zero_bytes:
        for (QString* m : {&r.scopename, &r.date_bought, &r.scopeyear, &r.phone, &r.comments})
            *m = zeros.left(m->size());
        break;
    case Oddity::crlf_comments: r.comments = fixed_text("line1\r\nline2", 500); break;
    case Oddity::negative_image_count:
    case Oddity::junk_above_count:
        for (int i = 1; i <= 10; ++i)
            r.image_files[std::size_t(i)] = fixed_text(QStringLiteral("/pictures/%1.jpg").arg(i), image_slot_width);
        r.image_count = kind == Oddity::negative_image_count ? -3 : 1;
        break;
    case Oddity::largest_amount: r.price_paid = std::numeric_limits<qint64>::max(); break;
    case Oddity::junk_date_and_year:
        r.date_bought = fixed_text("31/31/1999", 15);
        r.scopeyear = fixed_text("19\x81\x7f", 10);
        break;
    }
    QByteArray bytes = encode_record(r) + encode_record(make_record(QStringLiteral("Plain")));
    if (kind == Oddity::junk_above_count) {
        bytes[offset_image_files + 2 * image_slot_width] = '\x81';
        bytes[offset_image_files + 3 * image_slot_width + 5] = '\xff';
        bytes[offset_image_files + 4 * image_slot_width] = '\0';
    }
    return bytes;
}

}  // namespace

Q_DECLARE_METATYPE(Oddity)

class tst_untouched_records : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void viewing_is_never_a_change_data()
    {
        QTest::addColumn<Oddity>("kind");
        QTest::newRow("zero bytes") << Oddity::zero_bytes;
        QTest::newRow("CR LF comments") << Oddity::crlf_comments;
        QTest::newRow("negative image count") << Oddity::negative_image_count;
        QTest::newRow("junk above the count") << Oddity::junk_above_count;
        QTest::newRow("largest amount") << Oddity::largest_amount;
        QTest::newRow("junk date and year") << Oddity::junk_date_and_year;
    }

    void viewing_is_never_a_change()
    {
        QFETCH(Oddity, kind);
        EditorFixture f({});
        QVERIFY(write_bytes(f.db.path(), odd_file(kind)));
        f.session = f.db.open_all();
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(),
                 kind == Oddity::zero_bytes ? QString() : QStringLiteral("Odd"));
        QVERIFY(!control<LimitedTextEdit>(ed, "tb_comments")->toPlainText().contains(QChar(0)));
        const QByteArray before = read_bytes(f.db.path());

        // Through every typed field with Tab, then away and back, then Save.
        control<QLineEdit>(ed, "tb_scopename")->setFocus();
        for (int i = 0; i < 30; ++i)
            press_tab(ed);
        control<QPushButton>(ed, "cmd_next")->click();
        control<QPushButton>(ed, "cmd_prev")->click();
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(f.dialogs.shown, (Shown{{no_changes, MsgIcon::none, MsgButtons::ok, "Save Scope Data"}}));
        QCOMPARE(read_bytes(f.db.path()), before);

        // A change elsewhere saves; the untouched odd value goes back as it was.
        if (kind == Oddity::junk_date_and_year) {
            f.dialogs.shown.clear();
            type_into(control<QLineEdit>(ed, "tb_city"), QStringLiteral("Elsewhere"));
            control<QPushButton>(ed, "cmd_save")->click();
            QCOMPARE(f.dialogs.texts().last(), QStringLiteral("Kaleidoscope number 1 saved to database"));
            QCOMPARE(f.dialogs.texts().size(), 2);  // "add this kaleidoscope?" first
            const ScopeRecord saved = read_db(f.db.path()).value(0);
            QCOMPARE(saved.scopeyear, decode_record(before.constData()).scopeyear);
            QCOMPARE(saved.date_bought, decode_record(before.constData()).date_bought);
        }
    }

    void typed_text_replaces_zero_bytes()
    {
        EditorFixture f({});
        QVERIFY(write_bytes(f.db.path(), odd_file(Oddity::zero_bytes)));
        f.session = f.db.open_all();
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        QTest::keyClicks(control<QLineEdit>(ed, "tb_scopename"), QStringLiteral("Typed name"));
        QTest::keyClicks(control<QLineEdit>(ed, "tb_date_bought"), QStringLiteral("3/4/2001"));
        QTest::keyClicks(control<QLineEdit>(ed, "tb_scopeyear"), QStringLiteral("1999"));
        QTest::keyClicks(control<QLineEdit>(ed, "tb_phone"), QStringLiteral("555-1234"));
        QTest::keyClicks(control<LimitedTextEdit>(ed, "tb_comments"), QStringLiteral("Note"));
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(f.dialogs.texts().last(), QStringLiteral("Kaleidoscope number 1 saved to database"));
        const ScopeRecord saved = read_db(f.db.path()).at(0);
        QCOMPARE(trim_blanks(saved.scopename), QStringLiteral("Typed name"));
        QCOMPARE(trim_blanks(saved.date_bought), QStringLiteral("3/4/2001"));
        QCOMPARE(trim_blanks(saved.scopeyear), QStringLiteral("1999"));
        QCOMPARE(trim_blanks(saved.phone), QStringLiteral("555-1234"));
        QCOMPARE(trim_blanks(saved.comments), QStringLiteral("Note"));
    }

    // Line breaks are stored as the record already had them; new text and
    // pasted text get CR LF.
    void line_breaks_are_stored_as_the_record_uses_them()
    {
        EditorFixture f({});
        QVERIFY(write_bytes(f.db.path(), odd_file(Oddity::crlf_comments)));
        f.session = f.db.open_all();
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        control<LimitedTextEdit>(ed, "tb_comments")->moveCursor(QTextCursor::End);
        QTest::keyClicks(control<LimitedTextEdit>(ed, "tb_comments"), QStringLiteral("!"));
        QGuiApplication::clipboard()->setText(QStringLiteral("first\r\nsecond\nthird"));
        control<LimitedTextEdit>(ed, "tb_specfeatures")->setFocus();
        QTest::keyClick(control<LimitedTextEdit>(ed, "tb_specfeatures"), Qt::Key_V, Qt::ControlModifier);
        control<QPushButton>(ed, "cmd_save")->click();
        const ScopeRecord saved = read_db(f.db.path()).at(0);
        QCOMPARE(trim_blanks(saved.comments), QStringLiteral("line1\r\nline2!"));
        QCOMPARE(trim_blanks(saved.specfeatures), QStringLiteral("first\r\nsecond\r\nthird"));
    }

    void multi_line_limit_refuses_and_never_cuts()
    {
        EditorFixture f({make_record(QStringLiteral("Full"))});
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        const QString full = QString(492, QLatin1Char('x')) + QStringLiteral("LASTEND");
        for (LimitedTextEdit* t :
             {control<LimitedTextEdit>(ed, "tb_comments"), control<LimitedTextEdit>(ed, "tb_specfeatures")}) {
            t->setPlainText(full);
            t->setFocus();
            QTest::keyClick(t, Qt::Key_Home, Qt::ControlModifier);
            QTest::keyClicks(t, QStringLiteral("XYZ"));
            QCOMPARE(t->toPlainText(), QStringLiteral("X") + full);
            QGuiApplication::clipboard()->setText(QStringLiteral("0123456789"));
            QTest::keyClick(t, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(t->toPlainText().size(), 500);
            QVERIFY(t->toPlainText().endsWith(QLatin1String("LASTEND")));
            // A line break costs two bytes of the record: CR LF.
            t->setPlainText(QString(497, QLatin1Char('y')));
            QGuiApplication::clipboard()->setText(QStringLiteral("\nab"));
            t->moveCursor(QTextCursor::End);
            QTest::keyClick(t, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(t->toPlainText(), QString(497, QLatin1Char('y')) + QStringLiteral("\na"));
        }
    }

    void invalid_price_keeps_the_edits_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("Yes: the save is refused") << true;
        QTest::newRow("No: the edits are dropped") << false;
    }

    void invalid_price_keeps_the_edits()
    {
        QFETCH(bool, save);
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        type_into(control<QLineEdit>(ed, "tb_city"), QStringLiteral("Taos"));
        type_into(control<QLineEdit>(ed, "tb_price_paid"), QStringLiteral("abc"));
        // Alt+letter hands the focus to the menu bar: that is not leaving the field.
        QFocusEvent to_menu(QEvent::FocusOut, Qt::MenuBarFocusReason);
        QCoreApplication::sendEvent(control<QLineEdit>(ed, "tb_price_paid"), &to_menu);
        QVERIFY(f.dialogs.shown.isEmpty());

        f.dialogs.answer(MsgAnswer::ok);
        f.dialogs.answer(save ? MsgAnswer::yes : MsgAnswer::no);
        control<QAction>(ed, "mnu_next")->trigger();
        QStringList expected{"Invalid entry for purchase price field!", leave_question};
        if (save)
            expected << QStringLiteral("Invalid entry for purchase price field!");
        QCOMPARE(f.dialogs.texts().join("|"), expected.join("|"));
        QCOMPARE(f.state().ws().position(), int(save ? 1 : 2));
        QCOMPARE(control<QLineEdit>(ed, "tb_city")->text(), save ? QStringLiteral("Taos") : QString());
    }

    void window_is_measured_at_its_shown_size()
    {
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(qAbs(ed->frameGeometry().center().x() - avail.center().x()) <= 1);
        // Every control stays reachable on a 1024x768 work area.
        QVERIFY2(ed->minimumWidth() <= 1008 && ed->minimumHeight() <= 728,
                 qPrintable(QStringLiteral("%1x%2").arg(ed->minimumWidth()).arg(ed->minimumHeight())));
        // Every button of the command strip shows its whole caption.
        for (const QPushButton* b : control<QWidget>(ed, "lbl_controlbck")->findChildren<QPushButton*>())
            QVERIFY2(b->width() >= b->fontMetrics().horizontalAdvance(b->text()) + 8, qPrintable(b->text()));
    }

    void text_on_scheme_backgrounds_stays_readable_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        QTest::newRow("black") << QColor(Qt::black) << QColor(Qt::white);
        QTest::newRow("white") << QColor(Qt::white) << QColor(Qt::black);
    }

    void text_on_scheme_backgrounds_stays_readable()
    {
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        set_current_color(color_form_background, to_color_value(background));
        set_current_color(color_command_buttons, to_color_value(background));
        ed->apply_colors();
        QCOMPARE(ed->menuBar()->palette().color(QPalette::ButtonText), text);
        QCOMPARE(ed->menuBar()->palette().color(QPalette::Window), background);
        QCOMPARE(control<QPushButton>(ed, "cmd_save")->palette().color(QPalette::ButtonText), text);
    }
};

QTEST_MAIN(tst_untouched_records)
#include "tst_untouched_records.moc"
