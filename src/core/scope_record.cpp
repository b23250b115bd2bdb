#include "scope_record.h"

#include <QtEndian>

#include <cstring>

namespace tessaran {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined
// map to the C1 control of the same value, as the Windows converter does, so
// that any byte read from a file writes back unchanged. Everything else is
// Latin-1. A fixed table keeps the conversion identical on every build (Qt's
// ICU converter substitutes 0x1A, not '?', for unmappable characters).
constexpr char16_t cp1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

inline char16_t decode_byte(uchar b)
{
    return (b >= 0x80 && b < 0xA0) ? cp1252_high[b - 0x80] : char16_t(b);
}

inline char encode_unit(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int i = 0; i < 32; ++i)
        if (cp1252_high[i] == u)
            return char(0x80 + i);
    return '?';
}

// Writes text into out[0..width): Windows-1252, one byte per code point,
// blank padded. text is already cut to width code units.
void put_text(const QString& text, char* out, int width)
{
    int n = 0;
    const int len = int(text.size());
    for (int i = 0; i < len && n < width; ++i) {
        const char16_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < len && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            out[n++] = '?';  // one character outside the code page
            ++i;
            continue;
        }
        out[n++] = encode_unit(u);
    }
    if (n < width)
        std::memset(out + n, ' ', size_t(width - n));
}

template <typename T> T get_le(const char* p)
{
    return qFromLittleEndian<T>(p);
}

#define TM(m, name, off, w)                                                                                            \
    TextMemberInfo                                                                                                     \
    {                                                                                                                  \
        m, #name, off, w, &ScopeRecord::name                                                                           \
    }

constexpr std::array<TextMemberInfo, 27> members{{
    TM(m_scopename, scopename, 0, 50),
    TM(m_artist, artist, 50, 50),
    TM(m_studio, studio, 100, 50),
    TM(m_date_bought, date_bought, 150, 15),
    TM(m_salesperson, salesperson, 181, 40),
    TM(m_store, store, 221, 50),
    TM(m_street, street, 271, 50),
    TM(m_city, city, 321, 50),
    TM(m_state, state, 371, 20),
    TM(m_zip, zip, 391, 10),
    TM(m_country, country, 401, 40),
    TM(m_phone, phone, 441, 20),
    TM(m_fax, fax, 461, 20),
    TM(m_email, email, 481, 50),
    TM(m_www, www, 531, 50),
    TM(m_scopetype, scopetype, 581, 30),
    TM(m_extmat, extmat, 611, 30),
    TM(m_extclr, extclr, 641, 30),
    TM(m_celltype, celltype, 671, 25),
    TM(m_objects, objects, 696, 25),
    TM(m_mirrors, mirrors, 721, 25),
    TM(m_scopeyear, scopeyear, 746, 10),
    TM(m_edition, edition, 756, 15),
    TextMemberInfo{m_signed, "signed", 771, 20, &ScopeRecord::signed_},
    TM(m_symmetry, symmetry, 791, 20),
    TM(m_specfeatures, specfeatures, 811, 500),
    TM(m_comments, comments, 1311, 500),
}};

#undef TM

// Member number -> index in members, -1 for prices and images.
const std::array<int, member_count>& member_index()
{
    static const std::array<int, member_count> idx = [] {
        std::array<int, member_count> a{};
        a.fill(-1);
        for (int i = 0; i < int(members.size()); ++i)
            a[members[size_t(i)].member] = i;
        return a;
    }();
    return idx;
}

}  // namespace

const QByteArray& zero_slot_bytes()
{
    static const QByteArray zeros(image_slot_width, '\0');
    return zeros;
}

ScopeRecord::ScopeRecord()
{
    clear_record(*this);
    static const QString zero_slot = QString(image_slot_width, QChar(0));
    image_files[0] = zero_slot;
}

const std::array<TextMemberInfo, 27>& text_members()
{
    return members;
}

const TextMemberInfo* text_member_info(Member m)
{
    if (m < 0 || m >= member_count)
        return nullptr;
    const int i = member_index()[m];
    return i < 0 ? nullptr : &members[size_t(i)];
}

QString trim_blanks(const QString& text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && text.at(e - 1) == QLatin1Char(' '))
        --e;
    return text.mid(b, e - b);
}

QString without_padding(const QString& text)
{
    qsizetype e = text.size();
    while (e > 0 && (text.at(e - 1) == QLatin1Char(' ') || text.at(e - 1) == QChar(0)))
        --e;
    return text.left(e);
}

QString fixed_text(const QString& text, int width)
{
    QString t = trim_blanks(text);
    if (t.size() > width)
        t.truncate(width);
    else if (t.size() < width)
        t.append(QString(width - t.size(), QLatin1Char(' ')));
    return t;
}

QString from_cp1252(const char* bytes, int len)
{
    QString s(len, Qt::Uninitialized);
    QChar* d = s.data();
    for (int i = 0; i < len; ++i)
        d[i] = QChar(decode_byte(uchar(bytes[i])));
    return s;
}

QByteArray to_cp1252(const QString& text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    int n = 0;
    const int len = int(text.size());
    for (int i = 0; i < len; ++i) {
        const char16_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < len && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            out[n++] = '?';
            ++i;
            continue;
        }
        out[n++] = encode_unit(u);
    }
    out.truncate(n);
    return out;
}

