#include "picture_list.h"

#include <QtEndian>

#include "field_text.h"

namespace tessaran {

QString first_picture_of(const char* raw)
{
    if (qFromLittleEndian<qint16>(raw + offset_image_count) < 1)
        return QString();
    const char* slot = raw + offset_image_files + image_slot_width;
    int b = 0;
    int e = image_slot_width;
    while (b < e && (slot[b] == ' ' || slot[b] == '\0'))
        ++b;
    while (e > b && (slot[e - 1] == ' ' || slot[e - 1] == '\0'))
        --e;
    return from_cp1252(slot + b, e - b);
}

PictureList PictureList::of_record(const ScopeRecord& rec)
{
    PictureList list;
    list.count_ = rec.images_in_use();
    for (int i = 1; i <= list.count_; ++i)
        list.paths_[std::size_t(i)] = shown_text(rec.image_files[std::size_t(i)]);
    return list;
}

QString PictureList::at(int n) const
{
    return n >= 1 && n <= count_ ? paths_[std::size_t(n)] : QString();
}

QStringList PictureList::paths() const
{
    QStringList out;
    for (int i = 1; i <= count_; ++i)
        out << paths_[std::size_t(i)];
    return out;
}

bool PictureList::add(const QString& path)
{
    if (full())
        return false;
    paths_[std::size_t(++count_)] = path;
    return true;
}

void PictureList::remove(int n)
{
    if (n < 1 || n > count_)
        return;
    for (int i = n; i < count_; ++i)
        paths_[std::size_t(i)] = paths_[std::size_t(i + 1)];
    paths_[std::size_t(count_)].clear();
    --count_;
}

void PictureList::replace(int n, const QString& path)
{
    if (n >= 1 && n <= count_)
        paths_[std::size_t(n)] = path;
}

void PictureList::clear()
{
    *this = PictureList();
}

}  // namespace tessaran
