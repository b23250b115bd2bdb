#include "common/core_temp_db.h"

#include "core/locale_dates.h"
#include "core/record_file.h"
#include "core/working_set.h"

#include <QtTest>

namespace tessaran::test {

ScopeRecord make_record(const QString& scopename, const QString& artist, const QString& date_bought, qint64 price_paid,
                        qint64 price_retail)
{
    ScopeRecord r;
    r.scopename = fixed_text(scopename, 50);
    r.artist = fixed_text(artist, 50);
    r.date_bought = fixed_text(date_bought, 15);
    r.price_paid = price_paid;
    r.price_retail = price_retail;
    return r;
}

ScopeRecord varied_record(int i)
{
    ScopeRecord r;
    const QString n = QString::number(i);
    for (const TextMemberInfo& m : text_members())
        r.*(m.field) = fixed_text(QString::fromLatin1(m.name) + QLatin1Char(' ') + n, m.width);
    r.date_bought = i % 7 == 0 ? fixed_text(QString(), 15)
                               : fixed_text(short_date_text(QDate(1990 + i % 30, 1 + i % 12, 1 + i % 28)), 15);
    r.scopeyear = fixed_text(QString::number(1900 + i % 120), 10);
    r.price_paid = qint64(i % 5) * 123456;  // every fifth record unpriced
    r.price_retail = qint64(i % 3) * 250000;
    r.image_count = qint16(i % 3);
    for (int k = 1; k <= r.image_count; ++k)
        r.image_files[size_t(k)] = fixed_text(QStringLiteral("/pictures/scope%1_%2.jpg").arg(i).arg(k), 60);
    return r;
}

ScopeRecord with_pictures(ScopeRecord rec, const QStringList& paths)
{
    rec.image_count = qint16(paths.size());
    for (int i = 0; i < paths.size() && i < max_pictures; ++i)
        rec.image_files[std::size_t(i + 1)] = fixed_text(paths[i], image_slot_width);
    return rec;
}

bool write_bytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size() && f.flush();
}

QByteArray read_bytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QStringList scope_names(const QString& path)
{
    QStringList names;
    for (const ScopeRecord& r : read_db(path))
        names << trim_blanks(r.scopename);
    return names;
}

bool write_db(const QString& path, const QList<ScopeRecord>& records)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(records.size()) * rec_len_bytes);
    for (const ScopeRecord& r : records)
        bytes += encode_record(r);
    return write_bytes(path, bytes);
}

QList<ScopeRecord> read_db(const QString& path)
{
    QList<ScopeRecord> out;
    const int n = int(file_length(path) / rec_len_bytes);
    for (int i = 1; i <= n; ++i) {
        ScopeRecord r;
        if (!read_record(path, i, r))
            return {};
        out.append(r);
    }
    return out;
}

TempDb::TempDb(const QList<ScopeRecord>& records, const QString& name)
{
    path_ = dir_.filePath(name);
    ok_ = dir_.isValid() && write_db(path_, records);
}

Session TempDb::session() const
{
    return Session::on_file(path_);
}

Session TempDb::open_all() const
{
    Session s = session();
    s.ws().reset_to_all(s.record_count());
    return s;
}

Session TempDb::open_for_summary(const QString& criteria) const
{
    Session s = open_all();
    s.ws().restore_sort({SortField::artist, false, "[Sorted by: Artist (Asc.)]"});
    s.ws().restore_selection({true, Criteria(), criteria, s.ws().matched()});
    LocaleLabels dollars = s.locale();
    dollars.currency_symbol = QStringLiteral("$");
    s.set_locale(dollars);
    return s;
}

bool TempDb::rewrite(const QList<ScopeRecord>& records) const
{
    return write_db(path_, records);
}

QStringList scratch_files_in(const QString& dir)
{
    QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    names.removeIf([](const QString& n) { return !n.startsWith(QLatin1Char('.')); });
    return names;
}

}  // namespace tessaran::test
