// Small previews of the pictures, for the image buttons' tooltips and the
// collection list. Each path is read once, in the background (a slow or
// missing file never holds up the editor), with the viewer's allocation
// limit; the preview is kept in the desktop's thumbnail cache, so that the
// next session finds it without reading the picture.
#pragma once

#include <QHash>
#include <QObject>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

namespace tessaran {

class Thumbnails : public QObject {
    Q_OBJECT
public:
    // The longer side of a tooltip's preview.
    static constexpr int longest_side = 200;

    // The one cache of the program.
    static Thumbnails& instance();

    // The tooltip of a picture button: the path, with the thumbnail under it
    // once it is read, or the reason the picture cannot be read. The first
    // request for a path starts reading it.
    QString tooltip(const QString& path);
    // The preview of path as a PNG file (at most 256 pixels a side), once
    // read; empty while it is being read (the first request starts it;
    // ready() tells when it is there) or when the picture cannot be read.
    QString preview_file(const QString& path);
    // Whether path was read, with or without success.
    bool is_done(const QString& path) const;
    // How many previews were asked for so far (each path once).
    int reads() const { return reads_; }

signals:
    // The thumbnail of path (or its failure) is ready: ask for the tooltip again.
    void ready(const QString& path);

private:
    explicit Thumbnails(QObject* parent);
    void finished(const QString& path, const QString& file, const QSize& size, const QString& reason);

    struct Entry {
        bool done = false;
        QString file;    // the thumbnail as a PNG file
        QSize size;      // its size
        QString reason;  // why there is none
    };
    // The entry of path; the first request starts reading it.
    const Entry& request(const QString& path);
    QHash<QString, Entry> entries_;
    QTemporaryDir dir_;
    int reads_ = 0;
};

}  // namespace tessaran
