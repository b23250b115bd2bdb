#include "picture_loader.h"

#include <QImageReader>

namespace tessaran {

LoadedPicture load_picture(const QString& path, const QSize& bound)
{
    LoadedPicture out;
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
    return out;
}

QString picture_failure_text(const QString& path, const QString& reason)
{
    return QStringLiteral("The image ") + path + QStringLiteral(" cannot be displayed.") +
           QLatin1Char('\n') + reason;
}

}  // namespace tessaran

namespace tessaran {

QStringList picture_file_filters()
{
    return {QStringLiteral("JPG (*.jpg)"), QStringLiteral("GIF (*.gif)"), QStringLiteral("BMP (*.bmp)")};
}

}  // namespace tessaran
