// What an editor field shows of a stored text member, when the two count as
// the same, and the line breaks and length a save stores.
#include "core/field_text.h"
#include "core/money.h"

#include <QtTest>

#include <limits>

using namespace tessaran;

class tst_field_text : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void shown_and_same_data()
    {
        // clang-format off
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
        // clang-format on
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

    void same_text_rules_data()
    {
        // clang-format off
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("member");
        QTest::addColumn<bool>("same");
        QTest::newRow("padded") << "abc" << "abc    " << true;
        QTest::newRow("leading blanks") << "  abc" << "abc" << true;
        QTest::newRow("empty vs zeros") << "" << QString(5, QChar(0)) << true;
        QTest::newRow("blanks vs zeros and blanks") << "  " << QString(3, QChar(0)) + "  " << true;
        QTest::newRow("case") << "ABC" << "abc" << false;
        QTest::newRow("zeros vs text") << "" << "a" << false;
        QTest::newRow("inner blank") << "a b" << "ab" << false;
        // clang-format on
    }
    void same_text_rules()
    {
        QFETCH(QString, field);
        QFETCH(QString, member);
        QFETCH(bool, same);
        QCOMPARE(same_text(field, member), same);
    }

    void extent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("extent");
        QTest::newRow("trailing blank") << "ab " << 2;
        QTest::newRow("zeros only") << QString(3, QChar(0)) << 0;
        QTest::newRow("zeros after text") << QStringLiteral("ab") + QString(2, QChar(0)) << 2;
        QTest::newRow("leading blanks do not count") << "  ab" << 2;
        QTest::newRow("empty") << "" << 0;
    }
    void extent()
    {
        QFETCH(QString, text);
        QFETCH(int, extent);
        QCOMPARE(text_extent(text), extent);
    }

    // What a price field stands for.
    void price_entries_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<qint64>("stored");
        QTest::addColumn<bool>("amount");
        QTest::addColumn<qint64>("value");
        const qint64 largest = std::numeric_limits<qint64>::max();
        QTest::newRow("shown unchanged") << "$12.50" << qint64(125000) << true << qint64(125000);
        QTest::newRow("the largest amount as shown") << money_text(largest) << largest << true << largest;
        QTest::newRow("blank is nothing paid") << "  " << qint64(125000) << true << qint64(0);
        QTest::newRow("typed anew") << "13" << qint64(125000) << true << qint64(130000);
        QTest::newRow("no amount") << "lots" << qint64(0) << false << qint64(0);
        QTest::newRow("too large to store") << "999999999999999999" << qint64(0) << false << qint64(0);
    }
    void price_entries()
    {
        QFETCH(QString, field);
        QFETCH(qint64, stored);
        QFETCH(bool, amount);
        QFETCH(qint64, value);
        const std::optional<qint64> got = price_entry(field, stored);
        QCOMPARE(got.has_value(), amount);
        if (amount)
            QCOMPARE(*got, value);
    }

    void line_breaks_data()
    {
        // clang-format off
        QTest::addColumn<QString>("member");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("length");
        QTest::newRow("new text: CR LF") << "" << "a\nb\nc" << "a\r\nb\r\nc" << 7;
        QTest::newRow("keeps CR LF") << "x\r\ny" << "a\nb" << "a\r\nb" << 4;
        QTest::newRow("keeps LF") << "x\ny" << "a\nb" << "a\nb" << 3;
        QTest::newRow("pasted CR LF") << "" << "a\r\nb" << "a\r\nb" << 4;
        QTest::newRow("no breaks") << "x\r\ny" << "abc" << "abc" << 3;
        // clang-format on
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
