// The checks that run when the user leaves the date, a price or the scope year:
// a refused entry brings back the last accepted text and keeps the focus.
#include "record_editor.h"
#include "record_form_widget.h"

#include "core/blank_text.h"
#include "core/field_text.h"
#include "core/locale_dates.h"
#include "core/money.h"
#include "core/session.h"
#include "ui/field_checks.h"

#include <QLineEdit>

namespace tessaran {

namespace {

// Marks a check as running, so that focus changes caused by its own message
// box do not start a second check.
class CheckGuard {
public:
    explicit CheckGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~CheckGuard() { flag_ = false; }
    CheckGuard(const CheckGuard&) = delete;
    CheckGuard& operator=(const CheckGuard&) = delete;

private:
    bool& flag_;
};

}  // namespace

void RecordEditor::check_date_bought()
{
    if (in_field_check_)
        return;
    // A stored date shown unchanged is accepted as it stands, even one that
    // does not read in this locale: it is no entry of the user's.
    if (same_text(form_->line(m_date_bought)->text(), session_.record.date_bought))
        return;
    CheckGuard guard(in_field_check_);
    bool result = false;
    check_date(form_->line(m_date_bought), QStringLiteral("Date purchased"), result);
    if (result) {
        if (const auto date = parse_user_date(form_->line(m_date_bought)->text().trimmed()))
            form_->line(m_date_bought)->setText(short_date_text(*date));
        last_date_bought = form_->line(m_date_bought)->text();
    } else {
        form_->line(m_date_bought)->setText(last_date_bought);
    }
}

void RecordEditor::check_price_paid()
{
    if (in_field_check_)
        return;
    // A stored amount shown unchanged is accepted as it stands.
    if (form_->line(m_price_paid)->text() == money_text(shown_price_paid))
        return;
    CheckGuard guard(in_field_check_);
    bool result = false;
    check_price(form_->line(m_price_paid), QStringLiteral("price paid"), result);
    if (result)
        last_price_paid = form_->line(m_price_paid)->text();
    else
        form_->line(m_price_paid)->setText(last_price_paid);
}

void RecordEditor::check_price_retail()
{
    if (in_field_check_)
        return;
    if (form_->line(m_price_retail)->text() == money_text(shown_price_retail))
        return;
    CheckGuard guard(in_field_check_);
    bool result = false;
    check_price(form_->line(m_price_retail), QStringLiteral("retail price"), result);
    if (result)
        last_price_retail = form_->line(m_price_retail)->text();
    else
        form_->line(m_price_retail)->setText(last_price_retail);
}

void RecordEditor::check_scope_year()
{
    if (in_field_check_)
        return;
    // A blank year is left alone; the accepted text stays as it was.
    if (is_blank(form_->line(m_scopeyear)->text()))
        return;
    // So is a stored year shown unchanged, whatever it holds.
    if (same_text(form_->line(m_scopeyear)->text(), session_.record.scopeyear))
        return;
    CheckGuard guard(in_field_check_);
    if (check_scopeyear_field(form_->line(m_scopeyear), last_scopeyear))
        last_scopeyear = form_->line(m_scopeyear)->text().trimmed();
}

}  // namespace tessaran
