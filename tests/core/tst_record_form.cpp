// The editor's form as values: what differs from the stored record, and the
// record a save writes.
#include "common/core_temp_db.h"
#include "core/field_text.h"
#include "core/money.h"
#include "core/record_form.h"

#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

namespace {

int index_of(Member m)
{
    for (std::size_t i = 0; i < text_members().size(); ++i) {
        if (text_members()[i].member == m)
            return int(i);
    }
    return -1;
}

// A stored record and the form the editor fills from it.
ScopeRecord stored_record()
{
    ScopeRecord r = make_record("Aurora", "Smith, Anna", "3/14/2001", 125000);
    r.comments = fixed_text("line one\nline two", 500);
    r.image_count = 2;
    for (int i = 1; i <= 4; ++i)
        r.image_files[std::size_t(i)] = fixed_text(QStringLiteral("/p/%1.jpg").arg(i), image_slot_width);
    return r;
}

}  // namespace

class tst_record_form : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void changes()
    {
        const ScopeRecord stored = stored_record();
        QCOMPARE(form_changes(form_of(stored), stored).count(), 0);

        RecordForm form = form_of(stored);
        form.texts[std::size_t(index_of(m_city))] = QStringLiteral("Boston");
        form.texts[std::size_t(index_of(m_artist))] = QStringLiteral("  Smith, Anna  ");  // blanks: no change
        form.price_retail = QStringLiteral("ten");  // no amount: differs from any stored amount
        form.pictures.remove(1);
        const FormChanges c = form_changes(form, stored);
        QCOMPARE(c.texts, std::vector<int>{index_of(m_city)});
        QVERIFY(!c.price_paid);
        QVERIFY(c.price_retail);
        QVERIFY(!c.price_paid_unreadable);
        QVERIFY(c.price_retail_unreadable);
        QCOMPARE(c.picture_slots, (std::vector<int>{1, 2}));  // the second moved into the first slot
        QCOMPARE(c.count(), 4);
    }

    void saved_record()
    {
        const ScopeRecord stored = stored_record();
        RecordForm form = form_of(stored);
        form.texts[std::size_t(index_of(m_date_bought))] = QStringLiteral("12/14/2001 10:30 PM");
        form.texts[std::size_t(index_of(m_scopename))] = QStringLiteral("  Borealis ");
        form.texts[std::size_t(index_of(m_comments))] = QStringLiteral("one\ntwo\nthree");
        form.price_paid = QStringLiteral("");
        form.pictures.remove(2);
        const ScopeRecord r = record_from_form(form, stored);
        QCOMPARE(r.date_bought, fixed_text("12/14/2001", 15));
        QCOMPARE(r.scopename, fixed_text("Borealis", 50));
        QCOMPARE(r.comments, fixed_text("one\ntwo\nthree", 500));  // LF as stored
        QCOMPARE(r.price_paid, qint64(0));
        QCOMPARE(r.image_count, qint16(1));
        QCOMPARE(r.image_files[1], stored.image_files[1]);
        QCOMPARE(r.image_files[2], fixed_text(QString(), image_slot_width));  // emptied by the user
        QCOMPARE(r.image_files[3], stored.image_files[3]);                    // never shown: kept
        QCOMPARE(r.artist, stored.artist);

        // A new comment in a record without one is written with CR LF.
        form.comments_break = line_break_of(QString());
        QCOMPARE(record_from_form(form, stored).comments, fixed_text("one\r\ntwo\r\nthree", 500));
    }
};

QTEST_GUILESS_MAIN(tst_record_form)
#include "tst_record_form.moc"