bool to_cp1252_exact(const QString& text, QByteArray& out)
{
    out.resize(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        const char b = encode_unit(u);
        if (b == '?' && u != u'?')
            return false;
        out[i] = b;
    }
    return true;
}

bool upper_cp1252(const char* in, int len, char* out)
{
    // Byte -> byte of its capital, or -1 where the capital is no single byte.
    static const std::array<int, 256> upper = [] {
        std::array<int, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const QString up = QString(QChar(decode_byte(uchar(b)))).toUpper();
            QByteArray bytes;
            t[size_t(b)] = up.size() == 1 && to_cp1252_exact(up, bytes) ? int(uchar(bytes.at(0))) : -1;
        }
        return t;
    }();
    for (int i = 0; i < len; ++i) {
        const int u = upper[uchar(in[i])];
        if (u < 0)
            return false;
        out[i] = char(u);
    }
    return true;
}

namespace {

// Leading blanks are kept for stored text and trimmed for typed entries.
void encode_into(const ScopeRecord& rec, char* out, bool keep_leading_blanks)
{
    // put_text cuts to the width and pads with blanks itself.
    const auto put = [&](const QString& text, char* at, int width) {
        if (keep_leading_blanks)
            put_text(text, at, width);
        else
            put_text(fixed_text(text, width), at, width);
    };
    for (const TextMemberInfo& m : members)
        put(rec.*(m.field), out + m.offset, m.width);
    qToLittleEndian<qint64>(rec.price_paid, out + offset_price_paid);
    qToLittleEndian<qint64>(rec.price_retail, out + offset_price_retail);
    qToLittleEndian<qint16>(rec.image_count, out + offset_image_count);

    // Slot 0 goes back exactly as it was read; nothing else ever writes it.
    char* slot0 = out + offset_image_files;
    std::memset(slot0, 0, image_slot_width);
    std::memcpy(slot0, rec.image_slot0.constData(), size_t(qMin<qsizetype>(rec.image_slot0.size(), image_slot_width)));
    for (int i = 1; i < image_slot_count; ++i)
        put(rec.image_files[size_t(i)], out + offset_image_files + image_slot_width * i, image_slot_width);
}

}  // namespace

void encode_record_into(const ScopeRecord& rec, char* out)
{
    encode_into(rec, out, false);
}

void encode_stored_record_into(const ScopeRecord& rec, char* out)
{
    encode_into(rec, out, true);
}

QByteArray encode_record(const ScopeRecord& rec)
{
    QByteArray out(rec_len_bytes, Qt::Uninitialized);
    encode_record_into(rec, out.data());
    return out;
}

void decode_record_into(const char* bytes, ScopeRecord& rec)
{
    for (const TextMemberInfo& m : members)
        rec.*(m.field) = from_cp1252(bytes + m.offset, m.width);
    rec.price_paid = get_le<qint64>(bytes + offset_price_paid);
    rec.price_retail = get_le<qint64>(bytes + offset_price_retail);
    rec.image_count = get_le<qint16>(bytes + offset_image_count);
    rec.image_slot0 = QByteArray(bytes + offset_image_files, image_slot_width);
    for (int i = 0; i < image_slot_count; ++i)
        rec.image_files[size_t(i)] = from_cp1252(bytes + offset_image_files + image_slot_width * i, image_slot_width);
}

ScopeRecord decode_record(const char* bytes)
{
    ScopeRecord rec;
    decode_record_into(bytes, rec);
    return rec;
}

void clear_record(ScopeRecord& rec)
{
    // One blank text per width, shared by every empty record until it is
    // written to: a collection's worth of new records costs no blank copies.
    static const std::array<QString, 27> blank_members = [] {
        std::array<QString, 27> b;
        for (std::size_t i = 0; i < members.size(); ++i)
            b[i] = QString(members[i].width, QLatin1Char(' '));
        return b;
    }();
    static const QString blank_slot(image_slot_width, QLatin1Char(' '));
    for (std::size_t i = 0; i < members.size(); ++i)
        rec.*(members[i].field) = blank_members[i];
    rec.price_paid = 0;
    rec.price_retail = 0;
    rec.image_count = 0;
    for (int i = 1; i < image_slot_count; ++i)
        rec.image_files[size_t(i)] = blank_slot;
}

QByteArrayView trimmed_bytes(const char* p, int width)
{
    int b = 0;
    int e = width;
    while (b < e && (p[b] == ' ' || p[b] == '\0'))
        ++b;
    while (e > b && (p[e - 1] == ' ' || p[e - 1] == '\0'))
        --e;
    return QByteArrayView(p + b, e - b);
}

QByteArrayView trimmed_member_bytes(const char* raw, Member member)
{
    const TextMemberInfo* m = text_member_info(member);
    return trimmed_bytes(raw + m->offset, m->width);
}

QString trimmed_member_text(const char* raw, Member member)
{
    const QByteArrayView bytes = trimmed_member_bytes(raw, member);
    return from_cp1252(bytes.data(), int(bytes.size()));
}

}  // namespace tessaran
