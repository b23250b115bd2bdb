// The field checks as the user meets them: a typed box, the message, the focus.
#include "appearance/field_checks.h"
#include "common/scripted_dialogs.h"
#include "core/fct_nuller.h"

#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

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

    void price_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("12.5") << "en_US" << "12.5" << true << "$12.50" << "";
        QTest::newRow("0 empties") << "en_US" << "0" << true << "" << "";
        QTest::newRow("blank leaves result") << "en_US" << "   " << false << "" << "";
        QTest::newRow("invalid") << "en_US" << "12,50" << false << "12,50" << "Invalid entry for price paid field.";
        QTest::newRow("de") << "de_DE" << "1234,5" << true << QString::fromUtf8("1.234,50\u00A0€") << "";
    }
    void price()
    {
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
        check_price(form.box, QStringLiteral(" price paid "), ok);
        QCOMPARE(ok, result);
        QCOMPARE(form.box->text(), shown);
        if (message.isEmpty()) {
            QVERIFY(dialogs.shown.isEmpty());
            QVERIFY(form.other->hasFocus());
        } else {
            QCOMPARE(dialogs.shown.size(), 1);
            QCOMPARE(dialogs.last().text, message);
            QCOMPARE(dialogs.last().icon, MsgIcon::critical);
            QCOMPARE(dialogs.last().buttons, MsgButtons::ok);
            QCOMPARE(dialogs.last().title, QStringLiteral("TESSARAN V"));
            QVERIFY(form.box->hasFocus());
        }
    }

    void blank_keeps_callers_flag()
    {
        ScriptedDialogs dialogs;
        Form form;
        form.box->setText(QString(3, QChar(0)));
        bool ok = true;
        check_price(form.box, QStringLiteral("retail price"), ok);
        QVERIFY(ok);
        QCOMPARE(form.box->text(), QString());
        check_date(form.box, QStringLiteral("Date purchased"), ok);
        QVERIFY(ok);
        QVERIFY(dialogs.shown.isEmpty());
    }

    void date_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("two-digit year") << "en_US" << "3/4/01" << true << "3/4/2001" << "";
        QTest::newRow("iso") << "en_US" << "2001-03-04" << true << "3/4/2001" << "";
        QTest::newRow("1800") << "en_US" << "3/4/1800" << true << "3/4/1800" << "";
        QTest::newRow("1799") << "en_US" << "03/04/1799" << false << "3/4/1799"
                              << "Invalid year entry for Date purchased field.";
        QTest::newRow("garbage") << "en_US" << "3/4/x" << false << "3/4/x"
                                 << "Invalid entry for Date purchased field.";
        QTest::newRow("de") << "de_DE" << "4.3.01" << true << "04.03.2001" << "";
    }
    void date()
    {
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
        bool ok = false;
        check_date(form.box, QStringLiteral("Date purchased"), ok);
        QCOMPARE(ok, result);
        QCOMPARE(form.box->text(), shown);
        QCOMPARE(dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(dialogs.last().icon, MsgIcon::critical);
            QCOMPARE(dialogs.last().title, QStringLiteral("TESSARAN V"));
        }
        QCOMPARE(form.box->hasFocus(), !message.isEmpty());
    }

    void scopeyear_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("1700") << "1700" << true << "1700" << "";
        QTest::newRow("blank stays blank") << "" << true << "" << "";
        QTest::newRow("1699") << "1699" << false << "1985" << "Entry for scope year field out of range!";
        QTest::newRow("1999.5") << "1999.5" << false << "1985" << "Non-integer entry for scope year field!";
        QTest::newRow("19x9") << "19x9" << false << "1985" << "Non-numeric entry for scope year field!";
        QTest::newRow("40000") << "40000" << false << "1985" << "Entry for scope year field out of range!";
    }
    void scopeyear()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        Form form;
        QVERIFY(QTest::qWaitForWindowActive(&form.window));
        form.type(typed);
        QCOMPARE(check_scopeyear_field(form.box, QStringLiteral("1985")), accepted);
        QCOMPARE(form.box->text(), shown);
        QCOMPARE(dialogs.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(dialogs.last().icon, MsgIcon::critical);
            QCOMPARE(dialogs.last().buttons, MsgButtons::ok);
            QCOMPARE(dialogs.last().title, QStringLiteral("TESSARAN V"));
        }
        QCOMPARE(form.box->hasFocus(), !accepted);
    }
};

QTEST_MAIN(tst_field_checks)
#include "tst_field_checks.moc"
