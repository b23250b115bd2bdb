// Finding the collection's pictures again after it moved: the command, and
// the offer the editor makes once when a picture is missing.
#include "picture_strip.h"
#include "record_editor.h"

#include "core/picture_search.h"
#include "core/session.h"
#include "dialogs/missing_pictures_dialog.h"
#include "pictures/picture_loader.h"
#include "ui/user_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FileStatus st = collection_pictures(path, all);
    QApplication::restoreOverrideCursor();
    return st;
}

}  // namespace

bool RecordEditor::offer_missing_pictures_search()
{
    if (missing_pictures_offered_ || session_.read_only)
        return false;
    missing_pictures_offered_ = true;
    std::vector<StoredPictureRef> all;
    if (!listed_pictures(session_.path, all))
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
    if (msgbox(this, question, MsgIcon::question, MsgButtons::yes_no, search_title) != MsgAnswer::yes)
        return false;
    find_missing_pictures();
    return true;
}

void RecordEditor::find_missing_pictures()
{
    missing_pictures_offered_ = true;
    if (!settle_edits())
        return;
    Session& s = session_;
    std::vector<StoredPictureRef> all;
    if (const FileStatus st = listed_pictures(s.path, all); !st) {
        msgbox(this, QStringLiteral("The pictures of ") + s.path + QStringLiteral(" cannot be listed:\n") + st.error,
               MsgIcon::critical);
        return;
    }
    const std::vector<StoredPictureRef> missing = missing_only(all);
    if (missing.empty()) {
        msgbox(this,
               all.empty()
                   ? QStringLiteral("No kaleidoscope of this collection has a picture.")
                   : QStringLiteral("All %1 pictures of this collection are where they are stored.").arg(all.size()),
               MsgIcon::none, MsgButtons::ok, search_title);
        return;
    }
    const QString folder = user_dialogs().choose_folder(
        this, QStringLiteral("Where are the %1 missing pictures now?").arg(missing.size()),
        QFileInfo(s.path).absolutePath());
    if (folder.isEmpty())
        return;

    std::vector<PictureMatch> matches;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        matches = match_missing_pictures(missing, folder, pixel_size);
        QApplication::restoreOverrideCursor();
    }
    MissingPicturesDialog preview(matches, s.path, folder, this);
    if (preview.exec() != QDialog::Accepted || preview.found_count() == 0)
        return;

    // Another program may have written the collection while the preview was open.
    if (!catch_up() || !keep_write_claim())
        return;
    const FoundPictures stored = store_found_pictures(s.path, matches);
    if (!told_write_outcome(stored.status, QStringLiteral("The picture paths could not be changed in "),
                            QStringLiteral("\nThe database has not been changed.")))
        return;
    s.note_file_state();
    if (!adding()) {
        strip_->close_all_viewers();
        show_position(s.ws.position());
    }
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
    msgbox(this, report, MsgIcon::none, MsgButtons::ok, search_title);
}

}  // namespace tessaran
