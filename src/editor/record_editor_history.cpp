// Undo and Redo in the record editor: what the collection's history allows,
// taken back through the window's recorder, and the collection read again.
#include "record_editor.h"

#include "change_recorder.h"
#include "editor_commands.h"

#include "core/session.h"
#include "core/working_set.h"
#include "ui/user_dialogs.h"

#include <QAction>

namespace tessaran {

void RecordEditor::refresh_history_commands()
{
    const std::pair<Command, bool> items[] = {{Command::undo, false}, {Command::redo, true}};
    for (const auto& [command, redo] : items) {
        QAction* a = commands_->action(command);
        const QString text = session_.read_only() ? QString() : recorder_->next_text(redo);
        a->setText(text.isEmpty() ? (redo ? QStringLiteral("&Redo") : QStringLiteral("U&ndo")) : text);
        a->setEnabled(!text.isEmpty());
    }
}

void RecordEditor::take_back_change(bool redo)
{
    if (!settle_edits() || !catch_up() || !writers_->keep_write_claim())
        return;
    const StepOutcome outcome = recorder_->take_back(redo);
    if (!outcome.refusal.isEmpty()) {
        msgbox(this, outcome.refusal, MsgIcon::information);
        return;
    }
    if (!outcome.done) {
        told_write_outcome(outcome.written, redo ? QStringLiteral("The change could not be redone in the database file ")
                                                 : QStringLiteral("The change could not be undone in the database file "),
                           QStringLiteral("\nThe database has not been changed."));
        return;
    }
    Session& s = session_;
    s.note_file_state();
    s.refresh_record_count();
    if (s.record_count() == 0) {
        s.ws().set_matches({});
        start_empty();
        return;
    }
    // The working set is built again with the selection and sort in force;
    // the kaleidoscope the change put back is shown where it stands in it.
    if (search_->select(false) == SelectOutcome::failed)
        return;
    if (s.ws().sort_field() != SortField::none)
        search_->apply_remembered_sort();
    int shown = 1;
    for (int p = 1; p <= s.ws().count(); ++p)
        if (s.ws().record_at(p) == outcome.shown_record)
            shown = p;
    show_position(shown);
    enable_all_commands();
    refresh_caption();
}

}  // namespace tessaran
