// The pictures of the record shown in the editor: up to ten paths in slots
// 1..10, the first count of them in use. Adding goes after the last; removing
// moves every later picture down one place.
#pragma once

#include "scope_record.h"

#include <QString>
#include <QStringList>

#include <array>

namespace tessaran {

// The number of pictures stored record bytes hold (their count held to 0..10).
int picture_count_of(const char* raw);
// The path of picture slot (1..10) of stored record bytes, without its padding.
QString picture_of(const char* raw, int slot);
// The path of the first picture of stored record bytes; empty when it has none.
QString first_picture_of(const char* raw);

class PictureList {
public:
    // The pictures a stored record really has (its count held to 0..10).
    static PictureList of_record(const ScopeRecord& rec);

    int count() const { return count_; }
    bool full() const { return count_ >= max_pictures; }
    // The path in slot n (1..10); empty beyond the pictures in use.
    QString at(int n) const;
    // Slots 1..count in order.
    QStringList paths() const;

    // After the last picture; false when the list is full.
    bool add(const QString& path);
    // Every later picture moves down one place; n outside 1..count changes nothing.
    void remove(int n);
    void replace(int n, const QString& path);
    void clear();

private:
    std::array<QString, image_slot_count> paths_;  // slot 0 unused
    int count_ = 0;
};

}  // namespace tessaran
