// Another program writing the collection while the editor shows it (a writer
// that takes no lock): a save or deletion never lands on a record the window
// did not read, the user's edits stay on screen, and a reload finds the
// edited kaleidoscope again by its content.
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "common/gui_colors.h"
#include "core/delete_record.h"
#include "core/record_file.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

const QString changed_text = QStringLiteral(
    "The collection was changed by another program after this kaleidoscope was shown, so nothing has been %1.\n"
    "Your changes are still on screen.\n\nReload the collection now?");

enum class Meddling { delete_earlier, append, change_shown };

}  // namespace

Q_DECLARE_METATYPE(Meddling)
Q_DECLARE_METATYPE(tessaran::MsgAnswer)

class tst_other_writer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void save_after_another_write_data()
    {
        // clang-format off
        QTest::addColumn<Meddling>("meddling");
        QTest::addColumn<QStringList>("after_reload_save");  // scope names in file order
        QTest::addColumn<QString>("caption_after_reload");
        // Record 3 (Charlie) is shown; the other program removes record 1: Charlie is record 2 now.
        QTest::newRow("an earlier record deleted") << Meddling::delete_earlier
            << QStringList{"Bravo", "Charlie edited", "Delta", "Echo"} << "[Record 2 of 4]";
        // The other program appends: the length the window knows is gone, nothing lands on "Foxtrot".
        QTest::newRow("a record appended") << Meddling::append
            << QStringList{"Alpha", "Bravo", "Charlie edited", "Delta", "Echo", "Foxtrot"} << "[Record 3 of 6]";
        // Another kaleidoscope took the shown one's place: the edits become a new record.
        QTest::newRow("another kaleidoscope in its place") << Meddling::change_shown
            << QStringList{"Alpha", "Bravo", "Changed elsewhere", "Delta", "Echo", "Charlie edited"}
            << "[Adding record 6]";
        // clang-format on
    }
    void save_after_another_write()
    {
        QFETCH(Meddling, meddling);
        QFETCH(QStringList, after_reload_save);
        QFETCH(QString, caption_after_reload);
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        QVERIFY(ed->show_position(3));
        auto* name = control<QLineEdit>(ed, "tb_scopename");
        QCOMPARE(name->text(), QStringLiteral("Charlie"));
        name->setText(QStringLiteral("Charlie edited"));

        // The other program writes without asking anybody.
        QList<ScopeRecord> records = read_db(f.db.path());
        if (meddling == Meddling::delete_earlier)
            QVERIFY(delete_record_file(f.db.path(), 1));
        else if (meddling == Meddling::append)
            QVERIFY(write_record(f.db.path(), 6, make_record("Foxtrot")));
        else
            QVERIFY(write_record(f.db.path(), 3, make_record("Changed elsewhere")));
        const QByteArray meddled = read_bytes(f.db.path());

        // Save is refused: nothing written, the edit still on screen.
        const QString confirm = QStringLiteral("Are you sure you want to add this kaleidoscope to the database?");
        f.dialogs.answers = {MsgAnswer::yes, MsgAnswer::no};
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(f.dialogs.texts(), (QStringList{confirm, changed_text.arg(QStringLiteral("saved"))}));
        QCOMPARE(f.dialogs.last().icon, MsgIcon::exclamation);
        QCOMPARE(read_bytes(f.db.path()), meddled);
        QCOMPARE(name->text(), QStringLiteral("Charlie edited"));

        // Saving again and reloading: the edited kaleidoscope is found by its
        // content (or becomes a new one), the edit is kept and saved once.
        f.dialogs.shown.clear();
        f.dialogs.answers = {MsgAnswer::yes, MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_save")->click();
        QCOMPARE(read_bytes(f.db.path()), meddled);
        QCOMPARE(name->text(), QStringLiteral("Charlie edited"));
        QVERIFY2(ed->windowTitle().contains(caption_after_reload), qPrintable(ed->windowTitle()));
        f.dialogs.shown.clear();
        control<QPushButton>(ed, "cmd_save")->click();
        QVERIFY2(f.dialogs.last().text.endsWith(QLatin1String("saved to database")),
                 qPrintable(f.dialogs.texts().join(QLatin1Char('|'))));
        QCOMPARE(scope_names(f.db.path()), after_reload_save);
    }

    // The kaleidoscope being edited was changed in place by the other program:
    // the user is told what it changed and decides; no copy unless chosen.
    void shown_record_changed_elsewhere_data()
    {
        // clang-format off
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QStringList>("stores");  // store of every record, in file order, at the end
        QTest::addColumn<QList<qint64>>("prices");  // price paid of every record
        QTest::addColumn<QString>("shown_store");
        const qint64 theirs = 3000000;
        const qint64 was = 2500000;
        QTest::newRow("keep their version") << MsgAnswer::no << QStringList{"", "", "", "", ""}
            << QList<qint64>{1000000, 0, theirs, 500000, 0} << "";
        QTest::newRow("put my changes over it") << MsgAnswer::yes << QStringList{"", "", "Kaleido Shop", "", ""}
            << QList<qint64>{1000000, 0, theirs, 500000, 0} << "Kaleido Shop";
        QTest::newRow("save mine as new") << MsgAnswer::ok << QStringList{"", "", "", "", "", "Kaleido Shop"}
            << QList<qint64>{1000000, 0, theirs, 500000, 0, was} << "Kaleido Shop";
        // Nothing decided: the edit stays over their version, and a later save writes it there.
        QTest::newRow("decide later, then save") << MsgAnswer::cancel << QStringList{"", "", "Kaleido Shop", "", ""}
            << QList<qint64>{1000000, 0, theirs, 500000, 0} << "Kaleido Shop";
        // clang-format on
    }
    void shown_record_changed_elsewhere()
    {
        QFETCH(MsgAnswer, answer);
        QFETCH(QStringList, stores);
        QFETCH(QList<qint64>, prices);
        QFETCH(QString, shown_store);
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        QVERIFY(ed->show_position(3));  // Charlie, record 3
        control<QLineEdit>(ed, "tb_store")->setText(QStringLiteral("Kaleido Shop"));
        ScopeRecord changed = read_db(f.db.path()).at(2);
        changed.price_paid = 3000000;
        QVERIFY(write_record(f.db.path(), 3, changed));

        f.dialogs.answers = {MsgAnswer::yes, MsgAnswer::yes, answer, MsgAnswer::yes, MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_save")->click();
        const QString question = QStringLiteral(
            "Another program changed the kaleidoscope you were editing (Charlie) after it was shown. It changed: "
            "Purchase price.\n\nYour changes are still on screen. Keep the other program's version, put your "
            "changes over it, or save yours as a new kaleidoscope?");
        QCOMPARE(f.dialogs.texts().mid(1, 2), (QStringList{changed_text.arg(QStringLiteral("saved")), question}));
        QCOMPARE(f.dialogs.shown.at(2).buttons, MsgButtons::theirs_mine_new);
        for (const QString& text : f.dialogs.texts())
            QVERIFY2(!text.contains(QLatin1String("no longer in the collection")), qPrintable(text));
        QCOMPARE(control<QLineEdit>(ed, "tb_store")->text(), shown_store);
        if (answer == MsgAnswer::cancel) {
            QCOMPARE(control<QLineEdit>(ed, "tb_price_paid")->text(), QStringLiteral("$300.00"));
            QCOMPARE(read_db(f.db.path()).size(), 5);
            control<QPushButton>(ed, "cmd_save")->click();
        }
        QStringList stored_stores;
        QList<qint64> stored_prices;
        for (const ScopeRecord& r : read_db(f.db.path())) {
            stored_stores << trim_blanks(r.store);
            stored_prices << r.price_paid;
        }
        QCOMPARE(stored_stores, stores);
        QCOMPARE(stored_prices, prices);
    }

    void delete_after_another_write_data()
    {
        QTest::addColumn<bool>("while_asking");
        // Noticed when Delete is chosen: the collection is read again first and
        // the kaleidoscope shown is the one deleted.
        QTest::newRow("before Delete") << false;
        // Changed while the question is on screen: the last check refuses.
        QTest::newRow("while the question is open") << true;
    }
    void delete_after_another_write()
    {
        QFETCH(bool, while_asking);
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        QVERIFY(ed->show_position(3));  // Charlie, record 3
        const QString sure = QStringLiteral("Are you sure you want to delete this kaleidoscope from the database?");
        const auto meddle = [&f] { QVERIFY(delete_record_file(f.db.path(), 1)); };  // now record 3 holds Delta
        if (while_asking)
            f.dialogs.on_message = [&](const QString& text) {
                if (text == sure && read_db(f.db.path()).size() == 5)
                    meddle();
            };
        else
            meddle();
        f.dialogs.answers = {MsgAnswer::yes, MsgAnswer::yes};
        ed->delete_record();
        if (while_asking) {
            QCOMPARE(f.dialogs.texts(), (QStringList{sure, changed_text.arg(QStringLiteral("deleted"))}));
            QCOMPARE(scope_names(f.db.path()), (QStringList{"Bravo", "Charlie", "Delta", "Echo"}));
            // Reloaded: Charlie is found where it is now, and deleting it again removes it alone.
            QCOMPARE(control<QLineEdit>(ed, "tb_scopename")->text(), QStringLiteral("Charlie"));
            f.dialogs.shown.clear();
            f.dialogs.answers = {MsgAnswer::yes};
            ed->delete_record();
        }
        QCOMPARE(f.dialogs.texts().first(), sure);
        QCOMPARE(scope_names(f.db.path()), (QStringList{"Bravo", "Delta", "Echo"}));
    }

    // Another program stopped half-way through adding a record: the user is
    // told before adding, and those bytes are kept beside the collection.
    void an_unfinished_record_is_kept_before_adding()
    {
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        ed->add_record();
        control<QLineEdit>(ed, "tb_scopename")->setText(QStringLiteral("Foxtrot"));
        const QByteArray unfinished = encode_record(make_record("Half written")).left(1500);
        QVERIFY(write_bytes(f.db.path(), read_bytes(f.db.path()) + unfinished));

        // Refused at first (the file changed) and read again, the addition kept.
        f.dialogs.answers = {MsgAnswer::yes, MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_save")->click();
        f.dialogs.shown.clear();
        f.dialogs.answers = {MsgAnswer::yes};
        control<QPushButton>(ed, "cmd_save")->click();
        const QString keep = f.db.path() + QStringLiteral(".partial");
        QVERIFY2(f.dialogs.texts().contains(
                     QStringLiteral("The database file ends in 1500 bytes that are not a whole kaleidoscope record: "
                                    "another program may have stopped while adding one. They will be kept in %1 "
                                    "before this kaleidoscope is added after the last whole one.")
                         .arg(keep)),
                 qPrintable(f.dialogs.texts().join(QLatin1Char('|'))));
        for (const QString& text : f.dialogs.texts())  // told once, before
            QVERIFY2(!text.startsWith(QLatin1String("The database file ended in")), qPrintable(text));
        QCOMPARE(read_bytes(keep), unfinished);
        QCOMPARE(scope_names(f.db.path()), (QStringList{"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot"}));
    }

    void own_writes_are_no_other_program()
    {
        // Saving, adding and deleting one after the other never trips the check.
        EditorFixture f(five_records());
        RecordEditor* ed = f.open();
        auto* name = control<QLineEdit>(ed, "tb_scopename");
        name->setText(QStringLiteral("First edited"));
        control<QPushButton>(ed, "cmd_save")->click();
        ed->add_record();
        name->setText(QStringLiteral("Added"));
        control<QPushButton>(ed, "cmd_save")->click();
        f.dialogs.answers = {MsgAnswer::yes};
        ed->delete_record();
        name->setText(QStringLiteral("Shown after the deletion"));
        control<QPushButton>(ed, "cmd_save")->click();
        for (const QString& text : f.dialogs.texts())
            QVERIFY2(!text.startsWith(QLatin1String("The collection was changed")), qPrintable(text));
        QCOMPARE(read_db(f.db.path()).size(), 5);
    }
};

QTEST_MAIN(tst_other_writer)
#include "tst_other_writer.moc"
