// Kaleidoscopes that may be one entered twice: the same scope name and artist
// (compared without regard to capitals, accents and blanks), or the same
// first picture.
#pragma once

#include "record_file.h"

#include <QString>

#include <vector>

namespace tessaran {

// A kaleidoscope of a group, with what tells it from the others.
struct DuplicateMember {
    int position = 0;  // in the working set
    QString name;
    QString artist;
    QString bought;  // the date of purchase as stored
    QString store;
};

struct DuplicateGroup {
    enum class Reason { name_and_artist, picture };
    Reason reason = Reason::name_and_artist;
    // What they share as the user reads it: "Blue Hour, Abernathy, Rose" (as
    // the first of them spells it), or the picture's file.
    QString shared;
    std::vector<DuplicateMember> members;  // in the working set's order
};

// The key under which two kaleidoscopes count as the same: name and artist
// folded, without blanks; empty when both are empty.
QString duplicate_key(const QString& name, const QString& artist);

// The groups among positions 1..count of records (a working set's record
// numbers; slot 0 unused) of the collection at path: those sharing name and
// artist first, ordered by the key, then those sharing a first picture
// that no group of the first kind already holds whole.
FileStatus possible_duplicates(const QString& path, const std::vector<int>& records, int count,
                               std::vector<DuplicateGroup>& groups);

}  // namespace tessaran
