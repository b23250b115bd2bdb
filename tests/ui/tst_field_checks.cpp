// The field checks as the user meets them: a typed box, the message, the focus.
#include "common/scripted_dialogs.h"
#include "core/blank_text.h"
#include "ui/field_checks.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using tessaran::test::ScriptedDialogs;

namespace {

// A small form: the checked box and a second one to leave to.
struct Form {
    QWidget window;
    QLineEdit* box = new QLineEdit(&window);
    QLineEdit* other = new QLineEdit(&window);

    Form()
    {
        box->setObjectName(QStringLiteral("tb_price_paid"));
        other->setObjectName(QStringLiteral("tb_price_retail"));
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
    }
    // The user types into the box and moves on to the other field.
    void type(const QString& text)
    {
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
        other->setFocus();
    }
};

}  // namespace

class tst_field_checks : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanupTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // One typed value left through each check: the result, the text left in the
    // box, the message (exactly once) and where the focus ends up.
    void checks_data()
    {
        // clang-format off
        QTest::addColumn<QString>("check");  // price, date or year
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("price 12.5") << "price" << "en_US" << "12.5" << true << "$12.50" << "";
        QTest::newRow("price blank leaves result") << "price" << "en_US" << "   " << false << "" << "";
        QTest::newRow("price invalid") << "price" << "en_US" << "12,50" << false << "12,50"
                                       << "Invalid entry for price paid field.";
        QTest::newRow("date two-digit year") << "date" << "en_US" << "3/4/01" << true << "3/4/2001" << "";
        QTest::newRow("date 1799") << "date" << "en_US" << "03/04/1799" << false << "3/4/1799"
                                   << "Invalid year entry for Date purchased field.";
        QTest::newRow("date garbage") << "date" << "en_US" << "3/4/x" << false << "3/4/x"
                                      << "Invalid entry for Date purchased field.";
        QTest::newRow("year blank stays blank") << "year" << "en_US" << "" << true << "" << "";
        QTest::newRow("year 1699") << "year" << "en_US" << "1699" << false << "1985"
                                   << "Entry for scope year field out of range!";
        QTest::newRow("year 1999.5") << "year" << "en_US" << "1999.5" << false << "1985"
                                     << "Non-integer entry for scope year field!";
        QTest::newRow("year 19x9") << "year" << "en_US" << "19x9" << false << "1985"
                                   << "Non-numeric entry for scope year field!";
        // clang-format on
    }
    void checks()
    {
        QFETCH(QString, check);
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(bool, result);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        QLocale::setDefault(QLocale(locale));
        ScriptedDialogs dialogs;
        Form form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.type(typed);
        bool ok = false;  // the editor starts each check with false
        if (check == QLatin1String("price"))
            check_price(form.box, " price paid ", ok);
        else if (check == QLatin1String("date"))
            check_date(form.box, "Date purchased", ok);
        else
            ok = check_scopeyear_field(form.box, QStringLiteral("1985"));  // 1985: the stored year
        QCOMPARE(ok, result);
        QCOMPARE(form.box->text(), shown);
        QCOMPARE(dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(dialogs.last().icon, MsgIcon::critical);
            QCOMPARE(dialogs.last().buttons, MsgButtons::ok);
            QCOMPARE(dialogs.last().title, QStringLiteral("TESSARAN V"));
        }
        QCOMPARE(form.box->hasFocus(), !message.isEmpty());
        QCOMPARE(form.other->hasFocus(), message.isEmpty());
    }

    void blank_keeps_callers_flag()
    {
        ScriptedDialogs dialogs;
        Form form;
        form.box->setText(QString(3, QChar(0)));
        bool ok = true;
        check_price(form.box, "retail price", ok);
        QVERIFY(ok);
        QCOMPARE(form.box->text(), QString());
        check_date(form.box, "Date purchased", ok);
        QVERIFY(ok);
        QVERIFY(dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(tst_field_checks)
#include "tst_field_checks.moc"
