// The installed program on an install tree staged by tests/install/check_install.sh
// (TESSARAN_STAGED_ROOT): it reads its shipped files from the prefix, opens the
// user's own copy of the demo, saves records and colours in the user's folders,
// and leaves the install tree as it was, byte for byte.
#include "appearance/color_settings.h"
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"

#include "app/start_window.h"
#include "core/program_files.h"
#include "core/session.h"
#include "dialogs/color_dialog.h"
#include "help/help.h"
#include "help/help_window.h"

#include <QtTest>
#include <QtWidgets>

using namespace tessaran;
using namespace tessaran::test;

namespace {

// Every file below root with its contents' hash and its mode.
QStringList tree_state(const QString& root)
{
    QStringList state;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        const QByteArray hash = f.open(QIODevice::ReadOnly)
            ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex()
            : QByteArray("unreadable");
        state << QStringLiteral("%1 %2 %3").arg(path, QString::fromLatin1(hash)).arg(int(f.permissions()), 0, 16);
    }
    state.sort();
    return state;
}

RecordEditor* open_editor()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* ed = qobject_cast<RecordEditor*>(w); ed && ed->isVisible())
            return ed;
    }
    return nullptr;
}

}  // namespace

class tst_installed : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void user_files_live_in_the_users_folders()
    {
        const QString root = qEnvironmentVariable("TESSARAN_STAGED_ROOT");
        if (root.isEmpty())
            QSKIP("no staged install tree: run through tests/install/check_install.sh");
        QTemporaryDir home;
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral(".local/share"))));
        set_program_folder_for_tests(root + QStringLiteral("/usr/bin"));
        QVERIFY(is_installed());
        const QStringList before = tree_state(root);
        const QString data = home.filePath(QStringLiteral(".local/share/org.tessaran.TessaranV"));
        const QString config = home.filePath(QStringLiteral(".config/org.tessaran.TessaranV"));

        ScriptedDialogs dialogs;
        {
            StartWindow window;
            window.show();
            QCOMPARE(color_file_path(), root + QStringLiteral("/usr/share/tessaran/tessaran_defcolors.dat"));
            control<QAction>(window, "mnu_topics")->trigger();
            QVERIFY(dialogs.shown.isEmpty());
            QCOMPARE(window.findChild<HelpWindow*>()->shown_source(),
                     QUrl::fromLocalFile(root + QStringLiteral("/usr/share/tessaran/tessaran.html")).toString());
            window.findChild<HelpWindow*>()->close();

            // The demo: the user's own copy, which saves like any collection.
            control<QAction>(window, "mnu_olddatabase")->trigger();
            RecordEditor* ed = open_editor();
            QVERIFY2(ed, qPrintable(dialogs.texts().join(QLatin1Char('|'))));
            const QString demo = data + QStringLiteral("/demo.rnd");
            QCOMPARE(ed->session().path(), demo);
            QCOMPARE(read_bytes(demo), read_bytes(root + QStringLiteral("/usr/share/tessaran/demo.rnd")));
            // Its pictures went with it, beside it where its records name them.
            QCOMPARE(read_bytes(data + QStringLiteral("/demo-pictures/koi_pond.jpg")),
                     read_bytes(root + QStringLiteral("/usr/share/tessaran/demo-pictures/koi_pond.jpg")));
            control<QLineEdit>(ed, "tb_city")->setText(QStringLiteral("Installed City"));
            control<QPushButton>(ed, "cmd_save")->click();
            QCOMPARE(dialogs.texts().last(), QStringLiteral("Kaleidoscope number 1 saved to database"));
            QVERIFY(QFile::exists(demo + QLatin1Char('~')));
            ed->close();

            // The colours: saved in the user's configuration folder.
            QTimer::singleShot(0, &window, [&window] {
                if (auto* d = window.findChild<ColorDialog*>())
                    control<QPushButton>(d, "cmd_accept")->click();
            });
            control<QAction>(window, "mnu_colors")->trigger();
            QCOMPARE(dialogs.texts().last(), QStringLiteral("Color preferences have been saved."));
            QVERIFY(QFile::exists(config + QStringLiteral("/tessaran_colors.dat")));
            QCOMPARE(color_file_path(), config + QStringLiteral("/tessaran_colors.dat"));
        }
        set_program_folder_for_tests(QString());
        QCOMPARE(tree_state(root), before);
    }
};

QTEST_MAIN(tst_installed)
#include "tst_installed.moc"
