// What an editor field shows of a stored text member, when the two count as
// the same, and the line breaks and length a save stores.
#include "core/field_text.h"

#include <QtTest>

using namespace tessaran;

class tst_field_text : public QObject {
    Q_OBJECT
private slots:
    void shown_and_same_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("same");
        const QString zeros(50, QChar(0));
        QTest::newRow("all zero bytes") << zeros << "" << "" << true;
        QTest::newRow("zero bytes, then typed") << zeros << "" << "Typed name" << false;
        QTest::newRow("zeros after text") << "Aurora" + QString(4, QChar(0)) << "Aurora" << "Aurora" << true;
        QTest::newRow("zeros and blanks mixed") << QString(QChar(0)) + " ab " + QChar(0) + " " << "ab" << "ab" << true;
        QTest::newRow("blank padded") << "abc     " << "abc" << "abc" << true;
        QTest::newRow("case differs") << "abc" << "abc" << "ABC" << false;
        QTest::newRow("CR LF vs field LF") << "line1\r\nline2   " << "line1\r\nline2" << "line1\nline2" << true;
        QTest::newRow("lone CR") << "line1\rline2" << "line1\rline2" << "line1\nline2" << true;
        QTest::newRow("break moved") << "line1\r\nline2" << "line1\r\nline2" << "line\n1line2" << false;
    }

    void shown_and_same()
    {
        QFETCH(QString, member);
        QFETCH(QString, shown);
        QFETCH(QString, field);
        QFETCH(bool, same);
        QCOMPARE(shown_text(member), shown);
        QCOMPARE(same_field_text(field, member), same);
    }

    void line_breaks_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("length");
        QTest::newRow("new text: CR LF") << "" << "a\nb\nc" << "a\r\nb\r\nc" << 7;
        QTest::newRow("keeps CR LF") << "x\r\ny" << "a\nb" << "a\r\nb" << 4;
        QTest::newRow("keeps LF") << "x\ny" << "a\nb" << "a\nb" << 3;
        QTest::newRow("pasted CR LF") << "" << "a\r\nb" << "a\r\nb" << 4;
        QTest::newRow("no breaks") << "x\r\ny" << "abc" << "abc" << 3;
    }

    void line_breaks()
    {
        QFETCH(QString, member);
        QFETCH(QString, field);
        QFETCH(QString, stored);
        QFETCH(int, length);
        const QString brk = line_break_of(member);
        QCOMPARE(stored_line_breaks(field, brk), stored);
        QCOMPARE(stored_length(field, brk), length);
        QCOMPARE(stored_length(field, brk), int(stored.size()));
    }
};

QTEST_GUILESS_MAIN(tst_field_text)
#include "tst_field_text.moc"
