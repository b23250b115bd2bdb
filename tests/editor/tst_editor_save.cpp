// Saving a record from the editor, the difference test, the question before a
// changed record is left, and the checks when a typed field is left.
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "appearance/scheme_paint.h"
#include "common/gui_colors.h"
#include "core/money.h"
#include "core/record_file.h"
#include "core/session.h"
#include "core/working_set.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

using namespace tessaran;
using namespace tessaran::test;

namespace {

QList<ScopeRecord> two_records()
{
    return {make_record("Aurora", "Baker, Ann", "3/4/2001", 125000),
            make_record("Borealis", QStringLiteral("Cole, Ben"))};
}

const QString no_changes = QStringLiteral("No changes have been made to the displayed kaleidoscope");
const QString confirm = QStringLiteral("Are you sure you want to add this kaleidoscope to the database?");
const QString leave_question
    = QStringLiteral("Kaleidoscope data has been changed. Changes are highlighted and/or images have been removed. "
                     "Do you want to save these changes to this record?");

// Scripted answers that also let the test look at the window while a message is up.
class PeekingDialogs : public ScriptedDialogs {
public:
    std::function<void()> on_message;
    MsgAnswer message(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                      const QString& title) override
    {
        if (on_message && shown.isEmpty())
            on_message();
        return ScriptedDialogs::message(parent, text, icon, buttons, title);
    }
};

QColor base_of(const QWidget* w)
{
    return w->palette().color(QPalette::Base);
}

}  // namespace

