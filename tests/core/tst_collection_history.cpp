// The history beside a collection: identities that follow every change, an
// entry written before the collection and settled after a kill, changes made
// elsewhere matched by bytes, and companions that cannot be trusted set aside.
#include "common/core_temp_db.h"
#include "core/collection_history.h"
#include "core/delete_record.h"
#include "core/file_write.h"
#include "core/history_undo.h"
#include "core/record_file.h"
#include "core/selection_definition.h"
#include "core/sqlite_db.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace tessaran;
using namespace tessaran::test;

namespace {

QList<ScopeRecord> four()
{
    return {make_record("Alpha"), make_record("Bravo"), make_record("Charlie"), make_record("Delta")};
}

QByteArray stored(const QString& path, int n)
{
    return read_bytes(path).mid(qsizetype(n - 1) * rec_len_bytes, rec_len_bytes);
}

// The identities at records 1..count.
QList<qint64> identities(CollectionHistory& h, int count)
{
    QList<qint64> ids;
    for (int n = 1; n <= count; ++n)
        ids << h.identity_at(n);
    return ids;
}

enum class Step { save, add, remove_earlier, imported };

}  // namespace

Q_DECLARE_METATYPE(Step)

class tst_collection_history : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void a_new_history_knows_every_kaleidoscope()
    {
        TempDb db(four());
        QVERIFY(::chmod(QFile::encodeName(db.path()).constData(), 0640) == 0);
        CollectionHistory h(db.path());
        const HistoryStatus st = h.open();
        QVERIFY2(st.ok, qPrintable(st.error));
        QCOMPARE(st.note, QString());
        QCOMPARE(h.path(), db.path() + "-history");
        QCOMPARE(identities(h, 4), (QList<qint64>{1, 2, 3, 4}));
        QCOMPARE(h.identity_at(5), qint64(0));
        QCOMPARE(QFileInfo(h.path()).permissions() & 0x0777, QFileInfo(db.path()).permissions() & 0x0777);
        // Opened again, nothing changed: the same identities, no entry; also
        // when the history comes from a version that kept no collection stamp.
        SqliteDb raw;
        QVERIFY(raw.open(h.path(), SqliteDb::Mode::read_write) && raw.exec("DROP TABLE collection_stamp"));
        raw.close();
        CollectionHistory again(db.path());
        QVERIFY(again.open().ok);
        QCOMPARE(identities(again, 4), (QList<qint64>{1, 2, 3, 4}));
        QVERIFY(again.versions_of(1).empty());
    }

    // Each change as the program writes it: the entry first, then the
    // collection, then the entry done; the identities follow.
    void identities_follow_each_change_data()
    {
        QTest::addColumn<Step>("step");
        QTest::addColumn<QList<qint64>>("after");  // identities at records 1.. afterwards
        QTest::newRow("a save") << Step::save << QList<qint64>{1, 2, 3, 4};
        QTest::newRow("an addition") << Step::add << QList<qint64>{1, 2, 3, 4, 5};
        QTest::newRow("an earlier record deleted") << Step::remove_earlier << QList<qint64>{1, 3, 4};
        QTest::newRow("an import of two") << Step::imported << QList<qint64>{1, 2, 3, 4, 5, 6};
    }
    void identities_follow_each_change()
    {
        QFETCH(Step, step);
        QFETCH(QList<qint64>, after);
        TempDb db(four());
        CollectionHistory h(db.path());
        QVERIFY(h.open().ok);
        const QByteArray bravo = stored(db.path(), 2);
        const QByteArray echo = encode_record(make_record("Echo"));
        std::vector<RecordChange> touched;
        ChangeKind kind = ChangeKind::save;
        switch (step) {
        case Step::save: touched = {{2, 2, bravo, encode_record(make_record("Bravo two"))}}; break;
        case Step::add:
            kind = ChangeKind::add;
            touched = {{0, 5, {}, echo}};
            break;
        case Step::remove_earlier:
            kind = ChangeKind::remove;
            touched = {{2, 0, bravo, {}}};
            break;
        case Step::imported:
            kind = ChangeKind::import;
            touched = {{0, 5, {}, echo}, {0, 6, {}, encode_record(make_record("Foxtrot"))}};
            break;
        }
        HistoryStatus st;
        const qint64 entry = h.begin(kind, touched, &st);
        QVERIFY2(entry > 0, qPrintable(st.error));
        if (step == Step::remove_earlier)
            QVERIFY(delete_record_file(db.path(), 2));
        else
            for (const RecordChange& r : touched)
                QVERIFY(write_record(db.path(), r.record_after, decode_record(r.after.constData())));
        QVERIFY(h.finish(entry).ok);
        QCOMPARE(identities(h, int(after.size())), after);

        const std::vector<KaleidoscopeVersion> of_bravo = h.versions_of(2);
        const std::vector<DeletedKaleidoscope> gone = h.deleted();
        QCOMPARE(of_bravo.size(), size_t(step == Step::save || step == Step::remove_earlier ? 1 : 0));
        if (!of_bravo.empty()) {
            QCOMPARE(of_bravo[0].before, bravo);
            QCOMPARE(of_bravo[0].kind, kind);
            QVERIFY(!of_bravo[0].user.isEmpty());
            QVERIFY(qAbs(of_bravo[0].at.secsTo(QDateTime::currentDateTimeUtc())) < 3600);
        }
        QCOMPARE(gone.size(), size_t(step == Step::remove_earlier ? 1 : 0));
        if (!gone.empty()) {
            QCOMPARE(gone[0].identity, qint64(2));
            QCOMPARE(gone[0].record, 2);
            QCOMPARE(gone[0].bytes, bravo);
        }
        // The next program to open it finds it agreeing with the collection.
        CollectionHistory next(db.path());
        QVERIFY(next.open().ok);
        QCOMPARE(identities(next, int(after.size())), after);
        QCOMPARE(next.versions_of(2).size(), of_bravo.size());
    }

    // Undo puts every record the change touched back as it was, a deleted one
    // at its place with its identity; Redo repeats the change; both are
    // recorded, so each can be taken back again.
    void undo_and_redo_take_back_each_change_data()
    {
        QTest::addColumn<Step>("step");
        QTest::addColumn<QString>("what");
        QTest::newRow("a save") << Step::save << "save of Bravo two";
        QTest::newRow("an addition") << Step::add << "add of Echo";
        QTest::newRow("an earlier record deleted") << Step::remove_earlier << "delete of Bravo";
        // Enough records that they are packed on every core.
        QTest::newRow("an import of 1500") << Step::imported << "import of 1500 kaleidoscopes";
    }
    void undo_and_redo_take_back_each_change()
    {
        QFETCH(Step, step);
        QFETCH(QString, what);
        TempDb db(four());
        const QByteArray before = read_bytes(db.path());
        CollectionHistory h(db.path());
        QVERIFY(h.open().ok);
        QCOMPARE(h.next_undo().refusal, QStringLiteral("There is no change to undo."));
        std::vector<RecordChange> touched;
        ChangeKind kind = ChangeKind::save;
        QByteArray changed = before;
        const QByteArray echo = encode_record(make_record("Echo"));
        switch (step) {
        case Step::save:
            touched = {{2, 2, stored(db.path(), 2), encode_record(make_record("Bravo two"))}};
            changed.replace(rec_len_bytes, rec_len_bytes, touched[0].after);
            break;
        case Step::add:
            kind = ChangeKind::add;
            touched = {{0, 5, {}, echo}};
            changed += echo;
            break;
        case Step::remove_earlier:
            kind = ChangeKind::remove;
            touched = {{2, 0, stored(db.path(), 2), {}}};
            changed.remove(rec_len_bytes, rec_len_bytes);
            break;
        case Step::imported:
            kind = ChangeKind::import;
            for (int n = 5; n < 5 + 1500; ++n) {
                touched.push_back({0, n, {}, encode_record(varied_record(n))});
                changed += touched.back().after;
            }
            break;
        }
        QVERIFY(write_recorded(
            &h, kind, touched, [&] { return replace_file_contents(db.path(), changed, true); }, nullptr));
        for (int round = 0; round < 2; ++round) {
            const HistoryStep undo = h.next_undo();
            QCOMPARE(undo.entry.what, what);
            QVERIFY(take_back(h, undo, false).done);
            QCOMPARE(read_bytes(db.path()), before);
            QCOMPARE(identities(h, 4), (QList<qint64>{1, 2, 3, 4}));
            QVERIFY(h.deleted().empty());
            const HistoryStep redo = h.next_redo();
            QCOMPARE(redo.entry.what, what);
            QVERIFY(take_back(h, redo, true).done);
            QCOMPARE(read_bytes(db.path()), changed);
            QCOMPARE(h.next_redo().refusal, QStringLiteral("There is no change to redo."));
        }
        QCOMPARE(h.deleted().size(), size_t(step == Step::remove_earlier ? 1 : 0));
    }

    // Another program changed the record since: Undo refuses and says which;
    // once the history has noticed, it does not step back past that change.
    void undo_refuses_what_another_program_changed()
    {
        TempDb db(four());
        CollectionHistory h(db.path());
        QVERIFY(h.open().ok);
        const RecordChange save{2, 2, stored(db.path(), 2), encode_record(make_record("Bravo two"))};
        QVERIFY(write_recorded(
            &h, ChangeKind::save, {save}, [&] { return write_record(db.path(), 2, make_record("Bravo two")); },
            nullptr));
        QVERIFY(write_record(db.path(), 2, make_record("Bravo three")));
        const QByteArray meddled = read_bytes(db.path());
        const StepOutcome refused = take_back(h, h.next_undo(), false);
        QVERIFY(!refused.done);
        QCOMPARE(refused.refusal,
                 QStringLiteral("Bravo two was changed by another program after the save of Bravo two, so it cannot be "
                                "undone."));
        QCOMPARE(read_bytes(db.path()), meddled);
        QVERIFY(h.open().ok);
        QCOMPARE(h.next_undo().refusal,
                 QStringLiteral("Changes made before another program changed the collection cannot be undone."));

        // A version whose bytes are no longer a record is never written back.
        QVERIFY(write_recorded(
            &h, ChangeKind::save, {{3, 3, stored(db.path(), 3), encode_record(make_record("Charlie two"))}},
            [&] { return write_record(db.path(), 3, make_record("Charlie two")); }, nullptr));
        SqliteDb raw;
        QVERIFY(raw.open(h.path(), SqliteDb::Mode::read_write)
                && raw.exec("UPDATE version SET bytes_before = x'0000000501020304' WHERE record_before = 3"));
        const QByteArray saved = read_bytes(db.path());
        QCOMPARE(
            take_back(h, h.next_undo(), false).refusal,
            QStringLiteral("The history of this collection is damaged: the save of Charlie two cannot be undone."));
        QCOMPARE(read_bytes(db.path()), saved);
    }

    // Killed between the entry and the collection, or between the collection
    // and marking the entry done: the next open looks at the collection.
    void a_pending_entry_is_settled_by_the_collection_data()
    {
        QTest::addColumn<bool>("written");
        QTest::newRow("the collection was not written") << false;
        QTest::newRow("the collection was written") << true;
    }
    void a_pending_entry_is_settled_by_the_collection()
    {
        QFETCH(bool, written);
        TempDb db(four());
        const QByteArray echo = encode_record(make_record("Echo"));
        {
            CollectionHistory h(db.path());
            QVERIFY(h.open().ok);
            QVERIFY(h.begin(ChangeKind::add, {{0, 5, {}, echo}}) > 0);
            if (written)
                QVERIFY(write_record(db.path(), 5, make_record("Echo")));
        }
        CollectionHistory reader(db.path());
        QVERIFY(reader.open_for_reading().ok);
        const QStringList told = reader.disagreements();
        QVERIFY2(told.value(0).contains(" was left unfinished"), qPrintable(told.join('\n')));
        const QStringList after_write{"history: it knows 4 kaleidoscopes, the collection holds 5",
                                      "history: record 5 is not as this program last wrote it"};
        QCOMPARE(told.mid(1), written ? after_write : QStringList());
        CollectionHistory h(db.path());
        QVERIFY(h.open().ok);
        QCOMPARE(h.identity_at(5), qint64(written ? 5 : 0));
        QCOMPARE(h.versions_of(5).size(), size_t(written ? 1 : 0));
        QCOMPARE(h.disagreements(), QStringList());
    }

    // Another program deleted the first record and changed the last: the
    // identities are matched again by the records' bytes.
    void changes_made_elsewhere_are_matched_by_bytes()
    {
        TempDb db(four());
        {
            CollectionHistory h(db.path());
            QVERIFY(h.open().ok);
        }
        QVERIFY(delete_record_file(db.path(), 1));
        QVERIFY(write_record(db.path(), 3, make_record("Delta, changed elsewhere")));
        CollectionHistory h(db.path());
        QVERIFY(h.open_for_reading().ok);
        QCOMPARE(h.disagreements(),
                 (QStringList{"history: it knows 4 kaleidoscopes, the collection holds 3",
                              "history: record 1 is not as this program last wrote it",
                              "history: record 2 is not as this program last wrote it",
                              "history: record 3 is not as this program last wrote it"}));
        const HistoryStatus st = h.open();
        QVERIFY(st.ok);
        QCOMPARE(st.note, QString());
        QCOMPARE(identities(h, 3), (QList<qint64>{2, 3, 5}));
        QCOMPARE(h.disagreements(), QStringList());
    }

    void companions_that_cannot_be_trusted_are_set_aside_data()
    {
        QTest::addColumn<QString>("made");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not SQLite") << "text"
                                    << "is damaged";
        QTest::newRow("cut short") << "truncated"
                                   << "is damaged";
        QTest::newRow("another program's database") << "foreign"
                                                    << "is not a history of this program";
        QTest::newRow("a newer layout") << "newer"
                                        << "was written by a newer version of the program";
        QTest::newRow("another collection's history") << "other"
                                                      << "belongs to another collection";
        QTest::newRow("a link") << "link"
                                << "is not a plain file";
        QTest::newRow("a folder") << "folder"
                                  << "is not a plain file";
    }
    void companions_that_cannot_be_trusted_are_set_aside()
    {
        QFETCH(QString, made);
        QFETCH(QString, reason);
        TempDb db(four());
        const QString companion = history_path_of(db.path());
        if (made == "text") {
            QVERIFY(write_bytes(companion, QByteArray(5000, 'x')));
        } else if (made == "link") {
            QVERIFY(QFile::link(db.path(), companion));
        } else if (made == "folder") {
            QVERIFY(QDir().mkpath(companion));
        } else {
            TempDb other(made == "other" ? QList<ScopeRecord>{make_record("Zulu"), make_record("Yankee"),
                                                              make_record("X-ray"), make_record("Whiskey")}
                                         : four());
            {
                CollectionHistory h(other.path());
                QVERIFY(h.open().ok);
            }
            QByteArray bytes = read_bytes(history_path_of(other.path()));
            if (made == "truncated")
                bytes.truncate(bytes.size() / 2 + 100);
            else if (made == "foreign")
                bytes.replace(68, 4, QByteArray("\0\0\0\1", 4));  // the database's application id
            else if (made == "newer")
                bytes.replace(60, 4, QByteArray("\0\0\0\2", 4));  // its user version
            QVERIFY(write_bytes(companion, bytes));
        }
        CollectionHistory h(db.path());
        const HistoryStatus st = h.open();
        QVERIFY2(st.ok, qPrintable(st.error));
        QCOMPARE(st.note,
                 QStringLiteral("The history file %1 %2. It was kept as %1.set-aside and a new history was "
                                "started.")
                     .arg(companion, reason));
        QVERIFY(QFileInfo::exists(companion + ".set-aside") || QFileInfo(companion + ".set-aside").isSymLink());
        QCOMPARE(identities(h, 4), (QList<qint64>{1, 2, 3, 4}));
        QCOMPARE(read_db(db.path()).size(), 4);
    }

    // A folder that lets nothing new in (read-only, or immutable, which stops
    // root too): nothing is recorded, and the reason says so.
    void a_folder_that_cannot_be_written_records_nothing()
    {
        TempDb db(four());
        const QByteArray before = read_bytes(db.path());
        const QByteArray folder = QFile::encodeName(db.dir());
        const bool root = ::geteuid() == 0;
        if (root && QProcess::execute("chattr", {"+i", db.dir()}) != 0)
            QSKIP("chattr +i is not available on this file system");
        if (!root)
            QVERIFY(::chmod(folder.constData(), 0500) == 0);
        CollectionHistory h(db.path());
        const HistoryStatus st = h.open();
        if (root)
            QProcess::execute("chattr", {"-i", db.dir()});
        else
            QVERIFY(::chmod(folder.constData(), 0700) == 0);
        QVERIFY(!st.ok);
        QVERIFY2(st.error.startsWith("Changes to this collection are not being recorded: the history file "),
                 qPrintable(st.error));
        QCOMPARE(h.begin(ChangeKind::save, {}), qint64(0));
        QCOMPARE(read_bytes(db.path()), before);
    }

    // Saved selections live in the history's file, so they move with the
    // collection: kept, replaced, renamed, forgotten; a window that only
    // reads keeps none; a definition comes back whole or not at all.
    void saved_selections_move_with_the_collection()
    {
        TempDb db(four());
        SelectionDefinition d;
        d.all = false;
        d.criteria.by_paid = true;
        d.criteria.paid_min = 1234567;
        d.criteria.paid_max = open_money_max;
        d.criteria.date_beg = 36892.5;
        d.criteria.texts[3] = QStringLiteral("ROSÉ \"quoted\"");
        d.criteria.group = GroupField::year_bought;
        d.criteria.group_value = QStringLiteral("2005");
        d.sort = SortField::price_paid;
        d.descending = true;
        d.filter = QStringLiteral("blue hour");
        {
            CollectionHistory h(db.path());
            QVERIFY(h.open().ok);
            QVERIFY(h.saved_selections().empty());
            QVERIFY(h.keep_selection(QStringLiteral("Expensive"), definition_bytes(d)));
            QVERIFY(h.keep_selection(QStringLiteral("Old"), definition_bytes(SelectionDefinition{})));
            QVERIFY(h.keep_selection(QStringLiteral("Expensive"), definition_bytes(d)));  // replaced, not twice
            QVERIFY(h.rename_selection(QStringLiteral("Old"), QStringLiteral("Everything")));
        }
        CollectionHistory reader(db.path());
        QVERIFY(reader.open_for_reading().ok);
        const auto kept = reader.saved_selections();
        QCOMPARE(kept.size(), std::size_t(2));
        QCOMPARE(kept[0].first, QStringLiteral("Everything"));
        const std::optional<SelectionDefinition> back = definition_from(kept[1].second);
        QVERIFY(back);
        QCOMPARE(definition_bytes(*back), definition_bytes(d));
        QCOMPARE(back->criteria.texts[3], d.criteria.texts[3]);
        QCOMPARE(back->criteria.paid_min, d.criteria.paid_min);
        QVERIFY(!reader.keep_selection(QStringLiteral("Refused"), definition_bytes(d)));
        QVERIFY(!reader.forget_selection(QStringLiteral("Everything")));
        for (const QByteArray& damaged :
             {QByteArray(), QByteArray("{"), QByteArray(kept[1].second).replace("\"sort\":15", "\"sort\":99"),
              QByteArray("{\"texts\":[]}")})
            QVERIFY(!definition_from(damaged));
        CollectionHistory h(db.path());
        QVERIFY(h.open().ok);
        QVERIFY(h.forget_selection(QStringLiteral("Everything")));
        QCOMPARE(h.saved_selections().size(), std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(tst_collection_history)
#include "tst_collection_history.moc"
