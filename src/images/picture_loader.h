// Loading a picture file for the viewer without trusting it: the decoder may
// not allocate more than a fixed limit, and a file that does not decode is
// reported with the reader's reason instead of giving an empty picture.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace tessaran {

// Largest decoded picture the viewer accepts, in megabytes.
inline constexpr int picture_allocation_limit_mb = 256;

struct LoadedPicture {
    QImage image;   // null when loading failed
    QString error;  // the reason when it failed
    bool ok() const { return !image.isNull(); }
};

LoadedPicture load_picture(const QString& path);

// The message the user sees when a picture cannot be shown.
QString picture_failure_text(const QString& path, const QString& reason);

}  // namespace tessaran

namespace tessaran {

// The open-file filters for pictures; the first is preselected.
QStringList picture_file_filters();

}  // namespace tessaran
