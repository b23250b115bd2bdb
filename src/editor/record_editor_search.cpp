// Select, sort, find and delete, started from the editor's buttons and menu.
#include "record_editor_search.h"

#include "record_editor.h"

#include "core/delete_record.h"
#include "core/find_scan.h"
#include "core/record_file.h"
#include "core/selector_scan.h"
#include "core/session.h"
#include "core/sorting.h"
#include "core/working_set.h"
#include "dialogs/criteria_dialog.h"
#include "dialogs/criteria_window.h"
#include "dialogs/sort_dialog.h"
#include "ui/progress_window.h"
#include "ui/user_dialogs.h"
#include "ui/wait_cursor.h"

#include <QApplication>

#include <algorithm>

namespace tessaran {

// Re-applies the remembered sort, if any; a failure leaves the order as it is.
void RecordEditor::apply_remembered_sort()
{
    const WorkingSet::Sort sort = session_.ws().sort();
    if (sort.field == 0)
        return;
    QString error;
    if (!sort_working_set(session_.path(), session_.ws(), sort.field, sort.descending, &error))
        msgbox(this, QStringLiteral("The kaleidoscopes could not be sorted.\n") + error, MsgIcon::critical);
}

// Every record, in the remembered order, position 1 shown (or the adding state
// when the database is empty).
void RecordEditor::show_all_records()
{
    session_.refresh_record_count();
    session_.ws().reset_to_all(session_.record_count());
    if (session_.record_count() == 0) {
        start_empty();
        return;
    }
    apply_remembered_sort();
    show_position(1);
}

SelectOutcome RecordEditor::select_by(const Criteria& c)
{
    session_.ws().select(c);
    return run_selection(false);
}

SelectOutcome RecordEditor::run_selection(bool show_dialog)
{
    Session& s = session_;
    // What is in force now comes back when the new criteria match nothing.
    const WorkingSet::Selection saved = s.ws().selection();

    if (show_dialog) {
        SelectDialog dialog(s.locale(), this);
        if (dialog.exec() != QDialog::Accepted)
            return SelectOutcome::cancelled;
        if (dialog.chose_all())
            s.ws().select_everything();
        else
            s.ws().select(dialog.chosen());
    }

    if (s.ws().all()) {
        show_all_records();
        return SelectOutcome::all;
    }

    const int n = session_.refresh_record_count();
    std::vector<int> retained;
    FileStatus status;
    {
        WaitCursor wait;
        ProgressWindow waiter(this);
        waiter.start(QStringLiteral("Selecting kaleidoscope records..."), n);
        status = selector_scan(s.path(), n, s.ws().selection().criteria, retained,
                               [&waiter](int r, int) { waiter.step(r); });
        waiter.close();
    }

    if (!status) {
        s.ws().restore_selection(saved);
        msgbox(this, QStringLiteral("The kaleidoscope records could not be selected:\n") + status.error,
               MsgIcon::critical);
        return SelectOutcome::failed;
    }

    if (!retained.empty()) {
        s.ws().set_matches(retained);
        apply_remembered_sort();
        show_position(1);
        return SelectOutcome::selected;
    }

    msgbox(this, QStringLiteral("No matching kaleidoscope records were found."), MsgIcon::information);
    find_position_ = std::min(n + 1, int(max_record_count));  // the scan ran past the end
    if (!show_dialog) {
        // After a deletion the previous working set holds record numbers that have
        // moved, so it cannot be kept: every record is shown instead.
        s.ws().select_everything();
        show_all_records();
        return SelectOutcome::no_match;
    }
    // The previous working set stays, and so do the criteria that built it, so the
    // caption, the criteria window and a later reselection all describe it.
    s.ws().restore_selection(saved);
    s.ws().note_no_match();
    refresh_caption();
    return SelectOutcome::no_match;
}

void RecordEditor::find_by(const Criteria& c)
{
    session_.ws().set_find(c);
    search_from(1, FindMode::ask_criteria);
}

void RecordEditor::run_find(FindMode mode)
{
    if (mode == FindMode::ask_criteria) {
        FindDialog dialog(session_.locale(), this);
        if (dialog.exec() == QDialog::Accepted)
            find_by(dialog.chosen());
        return;
    }
    // An empty database goes straight to the end-of-file question.
    search_from(session_.record_count() == 0 ? session_.ws().count() + 1 : find_position() + 1, mode);
}

void RecordEditor::search_from(int start, FindMode mode)
{
    Session& s = session_;
    for (;;) {
        const FindScanResult r = find_scan(s.path(), s.ws().find_criteria(), s.ws().records(), s.ws().count(), start);
        if (!r.status) {
            msgbox(this, QStringLiteral("The kaleidoscope records could not be searched:\n") + r.status.error,
                   MsgIcon::critical);
            return;
        }
        find_position_ = std::min(r.pos, int(max_record_count));
        if (r.found) {
            s.ws().set_found(true);
            show_position(r.pos);
            return;
        }
        if (mode == FindMode::ask_criteria) {
            msgbox(this, QStringLiteral("No matching kaleidoscopes found."), MsgIcon::information, MsgButtons::ok,
                   QStringLiteral("Search criteria"));
            s.ws().set_found(false);
            return;
        }
        if (msgbox(this, QStringLiteral("End of file reached. Begin search from the beginning?"), MsgIcon::none,
                   MsgButtons::yes_no, QStringLiteral("Search criteria"))
            != MsgAnswer::yes)
            return;  // the cursor stays past the end, so the next Find next asks again
        start = 1;
    }
}

void RecordEditor::select_records()
{
    if (!settle_edits())
        return;
    run_selection(true);
}

void RecordEditor::sort_records()
{
    if (!settle_edits())
        return;
    SortDialog dialog(this);
    const bool chosen = dialog.exec() == QDialog::Accepted;
    // The remembered sort becomes the choice, even when it is none or fails.
    if (!chosen) {
        if (dialog.asked_without_field())
            session_.ws().choose_sort(0);
        return;
    }
    sort_by(dialog.field(), dialog.descending());
}

bool RecordEditor::sort_by(int field, bool descending)
{
    session_.ws().choose_sort(field);
    QString error;
    if (!sort_working_set(session_.path(), session_.ws(), field, descending, &error)) {
        // The order stays as it was; the user learns why.
        msgbox(this, QStringLiteral("The kaleidoscopes could not be sorted.\n") + error, MsgIcon::critical);
        return false;
    }
    show_position(1);
    return true;
}

void RecordEditor::select_all()
{
    session_.ws().select_everything();
    show_all_records();
}

void RecordEditor::find_records()
{
    if (!settle_edits())
        return;
    run_find(FindMode::ask_criteria);
}

void RecordEditor::find_next()
{
    if (!settle_edits())
        return;
    if (!session_.ws().found()) {
        msgbox(this, QStringLiteral("Previous find attempt produced no matches"), MsgIcon::information);
        return;
    }
    run_find(FindMode::next);
}

// The shown record is deleted as stored; edits on screen are not compared first.
void RecordEditor::delete_record()
{
    Session& s = session_;
    // The record to delete is the one shown as the file holds it now; one
    // that another program changed or removed is not deleted unseen.
    if (!catch_up()) {
        msgbox(this,
               QStringLiteral("The kaleidoscope shown was changed or removed by another program, so nothing has been "
                              "deleted. The collection has been read again."),
               MsgIcon::exclamation);
        return;
    }
    if (adding() || s.ws().position() < 1 || s.ws().position() >= int(s.ws().records().size())) {
        // Nothing of a record being added is in the file yet.
        msgbox(this,
               QStringLiteral("This kaleidoscope has not been saved to the database, so there is nothing to delete."),
               MsgIcon::information);
        return;
    }
    if (msgbox(this, QStringLiteral("Are you sure you want to delete this kaleidoscope from the database?"),
               MsgIcon::critical, MsgButtons::yes_no)
        != MsgAnswer::yes)
        return;

    const int pos = s.ws().position();
    // Nothing is removed that this window did not read: another program may
    // have moved the records since this one was shown.
    if (!keep_write_claim())
        return;
    if (!s.unchanged_since_shown(s.ws().records()[size_t(pos)])) {
        offer_reload(QStringLiteral("deleted"));
        return;
    }
    FileStatus status;
    {
        WaitCursor wait;
        status = delete_record_file(s.path(), s.ws().records()[size_t(pos)]);
    }
    if (!told_write_outcome(status, QStringLiteral("The kaleidoscope could not be deleted from the database file "),
                            QStringLiteral("\nThe database has not been changed.")))
        return;
    s.note_file_state();

    session_.refresh_record_count();
    if (s.record_count() > 0) {
        msgbox(this,
               QStringLiteral("Record ") + QString::number(pos)
                   + QStringLiteral(" has been deleted from the database.\n")
                   + QStringLiteral("Records will now be reselected and resorted."));
        // The selector sorts what it rebuilt; the remembered sort is then applied
        // once more. The heapsort is not stable, so records with equal keys stand
        // in the order of that second pass.
        if (run_selection(false) != SelectOutcome::failed && s.record_count() > 0 && s.ws().sort_field() != 0) {
            apply_remembered_sort();
            show_position(1);
        }
        return;
    }
    msgbox(this, QStringLiteral("There are no records in current database"));
    // No record numbers are left to walk.
    s.ws().set_matches({});
    start_empty();
}

// Right mouse button released over Select.
void RecordEditor::show_selection_criteria()
{
    SelectionCriteriaWindow window(session_.ws().selection_text(), this);
    window.exec();
}

// Right mouse button released over Find: only once a Find has set criteria.
void RecordEditor::show_find_criteria()
{
    if (session_.ws().find_text().isEmpty())
        return;
    FindCriteriaWindow window(session_.ws().find_text(), this);
    window.exec();
}

}  // namespace tessaran
