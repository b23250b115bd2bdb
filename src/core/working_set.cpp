#include "working_set.h"

#include "collection_groups.h"

#include "record_match.h"
#include "scope_record.h"

namespace tessaran {

void WorkingSet::select(const Criteria& c)
{
    selection_.criteria = c;
    selection_.all = false;
    selection_.text = criteria_text(c);
}

void WorkingSet::select_everything()
{
    selection_.all = true;
    Criteria& c = selection_.criteria;
    c.by_date = c.by_paid = c.by_retail = c.by_text = false;
    c.group = GroupField::none;
}

void WorkingSet::set_find(const Criteria& c)
{
    find_ = c;
    find_text_ = criteria_text(c);
}

void WorkingSet::forget_find()
{
    find_text_.clear();
    found_ = false;
}

void WorkingSet::reset_to_all(int record_count)
{
    const int n = qMax(0, record_count);
    records_.assign(size_t(n) + 1, 0);
    for (int p = 1; p <= n; ++p)
        records_[size_t(p)] = p;
    count_ = n;
    position_ = qMin(position_, n);
    selection_.matched = n;
    selection_.all = true;
    selection_.text = QStringLiteral("All");
}

void WorkingSet::clear()
{
    records_.assign(1, 0);
    count_ = 0;
    position_ = 0;
    selection_.matched = 0;
    selection_.all = true;
    selection_.text = QStringLiteral("All");
    mark_unsorted();
}

void WorkingSet::append_current()
{
    const int p = position_;
    if (p < 1)
        return;
    if (int(records_.size()) < p + 1)
        records_.resize(size_t(p) + 1, 0);
    records_[size_t(p)] = p;
    count_ = p;
    selection_.matched = p;
}

void WorkingSet::reserve_new(int n)
{
    if (n < 1 || n > max_record_count)
        return;
    if (int(records_.size()) < n + 1)
        records_.resize(size_t(n) + 1, 0);
    records_[size_t(n)] = n;
    position_ = n;
}

int WorkingSet::record_at(int p) const
{
    return p >= 1 && p <= count_ && p < int(records_.size()) ? records_[size_t(p)] : 0;
}

int WorkingSet::position_of(int n) const
{
    for (int p = 1; p <= count_ && p < int(records_.size()); ++p)
        if (records_[size_t(p)] == n)
            return p;
    return 0;
}

std::vector<int> WorkingSet::positions() const
{
    const int n = qMin(count_, int(records_.size()) - 1);
    return std::vector<int>(records_.begin() + 1, records_.begin() + 1 + qMax(0, n));
}

void WorkingSet::set_matches(const std::vector<int>& numbers)
{
    records_.assign(1, 0);
    records_.insert(records_.end(), numbers.begin(), numbers.end());
    count_ = int(numbers.size());
    selection_.matched = count_;
    position_ = qMin(position_, count_);
}

bool WorkingSet::move_to(int p)
{
    const bool in_set = p >= 1 && p <= count_;
    const bool adding = p == count_ + 1 && p < int(records_.size()) && records_[size_t(p)] != 0;
    if (!in_set && !adding)
        return false;
    position_ = p;
    return true;
}

QString selection_caption(bool all, const Criteria& c)
{
    if (all)
        return QStringLiteral("[Selected: All]");
    QString s = QStringLiteral("[Selected: ");
    if (c.by_date)
        s = trim_blanks(s) + QStringLiteral("Date");
    if (c.by_paid) {
        s = trim_blanks(s);
        s += s.contains(QLatin1String("Date")) ? QStringLiteral(", Price Paid") : QStringLiteral("Price Paid");
    }
    if (c.by_retail) {
        s = trim_blanks(s);
        const bool first = !s.contains(QLatin1String("Price Paid")) && !s.contains(QLatin1String("Date"));
        s += first ? QStringLiteral("Retail Price") : QStringLiteral(", Retail Price");
    }
    if (c.by_text) {
        s = trim_blanks(s);
        const bool first = !s.contains(QLatin1String("Price")) && !s.contains(QLatin1String("Date"));
        s += first ? QStringLiteral("Text") : QStringLiteral(",Text");
    }
    // One group of the collection list: "[Selected:Artist is Abernathy, Rose]".
    if (c.group != GroupField::none) {
        const bool after_others = c.by_date || c.by_paid || c.by_retail || c.by_text;
        s = trim_blanks(s) + (after_others ? QStringLiteral(", ") : QString())
            + QString::fromLatin1(group_field_info(c.group).caption) + QStringLiteral(" is ")
            + group_value_text(c.group_value);
    }
    return trim_blanks(s) + QStringLiteral("]");
}

QString database_caption(const QString& collection)
{
    return QStringLiteral("Database file: ") + trim_blanks(collection);
}

QString position_caption(int pos, int count)
{
    return QStringLiteral("[Record %1 of %2]").arg(pos).arg(count);
}

QString adding_caption(int number)
{
    return QStringLiteral("[Adding record %1]").arg(number);
}

}  // namespace tessaran
