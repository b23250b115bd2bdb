#include "record_import.h"

#include "blank_text.h"
#include "entry_checks.h"
#include "field_text.h"
#include "file_write.h"
#include "locale_dates.h"
#include "money.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringDecoder>

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>

namespace tessaran {

namespace {

struct Target {
    int target;
    const char* caption;
    QStringList names;  // every heading that means it, lower case
};

// Member names, field captions and summary column titles, as headings.
const std::vector<Target>& targets_table()
{
    static const std::vector<Target> table = [] {
        std::vector<Target> t = {
            {m_scopename, "Scope name", {"name"}},
            {m_artist, "Artist", {}},
            {m_studio, "Studio", {}},
            {m_date_bought, "Date of purchase", {"date purchased"}},
            {m_price_paid, "Purchase price", {}},
            {m_price_retail, "Retail price", {}},
            {m_salesperson, "Salesperson", {}},
            {m_store, "Store/Gallery", {"store", "gallery"}},
            {m_street, "Street address", {}},
            {m_city, "City", {}},
            {m_state, "State", {}},
            {m_zip, "Zip code", {}},
            {m_country, "Country", {}},
            {m_phone, "Phone", {}},
            {m_fax, "Fax", {}},
            {m_email, "Email", {}},
            {m_www, "Website", {}},
            {m_scopetype, "Scope type", {}},
            {m_extmat, "Exterior material", {}},
            {m_extclr, "Exterior color", {}},
            {m_celltype, "Cell type", {}},
            {m_objects, "Primary cell objects", {"objects"}},
            {m_mirrors, "Mirror system", {}},
            {m_scopeyear, "Scope year", {"year"}},
            {m_edition, "Edition", {}},
            {m_signed, "Signed", {}},
            {m_symmetry, "Point symmetry", {}},
            {m_specfeatures, "Special features", {}},
            {m_comments, "Comments", {}},
            {import_images, "Pictures", {"image_files", "images", "pictures", "picture files"}},
        };
        for (Target& x : t) {
            x.names << QString::fromLatin1(x.caption).toLower();
            if (const TextMemberInfo* info = text_member_info(Member(x.target)))
                x.names << QString::fromLatin1(info->name);
        }
        t[std::size_t(m_price_paid)].names << QStringLiteral("price_paid") << QStringLiteral("purchase price")
                                           << QStringLiteral("price paid");
        t[std::size_t(m_price_retail)].names << QStringLiteral("price_retail");
        return t;
    }();
    return table;
}

// The file's text as UTF-8 or Windows-1252 bytes, which the parser reads as
// they are (every character it looks for is ASCII in both) and decodes one
// item at a time: a large file is never held a second time as UTF-16.
struct SourceText {
    QByteArray bytes;
    bool utf8 = true;
};

SourceText source_text(QByteArray bytes)
{
    // What a spreadsheet saves as "Unicode text" is UTF-16 with a byte order mark.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        const QString text = utf16.decode(QByteArrayView(bytes).sliced(2));
        bytes = QByteArray();
        return {text.toUtf8(), true};
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const bool utf8 = QByteArrayView(bytes).isValidUtf8();
    return {std::move(bytes), utf8};
}

// The separator the heading line uses most: ",", ";" or a tab.
char guess_separator(const QByteArray& text)
{
    int commas = 0;
    int semicolons = 0;
    int tabs = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == ';')
            ++semicolons;
        else if (!quoted && c == '\t')
            ++tabs;
        else if (!quoted && c == '\n')
            break;
    }
    if (tabs > commas && tabs > semicolons)
        return '\t';
    return semicolons > commas ? ';' : ',';
}

bool is_blank_byte(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

}  // namespace

// Comma-separated text, one row at a time: quoted items with doubled quotes
// and line breaks inside quotes; rows of nothing but blanks are passed over,
// rows of empty cells counted.
class CsvRows {
public:
    explicit CsvRows(SourceText text) : text_(std::move(text)), sep_(guess_separator(text_.bytes)) { }

