#include "editor_commands.h"
#include "editor_gaps.h"

#include "appearance/scheme_paint.h"
#include "ui/command_button.h"
#include "ui/context_menu_key.h"
#include "ui/screen_placement.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>

namespace tessaran {

namespace {

struct StripButton {
    Command command;
    const char* name;
    const char* text;
    const char* tip;
    const char* spoken;  // what a screen reader says for a sign, else nullptr
};

// In the strip's order: the arrows, the record commands, the searches, Close.
constexpr std::array<StripButton, 13> strip_buttons = {{
    {Command::first, "cmd_begscope", "|<", "First kaleidoscope in database", "First kaleidoscope"},
    {Command::previous, "cmd_prev", "<", "Previous kaleidoscope in database", "Previous kaleidoscope"},
    {Command::next, "cmd_next", ">", "Next kaleidoscope in database", "Next kaleidoscope"},
    {Command::last, "cmd_endscope", ">|", "Last kaleidoscope in database", "Last kaleidoscope"},
    {Command::add, "cmd_new", "Add a New Scope", "Start data for a new kaleidoscope", nullptr},
    {Command::save, "cmd_save", "Save Scope Data", "Save displayed kaleidoscope data in database", nullptr},
    {Command::remove, "cmd_del", "Delete this Scope", "Delete this kaleidoscope from the database", nullptr},
    {Command::clear, "cmd_clear", "Clear Scope Data", "Clear all fields in current display", nullptr},
    {Command::find, "cmd_find", "Find",
     "Search kaleidoscopes using specified criteria. Right click to see current find criteria.", nullptr},
    {Command::find_next, "cmd_findnxt", "FindNext", "Search according to previously specified criteria", nullptr},
    {Command::select, "cmd_select", "Select",
     "Select a subset of the database using specified criteria. Right click to see current selection criteria.",
     nullptr},
    {Command::sort, "cmd_sort", "Sort", "Sort the current record database using a specified criteria", nullptr},
    {Command::close, "cmd_close", "Close", "Close this form", nullptr},
}};

struct MenuItem {
    int menu;  // 0 Kaleidoscope data, 1 Search, 2 Tools, 3 Help
    Command command;
    const char* name;  // nullptr: a separator
    const char* text;
};

constexpr std::array<const char*, 4> menu_titles = {"&Kaleidoscope data", "&Search", "&Tools", "&Help"};
constexpr std::array<const char*, 4> menu_names = {"mnu_kaleido", "mnu_search", "mnu_tools", "mnu_help"};

constexpr std::array<MenuItem, 36> menu_items = {{
    {0, Command::add, "mnu_add", "&Add a new kaleidoscope"},
    {0, Command::save, "mnu_save", "&Save current kaleidoscope data"},
    {0, Command::remove, "mnu_delete", "&Delete this kaleidoscope record"},
    {0, Command::clear, "mnu_clear", "C&lear kaleidoscope form"},
    {0, Command::change_field, "mnu_change_field", "Chan&ge a field..."},
    {0, Command::add, nullptr, "sep5"},
    {0, Command::undo, "mnu_undo", "U&ndo"},
    {0, Command::redo, "mnu_redo", "&Redo"},
    {0, Command::history, "mnu_history", "&History of this kaleidoscope..."},
    {0, Command::deleted, "mnu_deleted", "Deleted &kaleidoscopes..."},
    {0, Command::add, nullptr, "sep1"},
    {0, Command::summary, "mnu_summary", "Kaleidoscope s&ummaries"},
    {0, Command::statistics, "mnu_stats", "Collection s&tatistics..."},
    {0, Command::list, "mnu_list", "C&ollection list"},
    {0, Command::add, nullptr, "sep2"},
    {0, Command::print_sheets, "mnu_printforms", "Print kaleidoscope data forms"},
    {0, Command::inventory, "mnu_inventory", "Print in&ventory..."},
    {0, Command::import, "mnu_import", "&Import kaleidoscopes..."},
    {0, Command::web_catalogue, "mnu_web", "Export &web catalogue..."},
    {0, Command::missing_pictures, "mnu_missing_pictures", "Find &missing pictures..."},
    {0, Command::add, nullptr, "sep4"},
    {0, Command::close, "mnu_close", "&Close"},
    {1, Command::next, "mnu_next", "&Next kaleidoscope"},
    {1, Command::previous, "mnu_prev", "&Previous kaleidoscope"},
    {1, Command::first, "mnu_first", "&First kaleidoscope"},
    {1, Command::last, "mnu_last", "&Last kaleidoscope"},
    {1, Command::add, nullptr, "sep3"},
    {1, Command::find, "mnu_find", "&Find"},
    {1, Command::find_next, "mnu_findnxt", "&Find next"},
    {1, Command::find_criteria, "mnu_findcrit", "Find &criteria..."},
    {1, Command::duplicates, "mnu_duplicates", "Find possible &duplicates..."},
    {2, Command::select, "mnu_select", "Select &records"},
    {2, Command::sort, "mnu_sort", "S&ort records"},
    {2, Command::selection_criteria, "mnu_selcrit", "Selection &criteria..."},
    {3, Command::help, "mnu_helptopics", "&Help topics"},
    {3, Command::about, "mnu_about", "&About"},
}};

// The button whose enabling a menu item follows: its own, or for the two
// criteria items the Find and Select buttons. Summaries and record sheets have
// no button and stay enabled: with no stored record they refuse with their
// own message.
Command followed_button(Command c)
{
    if (c == Command::find_criteria)
        return Command::find;
    if (c == Command::selection_criteria)
        return Command::select;
    return c;
}

}  // namespace

bool command_writes(Command c)
{
    switch (c) {
    case Command::add:
    case Command::remove:
    case Command::clear:
    case Command::undo:
    case Command::redo:
    case Command::deleted:
    case Command::import:
    case Command::missing_pictures:
    case Command::change_field: return true;
    default: return false;
    }
}

EditorCommands::EditorCommands(QWidget* parent, QMenuBar* bar) : QLabel(parent)
{
    setObjectName(QStringLiteral("lbl_controlbck"));
    build_strip();
    build_menus(bar);
    follow_buttons();
}

void EditorCommands::build_strip()
{
    for (const StripButton& entry : strip_buttons) {
        QPushButton* b
            = command_button(this, entry.name, QString::fromLatin1(entry.text), QString::fromLatin1(entry.tip));
        // The arrows are signs on screen; a screen reader says what they do.
        if (entry.spoken)
            b->setAccessibleName(QString::fromLatin1(entry.spoken));
        const Command c = entry.command;
        connect(b, &QPushButton::clicked, this, [this, c] { emit triggered(c); });
        b->installEventFilter(this);
        buttons_[std::size_t(c)] = b;
    }
    auto* h = new QHBoxLayout(this);
    // A label sizes itself by its text; the strip must take its buttons' size.
    h->setSizeConstraint(QLayout::SetMinimumSize);
    h->setContentsMargins(edge_gap, edge_gap, edge_gap, edge_gap);
    h->setSpacing(field_gap);
    for (const StripButton& entry : strip_buttons) {
        QPushButton* b = button(entry.command);
        const bool arrow = entry.command == Command::first || entry.command == Command::previous
            || entry.command == Command::next || entry.command == Command::last;
        if (arrow) {
            b->setFixedWidth(twips_to_px(500));
        } else {
            // The command buttons may narrow to their captions, so the strip
            // fits a 1024-pixel screen; they keep their usual width where
            // there is room.
            b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 2 * edge_gap);
        }
        if (entry.command == Command::add || entry.command == Command::find)
            h->addSpacing(column_gap);
        if (entry.command == Command::close)
            h->addStretch(1);
        h->addWidget(b);
    }
}

