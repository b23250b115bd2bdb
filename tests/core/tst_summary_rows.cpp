#include "core/money.h"
#include "core/session.h"
#include "core/summary_rows.h"

#include <QtTest>

using namespace tessaran;

class TestSummaryRows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void split_lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{""};
        QTest::newRow("blanks only") << "   " << QStringList{""};
        QTest::newRow("one line trimmed") << "  All  " << QStringList{"All"};
        QTest::newRow("three lines") << "Date: 1/1/2001\r\nPrice Paid: $1.00\r\nText: x"
                                     << QStringList{"Date: 1/1/2001", "Price Paid: $1.00", "Text: x"};
        QTest::newRow("ends in a break") << "a\r\n" << QStringList{"a", ""};
        QTest::newRow("empty line inside") << "a\r\n\r\nb" << QStringList{"a", "", "b"};
        QTest::newRow("lone CR keeps the next character") << "a\rbc" << QStringList{"a", "bc"};
        QTest::newRow("lone LF") << "a\nb" << QStringList{"a", "b"};
    }
    void split_lines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(tessaran::split_lines(text), lines);
    }

    void format_price_data()
    {
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("no price") << qint64(0) << "";
        QTest::newRow("whole") << qint64(125 * money_scale) << "$125.00";
        QTest::newRow("cents") << qint64(125000) << "$12.50";
        QTest::newRow("grouped") << qint64(1234567 * money_scale) << "$1,234,567.00";
    }
    void format_price()
    {
        QFETCH(qint64, amount);
        QFETCH(QString, text);
        QCOMPARE(tessaran::format_price(amount), text);
    }

    void cells_of_each_kind()
    {
        ScopeRecord r;
        r.scopename = fixed_text("  Aurora", 50);
        r.artist = fixed_text("J. Smith", 50);
        r.date_bought = fixed_text("3/14/2001", 15);
        r.price_paid = 125 * money_scale;
        r.price_retail = 0;
        r.store = fixed_text("Glass Gallery", 50);
        r.scopetype = fixed_text("Cozy", 30);
        r.scopeyear = fixed_text("1999", 10);
        r.signed_ = fixed_text("Yes", 20);
        r.symmetry = QString(20, QChar(0));  // never written: zero bytes
        QCOMPARE(summary_cells(r, SummaryKind::purchase),
                 (QStringList{"Aurora", "J. Smith", "3/14/2001", "$125.00", "", "Glass Gallery"}));
        const QStringList scope = summary_cells(r, SummaryKind::scope);
        QCOMPARE(scope.size(), 12);
        QCOMPARE(scope.at(0), QString("Aurora"));
        QCOMPARE(scope.at(2), QString("Cozy"));
        QCOMPARE(scope.at(3), QString("1999"));
        QCOMPARE(scope.at(9), QString("Yes"));
        QCOMPARE(scope.at(11), QString());
    }

    void columns_of_each_kind()
    {
        const auto scope = summary_columns(SummaryKind::scope, "$");
        QCOMPARE(int(scope.size()), 12);
        QCOMPARE(scope[0].grid_line1 + "/" + scope[0].grid_line2, QString("Scope/Name"));
        QCOMPARE(scope[6].grid_line1, QString("Cell type"));
        QCOMPARE(scope[6].seed, QString("Type"));
        QCOMPARE(scope[6].print_line1 + "/" + scope[6].print_line2, QString("Cell/Type"));
        QCOMPARE(scope[4].print_measure, QString("Material"));
        QCOMPARE(scope[11].title, QString("Point Symmetry"));
        const auto purchase = summary_columns(SummaryKind::purchase, " $ ");
        QCOMPARE(int(purchase.size()), 6);
        QCOMPARE(purchase[3].grid_line2, QString("Price ($)"));
        QCOMPARE(purchase[3].title, QString("Purchase Price ($)"));
        QCOMPARE(purchase[4].title, QString("Retail Price ($)"));
        QCOMPARE(purchase[4].print_line1, QString("Retail Price ($)"));
        QVERIFY(purchase[4].print_line2.isEmpty());
        QCOMPARE(purchase[2].seed, QString("Purchased"));
        // A locale without a currency symbol: no empty brackets.
        const auto plain = summary_columns(SummaryKind::purchase, " ");
        QCOMPARE(plain[3].grid_line2, QString("Price"));
        QCOMPARE(plain[3].title, QString("Purchase Price"));
        QCOMPARE(plain[4].print_line1, QString("Retail Price"));
        QVERIFY(summary_price_column(SummaryKind::purchase, 3));
        QVERIFY(summary_price_column(SummaryKind::purchase, 4));
        QVERIFY(!summary_price_column(SummaryKind::scope, 3));
    }

    void sort_caption_inner()
    {
        QCOMPARE(tessaran::sort_caption_inner(" [Sorted by: Artist (Asc.)] "), QString("Sorted by: Artist (Asc.)"));
        QCOMPARE(tessaran::sort_caption_inner("x"), QString());
    }

    void general_date_has_four_digit_year_and_seconds()
    {
        const QDateTime when(QDate(2001, 3, 14), QTime(22, 15, 30));
        QCOMPARE(general_date_text(when), QString("3/14/2001 10:15:30 PM"));
    }
};

QTEST_GUILESS_MAIN(TestSummaryRows)
#include "tst_summary_rows.moc"
