#include "collection_commands.h"

#include "change_recorder.h"

#include "core/collection_stats.h"
#include "core/field_change.h"
#include "core/picture_search.h"
#include "core/program_files.h"
#include "core/record_import.h"
#include "dialogs/field_change_dialog.h"
#include "dialogs/import_preview.h"
#include "dialogs/missing_pictures_dialog.h"
#include "pictures/picture_loader.h"
#include "ui/user_dialogs.h"
#include "ui/wait_cursor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <malloc.h>

namespace tessaran {

namespace {

const QString search_title = QStringLiteral("Find missing pictures");

QSize pixel_size(const QString& file)
{
    if (!not_a_picture_file_reason(file).isEmpty())
        return QSize();
    return QImageReader(file).size();
}

// Every picture of the collection, under the hourglass: a large collection
// takes a moment to look up.
FileStatus listed_pictures(const QString& path, std::vector<StoredPictureRef>& all)
{
    const WaitCursor wait;
    return collection_pictures(path, all);
}

}  // namespace

bool told_write_outcome(QWidget* parent, const FileStatus& st, const QString& path, const QString& failed,
                        const QString& after)
{
    if (!st) {
        msgbox(parent, failed + path + QStringLiteral(":\n") + st.error + after, MsgIcon::critical);
        return false;
    }
    if (!st.warning.isEmpty())
        msgbox(parent, st.warning, MsgIcon::exclamation);
    return true;
}

FileStatus write_keeping_tail(QWidget* parent, const QString& path, int recno, const ScopeRecord& r, bool is_new)
{
    const bool unfinished_tail = is_new && partial_record_bytes(path) > 0;
    const QString kept_in = unfinished_tail ? partial_record_keep_path(path) : QString();
    if (unfinished_tail)
        msgbox(parent,
               QStringLiteral("The database file ends in %1 bytes that are not a whole kaleidoscope record: another "
                              "program may have stopped while adding one. They will be kept in %2 before this "
                              "kaleidoscope is added after the last whole one.")
                   .arg(partial_record_bytes(path))
                   .arg(kept_in),
               MsgIcon::exclamation);
    FileStatus st = write_record(path, recno, r);
    if (unfinished_tail) {
        // Said just now; only another warning is told after the write.
        QStringList lines = st.warning.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines.removeAll(partial_record_note(kept_in));
        st.warning = lines.join(QLatin1Char('\n'));
    }
    return st;
}

bool import_kaleidoscopes(const QString& collection, QWidget* parent, const std::function<bool()>& may_write,
                          ChangeRecorder& recorder, ImportCount& count)
{
    const QString path
        = user_dialogs().open_file(parent, QStringLiteral("Import kaleidoscopes"), documents_folder(),
                                   {QStringLiteral("CSV (*.csv *.txt)"), QStringLiteral("JSON lines (*.jsonl *.json)"),
                                    QStringLiteral("All files (*)")});
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        msgbox(parent, QStringLiteral("The file ") + path + QStringLiteral(" cannot be read:\n") + file.errorString(),
               MsgIcon::critical);
        return false;
    }
    ImportPreview preview(path, file.readAll(), collection, parent);
    file.close();
    if (!preview.error().isEmpty()) {
        msgbox(parent, QStringLiteral("The file ") + path + QStringLiteral(" cannot be imported:\n") + preview.error(),
               MsgIcon::critical);
        return false;
    }
    if (preview.exec() != QDialog::Accepted || !may_write())
        return false;
    const int count_before = whole_record_count(collection);
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
            msgbox(parent,
                   QStringLiteral("The file %1 changed after the preview was made, so nothing has been "
                                  "imported. Import it again to see it as it is now.")
                       .arg(path),
                   MsgIcon::exclamation);
            return false;
        }
        ImportReader reader(std::move(bytes));
        st = append_import(collection, reader, preview.targets(), false, count);
    }
    if (!told_write_outcome(parent, st, collection,
                            QStringLiteral("The kaleidoscopes could not be added to the database file "),
                            QStringLiteral("\nThe database has not been changed.")))
        return false;
    recorder.record_appended(ChangeKind::import, count_before);
    // The preview's many small pieces are free now; give them back before the
    // collection is read, or a large import would hold them for the session.
    malloc_trim(0);
    return true;
}

