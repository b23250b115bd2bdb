// Select, sort, find and delete, started from the editor's buttons and menu.
#include "kaleido_search.h"

#include "frm_kaleido.h"

#include "appearance/user_dialogs.h"
#include "core/delete_record.h"
#include "core/find_scan.h"
#include "core/globalvars.h"
#include "core/record_file.h"
#include "core/selector_scan.h"
#include "core/sub_sorter.h"
#include "core/working_set.h"
#include "dialogs/criteria_dialog.h"
#include "dialogs/criteria_window.h"
#include "dialogs/frm_sort.h"
#include "dialogs/frm_waiter.h"

#include <QApplication>

#include <algorithm>

namespace tessaran {

namespace {

constexpr qint16 cancelled = -999;

// The hourglass for as long as the object lives.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Re-applies the remembered sort, if any; a failure leaves the order as it is.
void apply_remembered_sort(frm_kaleido& ed)
{
    const Globalvars& g = gv();
    if (g.sort_field == 0)
        return;
    QString error;
    if (!sort_working_set(g.sort_field, g.sort_desc, &error))
        msgbox(&ed, QStringLiteral("The kaleidoscopes could not be sorted.\n") + error, MsgIcon::critical);
}

// Every record, in the remembered order, position 1 shown (or the adding state
// when the database is empty).
void show_all_records(frm_kaleido& ed)
{
    sub_get_maxr();
    ws_reset_all();
    if (gv().rec_count == 0) {
        ed.empty_database_start();
        return;
    }
    apply_remembered_sort(ed);
    ed.fill_form(1);
}

}  // namespace

SelectOutcome selector(frm_kaleido& ed, bool show_dialog)
{
    Globalvars& g = gv();
    // What is in force now comes back when the new criteria match nothing.
    const bool saved_all = g.sel_all;
    const Criteria saved = g.sel;
    const QString saved_text = g.sel_criteria;

    if (show_dialog) {
        frm_select dialog(&ed);
        dialog.exec();
        if (dialog.sel_result() == cancelled)
            return SelectOutcome::cancelled;
    }

    if (g.sel_all) {
        show_all_records(ed);
        return SelectOutcome::all;
    }

    const int n = sub_get_maxr();
    std::vector<qint16> retained;
    FileStatus status;
    {
        WaitCursor wait;
        frm_waiter waiter(&ed);
        waiter.start(QStringLiteral("Selecting kaleidoscope records..."), n);
        status = selector_scan(g.db_path, n, g.sel, retained, [&waiter](int r, int) { waiter.step(r); }, &g.rec);
        waiter.close();
    }

    if (!status) {
        g.sel_all = saved_all;
        g.sel = saved;
        g.sel_criteria = saved_text;
        msgbox(&ed, QStringLiteral("The kaleidoscope records could not be selected:\n") + status.error,
               MsgIcon::critical);
        return SelectOutcome::failed;
    }

    if (!retained.empty()) {
        g.ws_recno.assign(1, 0);
        g.ws_recno.insert(g.ws_recno.end(), retained.begin(), retained.end());
        g.ws_count = static_cast<qint16>(retained.size());
        g.sel_matched = g.ws_count;
        apply_remembered_sort(ed);
        ed.fill_form(1);
        return SelectOutcome::selected;
    }

    msgbox(&ed, QStringLiteral("No matching kaleidoscope records were found."), MsgIcon::information);
    ed.find_pos = static_cast<qint16>(std::min(n + 1, int(max_record_count)));  // the scan ran past the end
    if (!show_dialog) {
        // After a deletion the previous working set holds record numbers that have
        // moved, so it cannot be kept: every record is shown instead.
        g.sel_all = true;
        g.sel.by_date = g.sel.by_paid = g.sel.by_retail = g.sel.by_text = false;
        show_all_records(ed);
        return SelectOutcome::no_match;
    }
    // The previous working set stays, and so do the criteria that built it, so the
    // caption, the criteria window and a later reselection all describe it.
    g.sel_all = saved_all;
    g.sel = saved;
    g.sel_criteria = saved_text;
    g.sel_matched = 0;
    ed.caption_refresh();
    return SelectOutcome::no_match;
}

void find_engine(frm_kaleido& ed)
{
    Globalvars& g = gv();
    int start = 1;
    if (g.find_mode == 1) {
        frm_find dialog(&ed);
        dialog.exec();
        if (dialog.find_result() == cancelled)
            return;
    } else {
        // An empty database goes straight to the end-of-file question.
        start = g.rec_count == 0 ? g.ws_count + 1 : ed.find_pos + 1;
    }

    for (;;) {
        const FindScanResult r = find_scan(g.db_path, g.find, g.ws_recno, g.ws_count, start, &g.rec);
        if (!r.status) {
            msgbox(&ed, QStringLiteral("The kaleidoscope records could not be searched:\n") + r.status.error,
                   MsgIcon::critical);
            return;
        }
        ed.find_pos = static_cast<qint16>(std::min(r.pos, int(max_record_count)));
        if (r.found) {
            g.find_found = true;
            ed.fill_form(r.pos);
            return;
        }
        if (g.find_mode == 1) {
            msgbox(&ed, QStringLiteral("No matching kaleidoscopes found."), MsgIcon::information, MsgButtons::ok,
                   QStringLiteral("Search criteria"));
            g.find_found = false;
            return;
        }
        if (msgbox(&ed, QStringLiteral("End of file reached. Begin search from the beginning?"), MsgIcon::none,
                   MsgButtons::yes_no, QStringLiteral("Search criteria")) != MsgAnswer::yes)
            return;  // the cursor stays past the end, so the next Find next asks again
        start = 1;
    }
}

void frm_kaleido::cmd_select_Click()
{
    if (!settle_edits())
        return;
    selector(*this, true);
}

void frm_kaleido::cmd_sort_Click()
{
    if (!settle_edits())
        return;
    frm_sort dialog(this);
    dialog.exec();
    if (dialog.sorted())
        fill_form(1);
}

void frm_kaleido::cmd_find_Click()
{
    if (!settle_edits())
        return;
    gv().find_mode = 1;
    find_engine(*this);
}

void frm_kaleido::cmd_findnxt_Click()
{
    if (!settle_edits())
        return;
    if (!gv().find_found) {
        msgbox(this, QStringLiteral("Previous find attempt produced no matches"), MsgIcon::information);
        return;
    }
    gv().find_mode = 2;
    find_engine(*this);
}

// The shown record is deleted as stored; edits on screen are not compared first.
void frm_kaleido::cmd_del_Click()
{
    Globalvars& g = gv();
    if (adding() || g.ws_pos < 1 || g.ws_pos >= int(g.ws_recno.size())) {
        // Nothing of a record being added is in the file yet.
        msgbox(this, QStringLiteral("This kaleidoscope has not been saved to the database, so there is nothing to delete."),
               MsgIcon::information);
        return;
    }
    if (msgbox(this, QStringLiteral("Are you sure you want to delete this kaleidoscope from the database?"),
               MsgIcon::critical, MsgButtons::yes_no) != MsgAnswer::yes)
        return;

    const int pos = g.ws_pos;
    FileStatus status;
    {
        WaitCursor wait;
        status = delete_record_file(g.db_path, g.ws_recno[size_t(pos)]);
    }
    if (!told_write_outcome(status, QStringLiteral("The kaleidoscope could not be deleted from the database file "),
                            QStringLiteral("\nThe database has not been changed.")))
        return;

    sub_get_maxr();
    if (g.rec_count > 0) {
        msgbox(this, QStringLiteral("Record ") + QString::number(pos)
                         + QStringLiteral(" has been deleted from the database.\n")
                         + QStringLiteral("Records will now be reselected and resorted."));
        // The selector sorts what it rebuilt; the remembered sort is then applied
        // once more. The heapsort is not stable, so records with equal keys stand
        // in the order of that second pass.
        if (selector(*this, false) != SelectOutcome::failed && g.rec_count > 0 && g.sort_field != 0) {
            apply_remembered_sort(*this);
            fill_form(1);
        }
        return;
    }
    msgbox(this, QStringLiteral("There are no records in current database"));
    // No record numbers are left to walk.
    g.ws_recno.assign(1, 0);
    g.ws_count = 0;
    g.sel_matched = 0;
    empty_database_start();
}

// Right mouse button released over cmd_select.
void frm_kaleido::select_right_clicked()
{
    frm_selcrit window(this);
    window.exec();
}

// Right mouse button released over cmd_find: only once a Find has set criteria.
void frm_kaleido::find_right_clicked()
{
    if (gv().find_criteria.isEmpty())
        return;
    frm_findcrit window(this);
    window.exec();
}

}  // namespace tessaran
