// A user-dialog seam for tests: records every message and file dialog and
// answers from a script, so a test asserts the exact texts the user would see.
#pragma once

#include "ui/user_dialogs.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>
#include <optional>

namespace tessaran::test {

// One message box as the user saw it; a test writes the whole box it expects,
// with an OK box titled with the program's name left implicit.
struct ShownMessage {
    QString text;
    MsgIcon icon = MsgIcon::none;
    MsgButtons buttons = MsgButtons::ok;
    QString title = QStringLiteral("TESSARAN V");
    bool operator==(const ShownMessage& o) const
    {
        return text == o.text && icon == o.icon && buttons == o.buttons && title == o.title;
    }
};
using Shown = QList<ShownMessage>;
// For QCOMPARE's report of a difference.
char* toString(const ShownMessage& m);

class ScriptedDialogs : public UserDialogs {
public:
    ScriptedDialogs() { set_user_dialogs(this); }
    ~ScriptedDialogs() override { set_user_dialogs(nullptr); }

    // Answers for the next questions, in order. An unscripted question gets its
    // first button (OK / Yes).
    void answer(MsgAnswer a) { answers.push_back(a); }
    // Paths for the next open/save dialogs; an empty path means Cancel.
    void choose_file(const QString& path) { files.push_back(path); }
    void choose_color(std::optional<QColor> c) { colors.push_back(c); }

    MsgAnswer message(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                      const QString& title) override;
    QString open_file(QWidget* parent, const QString& caption, const QString& dir, const QStringList& filters) override;
    QString save_file(QWidget* parent, const QString& caption, const QString& dir, const QStringList& filters) override;
    QString name_new_file(QWidget* parent, const QString& caption, const QString& dir,
                          const QStringList& filters) override;
    // Folders come from the same queue as files.
    QString choose_folder(QWidget* parent, const QString& caption, const QString& dir) override;
    std::optional<QColor> pick_color(QWidget* parent, const QColor& initial) override;

    // Texts of all messages shown so far.
    QStringList texts() const;
    const ShownMessage& last() const { return shown.back(); }

    QList<ShownMessage> shown;
    // Messages that came while a progress window was still on screen (it
    // would cover them and take their clicks).
    int shown_under_progress = 0;
    QList<QStringList> file_filters;  // filters of each file dialog shown
    int replace_asking_dialogs = 0;   // save dialogs that ask before replacing a file
    QList<QColor> color_initials;     // colour each picker opened on
    std::deque<MsgAnswer> answers;
    std::deque<QString> files;
    std::deque<std::optional<QColor>> colors;
    // Runs while each message is on screen, as another program may act while
    // the user reads a question.
    std::function<void(const QString& text)> on_message;
};

}  // namespace tessaran::test
