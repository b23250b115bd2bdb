// Saving and deleting a record: validation of the typed fields, the difference test with its
// highlight, the confirmation, the write and the re-read; and the question
// asked before a command leaves a record whose fields were changed.
#include "collection_commands.h"
#include "limited_text_edit.h"
#include "picture_strip.h"
#include "record_editor.h"

#include "change_recorder.h"
#include "record_form_widget.h"
#include "record_search.h"

#include "appearance/scheme_paint.h"
#include "core/delete_record.h"
#include "core/field_text.h"
#include "core/money.h"
#include "core/record_file.h"
#include "core/record_form.h"
#include "core/save_checks.h"
#include "core/session.h"
#include "core/working_set.h"
#include "ui/user_dialogs.h"
#include "ui/wait_cursor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tessaran {

int RecordEditor::count_changes(int pos)
{
    // A new record is compared with an empty one, whatever a scan left in the buffer.
    if (const FileStatus st = session_.read_at(pos); !st) {
        msgbox(this,
               QStringLiteral("Kaleidoscope number ") + QString::number(pos)
                   + QStringLiteral(" could not be read from the database:\n") + st.error,
               MsgIcon::critical, MsgButtons::ok);
        return -1;
    }
    const FormChanges changes = form_changes(form_values(), session_.record());
    form_->mark_changes(changes);
    // An entry that is no amount differs from any stored amount, so the
    // user's edits are never dropped without the question; it is told too.
    const auto tell_unreadable = [&](Member m, bool unreadable, const char* message) {
        if (!unreadable)
            return;
        msgbox(this, QString::fromLatin1(message), MsgIcon::critical, MsgButtons::ok);
        form_->field(m)->setFocus();
    };
    tell_unreadable(m_price_paid, changes.price_paid_unreadable, "Invalid entry for purchase price field!");
    tell_unreadable(m_price_retail, changes.price_retail_unreadable, "Invalid entry for retail price field!");
    strip_->mark_changed(changes.picture_slots, scheme_color(color_changed_data));
    return changes.count();
}

RecordForm RecordEditor::form_values() const
{
    RecordForm form = form_->values();
    form.pictures = strip_->pictures();
    return form;
}

void RecordEditor::set_form_values(const RecordForm& form)
{
    form_->set_values(form);
    strip_->set_pictures(form.pictures);
}

void RecordEditor::discard_changes()
{
    if (adding()) {
        // Nothing stored yet: the empty form is what the file "holds".
        clear_form();
        session_.start_new_record();
    } else {
        show_position(session_.ws().position());
    }
    restore_colors();
}

bool RecordEditor::settle_edits()
{
    if (!loaded)
        return true;
    catch_up();
    const int changes = count_changes(session_.ws().position());
    if (changes <= 0)
        return true;  // nothing differs, or the stored record is gone and cannot be compared
    if (session_.read_only()) {
        // A pick list can still be changed here, but never saved.
        if (msgbox(this,
                   QStringLiteral("This collection is open read-only, so the changes highlighted cannot be saved. "
                                  "Do you want to discard them?"),
                   MsgIcon::question, MsgButtons::yes_no)
            != MsgAnswer::yes)
            return false;
        discard_changes();
        return true;
    }
    const MsgAnswer answer = msgbox(
        this,
        QStringLiteral("Kaleidoscope data has been changed. Changes are highlighted")
            + QStringLiteral(" and/or images have been removed. Do you want to save these changes to this record?"),
        MsgIcon::question, MsgButtons::yes_no);
    if (answer == MsgAnswer::yes)
        return store_record(false);
    discard_changes();
    return true;
}

bool RecordEditor::told_write_outcome(const FileStatus& st, const QString& failed, const QString& after)
{
    return tessaran::told_write_outcome(this, st, session_.path(), failed, after);
}

bool RecordEditor::store_record(bool confirm)
{
    Session& s = session_;
    if (writers_->refused_read_only() || !form_->entries_acceptable())
        return false;
    restore_colors();
    const int count_before = s.refresh_record_count();
    const bool is_new = s.ws().position() > count_before;
    if (is_new && count_before >= max_record_count) {
        refuse_full_database();
        return false;
    }

    if (count_before > 0) {
        const int changes = count_changes(s.ws().position());
        if (changes < 0)
            return false;
        if (changes == 0) {
            msgbox(this, QStringLiteral("No changes have been made to the displayed kaleidoscope"), MsgIcon::none,
                   MsgButtons::ok, QStringLiteral("Save Scope Data"));
            return false;
        }
    } else {
        s.start_new_record();
    }

    if (confirm
        && msgbox(this, QStringLiteral("Are you sure you want to add this kaleidoscope to the database?"),
                  MsgIcon::none, MsgButtons::yes_no, QStringLiteral("Save MS"))
            != MsgAnswer::yes) {
        restore_colors();
        return false;
    }

    // A copy of the buffer, so that a failed write leaves it as read.
    const ScopeRecord r = record_from_form(form_values(), s.record());

    const int pos = s.ws().position();
    if (pos < 1 || pos >= int(s.ws().records().size()))
        return false;
    const int recno = s.ws().records()[std::size_t(pos)];
    // Another program may have changed the file since this record was shown:
    // nothing is written over a record this window did not read.
    if (!writers_->keep_write_claim())
        return false;
    if (!s.unchanged_since_shown(pos > count_before ? 0 : recno)) {
        writers_->offer_reload(QStringLiteral("saved"));
        return false;
    }
    const std::vector<RecordChange> touched{
        {is_new ? 0 : recno, recno, is_new ? QByteArray() : s.shown_bytes(), encode_record(r)}};
    const FileStatus st = recorder_->write(is_new ? ChangeKind::add : ChangeKind::save, touched,
                                           [&] { return write_keeping_tail(this, s.path(), recno, r, is_new); });
    if (!st)
        s.refresh_record_count();
    if (!told_write_outcome(st, QStringLiteral("The kaleidoscope could not be saved to the database file ")))
        return false;
    s.keep_written(r);
    s.note_file_state();

    msgbox(this, QStringLiteral("Kaleidoscope number ") + QString::number(pos) + QStringLiteral(" saved to database"),
           MsgIcon::none, MsgButtons::ok, QStringLiteral("Scope saved"));
    if (pos > count_before)
        s.ws().append_current();
    s.refresh_record_count();
    show_position(pos);
    if (s.record_count() == 1)
        enable_all_commands();
    refresh_caption();
    restore_colors();
    return true;
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
    if (!writers_->keep_write_claim())
        return;
    if (!s.unchanged_since_shown(s.ws().records()[size_t(pos)])) {
        writers_->offer_reload(QStringLiteral("deleted"));
        return;
    }
    FileStatus status;
    {
        WaitCursor wait;
        const int recno = s.ws().records()[size_t(pos)];
        status = recorder_->write(ChangeKind::remove, {{recno, 0, s.shown_bytes(), QByteArray()}},
                                  [&] { return delete_record_file(s.path(), recno); });
    }
    if (!told_write_outcome(status, QStringLiteral("The kaleidoscope could not be deleted from the database file "),
                            QStringLiteral("\nThe database has not been changed.")))
        return;
    // The records after it have moved: the working set is built again and
    // its first kaleidoscope shown.
    msgbox(this,
           whole_record_count(s.path()) > 0 ? QStringLiteral("Record %1 has been deleted from the database.\n"
                                                             "Records will now be reselected and resorted.")
                                                  .arg(pos)
                                            : QStringLiteral("There are no records in current database"));
    read_again(0);
}

}  // namespace tessaran
