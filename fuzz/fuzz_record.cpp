// Fuzz target: a 2473-byte record as a damaged database could hold it, with
// selection criteria built from the bytes after it.
//
// Checks that decoding never fails on any bytes, that encoding what was decoded
// is stable (a second round trip changes nothing), that the byte-level matcher
// the scans use agrees with the matcher on the decoded record, and that the
// criteria text can be built for any criteria.
#include "core/criteria.h"
#include "core/record_match.h"
#include "core/scope_record.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace tessaran;

namespace {

struct Reader {
    const uint8_t* p;
    size_t n;
    uint8_t byte() { return n ? (--n, *p++) : 0; }
    qint64 i64()
    {
        quint64 v = 0;
        for (int i = 0; i < 8; ++i)
            v = (v << 8) | byte();
        return qint64(v);
    }
    // A short text: length byte, then that many bytes as Windows-1252 or UTF-16.
    QString text()
    {
        const int len = byte() % 24;
        const bool wide = byte() & 1;
        QString s;
        for (int i = 0; i < len; ++i) {
            if (wide) {
                const char16_t u = char16_t(byte() << 8 | byte());
                s.append(QChar(u));
            } else {
                const char b = char(byte());
                s.append(from_cp1252(&b, 1));
            }
        }
        return s;
    }
};

void set_locale(uint8_t sel)
{
    static const QLocale locales[] = {
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Turkish, QLocale::Turkey),
    };
    QLocale::setDefault(locales[sel % 4]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < size_t(rec_len_bytes))
        return 0;
    const char* raw = reinterpret_cast<const char*>(data);

    const ScopeRecord rec = decode_record(raw);
    const QByteArray once = encode_record(rec);
    if (once.size() != rec_len_bytes)
        std::abort();
    const QByteArray twice = encode_record(decode_record(once.constData()));
    if (once != twice)
        std::abort();
    // Slot 0 and the binary members go back exactly as read.
    if (std::memcmp(once.constData() + offset_image_files, raw + offset_image_files, image_slot_width) != 0
        || std::memcmp(once.constData() + offset_price_paid, raw + offset_price_paid, 16) != 0
        || std::memcmp(once.constData() + offset_image_count, raw + offset_image_count, 2) != 0)
        std::abort();

    Reader in{data + rec_len_bytes, size - size_t(rec_len_bytes)};
    set_locale(in.byte());
    Criteria c;
    const uint8_t flags = in.byte();
    c.by_date = flags & 1;
    c.by_paid = flags & 2;
    c.by_retail = flags & 4;
    c.by_text = flags & 8;
    c.date_beg = (flags & 16) ? open_date_bound : double(qint32(in.i64() % 3000000));
    c.date_end = (flags & 32) ? open_date_bound : double(qint32(in.i64() % 3000000));
    c.paid_min = in.i64();
    c.paid_max = (flags & 64) ? open_money_max : in.i64();
    c.retail_min = in.i64();
    c.retail_max = (flags & 128) ? open_money_max : in.i64();
    while (in.n > 0) {
        const int slot = in.byte() % text_slot_count;
        // The dialogs hand over upper-cased text.
        c.texts[size_t(slot)] = in.text().toUpper();
    }

    const bool a = record_matches(c, rec);
    const bool b = raw_record_matches(c, raw);
    if (a != b)
        std::abort();
    (void)stored_date_days(rec.date_bought);
    (void)criteria_text(c);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}
