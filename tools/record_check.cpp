#include "record_check.h"

#include "core/blank_text.h"
#include "core/collection_stats.h"
#include "core/entry_checks.h"
#include "core/locale_dates.h"
#include "core/money.h"
#include "core/picture_search.h"
#include "core/scope_record.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <tuple>

#include <sys/stat.h>

namespace tessaran {
namespace {

// Bytes that Windows-1252 leaves undefined: no code page maps them to a character.
bool undefined_cp1252(unsigned char b)
{
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

}  // namespace

void check_record(const char* raw, int number, DatabaseReport& report)
{
    QStringList& problems = report.warnings;
    const QString where = QStringLiteral("record %1: ").arg(number);
    for (const TextMemberInfo& m : text_members()) {
        for (int i = 0; i < m.width; ++i) {
            if (undefined_cp1252(static_cast<unsigned char>(raw[m.offset + i]))) {
                problems << where
                        + QStringLiteral("%1 holds a byte that is no character (0x%2)")
                              .arg(QString::fromLatin1(m.name))
                              .arg(static_cast<unsigned char>(raw[m.offset + i]), 2, 16, QLatin1Char('0'));
                break;
            }
        }
    }
    const ScopeRecord rec = decode_record(raw);
    if (rec.image_count < 0 || rec.image_count > 10)
        report.errors << where + QStringLiteral("image_count is %1, outside 0..10").arg(rec.image_count);
    const int used = rec.images_in_use();
    for (int slot = used + 1; slot <= 10; ++slot) {
        if (!is_blank(rec.image_files[static_cast<std::size_t>(slot)])) {
            problems << where + QStringLiteral("image slot %1 is filled beyond image_count").arg(slot);
            break;
        }
    }
    const QString locale = QLocale().name();
    if (!is_blank(rec.date_bought) && !parse_user_date(trim_blanks(rec.date_bought)))
        problems << where
                + QStringLiteral("date of purchase \"%1\" is not a date in the locale %2")
                      .arg(trim_blanks(rec.date_bought), locale);
    const YearCheck year = check_scopeyear(rec.scopeyear);
    if (year != YearCheck::blank && year != YearCheck::ok)
        problems << where
                + QStringLiteral("scope year \"%1\" in the locale %2: %3")
                      .arg(trim_blanks(rec.scopeyear), locale, scopeyear_message(year));
}

QString unreadable_reason(const QString& path)
{
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("cannot read %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    // A FIFO would block a read for ever, a device never ends: only files are collections.
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("cannot read %1: not a regular file").arg(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    return QString();
}

DatabaseReport check_database(const QString& path)
{
    DatabaseReport report;
    report.unreadable = unreadable_reason(path);
    if (!report.unreadable.isEmpty())
        return report;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report.unreadable = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return report;
    }
    report.size = file.size();
    report.records = static_cast<int>(report.size / rec_len_bytes);
    if (report.size % rec_len_bytes != 0)
        report.errors << QStringLiteral("length %1 is not a whole number of %2-byte records (%3 left over)")
                             .arg(report.size)
                             .arg(rec_len_bytes)
                             .arg(counted(report.size % rec_len_bytes, QStringLiteral("byte")));
    if (report.records > max_record_count)
        report.errors << QStringLiteral("%1 records: more than the %2 a collection can hold")
                             .arg(report.records)
                             .arg(max_record_count);
    QByteArray buffer(rec_len_bytes, '\0');
    for (int n = 1; n <= report.records; ++n) {
        if (file.read(buffer.data(), rec_len_bytes) != rec_len_bytes) {
            report.errors << QStringLiteral("record %1: cannot be read: %2").arg(n).arg(file.errorString());
            break;
        }
        check_record(buffer.constData(), n, report);
    }
    return report;
}

QStringList missing_picture_warnings(const QString& path)
{
    QStringList warnings;
    for (const PictureLine& line : picture_lines(path))
        if (!line.exists)
            warnings << QStringLiteral("record %1, picture %2: %3 %4")
                            .arg(line.record)
                            .arg(line.slot)
                            .arg(line.file,
                                 line.present ? QStringLiteral("is not a picture file")
                                              : QStringLiteral("cannot be found"));
    return warnings;
}

QString PictureLine::state() const
{
    return exists ? QStringLiteral("found")
        : present ? QStringLiteral("not a picture file")
                  : QStringLiteral("missing");
}

std::vector<PictureLine> picture_lines(const QString& path)
{
    std::vector<StoredPictureRef> all;
    std::vector<PictureLine> lines;
    if (!collection_pictures(path, all))
        return lines;
    for (const StoredPictureRef& ref : all)
        for (const PictureUse& use : ref.uses)
            lines.push_back({use.record, use.slot, ref.stored, ref.file, ref.exists, ref.present});
    std::sort(lines.begin(), lines.end(), [](const PictureLine& a, const PictureLine& b) {
        return std::tie(a.record, a.slot) < std::tie(b.record, b.slot);
    });
    return lines;
}

QByteArray record_json(const ScopeRecord& rec, int number)
{
    // A faithful copy: every text as stored less its padding, the stored image
    // count as it is, and every filled picture slot at its place (a slot above
    // the count too), so that the import gives the record back byte for byte.
    QJsonObject o;
    o.insert(QStringLiteral("record"), number);
    for (const TextMemberInfo& m : text_members())
        o.insert(QString::fromLatin1(m.name), without_padding(rec.*(m.field)));
    o.insert(QStringLiteral("price_paid"), decimal_amount(rec.price_paid));
    o.insert(QStringLiteral("price_retail"), decimal_amount(rec.price_retail));
    o.insert(QStringLiteral("image_count"), rec.image_count);
    QStringList images;
    for (int slot = 1; slot < image_slot_count; ++slot)
        images << without_padding(rec.image_files[static_cast<std::size_t>(slot)]);
    while (!images.isEmpty() && images.last().isEmpty())
        images.removeLast();
    o.insert(QStringLiteral("image_files"), QJsonValue::fromVariant(images));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

}  // namespace tessaran
