#include "scripted_dialogs.h"

#include <QtTest>
#include <QtWidgets>

namespace tessaran::test {

char* toString(const ShownMessage& m)
{
    static const char* const icons[] = {"none", "critical", "question", "exclamation", "information"};
    static const char* const buttons[] = {"ok", "ok_cancel", "yes_no", "read_only_cancel", "theirs_mine_new"};
    return QTest::toString(
        QStringLiteral("[%1 | %2 %3 | %4]")
            .arg(m.text, QLatin1String(icons[int(m.icon)]), QLatin1String(buttons[int(m.buttons)]), m.title));
}

MsgAnswer ScriptedDialogs::message(QWidget*, const QString& text, MsgIcon icon, MsgButtons buttons,
                                   const QString& title)
{
    shown.append({text, icon, buttons, title});
    if (on_message)
        on_message(text);
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible()
            && (qobject_cast<const QProgressDialog*>(w) || w->objectName() == QLatin1String("frm_waiter")))
            ++shown_under_progress;
    }
    if (!answers.empty()) {
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == MsgButtons::yes_no ? MsgAnswer::yes : MsgAnswer::ok;
}

QString ScriptedDialogs::choose_folder(QWidget*, const QString&, const QString&)
{
    if (files.empty())
        return QString();
    const QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedDialogs::open_file(QWidget*, const QString&, const QString&, const QStringList& filters)
{
    file_filters.append(filters);
    if (files.empty())
        return QString();
    const QString f = files.front();
    files.pop_front();
    return f;
}

QString ScriptedDialogs::save_file(QWidget* parent, const QString& caption, const QString& dir,
                                   const QStringList& filters)
{
    ++replace_asking_dialogs;
    return open_file(parent, caption, dir, filters);
}

QString ScriptedDialogs::name_new_file(QWidget* parent, const QString& caption, const QString& dir,
                                       const QStringList& filters)
{
    return open_file(parent, caption, dir, filters);
}

std::optional<QColor> ScriptedDialogs::pick_color(QWidget*, const QColor& initial)
{
    color_initials.append(initial);
    if (colors.empty())
        return std::nullopt;
    const auto c = colors.front();
    colors.pop_front();
    return c;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const auto& m : shown)
        out << m.text;
    return out;
}

}  // namespace tessaran::test
