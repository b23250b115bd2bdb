#include "duplicates.h"

#include "collection_index.h"
#include "picture_list.h"
#include "picture_paths.h"
#include "scope_record.h"

#include <QDir>
#include <QHash>

#include <algorithm>
#include <map>

namespace tessaran {

namespace {

QString without_blanks(QString text)
{
    text.removeIf([](QChar c) { return c.isSpace(); });
    return text;
}

}  // namespace

QString duplicate_key(const QString& name, const QString& artist)
{
    const QString n = without_blanks(folded_text(name));
    const QString a = without_blanks(folded_text(artist));
    return n.isEmpty() && a.isEmpty() ? QString() : n + QLatin1Char('\x1f') + a;
}

FileStatus possible_duplicates(const QString& path, const std::vector<int>& records, int count,
                               std::vector<DuplicateGroup>& groups)
{
    groups.clear();
    RecordScanner scan;
    if (FileStatus st = scan.open(path); !st)
        return st;
    // Ordered by key, so that the groups come out in a stable, readable order.
    std::map<QString, DuplicateGroup> by_name;
    QHash<QString, DuplicateGroup> by_picture;
    std::vector<QString> picture_order;
    for (int p = 1; p <= count && p < int(records.size()); ++p) {
        const char* raw = scan.raw(records[std::size_t(p)]);
        if (!raw)
            return FileStatus::failure(
                QStringLiteral("Record %1 lies outside the database file.").arg(records[std::size_t(p)]));
        const DuplicateMember member{p, trimmed_member_text(raw, m_scopename), trimmed_member_text(raw, m_artist),
                                     trimmed_member_text(raw, m_date_bought), trimmed_member_text(raw, m_store)};
        const QString& name = member.name;
        const QString& artist = member.artist;
        if (const QString key = duplicate_key(name, artist); !key.isEmpty()) {
            DuplicateGroup& g = by_name[key];
            if (g.members.empty())
                g.shared = artist.isEmpty() ? name : name.isEmpty() ? artist : name + QStringLiteral(", ") + artist;
            g.members.push_back(member);
        }
        if (const QString stored = first_picture_of(raw); !stored.isEmpty()) {
            const QString file = QDir::cleanPath(picture_file(stored, path));
            auto it = by_picture.find(file);
            if (it == by_picture.end()) {
                it = by_picture.insert(file, DuplicateGroup{DuplicateGroup::Reason::picture, file, {}});
                picture_order.push_back(file);
            }
            it->members.push_back(member);
        }
    }
    // Which group of the first kind holds each position, to leave out a
    // shared picture that such a group already tells.
    std::vector<int> group_of(std::size_t(qMax(count, 0)) + 1, -1);
    for (auto& [key, g] : by_name) {
        if (g.members.size() < 2)
            continue;
        for (const DuplicateMember& m : g.members)
            group_of[std::size_t(m.position)] = int(groups.size());
        groups.push_back(std::move(g));
    }
    for (const QString& file : picture_order) {
        DuplicateGroup& g = by_picture[file];
        if (g.members.size() < 2)
            continue;
        const int first = group_of[std::size_t(g.members.front().position)];
        const bool told = first >= 0 && std::all_of(g.members.begin(), g.members.end(), [&](const DuplicateMember& m) {
                              return group_of[std::size_t(m.position)] == first;
                          });
        if (!told)
            groups.push_back(std::move(g));
    }
    return {};
}

}  // namespace tessaran
