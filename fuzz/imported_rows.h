// The property the import targets share: every row the import accepts is a
// record that tessaran-rnd verify accepts.
#pragma once

#include "fuzz_support.h"

#include "core/record_import.h"
#include "record_check.h"

namespace tessaran::fuzz {

// The reader's columns matched by their headings, as the command matches them.
inline QList<int> matched_targets(const ImportReader& reader)
{
    QList<int> targets;
    for (const QString& h : reader.headings())
        targets << match_heading(h);
    return targets;
}

// Converts every row the reader has left and fails on an accepted one that
// verify refuses; the number of rows.
inline int check_imported_rows(ImportReader& reader, const QList<int>& targets)
{
    ImportedRow row;
    int rows = 0;
    QByteArray encoded(rec_len_bytes, '\0');
    while (reader.next_converted(targets, row)) {
        ++rows;
        if (row.line < 1)
            fail(QStringLiteral("a row without its line"));
        if (!row.problem.isEmpty())
            continue;
        encode_stored_record_into(row.rec, encoded.data());
        DatabaseReport report;
        check_record(encoded.constData(), 1, report);
        if (!report.errors.isEmpty())
            fail("verify refuses an imported row: " + report.errors.join(QLatin1Char('|')));
    }
    return rows;
}

}  // namespace tessaran::fuzz
