#include "web_catalogue.h"

#include "core/file_write.h"
#include "core/picture_list.h"
#include "core/picture_paths.h"
#include "pictures/picture_loader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tessaran {

namespace {

// The pictures of the catalogue, each file read and copied once however many
// kaleidoscopes show it, under a number of its own: no name of the user's
// disk reaches the pages.
class PictureCopies {
public:
    explicit PictureCopies(const QString& root) : root_(root) { }

    CataloguePicture copy(const QString& path, QStringList& unreadable, FileStatus& failure)
    {
        if (const auto it = done_.constFind(path); it != done_.constEnd())
            return *it;
        CataloguePicture picture;
        picture.name = QFileInfo(path).fileName();
        QString reason = not_a_picture_file_reason(path);
        LoadedPicture loaded;
        if (reason.isEmpty()) {
            loaded = load_picture(path, QSize(catalogue_view_side, catalogue_view_side));
            if (!loaded.ok())
                reason = loaded.error;
            else if (loaded.cut_short)
                reason = QStringLiteral("Only part of the picture can be read: the file is cut short.");
        }
        if (!reason.isEmpty()) {
            unreadable << path + QStringLiteral(": ") + reason;
        } else {
            ++copied_;
            const QString view = QStringLiteral("pictures/%1.jpg").arg(copied_);
            const QString thumbnail = QStringLiteral("pictures/%1-small.jpg").arg(copied_);
            const QImage flat = on_white(loaded.image);
            const QImage small = flat.width() > catalogue_thumbnail_side || flat.height() > catalogue_thumbnail_side
                ? flat.scaled(catalogue_thumbnail_side, catalogue_thumbnail_side, Qt::KeepAspectRatio,
                              Qt::SmoothTransformation)
                : flat;
            if (!flat.save(root_ + QLatin1Char('/') + view, "JPG", 88)
                || !small.save(root_ + QLatin1Char('/') + thumbnail, "JPG", 85)) {
                failure = FileStatus::failure(QStringLiteral("The picture %1 could not be written into the catalogue.")
                                                  .arg(QDir::toNativeSeparators(path)));
                return picture;
            }
            picture.view = view;
            picture.thumbnail = thumbnail;
        }
        done_.insert(path, picture);
        return picture;
    }
    int copied() const { return copied_; }

private:
    // JPEG keeps no transparency: what was see-through shows on white.
    static QImage on_white(const QImage& image)
    {
        if (!image.hasAlphaChannel())
            return image.convertToFormat(QImage::Format_RGB32);
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter p(&flat);
        p.drawImage(0, 0, image);
        return flat;
    }

    QString root_;
    QHash<QString, CataloguePicture> done_;
    int copied_ = 0;
};

FileStatus put_file(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return FileStatus::failure(QDir::toNativeSeparators(path) + QStringLiteral(": ") + f.errorString());
    FileStatus st = write_all(f, bytes);
    if (!st)
        st.error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + st.error;
    return st;
}

// Moves a finished file over the one of the same name, in one step.
FileStatus move_over(const QString& from, const QString& to)
{
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return FileStatus::failure(
            QStringLiteral("%1 could not be written: %2")
                .arg(QDir::toNativeSeparators(to), QString::fromLocal8Bit(std::strerror(errno))));
    return {};
}

// Puts the finished catalogue in place: a new folder as a whole; into an
// existing one file by file, the overview page last, so that the catalogue
// it had stays whole until the new one is.
FileStatus put_in_place(QTemporaryDir& staging, const QString& folder)
{
    const QString shown = QDir::toNativeSeparators(folder);
    if (!QFileInfo::exists(folder)) {
        if (!QDir().rename(staging.path(), folder))
            return FileStatus::failure(QStringLiteral("The catalogue could not be put in place as %1.").arg(shown));
        staging.setAutoRemove(false);
        return {};
    }
    const QDir from(staging.path());
    QDir to(folder);
    for (const QString& sub : {QStringLiteral("k"), QStringLiteral("list"), QStringLiteral("pictures")}) {
        if (!to.mkpath(sub))
            return FileStatus::failure(QStringLiteral("The folder %1 could not be made in %2.").arg(sub, shown));
        const QDir source(from.filePath(sub));
        const QStringList names = source.entryList(QDir::Files);
        for (const QString& name : names) {
            if (FileStatus st = move_over(source.filePath(name), to.filePath(sub + QLatin1Char('/') + name)); !st)
                return st;
        }
        // The old catalogue's pages and pictures that the new one has not
        // (a smaller collection, fewer pictures) go: the folder is replaced.
        const QDir old(to.filePath(sub));
        for (const QString& name : old.entryList(QDir::Files | QDir::Hidden)) {
            if (!names.contains(name))
                QFile::remove(old.filePath(name));
        }
    }
    for (const QString& name : {QStringLiteral("style.css"), QStringLiteral("index.html")}) {
        if (FileStatus st = move_over(from.filePath(name), to.filePath(name)); !st)
            return st;
    }
    return {};
}

}  // namespace

