#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "common/scripted_dialogs.h"
#include "core/session.h"
#include "dialogs/summary_choice_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

class TestSumchoice : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void nothing_chosen_at_first()
    {
        SummaryChoiceDialog dlg({});
        QVERIFY(!control<QRadioButton>(dlg, "opt_scope")->isChecked());
        QVERIFY(!control<QRadioButton>(dlg, "opt_retail")->isChecked());
        QVERIFY(control<QPlainTextEdit>(dlg, "tb_scope")->isReadOnly());
    }

    // The arrow keys choose between the two kinds, nothing chosen before.
    void arrow_keys_choose()
    {
        SummaryChoiceDialog dlg({});
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto* scope = control<QRadioButton>(dlg, "opt_scope");
        auto* retail = control<QRadioButton>(dlg, "opt_retail");
        scope->setFocus();
        QTest::keyClick(scope, Qt::Key_Down);
        QVERIFY(retail->isChecked() && retail->hasFocus());
        QTest::keyClick(retail, Qt::Key_Up);
        QVERIFY(scope->isChecked() && scope->hasFocus());
    }

    void no_option_chosen()
    {
        ScriptedDialogs dialogs;
        int opened = 0;
        SummaryChoiceDialog dlg([&opened](SummaryKind) { ++opened; });
        dlg.show();
        QTest::mouseClick(control<QPushButton>(dlg, "cmd_summarize"), Qt::LeftButton);
        QCOMPARE(dialogs.shown, (Shown{{"No summary options selected!"}}));
        QVERIFY(dlg.isVisible());
        QCOMPARE(opened, 0);
    }

    void each_option_sets_the_kind_data()
    {
        QTest::addColumn<bool>("retail");
        QTest::addColumn<int>("kind");
        QTest::newRow("kaleidoscope information") << false << int(SummaryKind::scope);
        QTest::newRow("purchase information") << true << int(SummaryKind::purchase);
    }
    void each_option_sets_the_kind()
    {
        QFETCH(bool, retail);
        QFETCH(int, kind);
        QList<int> opened;
        QList<bool> visible_while_open;
        SummaryChoiceDialog* dlg_ptr = nullptr;
        SummaryChoiceDialog dlg([&](SummaryKind k) {
            opened << int(k);
            visible_while_open << dlg_ptr->isVisible();
            // After the summary closes the dialog shows again; then "Close".
            QTimer::singleShot(0,
                               [&] { QTest::mouseClick(control<QPushButton>(dlg_ptr, "cmd_close"), Qt::LeftButton); });
        });
        dlg_ptr = &dlg;
        QTimer::singleShot(0, [&] {
            QTest::mouseClick(retail ? control<QRadioButton>(dlg, "opt_retail")
                                     : control<QRadioButton>(dlg, "opt_scope"),
                              Qt::LeftButton);
            QTest::mouseClick(control<QPushButton>(dlg, "cmd_summarize"), Qt::LeftButton);
        });
        dlg.run();
        QCOMPARE(opened, QList<int>{kind});
        QCOMPARE(visible_while_open, QList<bool>{false});
        QVERIFY(!dlg.isVisible());
    }
};

QTEST_MAIN(TestSumchoice)
#include "tst_summary_choice_dialog.moc"
