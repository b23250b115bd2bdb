#include "delete_record.h"

#include "file_write.h"

#include "scope_record.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tessaran {

FileStatus delete_record_file(const QString& collection, int d)
{
    QFile src(collection);
    if (!src.open(QIODevice::ReadOnly))
        return FileStatus::failure(src.errorString());
    const qint64 len = src.size();
    const qint64 cut = qint64(d - 1) * rec_len_bytes;
    if (d < 1 || cut + rec_len_bytes > len)
        return FileStatus::failure(QStringLiteral("Record %1 is not in the database file.").arg(d));
    QByteArray contents = src.readAll();
    if (contents.size() != len)
        return FileStatus::failure(
            src.error() != QFileDevice::NoError ? src.errorString() : QStringLiteral("The database file ended early."));
    src.close();
    // The bytes of every other record are kept exactly as they were.
    contents.remove(cut, rec_len_bytes);
    return replace_file_contents(collection, contents, true);
}

}  // namespace tessaran
