#include "picture_paths.h"

#include "collection_index.h"
#include "file_write.h"
#include "scope_record.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace tessaran {

namespace {

constexpr qint64 copy_chunk = 1 << 20;
// Longest collection name the picture folder is named after; the rest of the
// slot is left for the pictures' own names.
constexpr int longest_folder_base = 30;

bool storable(const QString& text)
{
    QByteArray bytes;
    return to_cp1252_exact(text, bytes);
}

QString collection_folder(const QString& collection_path)
{
    return QDir::cleanPath(QFileInfo(collection_path).absolutePath());
}

// rel is set to path below folder when path lies inside it.
bool lies_inside(const QString& path, const QString& folder, QString& rel)
{
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    if (!path.startsWith(prefix) || path.size() == prefix.size())
        return false;
    rel = path.mid(prefix.size());
    return true;
}

bool same_bytes(const QString& a, const QString& b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd()) {
        const QByteArray pa = fa.read(copy_chunk);
        if (pa.isEmpty() || pa != fb.read(copy_chunk))
            return false;
    }
    return true;
}

// A short name from the scope name: lower-case letters and digits, words
// joined by "-" ("Blue Hour II" -> "blue-hour-ii").
QString name_stem(const QString& scope_name)
{
    QString stem;
    for (const QChar c : folded_text(scope_name)) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            stem += c;
        else if (!stem.isEmpty() && !stem.endsWith(QLatin1Char('-')))
            stem += QLatin1Char('-');
    }
    while (stem.endsWith(QLatin1Char('-')))
        stem.chop(1);
    return stem.isEmpty() ? QStringLiteral("picture") : stem;
}

// Written as the program writes every file: whole or not at all.
FileStatus copy_file_safely(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return FileStatus::failure(QStringLiteral("The picture %1 cannot be read: %2").arg(source, in.errorString()));
    return replace_file_with(
        target,
        [&in, &source](const ContentPut& put) -> FileStatus {
            for (;;) {
                const QByteArray piece = in.read(copy_chunk);
                if (piece.isEmpty())
                    break;
                if (FileStatus st = put(piece); !st)
                    return st;
            }
            if (in.error() != QFileDevice::NoError)
                return FileStatus::failure(
                    QStringLiteral("The picture %1 cannot be read: %2").arg(source, in.errorString()));
            return {};
        },
        false);
}

}  // namespace

bool is_relative_picture_path(const QString& stored)
{
    const QString t = stored.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char('/')) || t.startsWith(QLatin1Char('\\')))
        return false;
    // A drive letter: written on Windows.
    return !(t.size() >= 2 && t.at(1) == QLatin1Char(':') && t.at(0).isLetter());
}

QString picture_file(const QString& stored, const QString& collection_path)
{
    const QString t = stored.trimmed();
    if (t.isEmpty() || !is_relative_picture_path(t) || collection_path.isEmpty())
        return t;
    return QDir::cleanPath(collection_folder(collection_path) + QLatin1Char('/') + t);
}

QString picture_file_name(const QString& stored)
{
    const QString t = stored.trimmed();
    return t.mid(std::max(t.lastIndexOf(QLatin1Char('/')), t.lastIndexOf(QLatin1Char('\\'))) + 1);
}

StoredPicture stored_picture(const QString& path, const QString& collection_path)
{
    StoredPicture result;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString folder = collection_folder(collection_path);
    // Inside or outside by where the picture really is, when both exist.
    const QString real_folder = QFileInfo(folder).canonicalFilePath();
    const QString real_path = QFileInfo(absolute).canonicalFilePath();
    QString rel;
    const bool inside = !real_folder.isEmpty() && !real_path.isEmpty() ? lies_inside(real_path, real_folder, rel)
                                                                       : lies_inside(absolute, folder, rel);
    result.stored = inside ? rel : absolute;
    if (!storable(result.stored)) {
        QString missing;
        for (const QChar c : result.stored)
            if (!storable(QString(c)) && !missing.contains(c))
                missing += c;
        result.problem = StoredPicture::Problem::not_storable;
        result.why
            = QStringLiteral("its path holds characters that a kaleidoscope record cannot store (%1)").arg(missing);
    } else if (result.stored.size() > image_slot_width) {
        result.problem = StoredPicture::Problem::too_long;
        result.why = QStringLiteral("its path is %1 characters long, and a kaleidoscope record keeps at most %2")
                         .arg(result.stored.size())
                         .arg(image_slot_width);
    }
    return result;
}

QString picture_folder_name(const QString& collection_path)
{
    const QString base = QFileInfo(collection_path).completeBaseName().trimmed();
    if (base.isEmpty() || base.size() > longest_folder_base || !storable(base) || base.contains(QLatin1Char('\\')))
        return QStringLiteral("pictures");
    return base + QStringLiteral("-pictures");
}

QString picture_folder(const QString& collection_path)
{
    return collection_folder(collection_path) + QLatin1Char('/') + picture_folder_name(collection_path);
}

FileStatus copy_into_picture_folder(const QString& source, const QString& collection_path, const QString& scope_name,
                                    QString& stored)
{
    const QFileInfo original(source);
    if (!original.isFile())
        return FileStatus::failure(QStringLiteral("The picture %1 cannot be read.").arg(source));
    const QString folder = picture_folder(collection_path);
    if (!QDir().mkpath(folder))
        return FileStatus::failure(QStringLiteral("The picture folder %1 could not be created.").arg(folder));

    // Already there, as itself or as a copy made before.
    const QString suffix = original.suffix().toLower();
    // Names are numbered apart whatever their extension: "blue-hour-1.jpg",
    // then "blue-hour-2.png".
    QSet<QString> taken;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden);
    while (entries.hasNext()) {
        const QFileInfo there(entries.next());
        taken.insert(there.completeBaseName().toLower());
        if (there.fileName().startsWith(QLatin1Char('.')) || there.size() != original.size()
            || there.suffix().toLower() != suffix)
            continue;
        const bool same_file = there.canonicalFilePath() == original.canonicalFilePath();
        if (!same_file && !same_bytes(there.filePath(), source))
            continue;
        const StoredPicture kept = stored_picture(there.filePath(), collection_path);
        if (kept.ok()) {
            stored = kept.stored;
            return {};
        }
    }

    static const QRegularExpression plain_suffix(QStringLiteral("^[a-z0-9]{1,8}$"));
    const QString ext = plain_suffix.match(suffix).hasMatch() ? QLatin1Char('.') + suffix : QString();
    const QString stem = name_stem(scope_name);
    const int room = image_slot_width - int(picture_folder_name(collection_path).size()) - 1 - int(ext.size());
    QString name;
    for (int n = 1;; ++n) {
        const QString number = QString::number(n);
        const int stem_room = room - int(number.size()) - 1;
        QString cut = stem.left(std::max(0, stem_room));
        while (cut.endsWith(QLatin1Char('-')))
            cut.chop(1);
        const QString base = cut.isEmpty() ? number : cut + QLatin1Char('-') + number;
        name = base + ext;
        if (!taken.contains(base) && !QFileInfo::exists(folder + QLatin1Char('/') + name))
            break;
    }
    if (FileStatus st = copy_file_safely(source, folder + QLatin1Char('/') + name); !st)
        return st;
    stored = picture_folder_name(collection_path) + QLatin1Char('/') + name;
    return {};
}

}  // namespace tessaran
