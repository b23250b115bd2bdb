#include "start_window.h"
#include "appearance/color_settings.h"

#include "core/collection_lock.h"
#include "core/color_file.h"
#include "core/database.h"
#include "core/file_write.h"
#include "core/recent_databases.h"
#include "core/record_file.h"
#include "core/scope_record.h"
#include "core/session.h"
#include "core/sorting.h"
#include "core/working_set.h"
#include "dialogs/color_dialog.h"
#include "editor/record_editor.h"
#include "help/about_box.h"
#include "help/help.h"
#include "ui/logo.h"
#include "ui/menu_state.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

namespace tessaran {
namespace {

const QStringList rnd_filter{QStringLiteral("RND (*.rnd)")};

// The splash: the logo on a dark plate with the program's name under it.
QPixmap splash_picture()
{
    const int w = 400;
    const int h = 330;
    QPixmap pm(w, h);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient plate(0, 0, 0, h);
    plate.setColorAt(0.0, QColor(20, 24, 50));
    plate.setColorAt(1.0, QColor(45, 20, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(plate);
    p.drawRoundedRect(QRectF(0, 0, w, h), 18, 18);

    const int logo = 230;
    p.drawPixmap((w - logo) / 2, 16, kaleidoscope_logo(logo));

    QFont title = p.font();
    title.setPointSize(22);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(235, 205, 120));
    p.drawText(QRect(0, logo + 18, w, 40), Qt::AlignCenter, QString::fromLatin1(app_title));

    QFont sub = p.font();
    sub.setPointSize(10);
    sub.setBold(false);
    p.setFont(sub);
    p.setPen(QColor(200, 200, 220));
    p.drawText(QRect(0, logo + 54, w, 24), Qt::AlignCenter, QStringLiteral("The kaleidoscope collection catalogue"));
    return pm;
}

QAction* add_item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* add_group(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    // The group's own action carries the name too, so hiding the menus greys
    // out the whole group.
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

// The in-use question, in the words of the window that holds the collection.
QString in_use_question(const QString& path, const LockHolder& holder)
{
    return QStringLiteral("The collection %1 is open for changes in %2.\n\n"
                          "Only one window at a time can change a collection. You can open it read-only here: "
                          "browse, select, sort, find, print and export work, but nothing can be saved, added, "
                          "deleted or imported.")
        .arg(path, holder_text(holder));
}

}  // namespace

StartWindow::StartWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frm_main"));
    // While another window is in charge, the collection and preference menus
    // go quiet; help and about stay.
    set_startup_window(this, [this] {
        QList<QAction*> held{mnu_kbase->menuAction(), mnu_prefs->menuAction()};
        for (const QMenu* menu : {mnu_kbase, mnu_prefs, mnu_recent}) {
            for (QAction* a : menu->actions()) {
                if (!a->isSeparator() && a->menu() == nullptr && a != recent_none_)
                    held << a;
            }
        }
        return held;
    });

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    pb_splash = new QLabel(client);
    pb_splash->setObjectName(QStringLiteral("pb_splash"));
    pb_splash->setPixmap(splash_picture());
    pb_splash->setAccessibleName(QStringLiteral("TESSARAN V, the kaleidoscope collection catalogue"));
    pb_splash->resize(pb_splash->pixmap().size());
    client->installEventFilter(this);

    build_menu();
    prepare();
}

StartWindow::~StartWindow()
{
    if (startup_window() == this)
        set_startup_window(nullptr);
    // The editors are windows of their own (a child window would be disabled
    // with this one), so they go with it here.
    for (const QPointer<RecordEditor>& editor : std::as_const(editors_))
        delete editor.data();
}

void StartWindow::prepare()
{
    set_color_file_path(color_file_to_read());
    // A missing or short colour file falls back to the built-in scheme; the
    // editor reports the missing file when it opens.
    load_colors();
    resize(fitted_to_screen(QSize(560, 440), this));
    centre_on_screen(this);
    setWindowTitle(QString::fromLatin1(app_title));
}

void StartWindow::build_menu()
{
    QMenuBar* bar = menuBar();

    mnu_kbase = add_group(bar, "mnu_kbase", QStringLiteral("&Kaleidoscope database"));
    mnu_olddatabase = add_item(mnu_kbase, "mnu_olddatabase", QStringLiteral("&Open demo database"));
    mnu_newdatabase = add_item(mnu_kbase, "mnu_newdatabase", QStringLiteral("&Create new database..."));
    mnu_openfile = add_item(mnu_kbase, "mnu_openfile", QStringLiteral("Open database file..."));
    mnu_openfile->setShortcut(QKeySequence::Open);
    mnu_recent = mnu_kbase->addMenu(QStringLiteral("&Recent databases"));
    mnu_recent->setObjectName(QStringLiteral("mnu_recent"));
    mnu_recent->menuAction()->setObjectName(QStringLiteral("mnu_recent"));
    fill_recent_menu();
    mnu_kbase->addSeparator();
    mnu_exit = add_item(mnu_kbase, "mnu_exit", QStringLiteral("E&xit"));
    mnu_exit->setShortcut(QKeySequence::Quit);

    mnu_prefs = add_group(bar, "mnu_prefs", QStringLiteral("&Preferences"));
    mnu_colors = add_item(mnu_prefs, "mnu_colors", QStringLiteral("Define program colors..."));
    mnu_reopen = add_item(mnu_prefs, "mnu_reopen", QStringLiteral("Reopen last database at start-up"));
    mnu_reopen->setCheckable(true);
    mnu_reopen->setChecked(reopen_last_at_startup());
    connect(mnu_reopen, &QAction::toggled, this, [](bool on) { set_reopen_last_at_startup(on); });

    mnu_help = add_group(bar, "mnu_help", QStringLiteral("&Help"));
    mnu_topics = add_item(mnu_help, "mnu_topics", QStringLiteral("Help Topics"));
    mnu_topics->setShortcut(QKeySequence::HelpContents);
    mnu_about = add_item(mnu_help, "mnu_about", QStringLiteral("&About"));

    connect(mnu_olddatabase, &QAction::triggered, this, &StartWindow::open_demo);
    connect(mnu_newdatabase, &QAction::triggered, this, &StartWindow::new_database);
    connect(mnu_openfile, &QAction::triggered, this, &StartWindow::open_file);
    connect(mnu_exit, &QAction::triggered, this, &StartWindow::exit_program);
    connect(mnu_colors, &QAction::triggered, this, &StartWindow::define_colors);
    connect(mnu_topics, &QAction::triggered, this, &StartWindow::show_help);
    connect(mnu_about, &QAction::triggered, this, &StartWindow::show_about);
}

bool StartWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        center_splash();
    return QMainWindow::eventFilter(watched, event);
}

void StartWindow::center_splash()
{
    const QWidget* client = centralWidget();
    pb_splash->move(client->width() / 2 - pb_splash->width() / 2, client->height() / 2 - pb_splash->height() / 2);
}

void StartWindow::open_demo()
{
    QString error;
    const QString path = demo_database_path(&error);
    if (!error.isEmpty()) {
        msgbox(this, error, MsgIcon::critical);
        return;
    }
    open_database(path);
}

void StartWindow::open_file()
{
    const QString path
        = user_dialogs().open_file(this, QStringLiteral("Open database file"), documents_folder(), rnd_filter);
    if (path.isEmpty())
        return;
    open_database(path);
}

bool StartWindow::open_database(const QString& path)
{
    const OpenCheck check = check_database_file(path);
    if (!check.ok) {
        msgbox(this, check.message, MsgIcon::critical);
        return false;
    }

    // One writer at a time: a collection another window has open for changes
    // is opened read-only here, or not at all.
    auto lock = std::make_shared<CollectionLock>();
    LockHolder holder;
    bool read_only = false;
    switch (lock->take(path, &holder)) {
    case LockOutcome::taken: break;
    case LockOutcome::in_use:
        if (msgbox(this, in_use_question(path, holder), MsgIcon::exclamation, MsgButtons::read_only_cancel)
            != MsgAnswer::ok)
            return false;
        read_only = true;
        lock.reset();
        break;
    case LockOutcome::unavailable: lock.reset(); break;
    }
    if (lock)
        remove_stale_scratch_files(path);

    Session session = Session::on_file(path);
    session.hold_claim(std::move(lock));
    if (read_only)
        session.open_read_only(holder_text(holder));
    session.ws().reset_to_all(session.record_count());
    session.ws().move_to(1);
    QString error;
    if (!sort_working_set(path, session.ws(), SortField::artist, false, &error)) {
        // The file changed or vanished after the checks: nothing is opened.
        msgbox(this, QStringLiteral("The database file ") + path + QStringLiteral(" cannot be read: ") + error,
               MsgIcon::critical);
        return false;
    }
    remember_database(path);
    fill_recent_menu();
    show_editor(std::move(session));
    return true;
}

void StartWindow::fill_recent_menu()
{
    mnu_recent->clear();
    recent_none_ = nullptr;
    const QStringList paths = recent_databases();
    for (int i = 0; i < paths.size(); ++i) {
        // Numbered access keys; an ampersand in a path is no access key.
        QString shown = paths[i];
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = mnu_recent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        a->setObjectName(QStringLiteral("mnu_recent_%1").arg(i + 1));
        const QString path = paths[i];
        connect(a, &QAction::triggered, this, [this, path] { open_recent(path); });
    }
    if (paths.isEmpty()) {
        QAction* none = mnu_recent->addAction(QStringLiteral("No databases yet"));
        none->setObjectName(QStringLiteral("recent_none"));
        none->setEnabled(false);
        recent_none_ = none;
    }
}

void StartWindow::open_recent(const QString& path)
{
    if (!is_existing_file(path)) {
        // The opening check's own message; the entry goes from the list.
        msgbox(this, check_database_file(path).message, MsgIcon::critical);
        forget_database(path);
        fill_recent_menu();
        return;
    }
    open_database(path);
}

void StartWindow::reopen_last()
{
    const QStringList paths = recent_databases();
    if (reopen_last_at_startup() && !paths.isEmpty())
        open_recent(paths.first());
}

void StartWindow::new_database()
{
    // A save dialog, because the user names a file that usually does not exist
    // yet; it must not ask about replacing, since the two questions below do.
    const QString path
        = user_dialogs().name_new_file(this, QStringLiteral("Create new database"), documents_folder(), rnd_filter);
    if (path.isEmpty())
        return;

    if (is_existing_file(path)) {
        if (msgbox(this,
                   QStringLiteral("File ") + path + QStringLiteral(" already exists.\nDo you want to overwrite it?"),
                   MsgIcon::critical, MsgButtons::yes_no)
            != MsgAnswer::yes)
            return;
        if (msgbox(this,
                   QStringLiteral("All data will be deleted! Do you really want to overwrite the file ") + path
                       + QStringLiteral("?"),
                   MsgIcon::critical, MsgButtons::yes_no)
            != MsgAnswer::yes)
            return;
    }
    // Not even a confirmed overwrite empties a collection another window is changing.
    auto lock = std::make_shared<CollectionLock>();
    LockHolder holder;
    if (is_existing_file(path) && lock->take(path, &holder) == LockOutcome::in_use) {
        msgbox(this,
               QStringLiteral("The database file ") + path + QStringLiteral(" is open for changes in ")
                   + holder_text(holder) + QStringLiteral(", so it cannot be overwritten now."),
               MsgIcon::critical);
        return;
    }
    const FileStatus status = create_empty_database(path);
    if (!status) {
        msgbox(this,
               QStringLiteral("The database file ") + path + QStringLiteral(" could not be created: ") + status.error,
               MsgIcon::critical);
        return;
    }

    if (!lock->held() && lock->take(path) != LockOutcome::taken)
        lock.reset();
    Session session = Session::on_file(path);
    session.hold_claim(std::move(lock));
    remember_database(path);
    fill_recent_menu();
    show_editor(std::move(session));
}

void StartWindow::show_editor(Session session)
{
    hide_startup_menus();
    auto* editor = new RecordEditor(std::move(session), this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editors_.removeAll(nullptr);
    editors_.append(editor);
    editor->show();
}

void StartWindow::exit_program()
{
    QApplication::closeAllWindows();
}

void StartWindow::define_colors()
{
    hide_startup_menus();
    ColorDialog dialog(this);
    dialog.exec();
    show_startup_menus();  // however the dialog was closed
}

void StartWindow::show_help()
{
    tessaran::show_help(this);
}

void StartWindow::show_about()
{
    hide_startup_menus();
    AboutBox box(this);
    box.exec();
}

}  // namespace tessaran
