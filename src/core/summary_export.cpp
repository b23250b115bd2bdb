#include "summary_export.h"

#include "file_write.h"
#include "money.h"
#include "summary_rows.h"

#include <QtEndian>

namespace tessaran {

QString csv_quote(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString csv_line(const QStringList& items)
{
    QStringList quoted;
    quoted.reserve(items.size());
    for (const QString& item : items)
        quoted << csv_quote(item);
    return quoted.join(QLatin1Char(','));
}

bool export_heading_lines(const SummaryExportHead& head, QStringList& lines, QString& error)
{
    const QString caption = trim_blanks(head.sort_caption);
    if (caption.size() < 2) {
        error = QStringLiteral("The sort caption \"%1\" is too short to be written.").arg(caption);
        return false;
    }
    // A non-negative count is written with a leading blank, as the number's own sign place.
    const QString count = (head.count >= 0 ? QStringLiteral(" ") : QString()) + QString::number(head.count);
    lines = QStringList{
        csv_quote(trim_blanks(QStringLiteral("Kaleidoscope Summary completed at ") + head.stamp)),
        csv_quote(trim_blanks(QStringLiteral("Number of records selected: ") + count)),
        csv_quote(QStringLiteral("Selected:  ") + trim_blanks(head.selection_text)),
        csv_quote(trim_blanks(sort_caption_inner(caption))),
        csv_quote(QStringLiteral(" ")),
    };
    return true;
}

QStringList export_record_items(const ScopeRecord& r, SummaryKind kind)
{
    if (kind == SummaryKind::scope)
        return summary_cells(r, kind);
    return {summary_text(r.scopename),
            summary_text(r.artist),
            summary_text(r.date_bought),
            money_plain_text(r.price_paid).trimmed(),
            money_plain_text(r.price_retail).trimmed(),
            summary_text(r.store)};
}

namespace {

// A stored member as one quoted item, straight from its bytes: trimmed of
// blanks and zero bytes, inner quotes doubled. Decoding and encoding again
// would give back the same bytes, so none of that is done.
void append_raw_item(QByteArray& out, const char* raw, Member member)
{
    const QByteArrayView text = trimmed_member_bytes(raw, member);
    out += '"';
    // Most texts hold no quote: they go in whole.
    if (!text.contains('"')) {
        out += text;
    } else {
        for (const char c : text) {
            if (c == '"')
                out += '"';
            out += c;
        }
    }
    out += '"';
}

// One record line without its line end, the same bytes as
// to_cp1252(csv_line(export_record_items(decode_record(raw), kind))).
void append_record_line(QByteArray& out, const char* raw, SummaryKind kind)
{
    static const Member scope_items[] = {m_scopename, m_artist,  m_scopetype, m_scopeyear, m_extmat,  m_extclr,
                                         m_celltype,  m_edition, m_objects,   m_signed,    m_mirrors, m_symmetry};
    if (kind == SummaryKind::scope) {
        for (const Member m : scope_items) {
            if (m != m_scopename)
                out += ',';
            append_raw_item(out, raw, m);
        }
        return;
    }
    append_raw_item(out, raw, m_scopename);
    out += ',';
    append_raw_item(out, raw, m_artist);
    out += ',';
    append_raw_item(out, raw, m_date_bought);
    out += ',';
    // A plain amount holds no quote and no blank to trim.
    out += '"';
    out += money_plain_bytes(qFromLittleEndian<qint64>(raw + offset_price_paid));
    out += "\",\"";
    out += money_plain_bytes(qFromLittleEndian<qint64>(raw + offset_price_retail));
    out += '"';
    out += ',';
    append_raw_item(out, raw, m_store);
}

}  // namespace

FileStatus write_summary_export(const QString& path, const QString& collection, const std::vector<int>& order,
                                int positions, SummaryKind kind, const SummaryExportHead& head)
{
    QStringList lines;
    QString error;
    if (!export_heading_lines(head, lines, error))
        return FileStatus::failure(error);

    RecordScanner db;
    if (FileStatus st = db.open(collection); !st)
        return st;

    ScratchFile out(path);
    if (FileStatus st = out.open(); !st)
        return st;

    const QByteArray crlf("\r\n");
    QByteArray chunk;
    chunk.reserve((1 << 16) + 4096);
    for (const QString& line : lines)
        chunk += to_cp1252(line) + crlf;

    for (int p = 1; p <= positions; ++p) {
        const std::size_t idx = static_cast<std::size_t>(p);
        const char* raw = idx < order.size() ? db.raw(order[idx]) : nullptr;
        if (!raw) {
            return FileStatus::failure(QStringLiteral("Record %1 could not be read from the database file.")
                                           .arg(idx < order.size() ? order[idx] : p));
        }
        append_record_line(chunk, raw, kind);
        chunk += crlf;
        if (chunk.size() > (1 << 16)) {
            if (FileStatus st = out.write(chunk); !st)
                return st;
            chunk.truncate(0);  // keeps its room for the next block
        }
    }
    db.close();
    // Short writes on a full disk must fail the export, not commit a cut-off file.
    if (FileStatus st = out.write(chunk); !st)
        return st;
    return out.commit();
}

}  // namespace tessaran
