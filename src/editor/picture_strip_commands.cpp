// The picture commands: adding, removing (the viewers follow their
// pictures), opening and replacing a missing one.
#include "picture_strip.h"

#include "appearance/scheme_paint.h"
#include "core/picture_paths.h"
#include "core/record_file.h"
#include "core/scope_record.h"
#include "core/session.h"
#include "dialogs/remove_picture_dialog.h"
#include "images/picture_viewer.h"
#include "images/thumbnails.h"
#include "pictures/picture_loader.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>

namespace tessaran {

namespace {

// The editor shows the hourglass while a picture loads.
class BusyPointer {
public:
    explicit BusyPointer(QWidget* w) : w_(w) { w_->setCursor(Qt::WaitCursor); }
    ~BusyPointer() { w_->unsetCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    QWidget* w_;
};

bool valid_position(int n)
{
    return n >= 1 && n <= 10;
}

}  // namespace

QString PictureStrip::file_of(int n) const
{
    return picture_file(pictures_.at(n), collection_);
}

void PictureStrip::open_viewer(int n)
{
    if (!valid_position(n))
        return;
    // An open viewer keeps its picture and only comes to the front.
    if (raise_viewer(n))
        return;

    const QString path = file_of(n);
    LoadedPicture picture;
    {
        const BusyPointer busy(window());
        const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        picture = load_picture(path, screen ? screen->availableGeometry().size() : QSize());
    }
    if (!picture.ok()) {
        // Never an empty viewer: the user hears why, the reference stays.
        msgbox(window(), picture_failure_text(path, picture.error), MsgIcon::critical);
        return;
    }
    const BusyPointer busy(window());
    show_in_viewer(n, path, picture.image, picture.natural,
                   QSize(twips_to_px(largest_.width()), twips_to_px(largest_.height())));
}

void PictureStrip::remove_picture_at(int n)
{
    if (n < 1 || n > pictures_.count())
        return;
    close_viewer(n);
    // Every later picture moves down one place; a viewer it had goes with it.
    const int count = pictures_.count();
    std::array<bool, max_pictures> reopen{};
    for (int i = n + 1; i <= count; ++i)
        reopen[std::size_t(i - 1)] = close_viewer(i);
    pictures_.remove(n);
    for (int i = n; i <= count - 1; ++i) {
        if (reopen[std::size_t(i)])
            open_viewer(i);
    }
    show_buttons();
}

bool PictureStrip::picture_to_store(const QString& chosen, QString& stored)
{
    // Checked before anything is read or copied: a FIFO would block the
    // window for ever, and a large file that is no picture is not kept.
    if (const QString why = unreadable_picture_reason(chosen); !why.isEmpty()) {
        msgbox(
            window(),
            QStringLiteral("The file %1 cannot be added as a picture:\n%2").arg(QDir::toNativeSeparators(chosen), why),
            MsgIcon::critical);
        return false;
    }
    const StoredPicture form = stored_picture(chosen, collection_);
    if (form.ok()) {
        stored = form.stored;
        return true;
    }
    // Never cut: a path that cannot be kept as it is would name no file.
    const QString question
        = QStringLiteral("The picture %1 cannot be kept where it is: %2.\n\nCopy it into the collection's picture "
                         "folder %3, where its name fits? The picture itself stays where it is; without a copy it "
                         "is not added.")
              .arg(QDir::toNativeSeparators(chosen), form.why, QDir::toNativeSeparators(picture_folder(collection_)));
    if (msgbox(window(), question, MsgIcon::question, MsgButtons::yes_no) != MsgAnswer::yes)
        return false;
    const FileStatus copied = copy_with_progress(chosen, stored);
    if (!copied && copied.error == QLatin1String(copy_cancelled_text))
        return false;
    if (!copied) {
        msgbox(window(), QStringLiteral("The picture could not be copied, so it has not been added:\n") + copied.error,
               MsgIcon::critical);
        return false;
    }
    return true;
}

FileStatus PictureStrip::copy_with_progress(const QString& chosen, QString& stored)
{
    // A large picture takes a while: its progress is shown, the window stays
    // alive and the copy can be cancelled.
    QProgressDialog progress(QStringLiteral("Copying the picture %1 into the collection's picture folder...")
                                 .arg(QFileInfo(chosen).fileName()),
                             QStringLiteral("Cancel"), 0, 1000, window());
    progress.setObjectName(QStringLiteral("picture_copy_progress"));
    progress.setWindowTitle(QString::fromLatin1(app_title));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    return copy_into_picture_folder(chosen, collection_, scope_name_ ? scope_name_() : QString(), stored,
                                    [&progress](qint64 done, qint64 total) {
                                        progress.setValue(total > 0 ? int(done * 1000 / total) : 1000);
                                        return !progress.wasCanceled();
                                    });
}

void PictureStrip::add_picture()
{
    if (pictures_.full()) {
        msgbox(window(),
               QStringLiteral("Cannot add image, as kaleidscope record already contains "
                              "maximum number of images."));
        return;
    }
    const QString path = user_dialogs().open_file(window(), QString(), QString(), picture_file_filters());
    QString stored;
    if (path.isEmpty() || !picture_to_store(path, stored))
        return;
    pictures_.add(stored);
    show_buttons();
    open_viewer(pictures_.count());
}

void PictureStrip::open_picture(int i)
{
    if (i < 1 || i > pictures_.count())
        return;
    bool replaced = false;
    if (!is_existing_file(file_of(i))) {
        if (offer_search_ && offer_search_() && is_existing_file(file_of(i))) {
            open_viewer(i);
            return;
        }
        const QString question = QStringLiteral("The file ") + file_of(i) + QStringLiteral(" does not exist!")
            + QLatin1Char('\n') + QStringLiteral("Do you want to specify another file?");
        if (msgbox(window(), question, MsgIcon::none, MsgButtons::yes_no) != MsgAnswer::yes)
            return;
        const QString path = user_dialogs().open_file(window(), QString(), QString(), picture_file_filters());
        QString stored;
        if (path.isEmpty() || !picture_to_store(path.trimmed(), stored))
            return;
        pictures_.replace(i, stored);
        button(i)->setToolTip(Thumbnails::instance().tooltip(file_of(i)));
        replaced = true;
    }
    // A viewer still open on the old file would show a picture the list no
    // longer names; it shows the replacement instead.
    if (replaced)
        close_viewer(i);
    open_viewer(i);
}

void PictureStrip::show_all_pictures()
{
    for (int i = 1; i <= pictures_.count(); ++i)
        open_picture(i);
}

void PictureStrip::close_all_pictures()
{
    for (int i = pictures_.count(); i >= 1; --i)
        close_viewer(i);
}

void PictureStrip::remove_picture()
{
    if (pictures_.count() <= 0) {
        msgbox(window(), QStringLiteral("Cannot remove image, as kaleidscope record contains no images."));
        return;
    }
    RemovePictureDialog dialog(pictures_.paths(), window());
    dialog.exec();
    if (dialog.removed_position() > 0)
        remove_picture_at(dialog.removed_position());
}

}  // namespace tessaran
