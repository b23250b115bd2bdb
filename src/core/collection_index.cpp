#include "collection_index.h"

#include "scope_record.h"

#include <QByteArrayView>

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

// Each Windows-1252 byte folded, as bytes of the same code page.
const std::array<QByteArray, 256>& folded_bytes()
{
    static const std::array<QByteArray, 256> table = [] {
        std::array<QByteArray, 256> t;
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            QByteArray out;
            // A zero byte pads like a blank; the separator stays unmatched.
            if (b == 0 || b == field_separator || !to_cp1252_exact(folded_text(from_cp1252(&byte, 1)), out))
                out = QByteArray(1, b == field_separator ? field_separator : ' ');
            t[std::size_t(b)] = out;
        }
        return t;
    }();
    return table;
}

}  // namespace

QString folded_text(const QString& text)
{
    const QString lower = text.toLower().normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(lower.size());
    for (const QChar c : lower) {
        if (!c.isMark())
            out += spelled_out(c);
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
    count = qMin(count, int(records.size()) - 1);
    records_.reserve(std::size_t(qMax(count, 0)));
    starts_.reserve(std::size_t(qMax(count, 0)) + 1);
    const auto& fold = folded_bytes();
    for (int p = 1; p <= count; ++p) {
        const int r = records[std::size_t(p)];
        const char* raw = scan.raw(r);
        if (!raw)
            return FileStatus::failure(QStringLiteral("Record %1 lies outside the database file.").arg(r));
        records_.push_back(r);
        starts_.push_back(text_.size());
        for (int m = 0; m <= m_comments; ++m) {
            if (!text_member_info(Member(m)))
                continue;  // the prices are amounts, not text
            const QByteArrayView field = trimmed_member_bytes(raw, Member(m));
            for (const char c : field)
                text_ += fold[uchar(c)];
            text_ += field_separator;
        }
    }
    starts_.push_back(text_.size());
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
