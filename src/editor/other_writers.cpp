#include "other_writers.h"
#include "record_search.h"

#include "core/record_changes.h"
#include "core/record_form.h"
#include "core/session.h"
#include "ui/user_dialogs.h"

#include <QWidget>

namespace tessaran {

OtherWriters::OtherWriters(Session& session, Host& host, RecordSearch& search, QWidget* window)
    : QObject(window), session_(session), host_(host), search_(search), window_(window)
{ }

bool OtherWriters::refused_read_only()
{
    const bool was_read_only = session_.read_only();
    if (!was_read_only && keep_write_claim())
        return false;
    // A window that has just lost its claim said so already.
    if (was_read_only)
        msgbox(window_,
               QStringLiteral("This collection is open read-only, because it is open for changes in %1.\n"
                              "Nothing can be saved, added, deleted or imported here. To make changes, close it "
                              "there and open it here again.")
                   .arg(session_.holder()),
               MsgIcon::information);
    return true;
}

bool OtherWriters::keep_write_claim()
{
    if (session_.read_only())
        return false;
    if (session_.keep_claim())
        return true;
    host_.make_read_only();
    host_.refresh_caption();
    msgbox(window_,
           QStringLiteral("Another program replaced the collection %1, and it is now open for changes in %2.\n"
                          "This window is read-only from now on: nothing can be saved, added, deleted or "
                          "imported here. Your changes are still on screen.")
               .arg(session_.path(), session_.holder()),
           MsgIcon::exclamation);
    return false;
}

void OtherWriters::notice_outside_change(bool closing)
{
    // A new file at the path is claimed at once, before another window can.
    if (session_.claim_left_behind() && !closing)
        keep_write_claim();
    if (session_.notice_outside_change())
        host_.refresh_caption();
}

bool OtherWriters::catch_up()
{
    if (!session_.needs_catch_up())
        return true;
    // Edits are kept only where there are any: a record shown unchanged is
    // simply shown again from the file as it is now.
    ScopeRecord shown;
    if (!host_.adding() && session_.shown_bytes().size() == rec_len_bytes)
        decode_record_into(session_.shown_bytes().constData(), shown);
    return reload(form_changes(host_.form_values(), shown).count() > 0);
}

void OtherWriters::offer_reload(const QString& not_done)
{
    const QString question = QStringLiteral("The collection was changed by another program after this kaleidoscope "
                                            "was shown, so nothing has been %1.\nYour changes are still on screen.\n\n"
                                            "Reload the collection now?")
                                 .arg(not_done);
    if (msgbox(window_, question, MsgIcon::exclamation, MsgButtons::yes_no) == MsgAnswer::yes)
        reload(not_done == QLatin1String("saved"));
}

bool OtherWriters::reload(bool keep_edits)
{
    Session& s = session_;
    const RecordForm edits = host_.form_values();
    const QByteArray was = s.shown_bytes();
    const bool was_adding = host_.adding();
    const int was_record = was_adding ? 0 : s.ws().record_at(s.ws().position());
    s.refresh_record_count();
    s.note_file_state();
    keep_write_claim();
    // The working set is built again with the selection and sort in force.
    if (search_.select(false) == SelectOutcome::failed)
        return false;
    const int found = was_adding ? 0 : s.position_holding(was);
    if (found > 0)
        host_.show_position(found);
    const int changed = found > 0 || was_adding ? 0 : s.position_of_changed(was, was_record);
    if (changed > 0)
        host_.show_position(changed);
    if (found > 0 || changed > 0)
        host_.restore_colors();  // what is shown is the record as stored now
    host_.refresh_caption();
    if (!keep_edits)
        return found > 0 || was_adding;
    if (changed > 0) {
        settle_changed_elsewhere(edits, was);
        return false;
    }
    if (found == 0) {
        if (!was_adding)
            msgbox(window_,
                   QStringLiteral("The kaleidoscope you were editing is no longer in the collection; your "
                                  "changes are shown as a new kaleidoscope."));
        if (s.record_count() == 0)
            host_.start_empty();
        else
            host_.add_record();
    }
    host_.set_form_values(edits);
    host_.count_changes(s.ws().position());
    return found > 0 || was_adding;
}

void OtherWriters::settle_changed_elsewhere(const RecordForm& edits, const QByteArray& was)
{
    Session& s = session_;
    ScopeRecord before;
    decode_record_into(was.constData(), before);
    const QStringList fields = changed_field_names(before, s.record());
    const RecordForm merged = edits_over(host_.form_values(), edits, before);
    const QString question
        = QStringLiteral("Another program changed the kaleidoscope you were editing (%1) after it was shown. It "
                         "changed: %2.\n\nYour changes are still on screen. Keep the other program's version, put "
                         "your changes over it, or save yours as a new kaleidoscope?")
              .arg(trim_blanks(s.record().scopename), fields.join(QStringLiteral(", ")));
    switch (msgbox(window_, question, MsgIcon::question, MsgButtons::theirs_mine_new)) {
    case MsgAnswer::no: return;  // the other program's version is shown
    case MsgAnswer::yes:
        host_.set_form_values(merged);
        if (host_.count_changes(s.ws().position()) > 0)
            host_.store_record(false);
        return;
    case MsgAnswer::ok:
        host_.add_record();
        host_.set_form_values(edits);
        host_.count_changes(s.ws().position());
        host_.store_record(false);
        return;
    case MsgAnswer::cancel:
        // Nothing decided: the changes stay on screen over the new version.
        host_.set_form_values(merged);
        host_.count_changes(s.ws().position());
        return;
    }
}

}  // namespace tessaran
