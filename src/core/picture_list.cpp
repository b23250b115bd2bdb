#include "picture_list.h"

#include <QtEndian>

#include <algorithm>

#include "field_text.h"

namespace tessaran {

int picture_count_of(const char* raw)
{
    return std::clamp<int>(qFromLittleEndian<qint16>(raw + offset_image_count), 0, max_pictures);
}

QString picture_of(const char* raw, int slot)
{
    if (slot < 1 || slot > max_pictures)
        return QString();
    const QByteArrayView bytes = trimmed_bytes(raw + offset_image_files + image_slot_width * slot, image_slot_width);
    return from_cp1252(bytes.data(), int(bytes.size()));
}

QString first_picture_of(const char* raw)
{
    return picture_count_of(raw) < 1 ? QString() : picture_of(raw, 1);
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
