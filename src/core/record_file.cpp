#include "record_file.h"

#include "file_write.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>

#include <sys/mman.h>
#include <sys/stat.h>

namespace tessaran {

namespace {

QString past_end_text(int n)
{
    return QStringLiteral("Record %1 lies outside the database file.").arg(n);
}

// Rounds length / 2473 to the nearest whole number.
int rounded_count(qint64 length)
{
    if (length <= 0)
        return 0;
    const qint64 n = (2 * length + rec_len_bytes) / (2 * qint64(rec_len_bytes));
    return int(qMin<qint64>(n, std::numeric_limits<int>::max()));
}

}  // namespace

FileStatus read_record(const QString& path, int n, ScopeRecord& rec, QByteArray* raw)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return FileStatus::failure(f.errorString());
    const qint64 at = qint64(n - 1) * rec_len_bytes;
    if (n < 1 || at + rec_len_bytes > f.size())
        return FileStatus::failure(past_end_text(n));
    if (!f.seek(at))
        return FileStatus::failure(f.errorString());
    const QByteArray bytes = f.read(rec_len_bytes);
    if (bytes.size() != rec_len_bytes)
        return FileStatus::failure(f.error() != QFileDevice::NoError ? f.errorString() : past_end_text(n));
    decode_record_into(bytes.constData(), rec);
    if (raw)
        *raw = bytes;
    return {};
}

FileStatus write_record(const QString& path, int n, const ScopeRecord& rec)
{
    return write_raw_records(path, {{n, encode_record(rec)}});
}

FileStatus write_raw_records(const QString& path, const std::vector<std::pair<int, QByteArray>>& records)
{
    if (records.empty())
        return {};
    QFile f(path);
    const bool creates = std::all_of(records.begin(), records.end(), [](const auto& r) { return r.first == 1; });
    // Only the first record of a new database may bring its file into being; a
    // database that vanished is an error, not a fresh file.
    // Opened for writing although it is replaced, so that a file the user may
    // not write is refused as before.
    const QIODevice::OpenMode mode = creates ? QIODevice::ReadWrite : (QIODevice::ReadWrite | QIODevice::ExistingOnly);
    if (!f.open(mode))
        return FileStatus::failure(f.errorString());
    const qint64 old_size = f.size();

    // The file is rewritten whole and renamed into place. One write() of the
    // record in place is not enough: the kernel checks for a fatal signal
    // between pages, so a program killed while saving could leave a record
    // half old and half new, or an append cut at a page boundary (a file no
    // longer a whole number of records, which then cannot be opened).
    if (!f.seek(0))
        return FileStatus::failure(f.errorString());
    QByteArray contents = f.readAll();
    if (contents.size() != old_size)
        return FileStatus::failure(f.error() != QFileDevice::NoError
                                       ? f.errorString()
                                       : QStringLiteral("The database file could not be read."));
    f.close();
    // A record another program left unfinished at the end is kept aside
    // before a new one takes its place, never overwritten unseen.
    const qint64 whole = contents.size() - contents.size() % rec_len_bytes;
    QString kept_partial;
    const bool reaches_tail = std::any_of(records.begin(), records.end(),
                                          [whole](const auto& r) { return qint64(r.first) * rec_len_bytes > whole; });
    if (whole < contents.size() && reaches_tail) {
        kept_partial = partial_record_keep_path(path);
        const FileStatus kept = replace_file_contents(kept_partial, contents.mid(whole), false);
        if (!kept)
            return FileStatus::failure(
                QStringLiteral("The unfinished record at the end of the database file could not be kept as %1: %2")
                    .arg(kept_partial, kept.error));
        contents.truncate(whole);
    }
    for (const auto& [n, bytes] : records) {
        const qint64 at = qint64(n - 1) * rec_len_bytes;
        // Records are numbered without gaps: n may replace one or append one.
        if (n < 1 || n > max_record_count || at > contents.size())
            return FileStatus::failure(past_end_text(n));
        if (bytes.size() != rec_len_bytes)
            return FileStatus::failure(QStringLiteral("Record %1 is not a whole record.").arg(n));
        if (at < contents.size())
            contents.replace(at, qMin<qint64>(rec_len_bytes, contents.size() - at), bytes);
        else
            contents.append(bytes);
    }
    FileStatus result = replace_file_contents(path, contents, true);
    if (result && !kept_partial.isEmpty()) {
        const QString note = partial_record_note(kept_partial);
        result.warning = result.warning.isEmpty() ? note : result.warning + QLatin1Char('\n') + note;
    }
    return result;
}

QString partial_record_note(const QString& kept_path)
{
    return QStringLiteral("The database file ended in an unfinished kaleidoscope record; its bytes are kept in %1.")
        .arg(kept_path);
}

int whole_record_count(const QString& path)
{
    return int(qMin<qint64>(qMax<qint64>(file_length(path), 0) / rec_len_bytes, std::numeric_limits<int>::max()));
}

qint64 partial_record_bytes(const QString& path)
{
    return qMax<qint64>(file_length(path), 0) % rec_len_bytes;
}

QString partial_record_keep_path(const QString& path)
{
    const QString first = path + QStringLiteral(".partial");
    QString candidate = first;
    for (int i = 2; QFileInfo::exists(candidate) || QFileInfo(candidate).isSymLink(); ++i)
        candidate = first + QStringLiteral("-%1").arg(i);
    return candidate;
}

