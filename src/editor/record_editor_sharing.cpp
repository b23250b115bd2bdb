// Living beside other writers: the read-only window, the watch on the
// collection file, and reading the collection again after another program
// changed it, so that no write ever lands on a record this window did not read.
#include "limited_text_edit.h"
#include "record_editor.h"
#include "record_form_widget.h"
#include "record_search.h"

#include "core/record_changes.h"
#include "core/record_form.h"
#include "core/session.h"
#include "ui/user_dialogs.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

namespace tessaran {

bool RecordEditor::refused_read_only()
{
    const bool was_read_only = session_.read_only();
    if (!was_read_only && keep_write_claim())
        return false;
    // A window that has just lost its claim said so already.
    if (was_read_only)
        msgbox(this,
               QStringLiteral("This collection is open read-only, because it is open for changes in %1.\n"
                              "Nothing can be saved, added, deleted or imported here. To make changes, close it "
                              "there and open it here again.")
                   .arg(session_.holder()),
               MsgIcon::information);
    return true;
}

bool RecordEditor::keep_write_claim()
{
    if (session_.read_only())
        return false;
    if (session_.keep_claim())
        return true;
    form_->set_read_only();
    refresh_caption();
    msgbox(this,
           QStringLiteral("Another program replaced the collection %1, and it is now open for changes in %2.\n"
                          "This window is read-only from now on: nothing can be saved, added, deleted or "
                          "imported here. Your changes are still on screen.")
               .arg(session_.path(), session_.holder()),
           MsgIcon::exclamation);
    return false;
}

void RecordEditor::notice_outside_change()
{
    // A new file at the path is claimed at once, before another window can.
    if (session_.claim_left_behind() && !closing_)
        keep_write_claim();
    if (session_.notice_outside_change())
        refresh_caption();
}

bool RecordEditor::catch_up()
{
    if (!loaded || !session_.needs_catch_up())
        return true;
    // Edits are kept only where there are any: a record shown unchanged is
    // simply shown again from the file as it is now.
    ScopeRecord shown;
    if (!adding() && session_.shown_bytes().size() == rec_len_bytes)
        decode_record_into(session_.shown_bytes().constData(), shown);
    return reload(form_changes(form_values(), shown).count() > 0);
}

void RecordEditor::offer_reload(const QString& not_done)
{
    const QString question = QStringLiteral("The collection was changed by another program after this kaleidoscope "
                                            "was shown, so nothing has been %1.\nYour changes are still on screen.\n\n"
                                            "Reload the collection now?")
                                 .arg(not_done);
    if (msgbox(this, question, MsgIcon::exclamation, MsgButtons::yes_no) == MsgAnswer::yes)
        reload(not_done == QLatin1String("saved"));
}

bool RecordEditor::reload(bool keep_edits)
{
    Session& s = session_;
    const RecordForm edits = form_values();
    const QByteArray was = s.shown_bytes();
    const bool was_adding = adding();
    const int was_record = was_adding ? 0 : s.ws().record_at(s.ws().position());
    s.refresh_record_count();
    s.note_file_state();
    keep_write_claim();
    // The working set is built again with the selection and sort in force.
    if (search_->select(false) == SelectOutcome::failed)
        return false;
    const int found = was_adding ? 0 : s.position_holding(was);
    if (found > 0)
        show_position(found);
    const int changed = found > 0 || was_adding ? 0 : s.position_of_changed(was, was_record);
    if (changed > 0)
        show_position(changed);
    if (found > 0 || changed > 0)
        restore_colors();  // what is shown is the record as stored now
    refresh_caption();
    if (!keep_edits)
        return found > 0 || was_adding;
    if (changed > 0) {
        settle_changed_elsewhere(edits, was);
        return false;
    }
    if (found == 0) {
        if (!was_adding)
            msgbox(this,
                   QStringLiteral("The kaleidoscope you were editing is no longer in the collection; your "
                                  "changes are shown as a new kaleidoscope."));
        if (s.record_count() == 0)
            start_empty();
        else
            add_record();
    }
    set_form_values(edits);
    count_changes(s.ws().position());
    return found > 0 || was_adding;
}

void RecordEditor::settle_changed_elsewhere(const RecordForm& edits, const QByteArray& was)
{
    Session& s = session_;
    ScopeRecord before;
    decode_record_into(was.constData(), before);
    const QStringList fields = changed_field_names(before, s.record());
    const RecordForm merged = edits_over(form_values(), edits, before);
    const QString question
        = QStringLiteral("Another program changed the kaleidoscope you were editing (%1) after it was shown. It "
                         "changed: %2.\n\nYour changes are still on screen. Keep the other program's version, put "
                         "your changes over it, or save yours as a new kaleidoscope?")
              .arg(trim_blanks(s.record().scopename), fields.join(QStringLiteral(", ")));
    switch (msgbox(this, question, MsgIcon::question, MsgButtons::theirs_mine_new)) {
    case MsgAnswer::no: return;  // the other program's version is shown
    case MsgAnswer::yes:
        set_form_values(merged);
        if (count_changes(s.ws().position()) > 0)
            store_record(false);
        return;
    case MsgAnswer::ok:
        add_record();
        set_form_values(edits);
        count_changes(s.ws().position());
        store_record(false);
        return;
    case MsgAnswer::cancel:
        // Nothing decided: the changes stay on screen over the new version.
        set_form_values(merged);
        count_changes(s.ws().position());
        return;
    }
}

}  // namespace tessaran
