// Every command of the record editor: its button on the command strip below
// the fields and its menu item, built from one table. A menu item is enabled
// while the button it follows is; a press of either says which command.
#pragma once

#include <QLabel>

#include <array>

class QAction;
class QMenuBar;
class QPushButton;

namespace tessaran {

enum class Command {
    add,
    save,
    remove,
    clear,
    change_field,
    undo,
    redo,
    history,
    deleted,
    close,
    first,
    previous,
    next,
    last,
    find,
    find_next,
    find_criteria,
    duplicates,
    select,
    selection_criteria,
    sort,
    summary,
    statistics,
    list,
    print_sheets,
    inventory,
    import,
    web_catalogue,
    missing_pictures,
    help,
    about,
};
constexpr int command_count = int(Command::about) + 1;

// Whether a command changes the collection (a read-only window refuses it).
bool command_writes(Command c);

class EditorCommands : public QLabel {
    Q_OBJECT
public:
    // The command strip, a child of parent; the menus go into bar.
    EditorCommands(QWidget* parent, QMenuBar* bar);

    // nullptr where the command has no button (or no menu item).
    QPushButton* button(Command c) const { return buttons_.at(std::size_t(c)); }
    QAction* action(Command c) const { return actions_.at(std::size_t(c)); }
    // The scheme's colours for the strip and its buttons.
    void apply_colors();
    // Every button of the strip enabled or disabled.
    void enable_all(bool enabled);

signals:
    void triggered(Command c);
    // The right button or the context-menu key over Select (c: select) or
    // Find (c: find).
    void criteria_asked(Command c);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_strip();
    void build_menus(QMenuBar* bar);
    // The menu items follow their buttons' enabling.
    void follow_buttons();

    std::array<QPushButton*, command_count> buttons_{};
    std::array<QAction*, command_count> actions_{};
};

}  // namespace tessaran
