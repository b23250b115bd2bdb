// The one seam through which the program talks to the user: message boxes,
// questions, file dialogs and the colour picker. Tests install a scripted one.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace tessaran {

inline constexpr const char* app_title = "TESSARAN V";

enum class MsgIcon { none, critical, question, exclamation, information };
// read_only_cancel: "Open Read-Only" (answers ok) and "Cancel".
// theirs_mine_new, after another program changed the kaleidoscope being
// edited: "Keep Their Version" (no), "Put My Changes Over It" (yes), "Save
// Mine as New" (ok), and Cancel or Escape (cancel), which decides nothing yet.
enum class MsgButtons { ok, ok_cancel, yes_no, read_only_cancel, theirs_mine_new };
enum class MsgAnswer { ok, cancel, yes, no };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // title is never empty here: msgbox() puts the application title in.
    virtual MsgAnswer message(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                              const QString& title)
        = 0;
    // Empty result: the user cancelled. filters like "RND (*.rnd)".
    virtual QString open_file(QWidget* parent, const QString& caption, const QString& dir, const QStringList& filters)
        = 0;
    // The dialog asks before an existing file is replaced.
    virtual QString save_file(QWidget* parent, const QString& caption, const QString& dir, const QStringList& filters)
        = 0;
    // A save dialog that does not ask about replacing an existing file, for a
    // caller that asks its own questions; by default the plain save dialog.
    virtual QString name_new_file(QWidget* parent, const QString& caption, const QString& dir,
                                  const QStringList& filters)
    {
        return save_file(parent, caption, dir, filters);
    }
    // A folder, which need not exist yet; empty: the user cancelled.
    virtual QString choose_folder(QWidget* parent, const QString& caption, const QString& dir) = 0;
    // nullopt: the user cancelled.
    virtual std::optional<QColor> pick_color(QWidget* parent, const QColor& initial) = 0;
};

// The dialogs in use: the real ones unless a test installed others.
UserDialogs& user_dialogs();
// Installs d (not owned); nullptr goes back to the real dialogs.
void set_user_dialogs(UserDialogs* d);

// A message box; an empty title means the application's title.
MsgAnswer msgbox(QWidget* parent, const QString& text, MsgIcon icon = MsgIcon::none,
                 MsgButtons buttons = MsgButtons::ok, const QString& title = QString());

}  // namespace tessaran
