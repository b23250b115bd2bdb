#include "database.h"

#include "file_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tessaran {

OpenCheck check_database_file(const QString& path)
{
    OpenCheck r;
    if (!is_existing_file(path)) {
        r.message = QStringLiteral("File ") + path + QStringLiteral(" does not exist!");
        return r;
    }
    const qint64 length = QFileInfo(path).size();
    if (length % rec_len_bytes != 0) {
        r.message = QStringLiteral("The database file ") + path
            + QStringLiteral(" does not have the correct record length for Tessaran V!");
        return r;
    }
    const qint64 count = length / rec_len_bytes;
    if (count > max_record_count) {
        // Record numbers are 16-bit: a larger file would wrap the counts.
        r.message = QStringLiteral("The database file ") + path + QStringLiteral(" holds ") + QString::number(count)
            + QStringLiteral(" records; Tessaran V can open at most ") + QString::number(max_record_count)
            + QStringLiteral(" records.");
        return r;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.message
            = QStringLiteral("The database file ") + path + QStringLiteral(" cannot be read: ") + file.errorString();
        return r;
    }
    r.ok = true;
    r.count = static_cast<int>(count);
    return r;
}

FileStatus create_empty_database(const QString& path)
{
    // An existing file is replaced as every save replaces it, so that the
    // lock of the window that asked passes to the empty file.
    if (QFileInfo::exists(path))
        return replace_file_contents(path, QByteArray(), false);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return FileStatus::failure(file.errorString());
    file.close();
    return {};
}

}  // namespace tessaran
