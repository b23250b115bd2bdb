// The range of record sheets from the two typed record numbers.
#include "core/sheet_range.h"

#include <QtTest>

using namespace tessaran;

class tst_sheet_range : public QObject {
    Q_OBJECT
private slots:
    void from_entries_data()
    {
        // clang-format off
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("beg");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("refusal");  // empty: the range stands
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        const QString invalid = "Invalid record number entry. Please try again.";
        const QString order = "Beginning record number is greater than ending record number. Please try again.";
        const QString outside12 = "Record number must lie between 1 and 12. Please try again.";
        QTest::newRow("both empty") << "en_US" << 12 << "" << "" << invalid << 0 << 0;
        QTest::newRow("letters") << "en_US" << 12 << "abc" << "3" << invalid << 0 << 0;
        QTest::newRow("blank last") << "en_US" << 12 << "3" << "  " << invalid << 0 << 0;
        QTest::newRow("infinity") << "en_US" << 12 << "inf" << "3" << invalid << 0 << 0;
        QTest::newRow("zero") << "en_US" << 12 << "0" << "3" << outside12 << 0 << 0;
        QTest::newRow("past the end") << "en_US" << 12 << "3" << "13" << outside12 << 0 << 0;
        QTest::newRow("negative") << "en_US" << 12 << "-1" << "3" << outside12 << 0 << 0;
        QTest::newRow("empty working set") << "en_US" << 0 << "1" << "1"
                                           << "Record number must lie between 1 and 0. Please try again." << 0 << 0;
        QTest::newRow("reversed") << "en_US" << 12 << "5" << "2" << order << 0 << 0;
        QTest::newRow("plain range") << "en_US" << 12 << "2" << "4" << "" << 2 << 4;
        QTest::newRow("one record") << "en_US" << 12 << "7" << "7" << "" << 7 << 7;
        QTest::newRow("the whole set") << "en_US" << 32767 << "1" << "32767" << "" << 1 << 32767;
        QTest::newRow("blanks around") << "en_US" << 12 << " 2 " << "\t4" << "" << 2 << 4;
        QTest::newRow("half rounds to even") << "en_US" << 12 << "2.5" << "3" << "" << 2 << 3;
        QTest::newRow("three and a half to four") << "en_US" << 12 << "3.5" << "5" << "" << 4 << 5;
        QTest::newRow("rounded last not before first") << "en_US" << 12 << "2.6" << "2.6" << "" << 3 << 3;
        QTest::newRow("German decimal comma") << "de_DE" << 12 << "2,5" << "4" << "" << 2 << 4;
        QTest::newRow("plain C form in German") << "de_DE" << 12 << "3.5" << "5" << "" << 4 << 5;
        // clang-format on
    }
    void from_entries()
    {
        QFETCH(QString, locale);
        QFETCH(int, count);
        QFETCH(QString, beg);
        QFETCH(QString, end);
        QFETCH(QString, refusal);
        QFETCH(int, first);
        QFETCH(int, last);
        QLocale::setDefault(QLocale(locale));
        const SheetRange r = sheet_range_from_entries(beg, end, count);
        QCOMPARE(r.refusal, refusal);
        QCOMPARE(r.ok(), refusal.isEmpty());
        if (r.ok()) {
            QCOMPARE(r.first, first);
            QCOMPARE(r.last, last);
        }
    }
};

QTEST_GUILESS_MAIN(tst_sheet_range)
#include "tst_sheet_range.moc"