bool missing_pictures_search_wanted(const QString& path, QWidget* parent)
{
    std::vector<StoredPictureRef> all;
    if (!listed_pictures(path, all))
        return false;
    const std::vector<StoredPictureRef> missing = missing_only(all);
    // One picture gone is a picture gone; several suggest the collection moved.
    if (missing.size() < 2)
        return false;
    const QString question
        = QStringLiteral("%1 of the %2 pictures of this collection cannot be found where they are stored, for "
                         "example %3.\n\nIf the collection was moved or copied from another computer, the program "
                         "can look for them in the folder where they are now (Find missing pictures... in the "
                         "Kaleidoscope data menu). Look for them now?")
              .arg(missing.size())
              .arg(all.size())
              .arg(missing.front().file);
    return msgbox(parent, question, MsgIcon::question, MsgButtons::yes_no, search_title) == MsgAnswer::yes;
}

bool find_missing_pictures(const QString& path, QWidget* parent, const std::function<bool()>& may_write,
                           const RecordedWrite& recorded)
{
    std::vector<StoredPictureRef> all;
    if (const FileStatus st = listed_pictures(path, all); !st) {
        msgbox(parent, QStringLiteral("The pictures of ") + path + QStringLiteral(" cannot be listed:\n") + st.error,
               MsgIcon::critical);
        return false;
    }
    const std::vector<StoredPictureRef> missing = missing_only(all);
    if (missing.empty()) {
        msgbox(parent,
               all.empty()
                   ? QStringLiteral("No kaleidoscope of this collection has a picture.")
                   : QStringLiteral("All %1 pictures of this collection are where they are stored.").arg(all.size()),
               MsgIcon::none, MsgButtons::ok, search_title);
        return false;
    }
    const QString folder = user_dialogs().choose_folder(
        parent, QStringLiteral("Where are the %1 missing pictures now?").arg(missing.size()),
        QFileInfo(path).absolutePath());
    if (folder.isEmpty())
        return false;

    std::vector<PictureMatch> matches;
    {
        const WaitCursor wait;
        matches = match_missing_pictures(missing, folder, pixel_size);
    }
    MissingPicturesDialog preview(matches, path, folder, parent);
    if (preview.exec() != QDialog::Accepted || preview.found_count() == 0)
        return false;

    // Another program may have written the collection while the preview was open.
    if (!may_write())
        return false;
    const FoundPictures stored = store_found_pictures(path, matches, recorded);
    if (!told_write_outcome(parent, stored.status, path, QStringLiteral("The picture paths could not be changed in "),
                            QStringLiteral("\nThe database has not been changed.")))
        return false;
    const int still_missing = int(missing.size()) - stored.changed;
    QString report = still_missing == 0
        ? QStringLiteral("All %1 missing pictures were found and their paths changed.").arg(stored.changed)
        : QStringLiteral("%1 of the %2 missing pictures were found and their paths changed; %3 are still missing.")
              .arg(stored.changed)
              .arg(missing.size())
              .arg(still_missing);
    if (!stored.not_copied.isEmpty())
        report += QStringLiteral("\n\nThese could not be copied into the collection's picture folder:\n")
            + stored.not_copied.join(QLatin1Char('\n'));
    msgbox(parent, report, MsgIcon::none, MsgButtons::ok, search_title);
    return true;
}

int change_field_of_many(const QString& path, const std::function<std::vector<int>()>& working_set, GroupField group,
                         const QString& value, QWidget* parent, const std::function<bool()>& may_write,
                         const RecordedWrite& recorded, const std::function<void()>& read_again)
{
    FieldChangeDialog dialog(path, working_set, group, value, parent);
    dialog.set_writer([&](const FieldChangePlan& plan) {
        // Another program may have changed the collection while the changes
        // were shown: the write then refuses and they are shown again.
        if (!may_write())
            return FieldChangeDialog::Written::refused;
        WaitCursor wait;
        const FileStatus st = write_field_change(path, plan, recorded);
        return told_write_outcome(&dialog, st, path, QStringLiteral("The kaleidoscopes could not be changed in "),
                                  QStringLiteral("\nThe database has not been changed."))
            ? FieldChangeDialog::Written::done
            : FieldChangeDialog::Written::again;
    });
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    read_again();
    msgbox(parent,
           QStringLiteral("%1 %2 changed. Undo in the Kaleidoscope data menu takes the whole change back.")
               .arg(counted(dialog.changed()), dialog.changed() == 1 ? QStringLiteral("was") : QStringLiteral("were")),
           MsgIcon::none, MsgButtons::ok, QStringLiteral("Change a field"));
    return dialog.changed();
}

}  // namespace tessaran
