// Soundness checks of a collection database file, shared by the command-line tool.
#pragma once

#include "core/scope_record.h"

#include <QString>
#include <QStringList>

namespace tessaran {

struct DatabaseReport {
    qint64 size = -1;      // bytes; -1 when the file cannot be read
    int records = 0;       // whole records in the file
    QStringList problems;  // one line per problem, empty for a sound file
};

// Reads the whole file once and lists every problem found.
DatabaseReport check_database(const QString& path);

// A record as one line of JSON: member names as keys, prices as decimal strings.
QByteArray record_json(const ScopeRecord& rec, int number);

// An amount of ten-thousandths as a decimal string with "." ("125", "12.5", "-0.0001").
QString decimal_amount(qint64 amount);

}  // namespace tessaran
