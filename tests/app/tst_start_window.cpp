// The start-up window: menu, start-up state, and the open, create, help,
// about and exit commands as the user drives them.
#include "app/start_window.h"
#include "appearance/color_settings.h"
#include "common/core_temp_db.h"
#include "common/gui_colors.h"
#include "common/gui_controls.h"
#include "common/gui_editor_fixture.h"
#include "common/scripted_dialogs.h"
#include "core/database.h"
#include "core/session.h"
#include "dialogs/color_dialog.h"
#include "editor/record_editor.h"
#include "help/about_box.h"
#include "help/help.h"
#include "help/help_window.h"
#include "ui/menu_state.h"
#include "ui/screen_placement.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

using namespace tessaran;
using namespace tessaran::test;

namespace {

const QString title = QStringLiteral("TESSARAN V");

bool menus_hidden(const StartWindow& w)
{
    return !control<QAction>(w, "mnu_olddatabase")->isEnabled() && !control<QAction>(w, "mnu_newdatabase")->isEnabled()
        && !control<QAction>(w, "mnu_openfile")->isEnabled() && !control<QAction>(w, "mnu_exit")->isEnabled()
        && !control<QAction>(w, "mnu_colors")->isEnabled() && !control<QMenu>(w, "mnu_kbase")->menuAction()->isEnabled()
        && !control<QMenu>(w, "mnu_prefs")->menuAction()->isEnabled() && control<QAction>(w, "mnu_topics")->isEnabled()
        && control<QAction>(w, "mnu_about")->isEnabled();
}

bool menus_shown(const StartWindow& w)
{
    for (QAction* a : w.findChildren<QAction*>()) {
        if (a->objectName().startsWith(QLatin1String("mnu")) && !a->isEnabled())
            return false;
    }
    return true;
}

}  // namespace

