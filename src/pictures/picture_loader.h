// Loading a picture file for the viewer without trusting it: the decoder may
// not allocate more than a fixed limit, and a file that does not decode is
// reported with the reader's reason instead of giving an empty picture.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace tessaran {

// Largest decoded picture the viewer accepts, in megabytes.
inline constexpr int picture_allocation_limit_mb = 256;

struct LoadedPicture {
    QImage image;   // null when loading failed; at most the bound's size
    QSize natural;  // the picture's own size, which zoom and fitting go by
    QString error;  // the reason when it failed
    // Decoded, but the file ends before the picture does (a copy cut short):
    // the rest of the image is blank.
    bool cut_short = false;
    bool ok() const { return !image.isNull(); }
};

// A picture larger than bound (where bound is valid) is decoded straight to
// the largest size within it, keeping its proportions: a viewer never shows
// more pixels than the screen has, so it never keeps more.
LoadedPicture load_picture(const QString& path, const QSize& bound = QSize());

// Why path is no picture file to read: missing, a folder, a FIFO, a device;
// empty for a regular file.
QString not_a_picture_file_reason(const QString& path);

// Why path cannot be added as a picture: no regular file, or not in a format
// the program reads (judged from its first bytes); empty when it can.
QString unreadable_picture_reason(const QString& path);

// A picture to print within bound, or the note printed in its place: "Picture
// not found" where there is no picture file, "Picture cannot be read" where
// the file is no picture, is damaged or is cut short.
struct PrintedPicture {
    QImage image;
    QString note;  // empty when image holds the picture
};
PrintedPicture picture_to_print(const QString& path, const QSize& bound);

// The message the user sees when a picture cannot be shown.
QString picture_failure_text(const QString& path, const QString& reason);

}  // namespace tessaran

namespace tessaran {

// The open-file filters for pictures; the first is preselected.
QStringList picture_file_filters();

}  // namespace tessaran
