// Answers every message box of a benchmarked command without a person: the
// first button unless an answer was queued, and file dialogs from a queue.
#pragma once

#include "ui/user_dialogs.h"

#include <QString>

#include <deque>

namespace tessaran::bench {

class BenchDialogs : public UserDialogs {
public:
    BenchDialogs() { set_user_dialogs(this); }
    ~BenchDialogs() override { set_user_dialogs(nullptr); }
    BenchDialogs(const BenchDialogs&) = delete;
    BenchDialogs& operator=(const BenchDialogs&) = delete;

    MsgAnswer message(QWidget*, const QString& text, MsgIcon icon, MsgButtons buttons, const QString&) override
    {
        ++messages;
        last_text = text;
        if (icon == MsgIcon::critical && buttons == MsgButtons::ok) {
            ++errors;
            error_text = text;
        }
        if (!answers.empty()) {
            const MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == MsgButtons::yes_no ? MsgAnswer::yes : MsgAnswer::ok;
    }
    QString open_file(QWidget*, const QString&, const QString&, const QStringList&) override { return next_file(); }
    QString save_file(QWidget*, const QString&, const QString&, const QStringList&) override { return next_file(); }
    QString choose_folder(QWidget*, const QString&, const QString&) override { return next_file(); }
    std::optional<QColor> pick_color(QWidget*, const QColor&) override { return std::nullopt; }

    std::deque<MsgAnswer> answers;
    std::deque<QString> files;
    int messages = 0;
    int errors = 0;  // critical messages: a benchmarked command failed
    QString last_text;
    QString error_text;

private:
    QString next_file()
    {
        if (files.empty())
            return QString();
        const QString f = files.front();
        files.pop_front();
        return f;
    }
};

}  // namespace tessaran::bench
