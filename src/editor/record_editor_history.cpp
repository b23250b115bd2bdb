// Undo, Redo, a kaleidoscope's history and the deleted kaleidoscopes in the
// record editor: what the collection's history allows, written through the
// window's recorder, and the collection read again.
#include "record_editor.h"

#include "change_recorder.h"
#include "history_commands.h"
#include "record_form_widget.h"

#include "core/blank_text.h"
#include "core/record_form.h"
#include "core/session.h"
#include "core/working_set.h"
#include "ui/user_dialogs.h"

namespace tessaran {

void RecordEditor::take_back_change(bool redo)
{
    if (!settle_edits() || !catch_up() || !writers_->keep_write_claim())
        return;
    show_history_write(recorder_->take_back(redo), redo ? QStringLiteral("redone") : QStringLiteral("undone"));
}

void RecordEditor::restore_deleted_kaleidoscope()
{
    if (!settle_edits() || !catch_up())
        return;
    const std::optional<DeletedKaleidoscope> gone = chosen_deleted(recorder_->history(), this);
    if (gone && writers_->keep_write_claim())
        show_history_write(recorder_->restore(*gone), QStringLiteral("restored"));
}

// The chosen version's values go on the form as unsaved changes.
CollectionHistory& RecordEditor::history()
{
    return recorder_->history();
}

void RecordEditor::show_kaleidoscope_history()
{
    if (adding()) {
        msgbox(this, QStringLiteral("This kaleidoscope has not been saved to the database, so it has no history yet."),
               MsgIcon::information);
        return;
    }
    if (!settle_edits() || !catch_up())
        return;
    const int pos = session_.ws().position();
    const std::optional<ScopeRecord> version = chosen_version(recorder_->history(), session_.ws().record_at(pos),
                                                              trim_blanks(session_.record().scopename), this);
    if (!version)
        return;
    set_form_values(form_of(*version));
    count_changes(pos);
}

void RecordEditor::show_history_write(const StepOutcome& outcome, const QString& done)
{
    if (recorder_->told(outcome, done))
        read_again(outcome.shown_record);
}

void RecordEditor::read_again(int shown_record)
{
    Session& s = session_;
    s.note_file_state();
    s.refresh_record_count();
    // The working set is built again with the selection and sort in force;
    // the kaleidoscope named is shown where it stands in it, else the first.
    // The selector sorts what it rebuilt and the remembered sort is applied
    // once more: the heapsort is not stable, so records with equal keys stand
    // in the order of that second pass, as they always have after a deletion.
    if (s.record_count() == 0 || search_->select(false) == SelectOutcome::failed) {
        s.ws().set_matches({});
        start_empty();
        return;
    }
    if (s.ws().sort_field() != SortField::none)
        search_->apply_remembered_sort();
    show_position(std::max(1, s.ws().position_of(shown_record)));
    enable_all_commands();
    refresh_caption();
}

}  // namespace tessaran
