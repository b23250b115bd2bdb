// The start-up window: prepares the process-wide state, shows the splash
// picture and the menu from which a database is opened or created.
#pragma once

#include "core/session.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMenu;

namespace tessaran {

class RecordEditor;

class StartWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit StartWindow(QWidget* parent = nullptr);
    ~StartWindow() override;

    void open_demo();
    void open_file();
    void new_database();
    void exit_program();
    void define_colors();
    void show_help();
    void show_about();

    // Runs the open checks on path and, when they pass, shows the editor on it.
    // Returns whether the editor was shown.
    bool open_database(const QString& path);
    // Opens the last collection when the user asked for that at start-up.
    void reopen_last();
    // Rebuilds the "Recent databases" submenu from the settings.
    void fill_recent_menu();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void prepare();
    void build_menu();
    void center_splash();
    void show_editor(Session session);
    void open_recent(const QString& path);
    QLabel* pb_splash = nullptr;
    QMenu* mnu_kbase = nullptr;
    QAction* mnu_olddatabase = nullptr;
    QAction* mnu_newdatabase = nullptr;
    QAction* mnu_openfile = nullptr;
    QMenu* mnu_recent = nullptr;
    QAction* mnu_exit = nullptr;
    QMenu* mnu_prefs = nullptr;
    QAction* mnu_colors = nullptr;
    QAction* mnu_reopen = nullptr;
    QMenu* mnu_help = nullptr;
    QAction* mnu_topics = nullptr;
    QAction* mnu_about = nullptr;
    QAction* recent_none_ = nullptr;         // the recent menu's "No databases yet", never enabled
    QList<QPointer<RecordEditor>> editors_;  // the editors this window opened
};

}  // namespace tessaran
