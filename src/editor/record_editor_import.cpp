// Summaries, record sheets, statistics and importing, started from the editor's menu.
#include "record_editor.h"

#include "core/program_files.h"
#include "core/record_file.h"
#include "core/record_import.h"
#include "core/session.h"
#include "core/sorting.h"
#include "core/working_set.h"
#include "dialogs/import_preview.h"
#include "dialogs/record_sheet_dialog.h"
#include "dialogs/summary_choice_dialog.h"
#include "reports/record_sheet.h"
#include "reports/statistics_window.h"
#include "reports/summary_window.h"
#include "ui/user_dialogs.h"
#include "ui/wait_cursor.h"

#include <QFile>

#include <malloc.h>

namespace tessaran {

bool RecordEditor::working_set_ready()
{
    if (!settle_edits())
        return false;
    if (session_.ws.matched == 0) {
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
    const QString path
        = user_dialogs().open_file(this, QStringLiteral("Import kaleidoscopes"), documents_folder(),
                                   {QStringLiteral("CSV (*.csv *.txt)"), QStringLiteral("JSON lines (*.jsonl *.json)"),
                                    QStringLiteral("All files (*)")});
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        msgbox(this, QStringLiteral("The file ") + path + QStringLiteral(" cannot be read:\n") + file.errorString(),
               MsgIcon::critical);
        return;
    }
    Session& s = session_;
    const bool was_empty = s.record_count == 0;
    ImportCount count;
    {
        ImportPreview preview(path, file.readAll(), s.path, this);
        file.close();
        if (!preview.error().isEmpty()) {
            msgbox(this,
                   QStringLiteral("The file ") + path + QStringLiteral(" cannot be imported:\n") + preview.error(),
                   MsgIcon::critical);
            return;
        }
        if (preview.exec() != QDialog::Accepted || !keep_write_claim())
            return;
        WaitCursor wait;
        FileStatus st;
        if (preview.prepared().ready()) {
            // Written while the preview was shown: it only takes its place.
            st = preview.prepared().commit();
            count = preview.prepared().count();
        } else {
            // The collection changed meanwhile (or is written in place): the
            // rows are read, checked and written again, from the file the
            // preview showed.
            QByteArray bytes;
            if (!preview.read_again(bytes).isEmpty()) {
                msgbox(this,
                       QStringLiteral("The file %1 changed after the preview was made, so nothing has been "
                                      "imported. Import it again to see it as it is now.")
                           .arg(path),
                       MsgIcon::exclamation);
                return;
            }
            ImportReader reader(std::move(bytes));
            st = append_import(s.path, reader, preview.targets(), false, count);
        }
        if (!told_write_outcome(st, QStringLiteral("The kaleidoscopes could not be added to the database file "),
                                QStringLiteral("\nThe database has not been changed.")))
            return;
        s.note_file_state();
    }
    const int imported = count.imported;
    const int skipped = count.refused;
    // The preview's many small pieces are free now; give them back before the
    // collection is read, or a large import would hold them for the session.
    malloc_trim(0);
    // As a freshly opened database: every record, sorted by artist.
    session_.refresh_record_count();
    session_.ws.reset_to_all(session_.record_count);
    QString error;
    if (!sort_working_set(session_.path, session_.ws, 2, false, &error))
        msgbox(this, error, MsgIcon::critical);
    show_position(1);
    if (was_empty)
        enable_all_commands();
    msgbox(this, QStringLiteral("%1 kaleidoscopes were imported; %2 rows were skipped.").arg(imported).arg(skipped),
           MsgIcon::none, MsgButtons::ok, QStringLiteral("Import kaleidoscopes"));
}

}  // namespace tessaran