class tst_start_window : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init()
    {
        reset_color_settings();
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QFile::copy(QStringLiteral(TESSARAN_SOURCE_DIR "/data/tessaran_defcolors.dat"),
                            path(QStringLiteral("tessaran_defcolors.dat"))));
        set_program_folder_for_tests(dir->path());
        // Recent databases and start-up choices go to this test's own settings.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path(QStringLiteral("settings")));
        dialogs = std::make_unique<ScriptedDialogs>();
    }

    void cleanup()
    {
        delete editor();
        delete window;
        window = nullptr;
        dialogs.reset();
        set_help_opener({});
        set_program_folder_for_tests(QString());
        dir.reset();
    }

    void menu_captions_and_names()
    {
        make_window();
        QStringList seen;
        for (QAction* group : window->menuBar()->actions()) {
            seen << group->objectName() + '=' + group->text();
            for (QAction* a : group->menu()->actions())
                if (!a->isSeparator())
                    seen << a->objectName() + '=' + a->text();
        }
        QCOMPARE(seen,
                 (QStringList{"mnu_kbase=&Kaleidoscope database", "mnu_olddatabase=&Open demo database",
                              "mnu_newdatabase=&Create new database...", "mnu_openfile=Open database file...",
                              "mnu_recent=&Recent databases", "mnu_exit=E&xit", "mnu_prefs=&Preferences",
                              "mnu_colors=Define program colors...", "mnu_reopen=Reopen last database at start-up",
                              "mnu_help=&Help", "mnu_topics=Help Topics", "mnu_about=&About"}));
        QVERIFY(menus_shown(*window));
    }

    void startup_state()
    {
        // The user's colour file is read (which one is the program files' choice).
        QVERIFY(write_bytes(path(QStringLiteral("tessaran_colors.dat")),
                            "1,2,3,4,5\r\n6,7,8,9\r\n10,11,12,13\r\n14,15,16,17\r\n18,19,20,21\r\n22,23,24,25,26\r\n"));
        make_window();
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(startup_window(), window);
        QCOMPARE(color_file_path(), path(QStringLiteral("tessaran_colors.dat")));
        QCOMPARE(current_colors()[24], 24);  // line 6, third value: form background
        // Centred across the work area, and in its height less 400 twips (placed
        // before it is shown, so before the platform adds its frame).
        const QRect area = window->screen()->availableGeometry();
        QCOMPARE(window->pos().x(), area.x() + (area.width() - window->width()) / 2);
        QCOMPARE(window->pos().y(), area.y() + (area.height() - twips_to_px(400) - window->height()) / 2);
        QVERIFY(dialogs->shown.isEmpty());
        QVERIFY(!editor());
    }

    void splash_stays_centred()
    {
        make_window();
        const QLabel* splash = window->findChild<QLabel*>(QStringLiteral("pb_splash"));
        QVERIFY(splash);
        QVERIFY(!splash->pixmap().isNull());
        for (const QSize size : {QSize(700, 600), QSize(450, 380)}) {
            window->resize(size);
            QApplication::processEvents();
            const QWidget* client = window->centralWidget();
            QCOMPARE(splash->x(), client->width() / 2 - splash->width() / 2);
            QCOMPARE(splash->y(), client->height() / 2 - splash->height() / 2);
        }
    }

    void open_sorts_by_artist_and_shows_editor()
    {
        const QString demo = path(QStringLiteral("demo.rnd"));
        QVERIFY(write_db(
            demo, {make_record("One", "Zeta, Zoe"), make_record("Two", "alpha, Al"), make_record("Three", "Mu, Max")}));
        make_window();
        control<QAction>(window, "mnu_olddatabase")->trigger();

        QVERIFY2(editor(), qPrintable(dialogs->texts().join(QLatin1Char('|'))));
        QVERIFY(editor()->isVisible());
        QVERIFY(editor()->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(editor()->session().path(), demo);
        QCOMPARE(editor()->session().ws().positions(),
                 (std::vector<int>{2, 3, 1}));  // ALPHA < MU < ZETA, not file order
        QCOMPARE(editor()->windowTitle(),
                 QStringLiteral("Database file: ") + demo
                     + QStringLiteral("  [Record 1 of 3]  [Sorted by: Artist(Asc.)]  [Selected: All]"));
        QVERIFY(menus_hidden(*window));
        QVERIFY(!window->isEnabled());
        QVERIFY(dialogs->shown.isEmpty());

        // Closing the editor hands control back.
        editor()->close();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!editor());
        QVERIFY(window->isEnabled());
        QVERIFY(menus_shown(*window));
    }

    void open_any_file()
    {
        make_window();
        dialogs->choose_file(QString());  // cancelled: nothing happens
        control<QAction>(window, "mnu_openfile")->trigger();
        QVERIFY(dialogs->shown.isEmpty());
        QVERIFY(!editor());
        QCOMPARE(dialogs->file_filters.last(), QStringList{"RND (*.rnd)"});

        // The opening checks and their messages are the core's (tst_database);
        // the window shows the message once and opens nothing.
        const QString bad = path(QStringLiteral("odd.rnd"));
        QVERIFY(write_bytes(bad, QByteArray(2474, ' ')));
        dialogs->choose_file(bad);
        control<QAction>(window, "mnu_openfile")->trigger();
        QCOMPARE(dialogs->shown, (Shown{{check_database_file(bad).message, MsgIcon::critical}}));
        QVERIFY(!editor());
        QVERIFY(window->isEnabled() && menus_shown(*window));
        dialogs->shown.clear();

        // An empty file is a collection without records.
        const QString other = path(QStringLiteral("my scopes.rnd"));
        QVERIFY(write_bytes(other, QByteArray()));
        dialogs->choose_file(other);
        control<QAction>(window, "mnu_openfile")->trigger();
        QVERIFY(editor());
        QCOMPARE(editor()->session().path(), other);
        QCOMPARE(editor()->session().ws().count(), int(0));
        QVERIFY(dialogs->shown.isEmpty());
        QVERIFY(menus_hidden(*window));
    }

    void create_database_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QList<MsgAnswer>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("created");
        QTest::newRow("new file") << false << QList<MsgAnswer>{} << 0 << true;
        QTest::newRow("overwrite") << true << QList<MsgAnswer>{MsgAnswer::yes, MsgAnswer::yes} << 2 << true;
        QTest::newRow("first no") << true << QList<MsgAnswer>{MsgAnswer::no} << 1 << false;
        QTest::newRow("second no") << true << QList<MsgAnswer>{MsgAnswer::yes, MsgAnswer::no} << 2 << false;
    }

    void create_database()
    {
        QFETCH(bool, exists);
        QFETCH(QList<MsgAnswer>, answers);
        QFETCH(int, questions);
        QFETCH(bool, created);
        const QString target = path(QStringLiteral("collection.rnd"));
        QByteArray old;
        if (exists) {
            QVERIFY(write_db(target, {make_record("Keep me", "Smith, Anna")}));
            old = read_bytes(target);
        }
        make_window();
        dialogs->choose_file(target);
        for (MsgAnswer a : answers)
            dialogs->answer(a);
        control<QAction>(window, "mnu_newdatabase")->trigger();

        QCOMPARE(dialogs->file_filters.last(), QStringList{"RND (*.rnd)"});
        // The file dialog itself must not ask about replacing: the two questions do.
        QCOMPARE(dialogs->replace_asking_dialogs, 0);
        QCOMPARE(dialogs->shown.size(), questions);
        const QStringList texts
            = {QStringLiteral("File ") + target + " already exists.\nDo you want to overwrite it?",
               QStringLiteral("All data will be deleted! Do you really want to overwrite the file ") + target + "?"};
        for (int i = 0; i < questions; ++i) {
            QCOMPARE(dialogs->shown[i].text, texts[i]);
            QCOMPARE(dialogs->shown[i].icon, MsgIcon::critical);
            QCOMPARE(dialogs->shown[i].buttons, MsgButtons::yes_no);
            QCOMPARE(dialogs->shown[i].title, title);
        }
        if (created) {
            QCOMPARE(QFileInfo(target).size(), qint64(0));
            QVERIFY(editor());
            QCOMPARE(editor()->session().path(), target);
            QCOMPARE(editor()->session().record_count(), int(0));
            QCOMPARE(editor()->session().ws().count(), int(0));
            QVERIFY(menus_hidden(*window));
        } else {
            QCOMPARE(read_bytes(target), old);
            QVERIFY(!editor());
            QVERIFY(menus_shown(*window));
        }
    }

    void create_cancelled_or_failing()
    {
        make_window();
        dialogs->choose_file(QString());  // cancelled: silent
        control<QAction>(window, "mnu_newdatabase")->trigger();
        QVERIFY(dialogs->shown.isEmpty());
        QVERIFY(!editor());

        const QString target = path(QStringLiteral("missing/folder/new.rnd"));
        dialogs->choose_file(target);
        control<QAction>(window, "mnu_newdatabase")->trigger();
        QCOMPARE(dialogs->shown.size(), 1);
        const QString prefix
            = QStringLiteral("The database file ") + target + QStringLiteral(" could not be created: ");
        QVERIFY2(dialogs->last().text.startsWith(prefix), qPrintable(dialogs->last().text));
        QVERIFY(dialogs->last().text.size() > prefix.size());  // the system's reason follows
        QCOMPARE(dialogs->last().icon, MsgIcon::critical);
        QVERIFY(!editor());
        QVERIFY(menus_shown(*window));
    }

    // Help is a window of the program's own: it needs no web browser, which
    // is only an extra (and a failure to start one is told).
    void help_from_menu()
    {
        QList<QUrl> opened;
        set_help_opener([&](const QUrl& u) {
            opened << u;
            return false;  // as on a machine without a browser
        });
        make_window();
        control<QAction>(window, "mnu_topics")->trigger();
        const QString guide = path(QStringLiteral("tessaran.html"));
        QCOMPARE(dialogs->shown,
                 (Shown{{QStringLiteral("The user guide cannot be found: ") + guide, MsgIcon::critical}}));
        QVERIFY(!window->findChild<HelpWindow*>());

        QVERIFY(write_bytes(guide,
                            "<html><body><h1>Guide</h1><p><a href=\"#keys\">Keys</a></p>"
                            "<h2 id=\"keys\">Keyboard</h2><p>Close asks first.</p></body></html>"));
        control<QAction>(window, "mnu_topics")->trigger();
        control<QAction>(window, "mnu_topics")->trigger();  // raised, not a second window
        const QList<HelpWindow*> shown = window->findChildren<HelpWindow*>();
        QCOMPARE(shown.size(), 1);
        HelpWindow* help = shown.first();
        QVERIFY(help->isVisible());
        QCOMPARE(help->windowTitle(), QStringLiteral("TESSARAN V Help"));
        QCOMPARE(help->shown_source(), QUrl::fromLocalFile(guide).toString());
        QVERIFY(opened.isEmpty());
        QVERIFY(help->find(QStringLiteral("asks first")));
        QVERIFY(!help->find(QStringLiteral("kaleidoscope soup")));
        QCOMPARE(help->findChild<QLabel*>(QStringLiteral("help_note"))->text(),
                 QStringLiteral("\"kaleidoscope soup\" is not in the guide."));

        help->findChild<QPushButton*>(QStringLiteral("help_browser"))->click();
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(guide)});
        QCOMPARE(dialogs->last(),
                 (ShownMessage{QStringLiteral("No web browser could be started to show ") + guide
                                   + ". The guide stays open in this window.",
                               MsgIcon::exclamation}));
        QCOMPARE(control<QAction>(window, "mnu_topics")->shortcut(), QKeySequence(QKeySequence::HelpContents));

        // Read from the keyboard as a document: a caret moves through the
        // text, Enter follows the link under it, and one Tab leaves the guide.
        auto* text = help->findChild<QTextBrowser*>(QStringLiteral("help_text"));
        help->activateWindow();
        text->setFocus(Qt::TabFocusReason);
        text->moveCursor(QTextCursor::Start);
        const int at_start = text->textCursor().position();
        QTest::keyClick(text, Qt::Key_Down);
        QVERIFY(text->textCursor().position() > at_start);  // now on the line of the link
        text->moveCursor(QTextCursor::StartOfLine);
        QCOMPARE(text->accessibleDescription(), QStringLiteral("Link: press Enter to follow it."));
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(QUrl(help->shown_source()).fragment(), QStringLiteral("keys"));
        text->setFocus(Qt::TabFocusReason);
        QTest::keyClick(text, Qt::Key_Tab);
        QCOMPARE(help->focusWidget(), help->findChild<QWidget*>(QStringLiteral("help_browser")));
    }

    // The about box and the colours dialog take the menus while they are open.
    void modal_windows_take_the_menus_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("about") << "mnu_about";
        QTest::newRow("colours") << "mnu_colors";
    }
    void modal_windows_take_the_menus()
    {
        QFETCH(QString, item);
        make_window();
        bool hidden_while_open = false;
        QTimer::singleShot(0, this, [&] {
            hidden_while_open = menus_hidden(*window);
            if (QWidget* w = QApplication::activeModalWidget())
                w->close();
        });
        window->findChild<QAction*>(item)->trigger();
        QVERIFY(hidden_while_open);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(menus_shown(*window));
    }

    void exit_closes_everything()
    {
        QVERIFY(write_db(path(QStringLiteral("demo.rnd")), {make_record("One", "A")}));
        make_window();
        control<QAction>(window, "mnu_olddatabase")->trigger();
        QVERIFY(editor() && editor()->isVisible());
        QPointer<RecordEditor> ed = editor();
        window->setEnabled(true);  // Exit is reached from the start-up window in any state
        control<QAction>(window, "mnu_exit")->setEnabled(true);
        control<QAction>(window, "mnu_exit")->trigger();
        QVERIFY(!window->isVisible());
        QVERIFY(!ed || !ed->isVisible());
    }

    // The last collections opened or created, most recent first, numbered;
    // a vanished one is reported with the opening check's message and dropped.
    void recent_databases_and_reopening()
    {
        QStringList paths;
        for (int i = 1; i <= 9; ++i) {
            paths.prepend(path(QStringLiteral("c%1.rnd").arg(i)));
            QVERIFY(write_db(paths.first(), {make_record(QStringLiteral("Scope %1").arg(i))}));
        }
        make_window();
        QCOMPARE(control<QMenu>(window, "mnu_recent")->actions().size(), 1);
        QVERIFY(!control<QMenu>(window, "mnu_recent")->actions().first()->isEnabled());
        for (int i = 8; i >= 0; --i) {
            QVERIFY(window->open_database(paths[i]));
            delete editor();
            show_startup_menus();
        }
        const QList<QAction*> items = control<QMenu>(window, "mnu_recent")->actions();
        QCOMPARE(items.size(), 8);
        QCOMPARE(items.first()->text(), QStringLiteral("&1 ") + paths[0]);
        QCOMPARE(items.last()->text(), QStringLiteral("&8 ") + paths[7]);

        // Choosing one opens it as "Open database file..." does.
        items[2]->trigger();
        QVERIFY(editor());
        QCOMPARE(editor()->session().path(), paths[2]);
        delete editor();
        show_startup_menus();
        QCOMPARE(control<QMenu>(window, "mnu_recent")->actions().first()->text(), QStringLiteral("&1 ") + paths[2]);

        QVERIFY(QFile::remove(paths[0]));
        control<QMenu>(window, "mnu_recent")->actions().at(1)->trigger();
        QCOMPARE(dialogs->shown, (Shown{{QStringLiteral("File %1 does not exist!").arg(paths[0]), MsgIcon::critical}}));
        QVERIFY(!editor());
        QCOMPARE(control<QMenu>(window, "mnu_recent")->actions().size(), 7);

        // Reopening at start-up: off by default; on, the last one opens.
        delete window;
        window = nullptr;
        make_window();
        QVERIFY(control<QAction>(window, "mnu_reopen")->isCheckable()
                && !control<QAction>(window, "mnu_reopen")->isChecked());
        window->reopen_last();
        QVERIFY(!editor());
        control<QAction>(window, "mnu_reopen")->trigger();
        delete window;
        window = nullptr;
        make_window();
        QVERIFY(control<QAction>(window, "mnu_reopen")->isChecked());
        window->reopen_last();
        QVERIFY(editor());
        QCOMPARE(editor()->session().path(), paths[2]);
    }

    void shortcuts_shown_in_the_menus()
    {
        make_window();
        QCOMPARE(control<QAction>(window, "mnu_exit")->shortcut(), QKeySequence(QKeySequence::Quit));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        dialogs->choose_file(QString());  // the file dialog, cancelled
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs->file_filters.size(), 1);
    }

private:
    StartWindow* make_window()
    {
        window = new StartWindow;
        window->show();
        return window;
    }

    QString path(const QString& name) const { return dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ScriptedDialogs> dialogs;
    StartWindow* window = nullptr;
};

QTEST_MAIN(tst_start_window)
#include "tst_start_window.moc"
