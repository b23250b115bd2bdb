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
    // A NUL would end the path for every program that reads the slot.
    QByteArray bytes;
    return !text.contains(QChar(0)) && to_cp1252_exact(text, bytes);
}

// A slot's path ends at its first zero byte, as a C string does: what
// follows (the zero bytes that pad a slot, or anything left after them) is
// no part of it.
QString slot_text(const QString& stored)
{
    const qsizetype nul = stored.indexOf(QChar(0));
    return (nul < 0 ? stored : stored.left(nul)).trimmed();
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
FileStatus copy_file_safely(const QString& source, const QString& target, const CopyProgress& progress)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return FileStatus::failure(QStringLiteral("The picture %1 cannot be read: %2").arg(source, in.errorString()));
    const qint64 total = in.size();
    return replace_file_with(
        target,
        [&in, &source, &progress, total](const ContentPut& put) -> FileStatus {
            qint64 done = 0;
            for (;;) {
                const QByteArray piece = in.read(copy_chunk);
                if (piece.isEmpty())
                    break;
                if (FileStatus st = put(piece); !st)
                    return st;
                done += piece.size();
                if (progress && !progress(done, total))
                    return FileStatus::failure(QString::fromLatin1(copy_cancelled_text));
            }
            if (in.error() != QFileDevice::NoError)
                return FileStatus::failure(
                    QStringLiteral("The picture %1 cannot be read: %2").arg(source, in.errorString()));
            return {};
        },
        false);
}

// Links in the collection's folder that lead to folders, the picture folder
// first, then by name: a picture they lead to is kept through them, so that
// it is found again wherever the folder is moved with its links.
QStringList folder_links(const QString& real_folder, const QString& collection_path)
{
    QStringList links;
    const QString own = picture_folder_name(collection_path);
    const QFileInfoList entries
        = QDir(real_folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (!entry.isSymLink())
            continue;
        if (entry.fileName() == own)
            links.prepend(entry.fileName());
        else
            links << entry.fileName();
    }
    return links;
}

// The absolute path as chosen, with "." and doubled slashes gone but every
// ".." kept: cleaning "link/.." away by its text would name another file.
QString typed_path(const QString& path)
{
    const QString absolute = QDir::isAbsolutePath(path) ? path : QDir::currentPath() + QLatin1Char('/') + path;
    QStringList parts = absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    return QLatin1Char('/') + parts.join(QLatin1Char('/'));
}

// The form in which the file at real (resolved) is kept, chosen as typed: a
// path relative to the collection's folder where the file lies in it, or
// where a link in that folder leads to it; else its resolved absolute path.
// The same file gets the same form by whichever way it was chosen, and the
// form always names that file.
QString kept_form(const QString& real, const QString& typed, const QString& folder, const QString& real_folder,
                  const QString& collection_path)
{
    QString rel;
    if (lies_inside(real, real_folder, rel))
        return rel;
    QStringList through = folder_links(real_folder, collection_path);
    // A link deeper in the folder, on the way the picture was chosen; only
    // where no ".." follows a link on that way.
    QString typed_rel;
    if ((lies_inside(typed, folder, typed_rel) || lies_inside(typed, real_folder, typed_rel))
        && !typed_rel.split(QLatin1Char('/')).contains(QStringLiteral(".."))) {
        const QStringList parts = typed_rel.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        QString prefix;
        for (int i = 0; i + 1 < parts.size(); ++i) {
            prefix += (prefix.isEmpty() ? QString() : QStringLiteral("/")) + parts.at(i);
            if (QFileInfo(real_folder + QLatin1Char('/') + prefix).isSymLink() && !through.contains(prefix))
                through << prefix;
        }
    }
    for (const QString& link : through) {
        const QString target = QFileInfo(real_folder + QLatin1Char('/') + link).canonicalFilePath();
        if (!target.isEmpty() && lies_inside(real, target, rel)) {
            const QString form = link + QLatin1Char('/') + rel;
            if (QFileInfo(picture_file(form, collection_path)).canonicalFilePath() == real)
                return form;
        }
    }
    return real;
}

}  // namespace

bool is_relative_picture_path(const QString& stored)
{
    const QString t = slot_text(stored);
    if (t.isEmpty() || t.startsWith(QLatin1Char('/')) || t.startsWith(QLatin1Char('\\')))
        return false;
    // A drive letter: written on Windows.
    return !(t.size() >= 2 && t.at(1) == QLatin1Char(':') && t.at(0).isLetter());
}

QString picture_file(const QString& stored, const QString& collection_path)
{
    const QString t = slot_text(stored);
    if (t.isEmpty() || !is_relative_picture_path(t) || collection_path.isEmpty())
        return t;
    return QDir::cleanPath(collection_folder(collection_path) + QLatin1Char('/') + t);
}

QString picture_file_name(const QString& stored)
{
    const QString t = slot_text(stored);
    return t.mid(std::max(t.lastIndexOf(QLatin1Char('/')), t.lastIndexOf(QLatin1Char('\\'))) + 1);
}

StoredPicture stored_picture(const QString& path, const QString& collection_path)
{
    StoredPicture result;
    const QFileInfo chosen(path);
    const QString folder = collection_folder(collection_path);
    // The file itself, with links and ".." resolved as the system resolves
    // them: "folder/link/../x.jpg" is x.jpg beside the link's target.
    const QString real_path = chosen.canonicalFilePath();
    const QString real_folder = QFileInfo(folder).canonicalFilePath();
    if (!real_path.isEmpty() && !real_folder.isEmpty()) {
        result.stored = kept_form(real_path, typed_path(path), folder, real_folder, collection_path);
    } else {
        // Not there (yet): by its text.
        const QString absolute = QDir::cleanPath(chosen.absoluteFilePath());
        QString rel;
        result.stored = lies_inside(absolute, folder, rel) ? rel : absolute;
    }
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
                                    QString& stored, const CopyProgress& progress)
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
    if (FileStatus st = copy_file_safely(source, folder + QLatin1Char('/') + name, progress); !st)
        return st;
    stored = picture_folder_name(collection_path) + QLatin1Char('/') + name;
    return {};
}

}  // namespace tessaran
