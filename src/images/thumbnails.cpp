#include "thumbnails.h"

#include "pictures/picture_loader.h"

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
        if (reason.isEmpty()) {
            const LoadedPicture picture = load_picture(path, QSize(longest_side, longest_side));
            if (!picture.ok())
                reason = picture.error;
            else if (!picture.image.save(target, "PNG"))
                reason = QStringLiteral("The preview could not be made.");
        }
        QMetaObject::invokeMethod(
            this, [this, path, target, reason] { finished(path, target, reason); }, Qt::QueuedConnection);
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
    return QStringLiteral("<p>%1</p><img src=\"%2\">").arg(shown, e.file.toHtmlEscaped());
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

void Thumbnails::finished(const QString& path, const QString& file, const QString& reason)
{
    Entry& e = entries_[path];
    e.done = true;
    e.file = reason.isEmpty() ? file : QString();
    e.reason = reason;
    emit ready(path);
}

}  // namespace tessaran