    // The next row with anything in it and the line it starts on.
    bool next(QStringList& row, int& row_line, bool& all_empty)
    {
        row.clear();
        cell_.resize(0);
        bool quoted = false;
        bool any = false;  // the line holds something, if only separators
        row_line = line_;
        const qsizetype size = text_.bytes.size();
        const char* const data = text_.bytes.constData();
        const auto end_row = [&] {
            take_cell(row);
            all_empty = std::all_of(row.cbegin(), row.cend(), [](const QString& c) { return c.trimmed().isEmpty(); });
        };
        while (pos_ < size) {
            const char c = data[pos_++];
            if (quoted) {
                if (c == '"') {
                    if (pos_ < size && data[pos_] == '"') {
                        cell_ += c;
                        ++pos_;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == '\n')
                        ++line_;
                    cell_ += c;
                }
                continue;
            }
            if (c == '"') {
                quoted = true;
                any = true;
            } else if (c == sep_) {
                take_cell(row);
                any = true;
            } else if (c == '\r') {
                continue;
            } else if (c == '\n') {
                ++line_;
                if (any) {
                    end_row();
                    return true;
                }
                row.clear();
                cell_.resize(0);
                row_line = line_;
            } else {
                cell_ += c;
                if (!is_blank_byte(c))
                    any = true;
            }
        }
        if (!any)
            return false;
        end_row();
        return true;
    }

private:
    void take_cell(QStringList& row)
    {
        row << (text_.utf8 ? QString::fromUtf8(cell_) : from_cp1252(cell_.constData(), int(cell_.size())));
        cell_.resize(0);
    }

    SourceText text_;
    char sep_;
    qsizetype pos_ = 0;
    int line_ = 1;
    QByteArray cell_;
};

namespace {

// The dump's own bookkeeping, which is no field of the record.
const QString dump_number_key = QStringLiteral("record");
const QString dump_image_count_key = QStringLiteral("image_count");
const QString dump_images_key = QStringLiteral("image_files");

void read_json_lines(const QByteArray& bytes, ImportSource& out)
{
    const QList<QByteArray> lines = bytes.split('\n');
    QList<QJsonObject> objects;
    for (int n = 0; n < lines.size(); ++n) {
        if (lines[n].trimmed().isEmpty())
            continue;
        QJsonParseError err{};
        const QJsonDocument doc = QJsonDocument::fromJson(lines[n], &err);
        if (!doc.isObject()) {
            out.error = QStringLiteral("Line %1 is not a JSON object: %2").arg(n + 1).arg(err.errorString());
            return;
        }
        const QJsonObject o = doc.object();
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (it.key() != dump_number_key && it.key() != dump_image_count_key && !out.headings.contains(it.key()))
                out.headings << it.key();
        }
        objects << o;
        out.lines << n + 1;
    }
    for (const QJsonObject& o : objects) {
        DumpExtras extras;
        if (const QJsonValue count = o.value(dump_image_count_key); count.isDouble())
            extras.image_count = count.toInt();
        QStringList row;
        for (const QString& key : out.headings) {
            const QJsonValue v = o.value(key);
            if (v.isArray()) {
                QStringList parts;
                for (const QJsonValue& part : v.toArray())
                    parts << part.toString();
                if (key == dump_images_key)
                    extras.image_slots = parts;
                parts.removeAll(QString());
                row << parts.join(QLatin1Char(';'));
            } else if (v.isDouble()) {
                row << QString::number(v.toDouble());
            } else {
                row << v.toString();
            }
        }
        out.rows << row;
        out.dump << extras;
    }
}

bool storable(const QString& text)
{
    QByteArray bytes;
    return to_cp1252_exact(text, bytes);
}

}  // namespace

int match_heading(const QString& heading)
{
    QString h = heading.trimmed().toLower();
    // "Purchase Price ($)": the currency in brackets is no part of the name.
    if (const qsizetype bracket = h.indexOf(QLatin1String(" (")); bracket > 0 && h.endsWith(QLatin1Char(')')))
        h.truncate(bracket);
    for (const Target& t : targets_table()) {
        if (t.names.contains(h))
            return t.target;
    }
    return import_ignored;
}

QStringList ignored_headings(const QStringList& headings, const QList<int>& targets)
{
    QStringList out;
    for (int c = 0; c < headings.size() && c < targets.size(); ++c) {
        if (targets[c] == import_ignored)
            out << headings[c];
    }
    return out;
}

