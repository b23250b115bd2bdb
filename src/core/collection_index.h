// What the collection list searches: the text fields of every record of the
// working set, folded once (lower case, accents dropped), so that each
// keystroke in the filter only compares bytes.
#pragma once

#include "record_file.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace tessaran {

// A text as the filter compares it: lower case, accents and other marks
// dropped, ligatures spelled out ("Œuvre Dorée" -> "oeuvre doree").
QString folded_text(const QString& text);

// The words of a filter entry, folded; blanks separate them.
QStringList filter_words(const QString& entry);

class CollectionIndex {
public:
    // Reads the records at positions 1..count of records (a working set's
    // record numbers; index 0 unused) from the collection at path.
    FileStatus build(const QString& path, const std::vector<int>& records, int count);

    int size() const { return int(records_.size()); }
    // The record number of row (0-based, in working-set order).
    int record_at(int row) const { return records_.at(std::size_t(row)); }
    // The rows, in working-set order, where every word occurs in some text
    // field of the record (a word never spans two fields). No words: every row.
    std::vector<int> matching(const QStringList& words) const;

private:
    std::vector<int> records_;
    QByteArray text_;                // every record's folded fields, one after another
    std::vector<qsizetype> starts_;  // where each record's text begins; one more at the end
};

}  // namespace tessaran
