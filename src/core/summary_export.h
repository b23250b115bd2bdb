// The summary as a comma-separated text file: five heading lines, then one line
// per record of the working set, every item in double quotes, CR LF line ends,
// Windows-1252.
#pragma once

#include "record_file.h"
#include "scope_record.h"
#include "summary_rows.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

namespace tessaran {

// One quoted item; an inner double quote is doubled so the line reads back.
QString csv_quote(const QString& text);
// Quoted items joined by commas, no line end.
QString csv_line(const QStringList& items);

// What the heading lines are made of.
struct SummaryExportHead {
    QString stamp;  // the current date and time as text
    int count = 0;
    QString selection_text;
    QString sort_caption;
};

// Lines 1..5 (without line ends). Fails when the sort caption is shorter than
// two characters.
bool export_heading_lines(const SummaryExportHead& head, QStringList& lines, QString& error);
// The items of one record line: texts trimmed, prices as plain amounts ("0" for none).
QStringList export_record_items(const ScopeRecord& rec, SummaryKind kind);

// Writes the whole export to path. Records order[1..positions] are read from
// collection in that order. The file is replaced only when everything was written.
FileStatus write_summary_export(const QString& path, const QString& collection, const std::vector<int>& order,
                                int positions, SummaryKind kind, const SummaryExportHead& head);

}  // namespace tessaran
