#include "picture_search.h"

#include "picture_list.h"
#include "picture_paths.h"
#include "scope_record.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <map>

namespace tessaran {

namespace {

QStringList folders_of(const QString& path)
{
    QString t = path;
    t.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QStringList parts = t.toLower().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!parts.isEmpty())
        parts.removeLast();
    return parts;
}

// How many folders, counted from the file upwards, two paths share.
int shared_tail(const QStringList& a, const QStringList& b)
{
    int n = 0;
    while (n < a.size() && n < b.size() && a.at(a.size() - 1 - n) == b.at(b.size() - 1 - n))
        ++n;
    return n;
}

}  // namespace

FileStatus collection_pictures(const QString& collection_path, std::vector<StoredPictureRef>& out)
{
    out.clear();
    RecordScanner scan;
    if (FileStatus st = scan.open(collection_path); !st)
        return st;
    QHash<QString, std::size_t> seen;
    for (int n = 1; n <= scan.count(); ++n) {
        const char* raw = scan.raw(n);
        if (!raw)
            return FileStatus::failure(QStringLiteral("Record %1 could not be read.").arg(n));
        // Only the picture slots are decoded.
        const int count = picture_count_of(raw);
        for (int slot = 1; slot <= count; ++slot) {
            const QString stored = picture_of(raw, slot).trimmed();
            if (stored.isEmpty())
                continue;
            auto it = seen.constFind(stored);
            if (it == seen.constEnd()) {
                StoredPictureRef ref;
                ref.stored = stored;
                ref.file = picture_file(stored, collection_path);
                const QFileInfo info(ref.file);
                ref.present = info.exists();
                ref.exists = info.isFile();
                const QByteArrayView name = trimmed_member_bytes(raw, m_scopename);
                ref.scope_name = from_cp1252(name.data(), int(name.size()));
                it = seen.insert(stored, out.size());
                out.push_back(std::move(ref));
            }
            out[*it].uses.push_back({n, slot});
        }
    }
    return {};
}

std::vector<StoredPictureRef> missing_only(const std::vector<StoredPictureRef>& all)
{
    std::vector<StoredPictureRef> missing;
    std::copy_if(all.begin(), all.end(), std::back_inserter(missing), [](const auto& r) { return !r.exists; });
    return missing;
}

std::vector<PictureMatch> match_missing_pictures(const std::vector<StoredPictureRef>& missing, const QString& folder,
                                                 const PictureMeasure& measure, const std::function<bool()>& cancelled)
{
    // Only the names asked for are kept from the walk.
    QHash<QString, QStringList> by_name;
    for (const StoredPictureRef& m : missing)
        by_name.insert(picture_file_name(m.stored).toLower(), QStringList());
    QDirIterator walk(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    for (int seen = 0; walk.hasNext(); ++seen) {
        const QString file = walk.next();
        if (seen % 512 == 0 && cancelled && cancelled())
            return {};
        if (auto it = by_name.find(walk.fileName().toLower()); it != by_name.end())
            it->append(file);
    }

    std::vector<PictureMatch> matches;
    for (const StoredPictureRef& m : missing) {
        PictureMatch match;
        match.missing = m;
        QStringList candidates = by_name.value(picture_file_name(m.stored).toLower());
        candidates.sort();
        if (candidates.size() > 1) {
            const QStringList old_folders = folders_of(m.stored);
            int best = -1;
            QStringList closest;
            for (const QString& c : candidates) {
                const int shared = shared_tail(old_folders, folders_of(c));
                if (shared > best)
                    closest.clear();
                if (shared >= best) {
                    best = shared;
                    closest << c;
                }
            }
            candidates = closest;
        }
        if (candidates.size() > 1) {
            const qint64 size = QFileInfo(candidates.first()).size();
            const QSize pixels = measure ? measure(candidates.first()) : QSize();
            const bool copies = std::all_of(candidates.begin(), candidates.end(), [&](const QString& c) {
                return QFileInfo(c).size() == size && (measure ? measure(c) : QSize()) == pixels;
            });
            if (copies)
                candidates = QStringList{candidates.first()};
        }
        if (candidates.size() == 1) {
            match.outcome = PictureMatch::Outcome::found;
            match.found = candidates.first();
        } else if (candidates.size() > 1) {
            match.outcome = PictureMatch::Outcome::several;
            match.candidates = candidates;
        }
        matches.push_back(std::move(match));
    }
    return matches;
}

FileStatus store_picture_changes(const QString& collection_path, const std::vector<PictureChange>& changes,
                                 const RecordedWrite& recorded)
{
    // Only the slots change; every other byte of a record stays as stored.
    RecordScanner scan;
    if (FileStatus st = scan.open(collection_path); !st)
        return st;
    std::map<int, QByteArray> records;
    for (const PictureChange& change : changes) {
        const QByteArray slot = to_cp1252(fixed_text(change.stored, image_slot_width));
        for (const PictureUse& use : change.uses) {
            auto it = records.find(use.record);
            if (it == records.end()) {
                const char* raw = scan.raw(use.record);
                if (!raw)
                    return FileStatus::failure(
                        QStringLiteral("Record %1 lies outside the database file.").arg(use.record));
                it = records.emplace(use.record, QByteArray(raw, rec_len_bytes)).first;
            }
            if (use.slot < 1 || use.slot >= image_slot_count)
                continue;
            // Another program may have changed the record since it was read.
            const qsizetype at = offset_image_files + use.slot * image_slot_width;
            if (from_cp1252(it->second.constData() + at, image_slot_width).trimmed() != change.was.trimmed())
                continue;
            it->second.replace(at, image_slot_width, slot);
        }
    }
    std::vector<RecordChange> touched;
    for (const auto& [n, bytes] : records)
        touched.push_back({n, n, QByteArray(scan.raw(n), rec_len_bytes), bytes});
    scan.close();
    return write_through(recorded, ChangeKind::pictures, touched, [&] {
        return write_raw_records(collection_path, {records.begin(), records.end()});
    });
}

FoundPictures store_found_pictures(const QString& collection_path, const std::vector<PictureMatch>& matches,
                                   const RecordedWrite& recorded)
{
    FoundPictures result;
    std::vector<PictureChange> changes;
    for (const PictureMatch& m : matches) {
        if (m.outcome != PictureMatch::Outcome::found || m.missing.uses.empty())
            continue;
        const StoredPicture target = stored_picture(m.found, collection_path);
        QString stored = target.stored;
        if (!target.ok()) {
            if (FileStatus st = copy_into_picture_folder(m.found, collection_path, m.missing.scope_name, stored); !st) {
                result.not_copied << m.found + QStringLiteral(": ") + st.error;
                continue;
            }
        }
        changes.push_back({m.missing.uses, m.missing.stored, stored});
    }
    result.status = store_picture_changes(collection_path, changes, recorded);
    if (result.status)
        result.changed = int(changes.size());
    return result;
}

}  // namespace tessaran
