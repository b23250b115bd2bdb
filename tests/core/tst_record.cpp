// The record format on disk and the record file: offsets, encodings, counting,
// reading and writing single records, and scanning.
#include "common/core_temp_db.h"
#include "core/record_file.h"
#include "core/scope_record.h"
#include "core/session.h"
#include "core/vocabularies.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// Text members in file order with their widths, written out independently of
// the program's own layout table; offsets are summed here.
struct Layout {
    const char* name;
    int width;
};
const Layout file_order[] = {
    {"scopename", 50},     {"artist", 50},      {"studio", 50},        {"date_bought", 15}, {"#price_paid", 8},
    {"#price_retail", 8},  {"salesperson", 40}, {"store", 50},         {"street", 50},      {"city", 50},
    {"state", 20},         {"zip", 10},         {"country", 40},       {"phone", 20},       {"fax", 20},
    {"email", 50},         {"www", 50},         {"scopetype", 30},     {"extmat", 30},      {"extclr", 30},
    {"celltype", 25},      {"objects", 25},     {"mirrors", 25},       {"scopeyear", 10},   {"edition", 15},
    {"signed", 20},        {"symmetry", 20},    {"specfeatures", 500}, {"comments", 500},   {"#image_count", 2},
    {"#image_files", 660},
};

QString* member_by_name(ScopeRecord& r, const QString& name)
{
    for (const TextMemberInfo& m : text_members())
        if (name == QLatin1String(m.name))
            return &(r.*(m.field));
    return nullptr;
}

}  // namespace

