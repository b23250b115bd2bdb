// Writes the demo collection database from its text source with the program's
// own record encoder.
//
// Source format (UTF-8): one kaleidoscope per block, blocks separated by blank
// lines, lines starting with '#' ignored. Each line is "member: value" with a
// record member name (scopename ... comments, price_paid, price_retail) or
// "image" (repeatable, up to 10). Prices are plain decimals such as 125.00,
// dates M/d/yyyy. Anything malformed stops the tool with the line number.
//
// Usage: tessaran_make_demo SOURCE.txt OUTPUT.rnd

#include "core/scope_record.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <map>
#include <set>
#include <vector>

using namespace tessaran;

namespace {

struct SourceError {
    int line;
    QString what;
};

const std::map<QString, Member>& member_names()
{
    static const std::map<QString, Member> names = {
        {"scopename", m_scopename},
        {"artist", m_artist},
        {"studio", m_studio},
        {"date_bought", m_date_bought},
        {"price_paid", m_price_paid},
        {"price_retail", m_price_retail},
        {"salesperson", m_salesperson},
        {"store", m_store},
        {"street", m_street},
        {"city", m_city},
        {"state", m_state},
        {"zip", m_zip},
        {"country", m_country},
        {"phone", m_phone},
        {"fax", m_fax},
        {"email", m_email},
        {"www", m_www},
        {"scopetype", m_scopetype},
        {"extmat", m_extmat},
        {"extclr", m_extclr},
        {"celltype", m_celltype},
        {"objects", m_objects},
        {"mirrors", m_mirrors},
        {"scopeyear", m_scopeyear},
        {"edition", m_edition},
        {"signed", m_signed},
        {"symmetry", m_symmetry},
        {"specfeatures", m_specfeatures},
        {"comments", m_comments},
    };
    return names;
}

// Exact decimal to ten-thousandths: no floating point on the way.
qint64 parse_money(const QString& text, int line)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,12})(?:\\.(\\d{1,4}))?$"));
    const auto m = form.match(text);
    if (!m.hasMatch())
        throw SourceError{line, QStringLiteral("price '%1' is not a plain decimal like 125.00").arg(text)};
    qint64 amount = m.captured(1).toLongLong() * 10000;
    const QString frac = m.captured(2).leftJustified(4, QLatin1Char('0'));
    amount += frac.toLongLong();
    if (amount == 0)
        throw SourceError{line, QStringLiteral("a price of 0 means no price: leave the line out")};
    return amount;
}

void check_cp1252(const QString& value, int line)
{
    const QByteArray bytes = to_cp1252(value);
    if (from_cp1252(bytes.constData(), int(bytes.size())) != value)
        throw SourceError{line, QStringLiteral("'%1' has characters outside Windows-1252").arg(value)};
}

void set_member(ScopeRecord& rec, Member m, const QString& value, int line)
{
    if (m == m_price_paid) {
        rec.price_paid = parse_money(value, line);
        return;
    }
    if (m == m_price_retail) {
        rec.price_retail = parse_money(value, line);
        return;
    }
    const TextMemberInfo* info = text_member_info(m);
    if (!info)
        throw SourceError{line, QStringLiteral("member cannot be set")};
    if (value.size() > info->width)
        throw SourceError{line,
                          QStringLiteral("%1 is %2 characters long, the field holds %3")
                              .arg(QString::fromLatin1(info->name))
                              .arg(value.size())
                              .arg(info->width)};
    if (m == m_date_bought) {
        const QDate d = QDate::fromString(value, QStringLiteral("M/d/yyyy"));
        if (!d.isValid() || d.toString(QStringLiteral("M/d/yyyy")) != value)
            throw SourceError{line, QStringLiteral("date '%1' is not a valid M/d/yyyy date").arg(value)};
    }
    if (m == m_scopeyear) {
        bool ok = false;
        const int year = value.toInt(&ok);
        if (!ok || year < 1700 || year > 2100)
            throw SourceError{line, QStringLiteral("scope year '%1' is not a year from 1700 on").arg(value)};
    }
    check_cp1252(value, line);
    rec.*(info->field) = fixed_text(value, info->width);
}

