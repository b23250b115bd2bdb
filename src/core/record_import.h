// Bringing kaleidoscopes in from a spreadsheet's comma-separated export or
// from the JSON lines "tessaran-rnd dump" writes: reading the source, matching
// its columns to record members, checking every value as the editor checks
// it, and appending the sound rows to a collection in one safe write.
#pragma once

#include "record_file.h"
#include "scope_record.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tessaran {

// What a column is imported into: a member of the record (scopename ..
// comments, the two prices) or the picture paths; ignored otherwise.
inline constexpr int import_ignored = -1;
inline constexpr int import_images = m_image_files;

// What a dump line holds besides its fields: the stored image count and the
// picture slots at their places (empty ones between kept).
struct DumpExtras {
    std::optional<int> image_count;
    std::optional<QStringList> image_slots;  // slots 1.. in order, when given as a list
};

struct ImportSource {
    bool json = false;        // JSON lines (prices as plain decimals with ".")
    QStringList headings;     // one per column
    QList<QStringList> rows;  // the cells of each row, in column order
    QList<int> lines;         // the source line each row starts on
    QList<DumpExtras> dump;   // per row, for JSON lines only
    int empty_rows = 0;       // CSV rows of empty cells only (",,,,"), skipped
    QString error;            // why the source cannot be read at all
};

struct ImportedRow {
    int line = 0;
    ScopeRecord rec;  // texts unpadded, as append_records takes them
    QString problem;  // empty for a sound row
    QString warning;  // stored all the same (a dump's date that does not read here)
};

class CsvRows;

// A source read one row at a time, so that a large spreadsheet's text is held
// once and never also as all its items and records. JSON lines are read whole
// (their headings are the keys of every line).
class ImportReader {
public:
    explicit ImportReader(QByteArray bytes);
    ~ImportReader();
    ImportReader(const ImportReader&) = delete;
    ImportReader& operator=(const ImportReader&) = delete;

    bool json() const { return whole_.json; }
    const QStringList& headings() const { return whole_.headings; }
    const QString& error() const { return whole_.error; }
    // Rows of empty cells passed over so far.
    int empty_rows() const { return whole_.empty_rows; }
    // The next row's items, the line it starts on and (for a dump) what the
    // line holds besides its fields; false after the last row.
    bool next(QStringList& cells, int& line, DumpExtras& extras);
    // The next row converted (as convert_import_rows converts).
    bool next_converted(const QList<int>& targets, ImportedRow& row);

private:
    ImportSource whole_;  // headings, counts, error; the rows of a dump
    qsizetype next_json_ = 0;
    std::unique_ptr<CsvRows> csv_;
    QStringList cells_;
    int line_ = 0;
    DumpExtras extras_;
};

// Reads a source: JSON lines when it starts with "{", else comma-separated
// text in UTF-16 (with its byte order mark), UTF-8 or Windows-1252 (detected),
// with ",", ";" or a tab between items,
// quoted items with doubled quotes and line breaks inside quotes. The first
// CSV row holds the headings.
ImportSource read_import_source(const QByteArray& bytes);

// The target of a heading: a member name ("price_paid"), a field caption
// ("Purchase price") or a summary export column title ("Purchase Price ($)"),
// case-insensitively; import_ignored when none fits.
int match_heading(const QString& heading);
// The headings of the columns that go nowhere (import_ignored), in order.
QStringList ignored_headings(const QStringList& headings, const QList<int>& targets);
// Why the columns cannot be imported as they are matched: no column goes into
// a field, or two or more go into the same one (their values would be lost
// but one); empty when they can.
QString import_columns_problem(const QStringList& headings, const QList<int>& targets);
// The caption a target is shown with ("Scope name", "Pictures", "(ignored)").
QString import_target_caption(int target);
// Every target a column may be given, for the choice in the preview.
QList<int> import_targets();

// Converts every row with the given target per column. A spreadsheet's row is
// checked as the editor checks typed values: widths, dates in the current
// locale or ISO, prices, scope years, characters the record cannot store,
// picture paths. A dump's row is stored text: it is kept as it stands (its
// padding aside) whatever the locale, and only what no record can hold
// (a text too long, a character outside the code page) is refused; a date or
// scope year that does not read here is a warning.
std::vector<ImportedRow> convert_import_rows(const ImportSource& source, const QList<int>& targets);

// Appends the records to the collection file (created when missing) in
// one replacement of the file, never past the record limit.
FileStatus append_records(const QString& collection, const std::vector<ScopeRecord>& records);

struct ImportCount {
    int imported = 0;
    int refused = 0;
};
// Told of every row as it is converted, sound or refused.
using RowSeen = std::function<void(const ImportedRow&)>;
// The reason append_import gives when all_or_nothing kept it from writing.
inline const char* const import_refused_text = "Rows were refused, so nothing was written.";
// Converts every row the reader has left and appends the sound ones to the
// collection in one safe write, as they come: nothing of the source is held
// but the row at hand. With all_or_nothing one refused row writes nothing.
FileStatus append_import(const QString& collection, ImportReader& reader, const QList<int>& targets,
                         bool all_or_nothing, ImportCount& count, const RowSeen& seen = {});

class ScratchFile;

// An import written ahead, while its preview is on screen: the collection with
// the sound rows appended, in a new file beside it that takes its place only
// when the user confirms, so that the rows are read and checked once. Where
// the collection is written in place, or was changed meanwhile, nothing is
// ready and the rows are written from the source again.
class PreparedImport {
public:
    explicit PreparedImport(const QString& collection);
    ~PreparedImport();
    PreparedImport(const PreparedImport&) = delete;
    PreparedImport& operator=(const PreparedImport&) = delete;

    // Converts every row the reader has left, writing the sound ones ahead
    // where it can; anything written before is dropped.
    FileStatus prepare(ImportReader& reader, const QList<int>& targets, const RowSeen& seen = {});
    const ImportCount& count() const { return count_; }
    // Written ahead, and the collection still as it was then.
    bool ready() const;
    // Puts the new collection in place, its previous version kept as NAME.rnd~.
    FileStatus commit();

private:
    QString collection_;
    std::unique_ptr<ScratchFile> scratch_;
    FileStamp stamp_;
    ImportCount count_;
};

}  // namespace tessaran
