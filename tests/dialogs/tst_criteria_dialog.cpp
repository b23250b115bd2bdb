// The selection and find dialogs: one body, two uses.
#include "appearance/color_settings.h"
#include "appearance/scheme_paint.h"
#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "common/scripted_dialogs.h"
#include "core/locale_dates.h"
#include "core/money.h"
#include "core/record_file.h"
#include "core/record_match.h"
#include "core/vocabularies.h"
#include "dialogs/criteria_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// Fields by name: "slot:N" for a slot, otherwise a range box's object name.
void enter(CriteriaDialog& d, const QString& field, const QString& text)
{
    if (field.startsWith(QLatin1String("slot:"))) {
        const int k = field.mid(5).toInt();
        if (QComboBox* c = criteria_combo(&d, k))
            c->setEditText(text);
        else
            criteria_box(&d, k)->setText(text);
        return;
    }
    auto* box = d.findChild<QLineEdit*>(field);
    QVERIFY2(box, qPrintable(field));
    box->setText(text);
}

// The labels the editor hands the dialog: the locale's date pattern and currency.
LocaleLabels labels()
{
    return current_locale_labels();
}

bool same(const Criteria& a, const Criteria& b)
{
    return a.by_date == b.by_date && a.by_paid == b.by_paid && a.by_retail == b.by_retail && a.by_text == b.by_text
        && a.texts == b.texts && a.date_beg == b.date_beg && a.date_end == b.date_end && a.paid_min == b.paid_min
        && a.paid_max == b.paid_max && a.retail_min == b.retail_min && a.retail_max == b.retail_max;
}

using Entries = QList<QPair<QString, QString>>;

}  // namespace

