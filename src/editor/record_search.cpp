#include "record_search.h"

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

RecordSearch::RecordSearch(Session& session, Host& host, QWidget* window)
    : QObject(window), session_(session), host_(host), window_(window)
{ }

void RecordSearch::apply_remembered_sort()
{
    const WorkingSet::Sort sort = session_.ws().sort();
    if (sort.field == SortField::none)
        return;
    QString error;
    if (!sort_working_set(session_.path(), session_.ws(), sort.field, sort.descending, &error))
        msgbox(window_, QStringLiteral("The kaleidoscopes could not be sorted.\n") + error, MsgIcon::critical);
}

void RecordSearch::show_everything()
{
    session_.refresh_record_count();
    session_.ws().reset_to_all(session_.record_count());
    if (session_.record_count() == 0) {
        host_.start_empty();
        return;
    }
    apply_remembered_sort();
    host_.show_position(1);
}

SelectOutcome RecordSearch::select_by(const Criteria& c)
{
    session_.ws().select(c);
    return select(false);
}

SelectOutcome RecordSearch::select(bool ask)
{
    Session& s = session_;
    // What is in force now comes back when the new criteria match nothing.
    const WorkingSet::Selection saved = s.ws().selection();

    if (ask) {
        SelectDialog dialog(s.locale(), window_);
        if (dialog.exec() != QDialog::Accepted)
            return SelectOutcome::cancelled;
        if (dialog.chose_all())
            s.ws().select_everything();
        else
            s.ws().select(dialog.chosen());
    }

    if (s.ws().all()) {
        show_everything();
        return SelectOutcome::all;
    }

    const int n = session_.refresh_record_count();
    std::vector<int> retained;
    FileStatus status;
    {
        WaitCursor wait;
        ProgressWindow waiter(window_);
        waiter.start(QStringLiteral("Selecting kaleidoscope records..."), n);
        status = selector_scan(s.path(), n, s.ws().selection().criteria, retained,
                               [&waiter](int r, int) { waiter.step(r); });
        waiter.close();
    }

    if (!status) {
        s.ws().restore_selection(saved);
        msgbox(window_, QStringLiteral("The kaleidoscope records could not be selected:\n") + status.error,
               MsgIcon::critical);
        return SelectOutcome::failed;
    }

    if (!retained.empty()) {
        s.ws().set_matches(retained);
        apply_remembered_sort();
        host_.show_position(1);
        return SelectOutcome::selected;
    }

    msgbox(window_, QStringLiteral("No matching kaleidoscope records were found."), MsgIcon::information);
    find_position_ = std::min(n + 1, int(max_record_count));  // the scan ran past the end
    if (!ask) {
        // After a deletion the previous working set holds record numbers that have
        // moved, so it cannot be kept: every record is shown instead.
        s.ws().select_everything();
        show_everything();
        return SelectOutcome::no_match;
    }
    // The previous working set stays, and so do the criteria that built it, so the
    // caption, the criteria window and a later reselection all describe it.
    s.ws().restore_selection(saved);
    s.ws().note_no_match();
    host_.refresh_caption();
    return SelectOutcome::no_match;
}

void RecordSearch::find_by(const Criteria& c)
{
    session_.ws().set_find(c);
    search_from(1, FindMode::ask_criteria);
}

void RecordSearch::find(FindMode mode)
{
    if (mode == FindMode::next && !session_.ws().found()) {
        msgbox(window_, QStringLiteral("Previous find attempt produced no matches"), MsgIcon::information);
        return;
    }
    if (mode == FindMode::ask_criteria) {
        FindDialog dialog(session_.locale(), window_);
        if (dialog.exec() == QDialog::Accepted)
            find_by(dialog.chosen());
        return;
    }
    // An empty database goes straight to the end-of-file question.
    search_from(session_.record_count() == 0 ? session_.ws().count() + 1 : find_position_ + 1, mode);
}

void RecordSearch::search_from(int start, FindMode mode)
{
    Session& s = session_;
    for (;;) {
        const FindScanResult r = find_scan(s.path(), s.ws().find_criteria(), s.ws().records(), s.ws().count(), start);
        if (!r.status) {
            msgbox(window_, QStringLiteral("The kaleidoscope records could not be searched:\n") + r.status.error,
                   MsgIcon::critical);
            return;
        }
        find_position_ = std::min(r.pos, int(max_record_count));
        if (r.found) {
            s.ws().set_found(true);
            host_.show_position(r.pos);
            return;
        }
        if (mode == FindMode::ask_criteria) {
            msgbox(window_, QStringLiteral("No matching kaleidoscopes found."), MsgIcon::information, MsgButtons::ok,
                   QStringLiteral("Search criteria"));
            s.ws().set_found(false);
            return;
        }
        if (msgbox(window_, QStringLiteral("End of file reached. Begin search from the beginning?"), MsgIcon::none,
                   MsgButtons::yes_no, QStringLiteral("Search criteria"))
            != MsgAnswer::yes)
            return;  // the cursor stays past the end, so the next Find next asks again
        start = 1;
    }
}

void RecordSearch::sort()
{
    SortDialog dialog(window_);
    // The remembered sort becomes the choice, even when it is none or fails.
    if (dialog.exec() == QDialog::Accepted)
        sort_by(dialog.field(), dialog.descending());
    else if (dialog.asked_without_field())
        session_.ws().choose_sort(SortField::none);
}

bool RecordSearch::sort_by(SortField field, bool descending)
{
    session_.ws().choose_sort(field);
    QString error;
    if (!sort_working_set(session_.path(), session_.ws(), field, descending, &error)) {
        // The order stays as it was; the user learns why.
        msgbox(window_, QStringLiteral("The kaleidoscopes could not be sorted.\n") + error, MsgIcon::critical);
        return false;
    }
    host_.show_position(1);
    return true;
}

void RecordSearch::select_all()
{
    session_.ws().select_everything();
    show_everything();
}

// Right mouse button released over Select.
void RecordSearch::show_selection_criteria()
{
    SelectionCriteriaWindow window(session_.ws().selection_text(), window_);
    window.exec();
}

// Right mouse button released over Find: only once a Find has set criteria.
void RecordSearch::show_find_criteria(bool say_when_none)
{
    if (!session_.ws().find_text().isEmpty()) {
        FindCriteriaWindow window(session_.ws().find_text(), window_);
        window.exec();
    } else if (say_when_none) {
        msgbox(window_, QStringLiteral("No search has been made yet, so there are no find criteria to show."),
               MsgIcon::information);
    }
}

}  // namespace tessaran
