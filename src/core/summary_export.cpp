#include "summary_export.h"

#include "fct_currency.h"
#include "summary_rows.h"

#include <QSaveFile>

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
    const QString count = (head.ws_count >= 0 ? QStringLiteral(" ") : QString()) + QString::number(head.ws_count);
    lines = QStringList{
        csv_quote(trim_blanks(QStringLiteral("Kaleidoscope Summary completed at ") + head.stamp)),
        csv_quote(trim_blanks(QStringLiteral("Number of records selected: ") + count)),
        csv_quote(QStringLiteral("Selected:  ") + trim_blanks(head.sel_criteria)),
        csv_quote(trim_blanks(sort_caption_inner(caption))),
        csv_quote(QStringLiteral(" ")),
    };
    return true;
}

QStringList export_record_items(const ScopeRecord& r, int kind)
{
    if (kind == summary_kind_scope)
        return summary_cells(r, kind);
    return {summary_text(r.scopename),         summary_text(r.artist),
            summary_text(r.date_bought),       money_plain_text(r.price_paid).trimmed(),
            money_plain_text(r.price_retail).trimmed(), summary_text(r.store)};
}

FileStatus write_summary_export(const QString& path, const QString& db_path,
                                const std::vector<qint16>& ws_recno, int ws_count, int kind,
                                const SummaryExportHead& head)
{
    QStringList lines;
    QString error;
    if (!export_heading_lines(head, lines, error))
        return FileStatus::failure(error);

    RecordScanner db;
    if (FileStatus st = db.open(db_path); !st)
        return st;

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return FileStatus::failure(out.errorString());

    const QByteArray crlf("\r\n");
    QByteArray chunk;
    for (const QString& line : lines)
        chunk += to_cp1252(line) + crlf;

    ScopeRecord rec;
    for (int p = 1; p <= ws_count; ++p) {
        const std::size_t idx = static_cast<std::size_t>(p);
        if (idx >= ws_recno.size() || !db.read(ws_recno[idx], rec)) {
            out.cancelWriting();
            return FileStatus::failure(
                QStringLiteral("Record %1 could not be read from the database file.")
                    .arg(idx < ws_recno.size() ? ws_recno[idx] : p));
        }
        chunk += to_cp1252(csv_line(export_record_items(rec, kind))) + crlf;
        if (chunk.size() > (1 << 16)) {
            if (out.write(chunk) != chunk.size()) {
                const QString why = out.errorString();
                out.cancelWriting();
                return FileStatus::failure(why);
            }
            chunk.clear();
        }
    }
    db.close();
    if (out.write(chunk) != chunk.size() || !out.commit())
        return FileStatus::failure(out.errorString());
    return FileStatus{};
}

}  // namespace tessaran
