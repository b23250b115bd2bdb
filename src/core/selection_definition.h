// A saved selection: what makes a working set (everything or criteria, the
// sort) and the collection list's filter, kept as bytes in the collection's
// companion and read back whole or not at all.
#pragma once

#include "criteria.h"
#include "sorting.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace tessaran {

struct SelectionDefinition {
    bool all = true;
    Criteria criteria;
    SortField sort = SortField::none;
    bool descending = false;
    QString filter;  // the collection list's filter
};

QByteArray definition_bytes(const SelectionDefinition& d);
// Nothing for bytes that are not a definition this program wrote.
std::optional<SelectionDefinition> definition_from(const QByteArray& bytes);

}  // namespace tessaran
