// The kaleidoscope record: 31 members, 2473 bytes on disk, no header, no padding.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <array>

namespace tessaran {

constexpr int rec_len_bytes = 2473;
constexpr int image_slot_width = 60;
constexpr int image_slot_count = 11;                // slots 0..10; slot 0 is never used
constexpr int max_pictures = image_slot_count - 1;  // a record's pictures: slots 1..10
constexpr int max_record_count = 32767;             // counts and positions are 16-bit signed

// Member numbers in file order (0..30).
enum Member : int {
    m_scopename = 0,
    m_artist,
    m_studio,
    m_date_bought,
    m_price_paid,
    m_price_retail,
    m_salesperson,
    m_store,
    m_street,
    m_city,
    m_state,
    m_zip,
    m_country,
    m_phone,
    m_fax,
    m_email,
    m_www,
    m_scopetype,
    m_extmat,
    m_extclr,
    m_celltype,
    m_objects,
    m_mirrors,
    m_scopeyear,
    m_edition,
    m_signed,
    m_symmetry,
    m_specfeatures,
    m_comments,
    m_image_count,
    m_image_files,
    member_count
};

// The two amounts; every other member but the pictures is text.
constexpr bool is_price(Member m)
{
    return m == m_price_paid || m == m_price_retail;
}

// Slot 0 of a new record: zero bytes, one copy shared by every record.
const QByteArray& zero_slot_bytes();

// The in-memory buffer keeps every text member at its full fixed width (blank
// padded, zero bytes kept as QChar(0)), exactly as the file holds it, so that
// the text criteria can match against the padded width.
struct ScopeRecord {
    QString scopename;
    QString artist;
    QString studio;
    QString date_bought;
    qint64 price_paid = 0;    // amount x 10000
    qint64 price_retail = 0;  // amount x 10000
    QString salesperson;
    QString store;
    QString street;
    QString city;
    QString state;
    QString zip;
    QString country;
    QString phone;
    QString fax;
    QString email;
    QString www;
    QString scopetype;
    QString extmat;
    QString extclr;
    QString celltype;
    QString objects;
    QString mirrors;
    QString scopeyear;
    QString edition;
    QString signed_;  // "signed" is a C++ keyword
    QString symmetry;
    QString specfeatures;
    QString comments;
    qint16 image_count = 0;
    std::array<QString, image_slot_count> image_files;  // slots 1..10 used
    QByteArray image_slot0 = zero_slot_bytes();         // raw bytes, kept as read

    ScopeRecord();  // an empty record: blank texts, zero prices, zero-byte slot 0

    // The pictures the record really has: a damaged stored count neither hides
    // the slots below it nor reaches past the last one.
    int images_in_use() const { return std::clamp<int>(image_count, 0, image_slot_count - 1); }
};

// Layout of one text member (members 0..28 other than the prices).
struct TextMemberInfo {
    Member member;
    const char* name;
    int offset;
    int width;
    QString ScopeRecord::*field;
};

// The 27 text members in file order.
const std::array<TextMemberInfo, 27>& text_members();
// Layout of a text member by member number; nullptr for prices and images.
const TextMemberInfo* text_member_info(Member m);

constexpr int offset_price_paid = 165;
constexpr int offset_price_retail = 173;
constexpr int offset_image_count = 1811;
constexpr int offset_image_files = 1813;

// Text cut or blank-padded to width after trimming leading and trailing blanks.
QString fixed_text(const QString& text, int width);
// Text trimmed of leading and trailing blanks (only blanks, as stored text is).
QString trim_blanks(const QString& text);
// Text without the record's padding: trailing blanks and zero bytes. Leading
// blanks are the user's and stay.
QString without_padding(const QString& text);

// The stored bytes of a text member of raw record bytes, trimmed of blanks and
// zero bytes at both ends (one byte is one character).
QByteArrayView trimmed_member_bytes(const char* raw, Member member);
// The same bytes as text, as a list or a summary shows the member.
QString trimmed_member_text(const char* raw, Member member);
// The same for any stored field of width bytes at p (a picture slot).
QByteArrayView trimmed_bytes(const char* p, int width);

// Encode to / decode from exactly rec_len_bytes bytes of Windows-1252.
QByteArray encode_record(const ScopeRecord& rec);
void encode_record_into(const ScopeRecord& rec, char* out);
// Like encode_record_into, but leading blanks stay: for records brought back
// from a dump, whose texts are stored text, not typed entries.
void encode_stored_record_into(const ScopeRecord& rec, char* out);
ScopeRecord decode_record(const char* bytes);
void decode_record_into(const char* bytes, ScopeRecord& rec);

// Windows-1252 helpers; unmappable characters become '?'.
QString from_cp1252(const char* bytes, int len);
QByteArray to_cp1252(const QString& text);
// Like to_cp1252, but false when a character has no Windows-1252 byte.
bool to_cp1252_exact(const QString& text, QByteArray& out);
// Upper-cases stored bytes into out[0..len) exactly as QString::toUpper does the
// decoded text, so scans compare bytes instead of building strings. False when
// a byte's capital is not one Windows-1252 character (such as the sharp s);
// the caller then goes through QString.
bool upper_cp1252(const char* in, int len, char* out);

// Empties a record: texts blank, prices 0, image_count 0,
// slots 1..10 blank, slot 0 left as it is.
void clear_record(ScopeRecord& rec);

}  // namespace tessaran
