// Living beside other writers: the read-only window, the watch on the
// collection file, and reading the collection again after another program
// changed it, so that no write ever lands on a record this window did not read.
#include "limited_text_edit.h"
#include "record_editor.h"
#include "record_editor_search.h"

#include "core/record_form.h"
#include "core/session.h"
#include "ui/user_dialogs.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLineEdit>

namespace tessaran {

bool RecordEditor::refused_read_only()
{
    if (!session().read_only)
        return false;
    msgbox(this,
           QStringLiteral("This collection is open read-only, because it is open for changes in %1.\n"
                          "Nothing can be saved, added, deleted or imported here. To make changes, close it "
                          "there and open it here again.")
               .arg(session().holder),
           MsgIcon::information);
    return true;
}

void RecordEditor::make_fields_read_only()
{
    for (QWidget* field : text_fields_) {
        if (auto* line = qobject_cast<QLineEdit*>(field))
            line->setReadOnly(true);
        else if (auto* text = qobject_cast<QPlainTextEdit*>(field))
            text->setReadOnly(true);
        else if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
            combo->lineEdit()->setReadOnly(true);
    }
    for (QLineEdit* price : {tb_price_paid, tb_price_retail})
        price->setReadOnly(true);
}

void RecordEditor::watch_collection()
{
    // The folder too: a save elsewhere puts a new file in the collection's
    // place, and the watch on the old one ends with it.
    watcher_ = new QFileSystemWatcher(this);
    watcher_->addPath(QFileInfo(session().path).absolutePath());
    watcher_->addPath(session().path);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &RecordEditor::notice_outside_change);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &RecordEditor::notice_outside_change);
}

void RecordEditor::notice_outside_change()
{
    Session& s = session();
    if (!watcher_->files().contains(s.path) && QFileInfo::exists(s.path))
        watcher_->addPath(s.path);
    // This window's own writes were noted when it made them.
    if (s.changed_elsewhere || !s.file_changed_since_noted())
        return;
    s.changed_elsewhere = true;
    refresh_caption();
}

bool RecordEditor::catch_up()
{
    Session& s = session();
    if (!loaded || (!s.changed_elsewhere && !s.file_changed_since_noted()))
        return true;
    // Edits are kept only where there are any: a record shown unchanged is
    // simply shown again from the file as it is now.
    ScopeRecord shown;
    if (!adding() && s.shown_bytes.size() == rec_len_bytes)
        decode_record_into(s.shown_bytes.constData(), shown);
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
    Session& s = session();
    const RecordForm edits = form_values();
    const QByteArray was = s.shown_bytes;
    const bool was_adding = adding();
    s.refresh_record_count();
    s.note_file_state();
    // A program told to write anyway put a new file in place: the claim to be
    // the one writer moves to it.
    if (s.lock && !s.lock->on_current_file() && s.lock->take(s.path) != LockOutcome::taken)
        s.lock.reset();
    // The working set is built again with the selection and sort in force.
    if (selector(*this, false) == SelectOutcome::failed)
        return false;
    const int found = was_adding ? 0 : s.position_holding(was);
    if (found > 0)
        show_position(found);
    refresh_caption();
    if (!keep_edits)
        return found > 0 || was_adding;
    if (found == 0) {
        if (!was_adding)
            msgbox(this,
                   QStringLiteral("The kaleidoscope you were editing is no longer in the collection; your "
                                  "changes are shown as a new kaleidoscope."));
        if (s.record_count == 0)
            start_empty();
        else
            add_record();
    }
    set_form_values(edits);
    count_changes(s.ws.position);
    return found > 0 || was_adding;
}

}  // namespace tessaran
