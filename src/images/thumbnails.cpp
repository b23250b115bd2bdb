#include "thumbnails.h"

#include "pictures/picture_loader.h"
#include "pictures/thumbnail_cache.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QThreadPool>

namespace tessaran {

Thumbnails& Thumbnails::instance()
{
    // A child of the application: gone with it, after the background reads.
    static Thumbnails* cache = new Thumbnails(QCoreApplication::instance());
    return *cache;
}

Thumbnails::Thumbnails(QObject* parent) : QObject(parent)
{ }

const Thumbnails::Entry& Thumbnails::request(const QString& path)
{
    auto it = entries_.find(path);
    if (it != entries_.end())
        return *it;
    it = entries_.insert(path, Entry{});
    ++reads_;
    const QString target = dir_.filePath(QStringLiteral("thumbnail_%1.png").arg(reads_));
    QThreadPool::globalInstance()->start([this, path, target] {
        QString reason = not_a_picture_file_reason(path);
        QString file;
        QSize size;
        if (reason.isEmpty()) {
            if (const QImage cached = cached_thumbnail(path); !cached.isNull()) {
                file = thumbnail_cache_file(path);
                size = cached.size();
            } else if (const LoadedPicture picture
                       = load_picture(path, QSize(cached_thumbnail_side, cached_thumbnail_side));
                       !picture.ok()) {
                reason = picture.error;
            } else if (picture.cut_short) {
                // Grey below the cut would pass for the picture.
                reason = QStringLiteral("Only part of the picture can be read: the file is cut short.");
            } else {
                size = picture.image.size();
                // Where the cache cannot be written, the preview lasts the session.
                file = store_thumbnail(path, picture.image);
                if (file.isEmpty() && picture.image.save(target, "PNG"))
                    file = target;
                if (file.isEmpty())
                    reason = QStringLiteral("The preview could not be made.");
            }
        }
        QMetaObject::invokeMethod(
            this, [this, path, file, size, reason] { finished(path, file, size, reason); }, Qt::QueuedConnection);
    });
    return *it;
}

QString Thumbnails::tooltip(const QString& path)
{
    const QString shown = path.toHtmlEscaped();
    const Entry& e = request(path);
    if (!e.done)
        return shown;
    if (!e.reason.isEmpty())
        return QStringLiteral("<p>%1</p><p>%2</p>").arg(shown, e.reason.toHtmlEscaped());
    const QSize tip = e.size.boundedTo(QSize(longest_side, longest_side)) == e.size
        ? e.size
        : e.size.scaled(longest_side, longest_side, Qt::KeepAspectRatio);
    return QStringLiteral("<p>%1</p><img src=\"%2\" width=\"%3\" height=\"%4\">")
        .arg(shown, e.file.toHtmlEscaped())
        .arg(tip.width())
        .arg(tip.height());
}

QString Thumbnails::preview_file(const QString& path)
{
    return request(path).file;
}

bool Thumbnails::is_done(const QString& path) const
{
    const auto it = entries_.constFind(path);
    return it != entries_.constEnd() && it->done;
}

void Thumbnails::finished(const QString& path, const QString& file, const QSize& size, const QString& reason)
{
    Entry& e = entries_[path];
    e.done = true;
    e.file = reason.isEmpty() ? file : QString();
    e.size = size;
    e.reason = reason;
    emit ready(path);
}

}  // namespace tessaran
