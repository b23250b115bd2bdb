#include "collection_index.h"

#include "scope_record.h"

#include <QByteArrayView>
#include <QHash>

#include <array>

namespace tessaran {

namespace {

// Separates the fields of a record in the index; no typed word holds it.
constexpr char field_separator = '\x1f';

QString spelled_out(QChar c)
{
    switch (c.unicode()) {
    case 0x0153: return QStringLiteral("oe");  // œ (Œ is lowered first)
    case 0x00E6: return QStringLiteral("ae");
    case 0x00DF: return QStringLiteral("ss");
    case 0x00F8: return QStringLiteral("o");
    case 0x0111: return QStringLiteral("d");
    default: return QString(c);
    }
}

// Each Windows-1252 byte folded, as bytes of the same code page: at most
// two ("oe" for the ligature), so that the index is built without strings.
struct FoldedByte {
    char bytes[2];
    int length;
};

const std::array<FoldedByte, 256>& folded_bytes()
{
    static const std::array<FoldedByte, 256> table = [] {
        std::array<FoldedByte, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            QByteArray out;
            // A zero byte pads like a blank; the separator stays unmatched.
            if (b == 0 || b == field_separator || !to_cp1252_exact(folded_text(from_cp1252(&byte, 1)), out)
                || out.size() > 2)
                out = QByteArray(1, b == field_separator ? field_separator : ' ');
            t[std::size_t(b)].length = int(out.size());
            for (int i = 0; i < out.size(); ++i)
                t[std::size_t(b)].bytes[i] = out.at(i);
        }
        return t;
    }();
    return table;
}

}  // namespace

QString folded_text(const QString& text)
{
    // Character by character, each non-ASCII one folded once and kept: the
    // catalogue folds every field of every record.
    thread_local QHash<char16_t, QString> folded_chars;
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            out += (u >= 'A' && u <= 'Z') ? QChar(u + ('a' - 'A')) : c;
            continue;
        }
        auto it = folded_chars.constFind(u);
        if (it == folded_chars.constEnd()) {
            QString f;
            for (const QChar d : QString(c).toLower().normalized(QString::NormalizationForm_KD)) {
                if (!d.isMark())
                    f += spelled_out(d);
            }
            it = folded_chars.insert(u, f);
        }
        out += *it;
    }
    return out;
}

QStringList filter_words(const QString& entry)
{
    return folded_text(entry).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

FileStatus CollectionIndex::build(const QString& path, const std::vector<int>& records, int count)
{
    records_.clear();
    text_.clear();
    starts_.clear();
    RecordScanner scan;
    if (FileStatus st = scan.open(path); !st)
        return st;
    count = qMax(0, qMin(count, int(records.size()) - 1));
    std::vector<Member> fields;
    for (int m = 0; m <= m_comments; ++m) {
        if (text_member_info(Member(m)))  // the prices are amounts, not text
            fields.push_back(Member(m));
    }
    const auto& fold = folded_bytes();
    // Measured first and filled second, so that the index takes exactly its
    // size and never twice that while it grows.
    qsizetype total = 0;
    for (int p = 1; p <= count; ++p) {
        const int r = records[std::size_t(p)];
        const char* raw = scan.raw(r);
        if (!raw)
            return FileStatus::failure(QStringLiteral("Record %1 lies outside the database file.").arg(r));
        for (const Member m : fields) {
            for (const char c : trimmed_member_bytes(raw, m))
                total += fold[uchar(c)].length;
            ++total;
        }
    }
    records_.reserve(std::size_t(count));
    starts_.reserve(std::size_t(count) + 1);
    text_.resize(total);
    char* out = text_.data();
    for (int p = 1; p <= count; ++p) {
        const int r = records[std::size_t(p)];
        const char* raw = scan.raw(r);
        records_.push_back(r);
        starts_.push_back(out - text_.constData());
        for (const Member m : fields) {
            for (const char c : trimmed_member_bytes(raw, m)) {
                const FoldedByte& f = fold[uchar(c)];
                *out++ = f.bytes[0];
                if (f.length == 2)
                    *out++ = f.bytes[1];
            }
            *out++ = field_separator;
        }
    }
    starts_.push_back(out - text_.constData());
    return {};
}

std::vector<int> CollectionIndex::matching(const QStringList& words) const
{
    std::vector<int> rows;
    std::vector<QByteArray> needles;
    for (const QString& w : words) {
        QByteArray bytes;
        // A word the code page cannot hold is in no record.
        if (!to_cp1252_exact(w, bytes))
            return rows;
        needles.push_back(bytes);
    }
    rows.reserve(records_.size());
    for (std::size_t i = 0; i < records_.size(); ++i) {
        const QByteArrayView text(text_.constData() + starts_[i], starts_[i + 1] - starts_[i]);
        bool all = true;
        for (const QByteArray& n : needles) {
            if (!text.contains(n)) {
                all = false;
                break;
            }
        }
        if (all)
            rows.push_back(int(i));
    }
    return rows;
}

}  // namespace tessaran
