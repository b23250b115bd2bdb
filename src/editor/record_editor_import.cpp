// Importing kaleidoscopes, finding missing pictures and changing a field of
// many: the collection read again after the command wrote it; and the check
// before the working set is read.
#include "record_editor.h"

#include "change_recorder.h"
#include "collection_commands.h"
#include "collection_list_dock.h"
#include "collection_list_window.h"
#include "picture_strip.h"

#include "core/record_import.h"
#include "core/session.h"
#include "core/sorting.h"
#include "core/working_set.h"
#include "ui/user_dialogs.h"

namespace tessaran {

bool RecordEditor::working_set_ready()
{
    if (!settle_edits())
        return false;
    if (session_.ws().matched() == 0) {
        msgbox(this, QStringLiteral("Last select operation returned no matching kaleidoscope records"),
               MsgIcon::critical);
        return false;
    }
    return true;
}

void RecordEditor::import_records()
{
    if (!settle_edits())
        return;
    const bool was_empty = session_.record_count() == 0;
    ImportCount count;
    if (!import_kaleidoscopes(
            session_.path(), this, [this] { return writers_->keep_write_claim(); }, *recorder_, count))
        return;
    session_.note_file_state();
    // As a freshly opened database: every record, sorted by artist.
    session_.refresh_record_count();
    session_.ws().reset_to_all(session_.record_count());
    QString error;
    if (!sort_working_set(session_.path(), session_.ws(), SortField::artist, false, &error))
        msgbox(this, error, MsgIcon::critical);
    show_position(1);
    if (was_empty)
        enable_all_commands();
    msgbox(
        this,
        QStringLiteral("%1 kaleidoscopes were imported; %2 rows were skipped.").arg(count.imported).arg(count.refused),
        MsgIcon::none, MsgButtons::ok, QStringLiteral("Import kaleidoscopes"));
}

bool RecordEditor::offer_missing_pictures_search()
{
    if (missing_pictures_offered_ || session_.read_only())
        return false;
    missing_pictures_offered_ = true;
    if (!missing_pictures_search_wanted(session_.path(), this))
        return false;
    find_missing_pictures();
    return true;
}

void RecordEditor::find_missing_pictures()
{
    missing_pictures_offered_ = true;
    const auto may_write = [this] { return catch_up() && writers_->keep_write_claim(); };
    if (settle_edits() && tessaran::find_missing_pictures(session_.path(), this, may_write, recorder_->recorded()))
        pictures_stored();
}

void RecordEditor::pictures_stored()
{
    session_.note_file_state();
    if (!adding()) {
        strip_->close_all_viewers();
        show_position(session_.ws().position());
    }
}

void RecordEditor::change_field()
{
    if (!working_set_ready())
        return;
    // The group current in the collection list is the one offered first.
    const auto [group, value]
        = list_dock_ ? list_dock_->list()->current_group() : std::pair(GroupField::none, QString());
    const auto may_write = [this] {
        catch_up();
        return writers_->keep_write_claim();
    };
    change_field_of_many(
        session_.path(), [this] { return session_.ws().positions(); }, group, value, this, may_write,
        recorder_->recorded(), [this] { read_again(session_.ws().record_at(session_.ws().position())); });
}

}  // namespace tessaran