class tst_record : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void every_member_at_its_offset()
    {
        ScopeRecord r;
        int offset = 0;
        QHash<QString, int> at;
        for (const Layout& l : file_order) {
            at.insert(QString::fromLatin1(l.name), offset);
            offset += l.width;
        }
        QCOMPARE(offset, 2473);

        // Each text member filled to its full width with one letter, distinct per member.
        char letter = 'A';
        QHash<QString, char> letters;
        for (const Layout& l : file_order) {
            if (l.name[0] == '#')
                continue;
            QString* field = member_by_name(r, QString::fromLatin1(l.name));
            QVERIFY2(field, l.name);
            *field = QString(l.width, QLatin1Char(letter));
            letters.insert(QString::fromLatin1(l.name), letter);
            letter = letter == 'Z' ? 'a' : char(letter + 1);
        }
        r.price_paid = 125000;  // 12.50
        r.price_retail = -1234567890123LL;
        r.image_count = 10;
        for (int i = 1; i <= 10; ++i)
            r.image_files[size_t(i)] = QString(60, QLatin1Char(char('0' + (i % 10))));

        const QByteArray b = encode_record(r);
        QCOMPARE(b.size(), 2473);
        for (const Layout& l : file_order) {
            if (l.name[0] == '#')
                continue;
            const int off = at.value(QString::fromLatin1(l.name));
            QCOMPARE(b.mid(off, l.width), QByteArray(l.width, letters.value(QString::fromLatin1(l.name))));
        }
        QCOMPARE(qFromLittleEndian<qint64>(b.constData() + at.value("#price_paid")), qint64(125000));
        QCOMPARE(b.mid(at.value("#price_paid"), 8), QByteArray::fromHex("48e8010000000000"));
        QCOMPARE(qFromLittleEndian<qint64>(b.constData() + at.value("#price_retail")), -1234567890123LL);
        QCOMPARE(b.mid(at.value("#image_count"), 2), QByteArray::fromHex("0a00"));
        const int images_at = at.value("#image_files");
        QCOMPARE(b.mid(images_at, 60), QByteArray(60, '\0'));  // slot 0 of a new record
        for (int i = 1; i <= 10; ++i)
            QCOMPARE(b.mid(images_at + 60 * i, 60), QByteArray(60, char('0' + (i % 10))));

        // And back: every member decodes at the same offsets.
        const ScopeRecord back = decode_record(b.constData());
        QCOMPARE(encode_record(back), b);
        QCOMPARE(back.price_paid, r.price_paid);
        QCOMPARE(back.image_count, qint16(10));
        QCOMPARE(back.signed_, r.signed_);
    }

    void new_record_is_empty()
    {
        const QByteArray b = encode_record(ScopeRecord{});
        QCOMPARE(b.left(1811).count(' '), qsizetype(1811 - 16));  // all but the two prices
        QCOMPARE(b.mid(165, 16), QByteArray(16, '\0'));
        QCOMPARE(b.mid(1811, 2), QByteArray(2, '\0'));
        QCOMPARE(b.mid(1813, 60), QByteArray(60, '\0'));
        QCOMPARE(b.mid(1873), QByteArray(600, ' '));
    }

    void text_stored_trimmed_cut_padded_data()
    {
        // clang-format off
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        const QString fifty = QString(48, QLatin1Char('n')) + QStringLiteral("XY");
        QTest::newRow("leading blanks") << "scopename" << "   Aurora" << QByteArray("Aurora").leftJustified(50, ' ');
        QTest::newRow("fifty and more") << "scopename" << fifty + QStringLiteral("more text")
                                        << fifty.toLatin1();
        QTest::newRow("blanks then cut") << "zip" << "  1234567890123" << QByteArray("1234567890");
        QTest::newRow("empty") << "artist" << "" << QByteArray(50, ' ');
        QTest::newRow("only blanks") << "state" << "     " << QByteArray(20, ' ');
        QTest::newRow("inner blanks kept") << "city" << " New  York " << QByteArray("New  York").leftJustified(50, ' ');
        // clang-format on
    }
    void text_stored_trimmed_cut_padded()
    {
        QFETCH(QString, member);
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        ScopeRecord r;
        *member_by_name(r, member) = typed;
        const TextMemberInfo* info = nullptr;
        for (const TextMemberInfo& m : text_members())
            if (member == QLatin1String(m.name))
                info = &m;
        QVERIFY(info);
        const QByteArray b = encode_record(r);
        QCOMPARE(b.mid(info->offset, info->width), stored);
        // In memory the member comes back at full width.
        const ScopeRecord back = decode_record(b.constData());
        QCOMPARE(back.*(info->field), QString::fromLatin1(stored));
    }

    void image_paths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("stored");
        const QString sixty = QStringLiteral("C:/pictures/") + QString(44, QLatin1Char('p')) + QStringLiteral(".jpg");
        QTest::newRow("60 characters") << sixty << sixty.toLatin1();
        QTest::newRow("61 characters") << sixty + QStringLiteral("x") << sixty.toLatin1();
        QTest::newRow("short") << "/a/b.gif" << QByteArray("/a/b.gif").leftJustified(60, ' ');
    }
    void image_paths()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, stored);
        ScopeRecord r;
        r.image_count = 1;
        r.image_files[1] = path;
        const QByteArray b = encode_record(r);
        QCOMPARE(b.mid(1873, 60), stored);
        QCOMPARE(b.mid(1933), QByteArray(540, ' '));
        QCOMPARE(b.mid(1813, 60), QByteArray(60, '\0'));
    }

    void zero_bytes_survive_a_round_trip()
    {
        QByteArray raw = encode_record(ScopeRecord{});
        // A file written by something else: zero bytes inside text members.
        raw.replace(50, 50, QByteArray(50, '\0'));
        raw.replace(150, 15, QByteArray("1/2/2003\0\0\0\0\0\0\0", 15));
        raw.replace(811, 5, QByteArray("ab\0cd", 5));
        const ScopeRecord r = decode_record(raw.constData());
        QCOMPARE(r.artist, QString(50, QChar(0)));
        QCOMPARE(r.date_bought.size(), 15);
        QCOMPARE(r.date_bought.at(9), QChar(0));
        QCOMPARE(r.specfeatures.size(), 500);
        QCOMPARE(encode_record(r), raw);
    }

    void slot_zero_kept_through_read_modify_write()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("s.rnd");
        QByteArray raw = encode_record(make_record("Alpha", "Smith"));
        const QByteArray junk = QByteArray("left over by another program").leftJustified(59, '\x01') + '\xff';
        raw.replace(1813, 60, junk);
        QVERIFY(write_bytes(path, raw + encode_record(make_record("Beta"))));

        ScopeRecord r;
        QVERIFY(read_record(path, 1, r));
        QCOMPARE(r.image_slot0, junk);
        r.artist = QStringLiteral("Jones");
        r.image_count = 1;
        r.image_files[1] = QStringLiteral("/x.jpg");
        r.image_files[0] = QStringLiteral("must never be written");
        clear_record(r);  // clearing leaves slot 0 alone too
        r.artist = QStringLiteral("Jones");
        QVERIFY(write_record(path, 1, r));
        const QByteArray after = read_bytes(path);
        QCOMPARE(after.size(), 2 * 2473);
        QCOMPARE(after.mid(1813, 60), junk);
        QCOMPARE(after.mid(50, 50), QByteArray("Jones").leftJustified(50, ' '));
        QCOMPARE(after.mid(2473), encode_record(make_record("Beta")));
    }

    void windows_1252_data()
    {
        // clang-format off
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("back");
        QTest::newRow("e acute") << QString::fromUtf8("Caf\u00e9") << QByteArray("Caf\xe9") << QString::fromUtf8("Caf\u00e9");
        QTest::newRow("u umlaut") << QString::fromUtf8("M\u00fcller") << QByteArray("M\xfcller") << QString::fromUtf8("M\u00fcller");
        QTest::newRow("euro") << QString::fromUtf8("\u20ac 5") << QByteArray("\x80 5") << QString::fromUtf8("\u20ac 5");
        QTest::newRow("unmappable") << QString::fromUtf8("a\u4e2db") << QByteArray("a?b") << QStringLiteral("a?b");
        QTest::newRow("outside the BMP") << QString::fromUtf8("a\U0001F600b") << QByteArray("a?b") << QStringLiteral("a?b");
        QTest::newRow("curly quotes") << QString::fromUtf8("\u201cx\u201d") << QByteArray("\x93x\x94") << QString::fromUtf8("\u201cx\u201d");
        // clang-format on
    }
    void windows_1252()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, back);
        QCOMPARE(to_cp1252(text), bytes);
        QCOMPARE(from_cp1252(bytes.constData(), int(bytes.size())), back);

        ScopeRecord r;
        r.comments = text;
        const QByteArray b = encode_record(r);
        QCOMPARE(b.mid(1311, 500), bytes.leftJustified(500, ' '));
        QCOMPARE(trim_blanks(decode_record(b.constData()).comments), back);
    }

    void every_byte_decodes_like_the_platform_and_writes_back()
    {
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        const QString text = from_cp1252(all.constData(), 256);
        QCOMPARE(text.size(), 256);
        QCOMPARE(to_cp1252(text), all);
        QStringDecoder platform("windows-1252");
        if (platform.isValid())
            QCOMPARE(text, QString(platform.decode(all)));
    }

    void record_count_rounds_to_nearest_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("whole");  // what the editor counts: an unfinished record is none
        QTest::newRow("empty") << 0 << 0 << 0;
        QTest::newRow("one") << 2473 << 1 << 1;
        QTest::newRow("one and a byte") << 2474 << 1 << 1;
        QTest::newRow("two") << 4946 << 2 << 2;
        QTest::newRow("just under half") << 1236 << 0 << 0;
        QTest::newRow("just over half") << 1237 << 1 << 0;
        QTest::newRow("1.4998") << 3709 << 1 << 1;
        QTest::newRow("1.5002") << 3710 << 2 << 1;
    }
    void record_count_rounds_to_nearest()
    {
        QFETCH(int, length);
        QFETCH(int, count);
        QFETCH(int, whole);
        QTemporaryDir dir;
        const QString path = dir.filePath("c.rnd");
        QVERIFY(write_bytes(path, QByteArray(length, ' ')));
        QCOMPARE(record_count_of(path), count);
        QCOMPARE(file_length(path), qint64(length));
        QCOMPARE(partial_record_bytes(path), qint64(length % rec_len_bytes));
        Session s = Session::on_file(path);
        QCOMPARE(s.refresh_record_count(), whole);
        QCOMPARE(s.record_count(), whole);
    }

    // Another program stopped while adding a record: the unfinished bytes are
    // kept beside the collection before a new record is written where they were.
    void an_unfinished_record_is_kept_aside_data()
    {
        QTest::addColumn<int>("tail");
        QTest::addColumn<int>("written");  // the record number written
        QTest::addColumn<bool>("kept");
        QTest::newRow("short tail, a record added") << 100 << 3 << true;
        QTest::newRow("long tail, a record added") << 2000 << 3 << true;
        QTest::newRow("a record changed, the tail stays") << 2000 << 1 << false;
    }
    void an_unfinished_record_is_kept_aside()
    {
        QFETCH(int, tail);
        QFETCH(int, written);
        QFETCH(bool, kept);
        TempDb db({make_record("One"), make_record("Two")});
        const QByteArray whole = read_bytes(db.path());
        const QByteArray unfinished = encode_record(make_record("Half")).left(tail);
        QVERIFY(write_bytes(db.path(), whole + unfinished));
        const QString keep = db.path() + QStringLiteral(".partial");
        QVERIFY(write_bytes(keep, "kept from an earlier time"));  // never replaced

        const FileStatus st = write_record(db.path(), written, make_record("New"));
        QVERIFY2(st.ok, qPrintable(st.error));
        const QByteArray now = read_bytes(db.path());
        if (!kept) {
            QCOMPARE(now.size(), whole.size() + tail);
            QVERIFY(now.endsWith(unfinished));
            QVERIFY(!QFile::exists(keep + QStringLiteral("-2")));
            return;
        }
        QCOMPARE(now.size(), 3 * rec_len_bytes);
        QCOMPARE(now.left(whole.size()), whole);
        QCOMPARE(trim_blanks(read_db(db.path()).at(2).scopename), QStringLiteral("New"));
        QCOMPARE(read_bytes(keep), QByteArray("kept from an earlier time"));
        QCOMPARE(read_bytes(keep + QStringLiteral("-2")), unfinished);
        QCOMPARE(st.warning,
                 QStringLiteral("The database file ended in an unfinished kaleidoscope record; its bytes "
                                "are kept in %1-2.")
                     .arg(keep));
    }

    void missing_files_and_folders()
    {
        QTemporaryDir dir;
        QCOMPARE(record_count_of(dir.filePath("none.rnd")), 0);
        QCOMPARE(file_length(dir.filePath("none.rnd")), qint64(-1));
        QCOMPARE(file_length(dir.path()), qint64(-1));
        QVERIFY(!is_existing_file(dir.path()));
    }

    void reading_outside_the_file_fails()
    {
        TempDb db({make_record("One"), make_record("Two")});
        QVERIFY(db.ok());
        ScopeRecord r = make_record("untouched");
        QVERIFY(read_record(db.path(), 2, r));
        QCOMPARE(trim_blanks(r.scopename), QStringLiteral("Two"));
        r = make_record("untouched");
        for (int n : {3, 0, -1, 40000}) {
            const FileStatus st = read_record(db.path(), n, r);
            QVERIFY(!st.ok);
            QVERIFY(!st.error.isEmpty());
        }
        QCOMPARE(trim_blanks(r.scopename), QStringLiteral("untouched"));

        // A trailing partial record cannot be read as a record.
        QVERIFY(write_bytes(db.path(), read_bytes(db.path()) + QByteArray(100, 'x')));
        QVERIFY(!read_record(db.path(), 3, r));

        const FileStatus missing = read_record(db.dir() + "/none.rnd", 1, r);
        QVERIFY(!missing.ok);
        QVERIFY(!missing.error.isEmpty());
    }

    void writing_replaces_or_appends()
    {
        TempDb db({make_record("One"), make_record("Two")});
        const QByteArray before = read_bytes(db.path());

        QVERIFY(write_record(db.path(), 3, make_record("Three")));  // append
        QCOMPARE(record_count_of(db.path()), 3);
        QVERIFY(write_record(db.path(), 2, make_record("Deux")));  // replace
        QCOMPARE(record_count_of(db.path()), 3);
        const QList<ScopeRecord> all = read_db(db.path());
        QCOMPARE(trim_blanks(all.at(0).scopename), QStringLiteral("One"));
        QCOMPARE(trim_blanks(all.at(1).scopename), QStringLiteral("Deux"));
        QCOMPARE(trim_blanks(all.at(2).scopename), QStringLiteral("Three"));
        QCOMPARE(read_bytes(db.path()).left(2473), before.left(2473));

        // A gap is refused and the file stays as it was.
        const QByteArray now = read_bytes(db.path());
        QVERIFY(!write_record(db.path(), 5, make_record("Five")));
        QVERIFY(!write_record(db.path(), 0, make_record("Zero")));
        QCOMPARE(read_bytes(db.path()), now);
    }

    void write_failures_are_reported()
    {
        QTemporaryDir dir;
        // A folder in place of the file.
        const FileStatus folder = write_record(dir.path(), 1, make_record("x"));
        QVERIFY(!folder.ok);
        QVERIFY(!folder.error.isEmpty());
        // A database that vanished is not brought back by a later record.
        const FileStatus gone = write_record(dir.filePath("gone.rnd"), 2, make_record("x"));
        QVERIFY(!gone.ok);
        QVERIFY(!QFile::exists(dir.filePath("gone.rnd")));
        // The first record may create the file.
        QVERIFY(write_record(dir.filePath("new.rnd"), 1, make_record("x")));
        QCOMPARE(file_length(dir.filePath("new.rnd")), qint64(2473));
    }

    void current_buffer_access()
    {
        TempDb db({make_record("One", "A"), make_record("Two", "B")});
        Session s = db.session();
        QCOMPARE(s.record_count(), 2);
        QVERIFY(s.read(2));
        QCOMPARE(trim_blanks(s.record().artist), QStringLiteral("B"));
        ScopeRecord r = s.record();
        r.artist = QStringLiteral("Bee");
        QVERIFY(write_record(db.path(), 3, r));
        QCOMPARE(s.refresh_record_count(), 3);
        QVERIFY(s.read(1));
        QCOMPARE(trim_blanks(s.record().artist), QStringLiteral("A"));

        r.image_slot0 = QByteArray(60, 'k');
        r.image_count = 2;
        r.price_paid = 5;
        clear_record(r);
        QCOMPARE(r.scopename, QString(50, QLatin1Char(' ')));
        QCOMPARE(r.comments, QString(500, QLatin1Char(' ')));
        QCOMPARE(r.price_paid, qint64(0));
        QCOMPARE(r.image_count, qint16(0));
        QCOMPARE(r.image_files[10], QString(60, QLatin1Char(' ')));
        QCOMPARE(r.image_slot0, QByteArray(60, 'k'));
    }

    void scanner_walks_the_file()
    {
        QList<ScopeRecord> recs;
        for (int i = 1; i <= 5; ++i)
            recs.append(varied_record(i));
        TempDb db(recs);
        // A partial record at the end is not part of the scan.
        QVERIFY(write_bytes(db.path(), read_bytes(db.path()) + QByteArray(10, 'z')));
        RecordScanner scan;
        QVERIFY(scan.open(db.path()));
        QCOMPARE(scan.count(), 5);
        QVERIFY(!scan.raw(0));
        QVERIFY(!scan.raw(6));
        for (int i = 1; i <= 5; ++i) {
            QCOMPARE(QByteArray(scan.raw(i), 2473), encode_record(recs.at(i - 1)));
            ScopeRecord r;
            QVERIFY(scan.read(i, r));
            QCOMPARE(r.comments, recs.at(i - 1).comments);
        }
        TempDb empty;
        QVERIFY(scan.open(empty.path()));
        QCOMPARE(scan.count(), 0);
        QVERIFY(!scan.open(empty.dir() + "/none.rnd").ok);
    }

    // Every offered item fits the field it is offered for.
    void vocabularies_fit_their_fields()
    {
        const int width[] = {0, 30, 30, 25, 25, 25, 15, 20, 20};
        for (int list = 1; list <= 8; ++list) {
            QVERIFY(!vocabulary(list).isEmpty());
            for (const QString& s : vocabulary(list))
                QVERIFY2(s.size() <= width[list], qPrintable(s));
        }
        QVERIFY(vocabulary(9).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_record)
#include "tst_record.moc"