class tst_editor_save : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void unchanged_record_is_not_written()
    {
        EditorFixture f(two_records());
        RecordEditor* ed = f.open();
        const QByteArray before = read_bytes(f.db.path());
        QTest::mouseClick(control<QPushButton>(ed, "cmd_save"), Qt::LeftButton);
        QCOMPARE(f.dialogs.shown, (Shown{{no_changes, MsgIcon::none, MsgButtons::ok, "Save Scope Data"}}));
        QCOMPARE(read_bytes(f.db.path()), before);

        // A new record with nothing typed, in a database that holds records.
        QTest::mouseClick(control<QPushButton>(ed, "cmd_new"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(ed, "cmd_save"), Qt::LeftButton);
        QCOMPARE(f.dialogs.last().text, no_changes);
        QCOMPARE(read_bytes(f.db.path()), before);
    }

    void changed_record_is_highlighted_and_written()
    {
        EditorFixture f(two_records());
        RecordEditor* ed = f.open();
        const QColor normal = base_of(control<QLineEdit>(ed, "tb_studio"));
        const QColor changed = scheme_color(color_changed_data);
        QVERIFY(normal != changed);

        control<QLineEdit>(ed, "tb_studio")->setText(QStringLiteral("  Glassworks  "));
        control<QComboBox>(ed, "combo_signed")->setEditText(QStringLiteral("Etched"));
        // The question comes while the highlights are on: sample them when it is asked.
        PeekingDialogs peek;
        QList<QColor> during;
        peek.on_message = [&] {
            during = {base_of(control<QLineEdit>(ed, "tb_studio")), base_of(control<QComboBox>(ed, "combo_signed")),
                      base_of(control<QLineEdit>(ed, "tb_scopename"))};
        };
        peek.answer(MsgAnswer::yes);
        QTest::mouseClick(control<QPushButton>(ed, "cmd_save"), Qt::LeftButton);
        QCOMPARE(peek.shown,
                 (Shown{{confirm, MsgIcon::none, MsgButtons::yes_no, "Save MS"},
                        {"Kaleidoscope number 1 saved to database", MsgIcon::none, MsgButtons::ok, "Scope saved"}}));
        QCOMPARE(during, (QList<QColor>{changed, changed, normal}));
        const QList<ScopeRecord> stored = read_db(f.db.path());
        QCOMPARE(stored.size(), 2);
        QCOMPARE(trim_blanks(stored.at(0).studio), QStringLiteral("Glassworks"));
        QCOMPARE(trim_blanks(stored.at(0).signed_), QStringLiteral("Etched"));
        QCOMPARE(stored.at(0).price_paid, qint64(125000));
        QCOMPARE(control<QLineEdit>(ed, "tb_studio")->text(), QStringLiteral("Glassworks"));
        QCOMPARE(base_of(control<QLineEdit>(ed, "tb_studio")), normal);  // highlight gone after the save
    }

    void refused_confirmation_writes_nothing()
    {
        EditorFixture f(two_records());
        RecordEditor* ed = f.open();
        const QByteArray before = read_bytes(f.db.path());
        const QColor normal = base_of(control<QLineEdit>(ed, "tb_studio"));
        control<QLineEdit>(ed, "tb_studio")->setText(QStringLiteral("Glassworks"));
        f.dialogs.answer(MsgAnswer::no);
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(f.dialogs.shown, (Shown{{confirm, MsgIcon::none, MsgButtons::yes_no, "Save MS"}}));
        QCOMPARE(read_bytes(f.db.path()), before);
        QCOMPARE(control<QLineEdit>(ed, "tb_studio")->text(), QStringLiteral("Glassworks"));
        QCOMPARE(base_of(control<QLineEdit>(ed, "tb_studio")), normal);

        // The difference test itself marks exactly the changed fields.
        QCOMPARE(ed->count_changes(1), 1);
        QCOMPARE(base_of(control<QLineEdit>(ed, "tb_studio")), scheme_color(color_changed_data));
        QCOMPARE(base_of(control<QLineEdit>(ed, "tb_artist")), normal);
        ed->restore_colors();
        QCOMPARE(base_of(control<QLineEdit>(ed, "tb_studio")), normal);
    }

    void validations_stop_the_save_data()
    {
        // clang-format off
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("year text") << "tb_scopeyear" << "19x9" << "Non-numeric entry for scope year field!";
        QTest::newRow("paid") << "tb_price_paid" << "twelve" << "Invalid entry for purchase price field!";
        // clang-format on
    }

    void validations_stop_the_save()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        EditorFixture f(two_records());
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        const QByteArray before = read_bytes(f.db.path());
        auto* box = ed->findChild<QLineEdit*>(field);
        box->setText(text);
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(f.dialogs.shown, (Shown{{message, MsgIcon::critical}}));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box));
        QCOMPARE(read_bytes(f.db.path()), before);
    }

    void new_record_joins_end_of_working_set()
    {
        QList<ScopeRecord> records
            = {make_record("One", QStringLiteral("Miller, M")), make_record("Two", QStringLiteral("Adams, A"))};
        EditorFixture f(records, true);
        RecordEditor* ed = f.open();
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Two"));  // sorted by artist
        ed->add_record();
        control<QLineEdit>(ed, "tb_scopename")->setText(QStringLiteral("Three"));
        control<QLineEdit>(ed, "tb_artist")->setText(QStringLiteral("Aaron, A"));
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(f.dialogs.texts(), (QStringList{confirm, "Kaleidoscope number 3 saved to database"}));
        QCOMPARE(f.state().ws().count(), int(3));
        QCOMPARE(f.state().ws().records().at(3), int(3));
        QCOMPARE(f.state().record_count(), int(3));
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Record 3 of 3]")));
        const QList<ScopeRecord> stored = read_db(f.db.path());
        QCOMPARE(stored.size(), 3);
        QCOMPARE(trim_blanks(stored.at(2).scopename), QStringLiteral("Three"));
        QCOMPARE(stored.at(2).image_slot0, QByteArray(60, '\0'));
        QCOMPARE(stored.at(2).image_count, qint16(0));
        control<QPushButton>(ed, "cmd_prev")->click();
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Two"));
    }

    void first_save_in_empty_database_enables_commands()
    {
        EditorFixture f({});
        RecordEditor* ed = f.open();
        QVERIFY(!control<QPushButton>(ed, "cmd_next")->isEnabled());
        control<QPushButton>(ed, "cmd_save")->click();  // nothing typed: an empty database still writes record 1
        QCOMPARE(f.dialogs.texts(), (QStringList{confirm, "Kaleidoscope number 1 saved to database"}));
        QCOMPARE(file_length(f.db.path()), qint64(rec_len_bytes));
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Record 1 of 1]")));
        for (QPushButton* b : ed->findChildren<QPushButton*>()) {
            const QString n = b->objectName();
            if (n == QLatin1String("cmd_rem_image") || n == QLatin1String("cmd_load_all_images")
                || n == QLatin1String("cmd_clear_all_images"))
                continue;  // these follow the image count
            if (n.startsWith(QLatin1String("cmd")))
                QVERIFY2(b->isEnabled(), qPrintable(n));
        }
        QVERIFY(control<QAction>(ed, "mnu_delete")->isEnabled());
    }

    void leaving_a_changed_record_asks()
    {
        EditorFixture f(two_records());
        RecordEditor* ed = f.open();
        const QByteArray before = read_bytes(f.db.path());
        // No: the edits are dropped, nothing is written.
        control<QLineEdit>(ed, "tb_city")->setText(QStringLiteral("Taos"));
        f.dialogs.answer(MsgAnswer::no);
        control<QPushButton>(ed, "cmd_next")->click();
        QCOMPARE(f.dialogs.shown, (Shown{{leave_question, MsgIcon::question, MsgButtons::yes_no}}));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Borealis"));
        control<QPushButton>(ed, "cmd_prev")->click();
        QCOMPARE(control<QLineEdit>(ed, "tb_city")->text(), QString());
        QCOMPARE(read_bytes(f.db.path()), before);
        QCOMPARE(f.dialogs.shown.size(), 1);
        // Yes: saved, then the move goes ahead.
        control<QLineEdit>(ed, "tb_city")->setText(QStringLiteral("Taos"));
        f.dialogs.answer(MsgAnswer::yes);
        control<QPushButton>(ed, "cmd_next")->click();
        QCOMPARE(f.dialogs.texts().mid(1), (QStringList{leave_question, "Kaleidoscope number 1 saved to database"}));
        QCOMPARE(trim_blanks(read_db(f.db.path()).at(0).city), QStringLiteral("Taos"));
        QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Borealis"));
        QCOMPARE(f.state().ws().position(), int(2));
    }

    void leaving_with_refused_save_stays()
    {
        EditorFixture f(two_records());
        RecordEditor* ed = f.open();
        control<QLineEdit>(ed, "tb_city")->setText(QStringLiteral("Taos"));
        control<QLineEdit>(ed, "tb_scopeyear")->setText(QStringLiteral("1600"));
        f.dialogs.answer(MsgAnswer::yes);
        control<QPushButton>(ed, "cmd_endscope")->click();
        QCOMPARE(f.dialogs.texts(), (QStringList{leave_question, "Entry for scope year field out of range!"}));
        QCOMPARE(f.state().ws().position(), int(1));
        QCOMPARE(control<QLineEdit>(ed, "tb_city")->text(), QStringLiteral("Taos"));

        // Close asks too; answering No closes without writing.
        f.dialogs.answer(MsgAnswer::no);
        ed->show();
        control<QPushButton>(ed, "cmd_close")->click();
        QVERIFY(!ed->isVisible());
        QVERIFY(f.startup->isEnabled());
        QCOMPARE(trim_blanks(read_db(f.db.path()).at(0).city), QString());
    }

    void image_list_change_counts()
    {
        ScopeRecord r = make_record(QStringLiteral("Pictured"));
        r.image_count = 2;
        r.image_files[1] = fixed_text("/pics/a.jpg", 60);
        r.image_files[2] = fixed_text("/pics/b.jpg", 60);
        EditorFixture f({r});
        RecordEditor* ed = f.open();
        QCOMPARE(picture_strip(ed)->pictures().count(), 2);
        QVERIFY(picture_strip(ed)->button(2)->isVisibleTo(ed));
        QCOMPARE(picture_strip(ed)->button(2)->toolTip(), QStringLiteral("/pics/b.jpg"));
        QVERIFY(!picture_strip(ed)->button(3)->isVisibleTo(ed));
        QCOMPARE(ed->count_changes(1), 0);

        // Dropping the second image, as the remove command would.
        picture_strip(ed)->remove_picture_at(2);
        QCOMPARE(ed->count_changes(1), 1);
        QCOMPARE(picture_strip(ed)->button(2)->palette().color(QPalette::Button), scheme_color(color_changed_data));
        QCOMPARE(picture_strip(ed)->button(1)->palette().color(QPalette::Button), scheme_color(color_command_buttons));
        control<QPushButton>(ed, "cmd_save")->click();
        const ScopeRecord stored = read_db(f.db.path()).at(0);
        QCOMPARE(stored.image_count, qint16(1));
        QCOMPARE(trim_blanks(stored.image_files[1]), QStringLiteral("/pics/a.jpg"));
        QCOMPARE(stored.image_files[2], QString(60, QLatin1Char(' ')));
    }

    void full_database_refuses_new_record()
    {
        EditorFixture f(two_records());
        {
            QFile file(f.db.path());
            QVERIFY(file.resize(qint64(max_record_count) * rec_len_bytes));  // sparse: zero records past 2
        }
        f.session = f.db.open_all();
        RecordEditor* ed = f.open();
        const qint64 before = file_length(f.db.path());
        ed->add_record();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY(f.dialogs.last().text.contains(QStringLiteral("32767")));
        QVERIFY(ed->windowTitle().contains(QLatin1String("[Record 1 of 32767]")));
        QCOMPARE(file_length(f.db.path()), before);
    }

    void leave_field_checks_data()
    {
        // clang-format off
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        const QString stored_date = QStringLiteral("3/4/2001");
        const QString stored_price = money_text(125000);
        QTest::newRow("date bad") << "tb_date_bought" << "soon" << stored_date << "Invalid entry for Date purchased field.";
        // Typed whole, the time of day dropped when the field is left.
        QTest::newRow("date, 12-hour time") << "tb_date_bought" << "12/14/2001 10:30 PM" << "12/14/2001" << "";
        QTest::newRow("paid blank") << "tb_price_paid" << "" << stored_price << "";
        QTest::newRow("paid bad") << "tb_price_paid" << "abc" << stored_price << "Invalid entry for price paid field.";
        QTest::newRow("retail bad") << "tb_price_retail" << "x1" << "" << "Invalid entry for retail price field.";
        QTest::newRow("year early") << "tb_scopeyear" << "1699" << "" << "Entry for scope year field out of range!";
        // clang-format on
    }

    void leave_field_checks()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        EditorFixture f(two_records());
        RecordEditor* ed = f.open();
        QVERIFY(f.show_active());
        auto* box = ed->findChild<QLineEdit*>(field);
        type_into(box, typed);
        press_tab(ed);
        QCOMPARE(box->text(), shown);
        if (message.isEmpty()) {
            QCOMPARE(f.dialogs.texts(), QStringList());
            QVERIFY(QApplication::focusWidget() != box);
        } else {
            QCOMPARE(f.dialogs.shown, (Shown{{message, MsgIcon::critical}}));  // exactly once
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box));
        }
    }
};

QTEST_MAIN(tst_editor_save)
#include "tst_editor_save.moc"
