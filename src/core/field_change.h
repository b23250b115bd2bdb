// One change for many kaleidoscopes: a field set to a new value, or a text
// replaced by another within it, checked as the form checks an entry, shown
// before anything is written, then written in one safe write and recorded as
// one change in the collection's history.
#pragma once

#include "collection_history.h"
#include "record_file.h"
#include "scope_record.h"

#include <QString>

#include <vector>

namespace tessaran {

struct ChangeForMany {
    Member member = m_store;
    bool replace = false;  // replace `from` by `to` within the field; else set it to `to`
    QString from;
    QString to;
};

// The member a name of `tessaran-rnd dump` stands for ("store", "price_paid").
std::optional<Member> member_named(const QString& name);

struct PlannedChange {
    int position = 0;  // in the working set
    int record = 0;
    QString name;  // the scope name
    QString before;
    QString after;
    QByteArray bytes_before;
    QByteArray bytes_after;
};

struct FieldChangePlan {
    std::vector<PlannedChange> changes;  // the kaleidoscopes whose value changes
    // Why nothing may be written: the form's message for a value it refuses,
    // or the kaleidoscopes whose text would not fit the field.
    QString refusal;
    FileStamp stamp;  // the collection as the plan read it
};

// What the change does to positions 1..count of records (a working set's
// record numbers) of the collection at path.
FileStatus plan_field_change(const QString& path, const std::vector<int>& records, int count,
                             const ChangeForMany& change, FieldChangePlan& plan);

// Writes a plan without refusal: nothing when the collection changed since the
// plan read it (the reason says so), else every changed record in one safe
// write, through recorded as one change.
FileStatus write_field_change(const QString& path, const FieldChangePlan& plan, const RecordedWrite& recorded);

}  // namespace tessaran
