// The windows over a collection's history that the record editor opens:
// the shown kaleidoscope's versions and the deleted kaleidoscopes, each
// telling the user when there is nothing to show.
#pragma once

#include "core/collection_history.h"
#include "core/scope_record.h"

#include <optional>

class QWidget;

namespace tessaran {

// "History of this kaleidoscope...": the version the user chose to restore.
std::optional<ScopeRecord> chosen_version(CollectionHistory& history, int record, const QString& name, QWidget* parent);
// "Deleted kaleidoscopes...": the one the user chose to put back.
std::optional<DeletedKaleidoscope> chosen_deleted(CollectionHistory& history, QWidget* parent);

}  // namespace tessaran
