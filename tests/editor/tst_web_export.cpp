// "Export web catalogue..." from the editor: the dialog's folder and "Include
// prices", the question before an existing folder is written into, and the
// message that tells where the catalogue is.
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "common/gui_colors.h"
#include "dialogs/web_catalogue_dialog.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

void export_into(const QString& folder, bool prices)
{
    when_modal<WebCatalogueDialog>([folder, prices](WebCatalogueDialog* d) {
        auto* edit = control<QLineEdit>(d, "web_folder");
        edit->clear();
        QTest::keyClicks(edit, folder);
        control<QCheckBox>(d, "web_prices")->setChecked(prices);
        control<QPushButton>(d, "web_export")->click();
    });
}

}  // namespace

class tst_web_export : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { reset_color_settings(); }

    void dialog_offers_a_folder_beside_the_collection()
    {
        WebCatalogueDialog d(QStringLiteral("/home/anna/scopes-catalogue"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Export web catalogue"));
        QCOMPARE(control<QLineEdit>(d, "web_folder")->text(), QStringLiteral("/home/anna/scopes-catalogue"));
        QVERIFY(control<QCheckBox>(d, "web_prices")->isChecked());
        QCOMPARE(control<QCheckBox>(d, "web_prices")->text(), QStringLiteral("Include &prices"));
        control<QLineEdit>(d, "web_folder")->clear();
        QVERIFY(!control<QPushButton>(d, "web_export")->isEnabled());
    }

    void export_of_the_working_set_data()
    {
        QTest::addColumn<bool>("prices");
        QTest::newRow("with prices") << true;
        QTest::newRow("without prices") << false;
    }
    void export_of_the_working_set()
    {
        QFETCH(bool, prices);
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        const QString folder = f.db.dir() + QStringLiteral("/for the club");
        export_into(folder, prices);
        control<QAction>(ed, "mnu_web")->trigger();
        const Shown told{
            {QStringLiteral("The web catalogue of 5 kaleidoscopes was written to %1.\nOpen index.html in it "
                            "with a web browser.")
                 .arg(folder),
             MsgIcon::information}};
        QCOMPARE(f.dialogs.shown, told);
        const QByteArray index = read_bytes(folder + QStringLiteral("/index.html"));
        // In the working set's order: by artist, Echo (Adams SMITH) first.
        QVERIFY(index.indexOf(">Echo</a>") < index.indexOf(">Delta</a>"));
        QCOMPARE(index.contains("$100.00"), prices);
        QVERIFY(read_bytes(folder + QStringLiteral("/k/1.html")).contains("<section id=\"k5\">"));
    }

    void an_existing_folder_is_written_only_when_agreed_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("agreed") << MsgAnswer::yes;
        QTest::newRow("declined") << MsgAnswer::no;
    }
    void an_existing_folder_is_written_only_when_agreed()
    {
        QFETCH(MsgAnswer, answer);
        EditorFixture f(five_records(), true);
        RecordEditor* ed = f.open();
        const QString folder = f.db.dir() + QStringLiteral("/web");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(write_bytes(folder + "/index.html", "mine"));
        export_into(folder, true);
        f.dialogs.answer(answer);
        control<QAction>(ed, "mnu_web")->trigger();
        QCOMPARE(f.dialogs.shown.first().text,
                 QStringLiteral("The folder %1 already holds files.\nReplace the catalogue's files in it (index.html, "
                                "style.css and the folders k, list and pictures)? Other files stay as they are.")
                     .arg(folder));
        QCOMPARE(read_bytes(folder + QStringLiteral("/index.html")) == "mine", answer == MsgAnswer::no);
        QCOMPARE(f.dialogs.shown.size(), answer == MsgAnswer::yes ? 2 : 1);
    }
};

QTEST_MAIN(tst_web_export)
#include "tst_web_export.moc"