std::vector<ScopeRecord> parse_source(const QStringList& lines)
{
    std::vector<ScopeRecord> records;
    ScopeRecord rec;
    std::set<QString> seen;
    int block_line = 0;

    auto finish_block = [&](int line) {
        if (seen.empty())
            return;
        if (!seen.count(QStringLiteral("scopename")))
            throw SourceError{block_line, QStringLiteral("the record starting here has no scopename")};
        records.push_back(rec);
        rec = ScopeRecord();
        seen.clear();
        (void)line;
    };

    for (int i = 0; i < lines.size(); ++i) {
        const int line = i + 1;
        const QString text = lines[i].trimmed();
        if (text.isEmpty()) {
            finish_block(line);
            continue;
        }
        if (text.startsWith(QLatin1Char('#')))
            continue;
        const int colon = text.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            throw SourceError{line, QStringLiteral("expected 'member: value', got '%1'").arg(text.left(60))};
        const QString name = text.left(colon).trimmed();
        const QString value = text.mid(colon + 1).trimmed();
        if (seen.empty())
            block_line = line;
        if (value.isEmpty())
            throw SourceError{line, QStringLiteral("%1 has no value: leave the line out").arg(name)};

        if (name == QLatin1String("image")) {
            if (rec.image_count >= 10)
                throw SourceError{line, QStringLiteral("more than 10 images")};
            if (value.size() > image_slot_width)
                throw SourceError{line, QStringLiteral("image path longer than %1 characters").arg(image_slot_width)};
            check_cp1252(value, line);
            ++rec.image_count;
            rec.image_files[rec.image_count] = fixed_text(value, image_slot_width);
            seen.insert(name + QString::number(rec.image_count));
            continue;
        }
        const auto it = member_names().find(name);
        if (it == member_names().end())
            throw SourceError{line, QStringLiteral("unknown member '%1'").arg(name)};
        if (!seen.insert(name).second)
            throw SourceError{line, QStringLiteral("%1 given twice in one record").arg(name)};
        set_member(rec, it->second, value, line);
    }
    finish_block(int(lines.size()));

    if (records.empty())
        throw SourceError{int(lines.size()), QStringLiteral("the source holds no records")};
    if (records.size() > std::size_t(max_record_count))
        throw SourceError{int(lines.size()), QStringLiteral("more than %1 records").arg(max_record_count)};
    return records;
}

void fail(const QString& text)
{
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fail(QStringLiteral("usage: tessaran_make_demo SOURCE.txt OUTPUT.rnd"));
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        fail(source + QStringLiteral(": ") + in.errorString());
        return 1;
    }
    QString text = QString::fromUtf8(in.readAll());
    in.close();
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);  // the last line's end starts no further line

    std::vector<ScopeRecord> records;
    try {
        records = parse_source(text.split(QLatin1Char('\n')));
    } catch (const SourceError& e) {
        fail(source + QLatin1Char(':') + QString::number(e.line) + QStringLiteral(": ") + e.what);
        return 1;
    }

    // Written whole or not at all, so a failed run never leaves half a database.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        fail(target + QStringLiteral(": ") + out.errorString());
        return 1;
    }
    for (const ScopeRecord& rec : records) {
        const QByteArray bytes = encode_record(rec);
        if (bytes.size() != rec_len_bytes || out.write(bytes) != bytes.size()) {
            fail(target + QStringLiteral(": ") + out.errorString());
            return 1;
        }
    }
    if (!out.commit()) {
        fail(target + QStringLiteral(": ") + out.errorString());
        return 1;
    }
    std::printf("%s: %d records\n", qUtf8Printable(target), int(records.size()));
    return 0;
}
