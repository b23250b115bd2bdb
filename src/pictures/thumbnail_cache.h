// Thumbnails kept on disk between sessions, where the desktop keeps them
// (the shared thumbnail folder under the XDG cache folder, "large" size), so
// that a collection's gallery opens at once the second time and the file
// manager profits as well. A thumbnail knows the picture it was made from and
// that picture's time of change; one older than its picture is made again.
#pragma once

#include <QImage>
#include <QString>

namespace tessaran {

// The longer side of a stored thumbnail.
inline constexpr int cached_thumbnail_side = 256;

// Where the thumbnail of picture is kept.
QString thumbnail_cache_file(const QString& picture);

// The stored thumbnail of picture; null when there is none, it was made from
// an older state of the picture, or it cannot be read.
QImage cached_thumbnail(const QString& picture);

// Keeps thumbnail for picture, whole or not at all; the file written, or
// empty when the cache cannot be written (a read-only home, a full disk).
QString store_thumbnail(const QString& picture, const QImage& thumbnail);

}  // namespace tessaran