class tst_criteria_dialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void select_layout()
    {
        SelectDialog d(labels());
        // The slots with a vocabulary are editable lists of it; earlier criteria are not shown again.
        const QList<int> combos{4, 6, 8, 9, 10, 11, 12, 13};
        const QList<int> lists{1, 2, 3, 6, 4, 7, 5, 8};
        for (int k = 1; k <= text_slot_count; ++k) {
            QCOMPARE(criteria_combo(&d, k) != nullptr, combos.contains(k));
            QVERIFY(criteria_entry(&d, k).isEmpty());
            if (QComboBox* c = criteria_combo(&d, k)) {
                QVERIFY(c->isEditable());
                QStringList items;
                for (int i = 0; i < c->count(); ++i)
                    items << c->itemText(i);
                QCOMPARE(items, vocabulary(lists[combos.indexOf(k)]));
            }
        }
        // Slots 1..13 on the left, 14..26 on the right.
        QVERIFY(criteria_field(&d, 14)->x() > criteria_field(&d, 13)->x());
        QCOMPARE(criteria_field(&d, 14)->y(), criteria_field(&d, 1)->y());
        // Tab order: the slots, then the ranges, then the buttons.
        QStringList order;
        for (QWidget* w = criteria_field(&d, 1); order.size() < 35; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus && !w->focusProxy()
                && w->objectName() != QLatin1String("qt_spinbox_lineedit"))
                order << w->objectName();
        QStringList expected;
        for (int k = 1; k <= text_slot_count; ++k)
            expected << criteria_field(&d, k)->objectName();
        expected << "tb_begdate"
                 << "tb_enddate"
                 << "tb_price_paid_min"
                 << "tb_price_paid_max"
                 << "tb_retail_price_min"
                 << "tb_retail_price_max"
                 << "cmd_select"
                 << "cmd_selectall"
                 << "cmd_cancel";
        // A combo box's own edit line follows it in the chain; it is the same stop.
        order.removeAll(QString());
        QCOMPARE(order, expected);
    }

    // The drop-down arrows stay visible on a dark or a light form.
    void drop_down_arrows_read_on_any_form_data()
    {
        QTest::addColumn<uint>("form");
        QTest::newRow("black") << 0x000000u;
        QTest::newRow("white") << 0xFFFFFFu;
    }
    void drop_down_arrows_read_on_any_form()
    {
        QFETCH(uint, form);
        set_current_color(color_form_background, form);
        SelectDialog d(labels());
        const QList<QComboBox*> combos = d.findChildren<QComboBox*>();
        QVERIFY(!combos.isEmpty());
        for (const QComboBox* c : combos) {
            const QPalette p = c->palette();
            QCOMPARE(p.color(QPalette::ButtonText), contrasting_text(p.color(QPalette::Button)));
        }
    }

    void refused_entries_data()
    {
        // clang-format off
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        // The rule's cases are the criteria's own rows; here the window shows
        // the refusal once, with its title, stays open and stores nothing.
        QTest::newRow("nothing") << Entries{} << "No select criteria selected!" << "Select criteria";
        QTest::newRow("bad retail min") << Entries{{"tb_retail_price_min", "-"}, {"slot:2", "x"}}
                                        << "Invalid entry in minimum retail price!" << "Price search";
        // clang-format on
    }
    void refused_entries()
    {
        QFETCH(Entries, entries);
        QFETCH(QString, message);
        QFETCH(QString, title);
        ScriptedDialogs dialogs;
        SelectDialog d(labels());
        for (const auto& [field, text] : entries)
            enter(d, field, text);
        QTest::mouseClick(perform_button(&d), Qt::LeftButton);
        QCOMPARE(dialogs.shown, (Shown{{message, MsgIcon::critical, MsgButtons::ok, title}}));
        QCOMPARE(d.result(), int(QDialog::Rejected));  // not closed by the click
        // Nothing is given back by a refused click.
        QVERIFY(same(d.chosen(), Criteria{}));
        QVERIFY(!d.chose_all());

        // A later Cancel still gives nothing.
        control<QPushButton>(d, "cmd_cancel")->click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(same(d.chosen(), Criteria{}));
    }

    void stores_criteria_data()
    {
        // clang-format off
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<QString>("criteria");
        // The criteria's rules are their own rows; here each kind of box reaches them.
        QTest::newRow("dates, a text slot, a drop-down and a price")
            << Entries{{"tb_begdate", "1/1/2000"}, {"tb_enddate", "12/31/2001"}, {"slot:2", "smith"},
                       {"slot:4", "Wheel(parlor)"}, {"tb_retail_price_max", "12.50"}}
            << "1/1/2000 < Date bought < 12/31/2001\r\n < Retail price < $12.50\r\nText select:\r\n"
               "   Artist contains \"SMITH\"\r\n   Scope type contains \"WHEEL(PARLOR)\"";
        // clang-format on
    }
    void stores_criteria()
    {
        QFETCH(Entries, entries);
        QFETCH(QString, criteria);
        ScriptedDialogs dialogs;
        SelectDialog d(labels());
        for (const auto& [field, text] : entries)
            enter(d, field, text);
        QTest::mouseClick(perform_button(&d), Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList{});
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.chose_all());
        QCOMPARE(criteria_text(d.chosen()), criteria);
    }

    void cancel_and_frame_close_change_nothing_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel button") << 0;
        QTest::newRow("window frame") << 1;
        QTest::newRow("Escape") << 2;
    }
    void cancel_and_frame_close_change_nothing()
    {
        QFETCH(int, how);
        ScriptedDialogs dialogs;
        SelectDialog d(labels());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        enter(d, "slot:1", "new");
        enter(d, "tb_price_paid_min", "3");
        if (how == 0)
            QTest::mouseClick(control<QPushButton>(d, "cmd_cancel"), Qt::LeftButton);
        else if (how == 1)
            d.close();
        else
            QTest::keyClick(&d, Qt::Key_Escape);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!d.isVisible());
        QVERIFY(same(d.chosen(), Criteria{}));
        QVERIFY(!d.chose_all());
    }

    void cancel_does_not_check_the_box_it_leaves()
    {
        ScriptedDialogs dialogs;
        SelectDialog d(labels());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        control<QLineEdit>(d, "tb_price_paid_max")->setFocus();
        QTest::keyClicks(control<QLineEdit>(d, "tb_price_paid_max"), QStringLiteral("lots"));
        QTest::mouseClick(control<QPushButton>(d, "cmd_cancel"), Qt::LeftButton);
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void select_all()
    {
        SelectDialog d(labels());
        enter(d, "slot:1", "ignored");
        QTest::mouseClick(control<QPushButton>(d, "cmd_selectall"), Qt::LeftButton);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(d.chose_all());
    }

    void find_use()
    {
        ScriptedDialogs dialogs;
        FindDialog d(labels());
        QCOMPARE(d.windowTitle(), QStringLiteral("Enter find criteria in the appropriate fields"));
        QVERIFY(!d.findChild<QPushButton*>("cmd_selectall"));
        perform_button(&d)->click();
        QCOMPARE(dialogs.shown,
                 (Shown{{"No find criteria selected!", MsgIcon::critical, MsgButtons::ok, "Find criteria"}}));
        enter(d, "tb_begdate", "x");
        perform_button(&d)->click();
        QCOMPARE(dialogs.last().text, QStringLiteral("Invalid entry in beginning date!"));
        QCOMPARE(dialogs.last().title, QStringLiteral("Date range search"));
        enter(d, "tb_begdate", "");
        enter(d, "slot:2", "jones");
        perform_button(&d)->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.chosen().texts[1], QStringLiteral("JONES"));
        QVERIFY(d.chosen().by_text);
        QCOMPARE(criteria_text(d.chosen()), QStringLiteral("Text select:\r\n   Artist contains \"JONES\""));

        // Cancel gives nothing back.
        FindDialog again(labels());
        enter(again, "slot:3", "studio");
        control<QPushButton>(again, "cmd_cancel")->click();
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QVERIFY(same(again.chosen(), Criteria{}));
    }

    void enter_moves_on_in_text_boxes_only()
    {
        ScriptedDialogs dialogs;
        SelectDialog d(labels());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        criteria_box(&d, 1)->setFocus();
        QTest::keyClicks(criteria_box(&d, 1), QStringLiteral("abc"));
        QTest::keyClick(criteria_box(&d, 1), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), criteria_box(&d, 2));
        QTest::keyClick(criteria_box(&d, 2), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), criteria_box(&d, 3));
        QTest::keyClick(criteria_box(&d, 3), Qt::Key_Return);
        // Slot 4 is a combo box: Enter there neither moves on nor confirms the dialog.
        QWidget* combo_edit = QApplication::focusWidget();
        QVERIFY(criteria_combo(&d, 4)->isAncestorOf(combo_edit) || combo_edit == criteria_combo(&d, 4));
        QTest::keyClick(combo_edit, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), combo_edit);
        QVERIFY(d.isVisible());
        QCOMPARE(criteria_combo(&d, 4)->count(), vocabulary(1).size());  // nothing was added to the list
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(criteria_box(&d, 1)->text(), QStringLiteral("abc"));
    }

    void leaving_a_range_box_checks_it_data()
    {
        // clang-format off
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        QTest::newRow("date normalised") << "tb_begdate" << "3/4/01" << "3/4/2001" << "";
        QTest::newRow("bad end date") << "tb_enddate" << "nope" << "nope" << "Invalid entry for end date field.";
        QTest::newRow("bad paid max") << "tb_price_paid_max" << "x" << "x" << "Invalid entry for price paid maximum field.";
        QTest::newRow("bad retail min") << "tb_retail_price_min" << "x" << "x"
                                        << "Invalid entry for retail price minimum field.";
        // clang-format on
    }
    void leaving_a_range_box_checks_it()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        SelectDialog d(labels());
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        auto* field = d.findChild<QLineEdit*>(box);
        field->setFocus();
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Tab);
        QCOMPARE(field->text(), shown);
        if (message.isEmpty()) {
            QVERIFY(dialogs.shown.isEmpty());
            QVERIFY(QApplication::focusWidget() != field);
        } else {
            QCOMPARE(dialogs.shown, (Shown{{message, MsgIcon::critical}}));
            QCOMPARE(QApplication::focusWidget(), field);  // the box keeps the focus
        }
    }
};

Q_DECLARE_METATYPE(Entries)

QTEST_MAIN(tst_criteria_dialog)
#include "tst_criteria_dialog.moc"