qint64 file_length(const QString& path)
{
    QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return -1;
    return info.size();
}

FileStamp file_stamp(const QString& path)
{
    FileStamp stamp;
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.device = quint64(st.st_dev);
    stamp.inode = quint64(st.st_ino);
    stamp.size = qint64(st.st_size);
    stamp.changed_ns = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

int record_count_of(const QString& path)
{
    return rounded_count(file_length(path));
}

namespace {

// One read-only shared mapping of a whole database file.
struct FileMapping {
    const uchar* data = nullptr;
    size_t length = 0;
    dev_t device = 0;
    ino_t inode = 0;
    qint64 file_size = 0;
    ~FileMapping()
    {
        if (data)
            ::munmap(const_cast<uchar*>(data), length);
    }
};

// The last mapping is kept for the next scan of the same file: mapping 80 MB
// and faulting it in again costs more than most scans do. It serves only the
// same file (device and inode) at the same length; what was written to the
// file since is in it, because a shared mapping and the file's writes share
// the page cache. A replaced, shortened or lengthened file gets a new mapping.
std::shared_ptr<const FileMapping>& kept_mapping()
{
    static std::shared_ptr<const FileMapping> kept;
    return kept;
}

}  // namespace

RecordScanner::~RecordScanner()
{
    close();
}

FileStatus RecordScanner::open(const QString& path)
{
    close();
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadOnly))
        return FileStatus::failure(file_.errorString());
    const qint64 size = file_.size();
    count_ = int(qMin<qint64>(size / rec_len_bytes, max_record_count));
    if (count_ == 0)
        return {};
    const qint64 used = qint64(count_) * rec_len_bytes;
    struct stat info { };
    if (::fstat(file_.handle(), &info) == 0) {
        std::shared_ptr<const FileMapping>& kept = kept_mapping();
        if (!(kept && kept->device == info.st_dev && kept->inode == info.st_ino && kept->file_size == size
              && qint64(kept->length) >= used)) {
            kept.reset();
            void* m = ::mmap(nullptr, size_t(used), PROT_READ, MAP_SHARED, file_.handle(), 0);
            if (m != MAP_FAILED) {
                auto fresh = std::make_shared<FileMapping>();
                fresh->data = static_cast<const uchar*>(m);
                fresh->length = size_t(used);
                fresh->device = info.st_dev;
                fresh->inode = info.st_ino;
                fresh->file_size = size;
                kept = std::move(fresh);
            }
        }
        if (kept) {
            mapping_ = kept;
            map_ = kept->data;
        }
    }
    if (!map_) {
        // Mapping is an optimisation; reading the records gives the same bytes.
        file_.unsetError();
        fallback_ = file_.read(used);
        if (fallback_.size() != used) {
            const QString why = file_.error() != QFileDevice::NoError
                ? file_.errorString()
                : QStringLiteral("The database file could not be read.");
            close();
            return FileStatus::failure(why);
        }
    }
    return {};
}

void RecordScanner::close()
{
    mapping_.reset();
    map_ = nullptr;
    fallback_.clear();
    count_ = 0;
    if (file_.isOpen())
        file_.close();
}

const char* RecordScanner::raw(int n)
{
    if (n < 1 || n > count_)
        return nullptr;
    const qint64 at = qint64(n - 1) * rec_len_bytes;
    if (map_)
        return reinterpret_cast<const char*>(map_) + at;
    return fallback_.constData() + at;
}

bool RecordScanner::read(int n, ScopeRecord& rec)
{
    const char* p = raw(n);
    if (!p)
        return false;
    decode_record_into(p, rec);
    return true;
}

bool is_existing_file(const QString& path)
{
    if (path.trimmed().isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

const std::vector<int>& overview_fields()
{
    static const std::vector<int> fields{1, 2, 4, 5, 14, 18, 15, 16};
    return fields;
}

Member field_member(int index)
{
    static const Member table[field_table_size + 1] = {
        m_scopename,   m_scopename,  m_artist,       m_studio,      m_scopetype, m_scopeyear, m_extmat,
        m_extclr,      m_celltype,   m_edition,      m_objects,     m_signed,    m_mirrors,   m_symmetry,
        m_date_bought, m_price_paid, m_price_retail, m_salesperson, m_store,     m_street,    m_city,
        m_state,       m_zip,        m_country,      m_phone,       m_fax,       m_email,     m_www,
    };
    return table[index >= 1 && index <= field_table_size ? index : 0];
}

QString field_name(int index)
{
    static const char* const names[field_table_size + 1] = {
        "",
        "Scope name",
        "Artist",
        "Studio",
        "Scope type",
        "Scope year",
        "Exterior material",
        "Exterior color",
        "Cell type",
        "Edition",
        "Primary cell objects",
        "Signed",
        "Mirror system",
        "Point Symmetry",
        "Date of purchase",
        "Purchase price",
        "Retail price",
        "Salesperson",
        "Store/Gallery",
        "Street address",
        "City",
        "State",
        "Zip code",
        "Country",
        "Phone",
        "Fax",
        "Email",
        "Website",
    };
    if (index < 1 || index > field_table_size)
        return QString();
    return QString::fromLatin1(names[index]);
}

}  // namespace tessaran
