// The pictures of the record shown: adding, removing (the viewers follow
// their pictures), opening and replacing a missing one.
#include "picture_strip.h"
#include "record_editor.h"
#include "record_form_widget.h"

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

QPushButton* RecordEditor::picture_button(int i) const
{
    return strip_->button(i);
}

QWidget* RecordEditor::viewer(int i) const
{
    return strip_->viewer(i);
}

void RecordEditor::show_picture_buttons()
{
    QStringList files;
    for (int i = 1; i <= pictures.count(); ++i)
        files << picture_file_of(i);
    strip_->show_pictures(files);
}

void RecordEditor::close_all_viewers()
{
    strip_->close_all_viewers();
}

void RecordEditor::picture_name(int n, QString& iname) const
{
    iname = valid_position(n) ? pictures.at(n) : QString();
}

void RecordEditor::open_viewer(int n)
{
    if (!valid_position(n))
        return;
    current_viewer_path = pictures.at(n);
    // An open viewer keeps its picture and only comes to the front.
    if (strip_->raise_viewer(n))
        return;

    const QString path = picture_file(current_viewer_path, session_.path);
    LoadedPicture picture;
    {
        const BusyPointer busy(this);
        const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        picture = load_picture(path, screen ? screen->availableGeometry().size() : QSize());
    }
    if (!picture.ok()) {
        // Never an empty viewer: the user hears why, the reference stays.
        msgbox(this, picture_failure_text(path, picture.error), MsgIcon::critical);
        return;
    }
    const BusyPointer busy(this);
    strip_->show_in_viewer(n, path, picture.image, picture.natural,
                           QSize(twips_to_px(max_picture_width), twips_to_px(max_picture_height)));
}

void RecordEditor::remove_picture_at(int nrem)
{
    if (nrem < 1 || nrem > pictures.count())
        return;
    strip_->close_viewer(nrem);
    // Every later picture moves down one place; a viewer it had goes with it.
    const int count = pictures.count();
    std::array<bool, max_pictures> reopen{};
    for (int i = nrem + 1; i <= count; ++i)
        reopen[std::size_t(i - 1)] = strip_->close_viewer(i);
    pictures.remove(nrem);
    for (int i = nrem; i <= count - 1; ++i) {
        if (reopen[std::size_t(i)])
            open_viewer(i);
    }
    show_picture_buttons();
}

QString RecordEditor::picture_file_of(int n) const
{
    return picture_file(pictures.at(n), session_.path);
}

bool RecordEditor::picture_to_store(const QString& chosen, QString& stored)
{
    // Checked before anything is read or copied: a FIFO would block the
    // window for ever, and a large file that is no picture is not kept.
    if (const QString why = unreadable_picture_reason(chosen); !why.isEmpty()) {
        msgbox(
            this,
            QStringLiteral("The file %1 cannot be added as a picture:\n%2").arg(QDir::toNativeSeparators(chosen), why),
            MsgIcon::critical);
        return false;
    }
    const StoredPicture form = stored_picture(chosen, session_.path);
    if (form.ok()) {
        stored = form.stored;
        return true;
    }
    // Never cut: a path that cannot be kept as it is would name no file.
    const QString question
        = QStringLiteral("The picture %1 cannot be kept where it is: %2.\n\nCopy it into the collection's picture "
                         "folder %3, where its name fits? The picture itself stays where it is; without a copy it "
                         "is not added.")
              .arg(QDir::toNativeSeparators(chosen), form.why, QDir::toNativeSeparators(picture_folder(session_.path)));
    if (msgbox(this, question, MsgIcon::question, MsgButtons::yes_no) != MsgAnswer::yes)
        return false;
    const FileStatus copied = copy_picture_with_progress(chosen, stored);
    if (!copied && copied.error == QLatin1String(copy_cancelled_text))
        return false;
    if (!copied) {
        msgbox(this, QStringLiteral("The picture could not be copied, so it has not been added:\n") + copied.error,
               MsgIcon::critical);
        return false;
    }
    return true;
}

FileStatus RecordEditor::copy_picture_with_progress(const QString& chosen, QString& stored)
{
    // A large picture takes a while: its progress is shown, the window stays
    // alive and the copy can be cancelled.
    QProgressDialog progress(QStringLiteral("Copying the picture %1 into the collection's picture folder...")
                                 .arg(QFileInfo(chosen).fileName()),
                             QStringLiteral("Cancel"), 0, 1000, this);
    progress.setObjectName(QStringLiteral("picture_copy_progress"));
    progress.setWindowTitle(QString::fromLatin1(app_title));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    return copy_into_picture_folder(chosen, session_.path, form_->line(m_scopename)->text(), stored,
                                    [&progress](qint64 done, qint64 total) {
                                        progress.setValue(total > 0 ? int(done * 1000 / total) : 1000);
                                        return !progress.wasCanceled();
                                    });
}

void RecordEditor::add_picture()
{
    if (pictures.full()) {
        msgbox(this,
               QStringLiteral("Cannot add image, as kaleidscope record already contains "
                              "maximum number of images."));
        return;
    }
    const QString path = user_dialogs().open_file(this, QString(), QString(), picture_file_filters());
    QString stored;
    if (path.isEmpty() || !picture_to_store(path, stored))
        return;
    pictures.add(stored);
    show_picture_buttons();
    open_viewer(pictures.count());
}

void RecordEditor::open_picture(int i)
{
    if (i < 1 || i > pictures.count())
        return;
    bool replaced = false;
    if (!is_existing_file(picture_file_of(i))) {
        if (offer_missing_pictures_search() && is_existing_file(picture_file_of(i))) {
            open_viewer(i);
            return;
        }
        const QString question = QStringLiteral("The file ") + picture_file_of(i) + QStringLiteral(" does not exist!")
            + QLatin1Char('\n') + QStringLiteral("Do you want to specify another file?");
        if (msgbox(this, question, MsgIcon::none, MsgButtons::yes_no) != MsgAnswer::yes)
            return;
        const QString path = user_dialogs().open_file(this, QString(), QString(), picture_file_filters());
        QString stored;
        if (path.isEmpty() || !picture_to_store(path.trimmed(), stored))
            return;
        pictures.replace(i, stored);
        strip_->button(i)->setToolTip(Thumbnails::instance().tooltip(picture_file_of(i)));
        replaced = true;
    }
    // A viewer still open on the old file would show a picture the list no
    // longer names; it shows the replacement instead.
    if (replaced)
        strip_->close_viewer(i);
    open_viewer(i);
}

void RecordEditor::show_all_pictures()
{
    for (int i = 1; i <= pictures.count(); ++i)
        open_picture(i);
}

void RecordEditor::close_all_pictures()
{
    for (int i = pictures.count(); i >= 1; --i)
        strip_->close_viewer(i);
}

void RecordEditor::remove_picture()
{
    if (pictures.count() <= 0) {
        msgbox(this, QStringLiteral("Cannot remove image, as kaleidscope record contains no images."));
        return;
    }
    QStringList names;
    for (int i = 1; i <= pictures.count(); ++i) {
        QString name;
        picture_name(i, name);
        names << name;
    }
    RemovePictureDialog dialog(names, this);
    dialog.exec();
    if (dialog.removed_position() > 0)
        remove_picture_at(dialog.removed_position());
}

}  // namespace tessaran