QString catalogue_title_for(const QString& collection)
{
    return QStringLiteral("Kaleidoscope catalogue: ") + QFileInfo(collection).completeBaseName();
}

bool folder_has_entries(const QString& folder)
{
    const QDir dir(folder);
    return dir.exists() && !dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

namespace {

// Where a catalogue is to go: a folder or nothing yet, in a folder that can be made.
FileStatus check_catalogue_target(const QFileInfo& target, const QString& folder)
{
    if (target.exists() && !target.isDir())
        return FileStatus::failure(QStringLiteral("%1 is a file, not a folder.").arg(QDir::toNativeSeparators(folder)));
    if (!QDir().mkpath(target.absolutePath()))
        return FileStatus::failure(
            QStringLiteral("The folder %1 could not be made.").arg(QDir::toNativeSeparators(target.absolutePath())));
    return {};
}

// The staging folder made ready: its two folders, and the permissions a new
// folder gets, since a catalogue is there to be shared (a private scratch
// folder is made for the owner only).
FileStatus prepare_staging(const QTemporaryDir& staging, const QString& parent)
{
    const QDir root(staging.path());
    if (!staging.isValid() || !root.mkpath(QStringLiteral("k")) || !root.mkpath(QStringLiteral("list"))
        || !root.mkpath(QStringLiteral("pictures"))) {
        const QString why = !staging.isValid() ? staging.errorString()
            : ::access(QFile::encodeName(parent).constData(), W_OK) != 0
            ? QString::fromLocal8Bit(std::strerror(errno))
            : QStringLiteral("its folders could not be made");
        return FileStatus::failure(QStringLiteral("No catalogue can be written in the folder %1: %2.")
                                       .arg(QDir::toNativeSeparators(parent), why));
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(QFile::encodeName(staging.path()).constData(), 0777 & ~mask);
    return {};
}

// The entry's record's pictures copied into the catalogue.
FileStatus copy_entry_pictures(CatalogueEntry& entry, PictureCopies& pictures, const QString& collection,
                               QStringList& unreadable)
{
    entry.pictures.clear();
    FileStatus failure;
    for (const QString& path : PictureList::of_record(entry.record).paths()) {
        if (path.isEmpty())
            continue;
        entry.pictures.push_back(pictures.copy(picture_file(path, collection), unreadable, failure));
        if (!failure)
            return failure;
    }
    return {};
}

// Adds the entry's row to the page of the list and its tile to the page of the
// gallery, writing each page once full (or at the catalogue's end). An entry
// numbered 0 only finishes the pages of an empty catalogue.
FileStatus add_to_lists(const QDir& root, const CatalogueEntry& entry, const CatalogueOptions& options, QString& list,
                        QString& gallery)
{
    const int n = entry.number;
    const int list_page = n > 0 ? list_page_of(n) : 1;
    const int gallery_page = n > 0 ? gallery_page_of(n) : 1;
    if (list.isEmpty())
        list = catalogue_index_head(options, list_page);
    if (gallery.isEmpty())
        gallery = gallery_page_head(options, gallery_page);
    if (n > 0) {
        list += catalogue_index_row(entry, options, list_page);
        gallery += gallery_tile(entry);
    }
    if (n == 0 || n == options.count || n % rows_per_list_page == 0) {
        list += catalogue_index_tail(options, list_page);
        if (FileStatus st = put_file(root.filePath(list_page_path(list_page)), list.toUtf8()); !st)
            return st;
        list.clear();
    }
    if (n == 0 || n == options.count || n % tiles_per_gallery_page == 0) {
        gallery += gallery_page_tail(options, gallery_page);
        if (FileStatus st = put_file(root.filePath(gallery_page_path(gallery_page)), gallery.toUtf8()); !st)
            return st;
        gallery.clear();
    }
    return {};
}

}  // namespace

WebCatalogueResult write_web_catalogue(const QString& collection, const std::vector<int>& records, int count,
                                       const QString& folder, bool include_prices, const CatalogueProgress& progress)
{
    WebCatalogueResult result;
    const QFileInfo target(folder);
    if (result.status = check_catalogue_target(target, folder); !result.status)
        return result;
    const QString parent = target.absolutePath();
    // Beside the folder, on the same disk, so that it can be renamed into place.
    QTemporaryDir staging(parent + QStringLiteral("/.") + target.fileName() + QStringLiteral(".partial-XXXXXX"));
    const QDir root(staging.path());
    if (result.status = prepare_staging(staging, parent); !result.status)
        return result;
    RecordScanner scan;
    if (result.status = scan.open(collection); !result.status)
        return result;

    count = qMin(count, int(records.size()) - 1);
    CatalogueOptions options;
    options.title = catalogue_title_for(collection);
    options.include_prices = include_prices;
    options.count = qMax(count, 0);
    PictureCopies pictures(staging.path());
    if (result.status = put_file(root.filePath(QStringLiteral("style.css")), catalogue_style_sheet().toUtf8());
        !result.status)
        return result;
    // The list's and the gallery's pages are written as they fill; the
    // search's rows are kept for the end.
    QString list;
    QString gallery;
    QString search = search_data_head();
    search.reserve(qsizetype(count) * 400 + search.size());
    QString page;
    CatalogueEntry entry;
    for (int p = 1; p <= count; ++p) {
        if (progress && (p % 64 == 1 || !entry.pictures.empty()) && !progress(p - 1, count)) {
            result.cancelled = true;
            return result;
        }
        const int r = records[std::size_t(p)];
        if (!scan.read(r, entry.record)) {
            result.status = FileStatus::failure(QStringLiteral("Record %1 lies outside the database file.").arg(r));
            return result;
        }
        entry.number = p;
        if (result.status = copy_entry_pictures(entry, pictures, collection, result.unreadable); !result.status)
            return result;
        if (page.isEmpty())
            page = kaleidoscope_page_head(p, options);
        page += kaleidoscope_section(entry, options);
        // A page is written when its last section is there.
        if (p % kaleidoscopes_per_page == 0 || p == count) {
            page += kaleidoscope_page_tail();
            if (result.status = put_file(root.filePath(kaleidoscope_page_path(p)), page.toUtf8()); !result.status)
                return result;
            page.clear();
        }
        if (result.status = add_to_lists(root, entry, options, list, gallery); !result.status)
            return result;
        search += search_data_row(entry, options);
    }
    if (count == 0 && !(result.status = add_to_lists(root, entry, options, list, gallery)))
        return result;
    search += search_data_tail();
    if (result.status = put_file(root.filePath(QStringLiteral("list/search.js")), search.toUtf8()); !result.status)
        return result;
    if (progress && !progress(count, count)) {
        result.cancelled = true;
        return result;
    }
    result.status = put_in_place(staging, folder);
    if (result.status) {
        result.kaleidoscopes = options.count;
        result.pictures = pictures.copied();
    }
    return result;
}

}  // namespace tessaran
