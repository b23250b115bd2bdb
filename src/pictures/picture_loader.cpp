#include "picture_loader.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace tessaran {

namespace {

// Whether the file ends where its format says a whole picture ends: a JPEG's
// end marker, a PNG's last chunk, a GIF's trailer, a BMP's stated size. A
// decoder fills what is missing with grey and says nothing.
bool ends_whole(const QString& path, const QByteArray& format)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return true;
    const qint64 size = f.size();
    if (format == "bmp") {
        const QByteArray head = f.read(6);
        return head.size() < 6 || qFromLittleEndian<quint32>(head.constData() + 2) <= quint64(size);
    }
    // Some programs leave a little after the end; the last few kilobytes are enough.
    f.seek(qMax<qint64>(0, size - 4096));
    const QByteArray tail = f.readAll();
    if (format == "jpeg" || format == "jpg")
        return tail.contains("\xFF\xD9");
    if (format == "png")
        return tail.contains("IEND");
    if (format == "gif")
        return tail.contains(';');
    return true;
}

}  // namespace

LoadedPicture load_picture(const QString& path, const QSize& bound)
{
    LoadedPicture out;
    // A FIFO or device would block the reader for ever.
    if (const QString why = not_a_picture_file_reason(path); !why.isEmpty()) {
        out.error = why;
        return out;
    }
    QImageReader reader(path);
    // The content decides, so a picture with the wrong extension still shows.
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(picture_allocation_limit_mb);
    // Judge the size from the header before decoding anything.
    const QSize size = reader.size();
    if (size.isValid()) {
        const qint64 bytes = qint64(size.width()) * size.height() * 4;
        if (size.isEmpty() || bytes > qint64(picture_allocation_limit_mb) * 1024 * 1024) {
            out.error = QStringLiteral("The picture is too large to display (%1 x %2 pixels).")
                            .arg(size.width())
                            .arg(size.height());
            return out;
        }
    }
    out.natural = size;
    // Known before reading: the reader forgets it once it has read.
    const QByteArray format = reader.format();
    if (size.isValid() && bound.isValid() && (size.width() > bound.width() || size.height() > bound.height()))
        reader.setScaledSize(size.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        out.error = reader.errorString();
        if (out.error.isEmpty())
            out.error = QStringLiteral("The picture could not be decoded.");
        return out;
    }
    if (!out.natural.isValid())
        out.natural = image.size();
    out.image = std::move(image);
    out.cut_short = !ends_whole(path, format);
    return out;
}

QString not_a_picture_file_reason(const QString& path)
{
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return errno == ENOENT ? QStringLiteral("The file does not exist.")
                               : QString::fromLocal8Bit(std::strerror(errno));
    if (S_ISREG(st.st_mode))
        return QString();
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("It is a folder, not a picture file.");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("It is a FIFO (named pipe), not a picture file.");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("It is a socket, not a picture file.");
    return QStringLiteral("It is a device, not a picture file.");
}

QString unreadable_picture_reason(const QString& path)
{
    if (QString why = not_a_picture_file_reason(path); !why.isEmpty())
        return why;
    // The header is enough to know; nothing is decoded.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return QStringLiteral("It is not a picture that TESSARAN V can show (%1).")
            .arg(reader.errorString().isEmpty() ? QStringLiteral("unknown format") : reader.errorString());
    return QString();
}

PrintedPicture picture_to_print(const QString& path, const QSize& bound)
{
    if (!not_a_picture_file_reason(path).isEmpty())
        return {QImage(), QStringLiteral("Picture not found")};
    // A copy cut short would print grey below the cut, as if it were the picture.
    const LoadedPicture loaded = load_picture(path, bound);
    if (!loaded.ok() || loaded.cut_short)
        return {QImage(), QStringLiteral("Picture cannot be read")};
    return {loaded.image, QString()};
}

QString picture_failure_text(const QString& path, const QString& reason)
{
    return QStringLiteral("The image ") + path + QStringLiteral(" cannot be displayed.") + QLatin1Char('\n') + reason;
}

}  // namespace tessaran

namespace tessaran {

QStringList picture_file_filters()
{
    return {QStringLiteral("JPG (*.jpg)"), QStringLiteral("GIF (*.gif)"), QStringLiteral("BMP (*.bmp)")};
}

}  // namespace tessaran
