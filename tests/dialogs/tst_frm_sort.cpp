// The sort dialog: 27 fields, a direction, and its one message.
#include "common/core_temp_db.h"
#include "common/scripted_dialogs.h"
#include "core/globalvars.h"
#include "core/record_file.h"
#include "core/working_set.h"
#include "dialogs/frm_sort.h"

#include <QGroupBox>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tessaran;
using namespace tessaran::test;

class tst_frm_sort : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDb> db;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init()
    {
        gv() = Globalvars{};
        db = std::make_unique<TempDb>(QList<ScopeRecord>{make_record("A", "Cole"), make_record("B", "adams"),
                                                         make_record("C", "Baker")});
        QVERIFY(db->ok());
        db->make_current();
        ws_reset_all();
        gv().sort_field = 5;
        gv().sort_caption = QStringLiteral("[Sorted by: Unsorted]");
    }

    void layout()
    {
        frm_sort d;
        for (int i = 1; i <= field_table_size; ++i) {
            QRadioButton* opt = d.opt_sortby[size_t(i)];
            QCOMPARE(opt->text(), gv().field_names[size_t(i)]);
            QVERIFY(!opt->isChecked());  // the remembered sort is not shown
            QCOMPARE(opt->parentWidget(), static_cast<QWidget*>(d.frame_sortby));
            if (i > 1) {
                QCOMPARE(opt->x(), d.opt_sortby[1]->x());
                QVERIFY(opt->y() > d.opt_sortby[size_t(i - 1)]->y());
            }
        }
        QVERIFY(d.opt_ascending->isChecked());
        QVERIFY(!d.opt_descending->isChecked());
        // Every option fits inside its frame.
        QVERIFY(d.opt_sortby[27]->geometry().bottom() < d.frame_sortby->height());
        QVERIFY(d.frame_sortby->geometry().bottom() < d.height());
    }

    void no_field_chosen()
    {
        ScriptedDialogs dialogs;
        const std::vector<qint16> before = gv().ws_recno;
        frm_sort d;
        QTest::mouseClick(d.cmd_sort, Qt::LeftButton);
        QCOMPARE(dialogs.shown, (Shown{{"No sort criterion selected!", MsgIcon::critical}}));
        QCOMPARE(gv().sort_field, qint16(0));  // the remembered sort is forgotten
        QCOMPARE(gv().ws_recno, before);
        QCOMPARE(gv().sort_caption, QStringLiteral("[Sorted by: Unsorted]"));
        QVERIFY(!d.sorted());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void sorts_data()
    {
        QTest::addColumn<bool>("descending");
        QTest::addColumn<std::vector<qint16>>("order");
        QTest::addColumn<QString>("caption");
        QTest::newRow("ascending") << false << std::vector<qint16>{0, 2, 3, 1} << "[Sorted by: Artist(Asc.)]";
        QTest::newRow("descending") << true << std::vector<qint16>{0, 1, 3, 2} << "[Sorted by: Artist(Desc.)]";
    }
    void sorts()
    {
        QFETCH(bool, descending);
        QFETCH(std::vector<qint16>, order);
        QFETCH(QString, caption);
        ScriptedDialogs dialogs;
        frm_sort d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        // Clicks land on the button's indicator, as the user aims them.
        QTest::mouseClick(d.opt_sortby[2], Qt::LeftButton, {}, QPoint(6, d.opt_sortby[2]->height() / 2));
        if (descending)
            QTest::mouseClick(d.opt_descending, Qt::LeftButton, {}, QPoint(6, d.opt_descending->height() / 2));
        QVERIFY(d.opt_ascending->isChecked() != descending);
        QTest::mouseClick(d.cmd_sort, Qt::LeftButton);
        QCOMPARE(dialogs.texts(), QStringList{});
        QVERIFY(d.sorted());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(gv().ws_recno, order);
        QCOMPARE(gv().sort_field, qint16(2));
        QCOMPARE(gv().sort_desc, descending);
        QCOMPARE(gv().sort_caption, caption);
    }


    void cancel_changes_nothing()
    {
        const std::vector<qint16> before = gv().ws_recno;
        frm_sort d;
        d.opt_sortby[2]->setChecked(true);
        QTest::mouseClick(d.cmd_cancel, Qt::LeftButton);
        QVERIFY(!d.sorted());
        QCOMPARE(gv().sort_field, qint16(5));  // the remembered sort stays
        QCOMPARE(gv().ws_recno, before);
    }
};

Q_DECLARE_METATYPE(std::vector<qint16>)

QTEST_MAIN(tst_frm_sort)
#include "tst_frm_sort.moc"