QString import_columns_problem(const QStringList& headings, const QList<int>& targets)
{
    const auto quoted = [](const QStringList& names) {
        QStringList q;
        for (const QString& n : names)
            q << QLatin1Char('"') + n + QLatin1Char('"');
        if (q.size() <= 1)
            return q.join(QString());
        return q.mid(0, q.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + q.last();
    };
    if (std::all_of(targets.begin(), targets.end(), [](int t) { return t == import_ignored; }))
        return QStringLiteral("None of the file's headings names a field of a kaleidoscope: %1.").arg(quoted(headings));
    for (const Target& t : targets_table()) {
        QStringList columns;
        for (int c = 0; c < targets.size() && c < headings.size(); ++c) {
            if (targets[c] == t.target)
                columns << headings[c];
        }
        if (columns.size() > 1)
            return QStringLiteral("The columns %1 all go into %2, and only one can; choose the one to import.")
                .arg(quoted(columns), QString::fromLatin1(t.caption));
    }
    return QString();
}

QString import_target_caption(int target)
{
    for (const Target& t : targets_table()) {
        if (t.target == target)
            return QString::fromLatin1(t.caption);
    }
    return QStringLiteral("(ignored)");
}

QList<int> import_targets()
{
    QList<int> list{import_ignored};
    for (const Target& t : targets_table())
        list << t.target;
    return list;
}

namespace {

// Why a picture path cannot be stored in a slot; empty when it can.
QString path_problem(const QString& path)
{
    if (path.size() > image_slot_width)
        return QStringLiteral("\"%1\" is longer than %2 characters").arg(path).arg(image_slot_width);
    if (!storable(path))
        return QStringLiteral("\"%1\" holds characters the database cannot store").arg(path);
    return QString();
}

// The refusal of a picture column, as the row lists it.
QString pictures_problem(const QString& why)
{
    return import_target_caption(import_images) + QLatin1Char(' ') + why;
}

// A dump's picture slots at their places, with the stored image count.
void dump_pictures(const QStringList& slot_paths, std::optional<int> count, ImportedRow& row, QStringList& problems)
{
    if (slot_paths.size() > max_pictures)
        problems << pictures_problem(
            QStringLiteral("has %1 slots, more than %2").arg(slot_paths.size()).arg(max_pictures));
    for (int i = 0; i < slot_paths.size() && i < max_pictures; ++i) {
        const QString p = without_padding(slot_paths[i]);
        if (const QString why = path_problem(p); !why.isEmpty())
            problems << pictures_problem(why);
        row.rec.image_files[std::size_t(i + 1)] = p;
    }
    const int stored = count.value_or(int(slot_paths.size()));
    row.rec.image_count
        = qint16(std::clamp<int>(stored, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

// A spreadsheet's picture paths, separated by ";".
void listed_pictures(const QString& value, ImportedRow& row, QStringList& problems)
{
    QStringList paths;
    for (const QString& p : value.split(QLatin1Char(';')))
        if (!p.trimmed().isEmpty())
            paths << p.trimmed();
    if (paths.size() > max_pictures)
        problems << pictures_problem(QStringLiteral("has %1 paths, more than %2").arg(paths.size()).arg(max_pictures));
    for (const QString& p : paths) {
        if (const QString why = path_problem(p); !why.isEmpty())
            problems << pictures_problem(why);
    }
    row.rec.image_count = qint16(std::min<qsizetype>(paths.size(), max_pictures));
    for (int i = 1; i <= row.rec.image_count; ++i)
        row.rec.image_files[std::size_t(i)] = paths[i - 1];
}

// A dump's date or scope year that does not read in this locale: stored as it
// stands, with a warning.
void warn_unreadable(int target, const QString& text, QStringList& warnings)
{
    if (target == m_date_bought && !is_blank(text) && !parse_user_date(text))
        warnings << QStringLiteral("Date of purchase \"%1\" is not a date in the locale %2; stored as it stands")
                        .arg(text, QLocale().name());
    if (target == m_scopeyear) {
        const YearCheck y = check_scopeyear(text);
        if (y != YearCheck::blank && y != YearCheck::ok)
            warnings << QStringLiteral("Scope year \"%1\": %2; stored as it stands").arg(text, scopeyear_message(y));
    }
}

// One row of a source: its items, the line it starts on and, for a dump, what
// the line holds besides its fields.
struct RowInput {
    bool json = false;
    const QStringList& headings;
    const QStringList& cells;
    int line = 0;
    const DumpExtras* dump = nullptr;
};

// A price as imported: a blank is no price; a dump holds plain decimals, a
// table what the user would type. Nothing when it is not an amount.
std::optional<qint64> imported_amount(const QString& value, bool json)
{
    if (is_blank(value))
        return 0;
    if (json)
        return money_from_decimal(value);
    qint64 amount = 0;
    if (parse_money(value, amount) != MoneyParse::ok)
        return std::nullopt;
    return amount;
}

ImportedRow convert_row(const RowInput& source, const QList<int>& targets)
{
    ImportedRow row;
    row.line = source.line;
    const QStringList& cells = source.cells;
    QStringList problems;
    QStringList warnings;
    const auto refuse
        = [&](int target, const QString& why) { problems << import_target_caption(target) + QLatin1Char(' ') + why; };
    // More items than headings: a value holding the separator unquoted
    // would land in the wrong fields.
    for (qsizetype extra = targets.size(); extra < cells.size(); ++extra) {
        if (!cells[extra].trimmed().isEmpty()) {
            problems << QStringLiteral("The row has %1 items, more than the %2 headings")
                            .arg(cells.size())
                            .arg(targets.size());
            break;
        }
    }
    for (int c = 0; c < targets.size() && c < cells.size(); ++c) {
        const int target = targets[c];
        if (target == import_ignored)
            continue;
        // A dump's text is stored text: only its padding goes.
        const QString value = source.json ? without_padding(cells[c]) : cells[c].trimmed();
        if (is_price(Member(target))) {
            const std::optional<qint64> amount = imported_amount(value, source.json);
            if (!amount)
                refuse(target, QStringLiteral("\"%1\" is not an amount").arg(value));
            (target == m_price_paid ? row.rec.price_paid : row.rec.price_retail) = amount.value_or(0);
            continue;
        }
        if (target == import_images) {
            const DumpExtras* extras = source.dump;
            if (extras && extras->image_slots && source.headings.value(c) == dump_images_key)
                dump_pictures(*extras->image_slots, extras->image_count, row, problems);
            else
                listed_pictures(value, row, problems);
            continue;
        }
        const TextMemberInfo* info = text_member_info(Member(target));
        if (!info)
            continue;
        const bool multi_line = target == m_specfeatures || target == m_comments;
        const QString text = source.json ? value : stored_line_breaks(value, line_break_of(QString()));
        if (text.size() > info->width) {
            refuse(target, QStringLiteral("is longer than %1 characters").arg(info->width));
            continue;
        }
        if (!storable(text)) {
            refuse(target, QStringLiteral("holds characters the database cannot store"));
            continue;
        }
        // Held unpadded: the record writer pads, and a collection's worth
        // of rows is not held at full width twice.
        row.rec.*(info->field) = text;
        if (source.json) {
            // Stored as it stands; what would not read here is told.
            warn_unreadable(target, text, warnings);
            continue;
        }
        if (!multi_line && (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))))
            refuse(target, QStringLiteral("holds a line break"));
        else if (target == m_date_bought && !is_blank(text) && !parse_user_date(text))
            refuse(target, QStringLiteral("\"%1\" is not a date").arg(text));
        else if (target == m_scopeyear) {
            const YearCheck y = check_scopeyear(text);
            if (y != YearCheck::blank && y != YearCheck::ok)
                refuse(target, QStringLiteral("\"%1\": %2").arg(text, scopeyear_message(y)));
        }
    }
    // A count no record can hold would make a damaged collection.
    if (source.dump) {
        if (const std::optional<int> count = source.dump->image_count; count && (*count < 0 || *count > max_pictures))
            problems << QStringLiteral("image_count %1 lies outside 0..%2").arg(*count).arg(max_pictures);
    }
    row.problem = problems.join(QStringLiteral("; "));
    row.warning = warnings.join(QStringLiteral("; "));
    return row;
}

RowInput row_of(const ImportSource& source, int r)
{
    return {source.json, source.headings, source.rows.at(r), source.lines.value(r),
            source.json && r < source.dump.size() ? &source.dump[r] : nullptr};
}

}  // namespace

std::vector<ImportedRow> convert_import_rows(const ImportSource& source, const QList<int>& targets)
{
    std::vector<ImportedRow> out;
    out.reserve(std::size_t(source.rows.size()));
    for (int r = 0; r < source.rows.size(); ++r)
        out.push_back(convert_row(row_of(source, r), targets));
    return out;
}

ImportReader::ImportReader(QByteArray bytes)
{
    if (bytes.trimmed().startsWith('{')) {
        whole_.json = true;
        read_json_lines(bytes, whole_);
        return;
    }
    csv_ = std::make_unique<CsvRows>(source_text(std::move(bytes)));
    QStringList row;
    int line = 0;
    bool empty = false;
    // The headings: the first row with anything in a cell.
    while (csv_->next(row, line, empty)) {
        if (!empty) {
            whole_.headings = row;
            return;
        }
    }
    whole_.error = QStringLiteral("The file holds no headings.");
}

ImportReader::~ImportReader() = default;

bool ImportReader::next(QStringList& cells, int& line, DumpExtras& extras)
{
    if (whole_.json) {
        if (next_json_ >= whole_.rows.size())
            return false;
        // Each row goes once handed out.
        cells = std::exchange(whole_.rows[next_json_], QStringList());
        line = whole_.lines.value(next_json_);
        extras = whole_.dump.value(next_json_);
        ++next_json_;
        return true;
    }
    extras = DumpExtras();
    bool empty = false;
    while (csv_ && csv_->next(cells, line, empty)) {
        if (!empty)
            return true;
        // What a spreadsheet writes below its data: no kaleidoscope.
        ++whole_.empty_rows;
    }
    return false;
}

bool ImportReader::next_converted(const QList<int>& targets, ImportedRow& row)
{
    if (!next(cells_, line_, extras_))
        return false;
    row = convert_row({whole_.json, whole_.headings, cells_, line_, whole_.json ? &extras_ : nullptr}, targets);
    return true;
}

ImportSource read_import_source(const QByteArray& bytes)
{
    ImportReader reader(bytes);
    ImportSource out;
    out.json = reader.json();
    out.headings = reader.headings();
    out.error = reader.error();
    QStringList cells;
    int line = 0;
    DumpExtras extras;
    while (reader.next(cells, line, extras)) {
        out.rows << cells;
        out.lines << line;
        if (out.json)
            out.dump << extras;
    }
    out.empty_rows = reader.empty_rows();
    return out;
}

namespace {

// Writes, through put, the collection's own records (size bytes of the file
// at collection) and then the records next gives (nullptr after the last):
// the first copied and the others encoded a piece of a few megabytes at a
// time, so that neither is ever held whole.
using NextRecord = std::function<const ScopeRecord*()>;
FileStatus write_appended(const ContentPut& put, const QString& collection, qint64 size, const NextRecord& next)
{
    constexpr qsizetype per_piece = 1024;
    if (size > 0) {
        QFile f(collection);
        if (!f.open(QIODevice::ReadOnly))
            return FileStatus::failure(f.errorString());
        qint64 copied = 0;
        while (copied < size) {
            const QByteArray piece = f.read(std::min<qint64>(size - copied, per_piece * rec_len_bytes));
            if (piece.isEmpty())
                return FileStatus::failure(QStringLiteral("The database file could not be read."));
            if (FileStatus st = put(piece); !st)
                return st;
            copied += piece.size();
        }
    }
    const qint64 count = size / rec_len_bytes;
    qint64 added = 0;
    QByteArray piece;
    piece.reserve(per_piece * rec_len_bytes);
    while (const ScopeRecord* rec = next()) {
        // Past the limit the rest is only counted, to say by how much.
        if (count + ++added > max_record_count)
            continue;
        piece.resize(piece.size() + rec_len_bytes);
        encode_stored_record_into(*rec, piece.data() + piece.size() - rec_len_bytes);
        if (piece.size() >= per_piece * rec_len_bytes) {
            if (FileStatus st = put(piece); !st)
                return st;
            piece.resize(0);
        }
    }
    if (count + added > max_record_count)
        return FileStatus::failure(
            QStringLiteral("The database holds %1 kaleidoscopes; %2 more would pass the %3 it can hold.")
                .arg(count)
                .arg(added)
                .arg(max_record_count));
    return piece.isEmpty() ? FileStatus() : put(piece);
}

// The length of the collection records are appended to: 0 for a new one.
FileStatus appendable_size(const QString& collection, qint64& size)
{
    const QFileInfo info(collection);
    size = info.exists() ? info.size() : 0;
    if (size % rec_len_bytes != 0)
        return FileStatus::failure(QStringLiteral("The database file is not a whole number of records."));
    return {};
}

// Appends the records next gives to the collection in one safe write; finish
// may still refuse the whole write once every record was given.
FileStatus append_stream(const QString& collection, const NextRecord& next,
                         const std::function<FileStatus()>& finish = {})
{
    qint64 size = 0;
    if (FileStatus st = appendable_size(collection, size); !st)
        return st;
    return replace_file_with(
        collection,
        [&](const ContentPut& put) {
            FileStatus st = write_appended(put, collection, size, next);
            return st && finish ? finish() : st;
        },
        true);
}

// The sound rows of the reader, one at a time, counted; seen hears of every row.
NextRecord sound_rows(ImportReader& reader, const QList<int>& targets, ImportCount& count, ImportedRow& row,
                      const RowSeen& seen)
{
    return [&reader, &targets, &count, &row, &seen]() -> const ScopeRecord* {
        while (reader.next_converted(targets, row)) {
            if (seen)
                seen(row);
            if (row.problem.isEmpty()) {
                ++count.imported;
                return &row.rec;
            }
            ++count.refused;
        }
        return nullptr;
    };
}

}  // namespace

FileStatus append_records(const QString& collection, const std::vector<ScopeRecord>& records)
{
    std::size_t i = 0;
    return append_stream(collection, [&]() { return i < records.size() ? &records[i++] : nullptr; });
}

FileStatus append_import(const QString& collection, ImportReader& reader, const QList<int>& targets,
                         bool all_or_nothing, ImportCount& count, const RowSeen& seen)
{
    count = ImportCount();
    ImportedRow row;
    return append_stream(collection, sound_rows(reader, targets, count, row, seen), [&]() {
        return all_or_nothing && count.refused > 0 ? FileStatus::failure(QString::fromLatin1(import_refused_text))
                                                   : FileStatus();
    });
}

PreparedImport::PreparedImport(const QString& collection) : collection_(collection)
{ }

PreparedImport::~PreparedImport() = default;

FileStatus PreparedImport::prepare(ImportReader& reader, const QList<int>& targets, const RowSeen& seen)
{
    scratch_.reset();
    count_ = ImportCount();
    ImportedRow row;
    const NextRecord next = sound_rows(reader, targets, count_, row, seen);
    // Where the collection is written in place nothing can be written ahead:
    // the rows are only looked at, and written when confirmed.
    if (written_in_place(collection_)) {
        while (next()) {
        }
        return {};
    }
    stamp_ = file_stamp(collection_);
    qint64 size = 0;
    if (FileStatus st = appendable_size(collection_, size); !st)
        return st;
    auto scratch = std::make_unique<ScratchFile>(collection_);
    FileStatus st = scratch->open();
    if (st)
        st = write_appended([&scratch](const QByteArray& piece) { return scratch->write(piece); }, collection_, size,
                            next);
    if (st && stamp_ == file_stamp(collection_))
        scratch_ = std::move(scratch);
    return st;
}

bool PreparedImport::ready() const
{
    return scratch_ && stamp_ == file_stamp(collection_);
}

FileStatus PreparedImport::commit()
{
    if (!ready())
        return FileStatus::failure(QStringLiteral("The kaleidoscopes were not written ahead."));
    FileStatus st = scratch_->commit(true);
    scratch_.reset();
    return st;
}

}  // namespace tessaran