void EditorCommands::build_menus(QMenuBar* bar)
{
    std::array<QMenu*, 4> menus{};
    for (std::size_t m = 0; m < menus.size(); ++m) {
        menus[m] = bar->addMenu(QString::fromLatin1(menu_titles[m]));
        menus[m]->setObjectName(QString::fromLatin1(menu_names[m]));
    }
    for (const MenuItem& item : menu_items) {
        QMenu* menu = menus[std::size_t(item.menu)];
        if (!item.name) {
            menu->addSeparator()->setObjectName(QString::fromLatin1(item.text));
            continue;
        }
        QAction* a = menu->addAction(QString::fromLatin1(item.text));
        a->setObjectName(QString::fromLatin1(item.name));
        const Command c = item.command;
        connect(a, &QAction::triggered, this, [this, c] { emit triggered(c); });
        actions_[std::size_t(c)] = a;
    }
    // Shortcuts, shown in the menus. Walking the records takes Alt with the
    // keys that move inside a field, so editing a field keeps them.
    const std::array<std::pair<Command, QKeySequence>, 14> shortcuts = {{
        {Command::undo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {Command::redo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {Command::save, QKeySequence::Save},
        {Command::add, QKeySequence::New},
        {Command::find, QKeySequence::Find},
        {Command::find_next, QKeySequence(Qt::Key_F3)},
        {Command::print_sheets, QKeySequence::Print},
        {Command::close, QKeySequence(Qt::CTRL | Qt::Key_W)},
        {Command::list, QKeySequence(Qt::CTRL | Qt::Key_L)},
        {Command::help, QKeySequence::HelpContents},
        {Command::first, QKeySequence(Qt::ALT | Qt::Key_Home)},
        {Command::previous, QKeySequence(Qt::ALT | Qt::Key_PageUp)},
        {Command::next, QKeySequence(Qt::ALT | Qt::Key_PageDown)},
        {Command::last, QKeySequence(Qt::ALT | Qt::Key_End)},
    }};
    for (const auto& [c, keys] : shortcuts)
        action(c)->setShortcut(keys);
}

void EditorCommands::enable_all(bool enabled)
{
    for (QPushButton* b : buttons_) {
        if (b)
            b->setEnabled(enabled);
    }
}

void EditorCommands::follow_buttons()
{
    for (int c = 0; c < command_count; ++c) {
        QAction* a = actions_[std::size_t(c)];
        const QPushButton* b = button(followed_button(Command(c)));
        if (a && b)
            a->setEnabled(b->isEnabled());
    }
}

void EditorCommands::apply_colors()
{
    paint_background(this, scheme_color(color_control));
    for (QPushButton* b : findChildren<QPushButton*>())
        paint_button(b, scheme_color(color_command_buttons));
}

bool EditorCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        follow_buttons();
    // The right button released over Select or Find, or a key that opens a
    // context menu there, asks for the criteria in force.
    const Command over = watched == button(Command::select) ? Command::select : Command::find;
    if (watched != button(Command::select) && watched != button(Command::find))
        return QLabel::eventFilter(watched, event);
    bool asked = false;
    if (event->type() == QEvent::KeyPress) {
        asked = is_context_menu_key(static_cast<QKeyEvent*>(event));
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        asked = mouse->button() == Qt::RightButton
            && static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint());
    }
    if (!asked)
        return QLabel::eventFilter(watched, event);
    emit criteria_asked(over);
    return true;
}

}  // namespace tessaran
