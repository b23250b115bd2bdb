#include "thumbnail_cache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace tessaran {

namespace {

const QString uri_key = QStringLiteral("Thumb::URI");
const QString mtime_key = QStringLiteral("Thumb::MTime");

QString cache_folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/thumbnails/large");
}

QByteArray uri_of(const QString& picture)
{
    return QUrl::fromLocalFile(QFileInfo(picture).absoluteFilePath()).toEncoded();
}

QString mtime_of(const QString& picture)
{
    const QFileInfo info(picture);
    return info.exists() ? QString::number(info.lastModified().toSecsSinceEpoch()) : QString();
}

}  // namespace

QString thumbnail_cache_file(const QString& picture)
{
    const QByteArray md5 = QCryptographicHash::hash(uri_of(picture), QCryptographicHash::Md5).toHex();
    return cache_folder() + QLatin1Char('/') + QString::fromLatin1(md5) + QStringLiteral(".png");
}

QImage cached_thumbnail(const QString& picture)
{
    const QString mtime = mtime_of(picture);
    if (mtime.isEmpty())
        return QImage();
    QImageReader reader(thumbnail_cache_file(picture), "png");
    // Small enough to decode before its keys are looked at (the reader's own
    // reading of keys splits them at the colons these keys hold).
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > cached_thumbnail_side || size.height() > cached_thumbnail_side)
        return QImage();
    QImage image;
    if (!reader.read(&image) || image.text(uri_key) != QString::fromLatin1(uri_of(picture))
        || image.text(mtime_key) != mtime)
        return QImage();
    return image;
}

QString store_thumbnail(const QString& picture, const QImage& thumbnail)
{
    const QString mtime = mtime_of(picture);
    // Thumbnails show what the user's pictures hold: the folder is the user's alone.
    if (mtime.isEmpty() || !QDir().mkpath(cache_folder()))
        return QString();
    for (const QString& folder : {QFileInfo(cache_folder()).path(), cache_folder()})
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString target = thumbnail_cache_file(picture);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QImage keyed = thumbnail;
    keyed.setText(uri_key, QString::fromLatin1(uri_of(picture)));
    keyed.setText(mtime_key, mtime);
    QImageWriter writer(&file, "png");
    if (!writer.write(keyed) || !file.commit())
        return QString();
    return target;
}

}  // namespace tessaran
