#include "field_checks.h"

#include "core/entry_checks.h"
#include "user_dialogs.h"

#include <QLineEdit>

namespace tessaran {

namespace {

void refuse(QLineEdit* box, const QString& text)
{
    msgbox(box ? box->window() : nullptr, text, MsgIcon::critical, MsgButtons::ok);
    if (box)
        box->setFocus(Qt::OtherFocusReason);
}

void check_field(QLineEdit* box, const QString& field_name, bool& result, const CheckedText& checked)
{
    const QString field = field_name.trimmed();
    switch (checked.result) {
    case FieldCheck::blank: box->clear(); return;
    case FieldCheck::ok:
        box->setText(checked.text);
        result = true;
        return;
    case FieldCheck::invalid_year:
        box->setText(checked.text);
        result = false;
        refuse(box, QStringLiteral("Invalid year entry for ") + field + QStringLiteral(" field."));
        return;
    case FieldCheck::invalid:
        result = false;
        refuse(box, QStringLiteral("Invalid entry for ") + field + QStringLiteral(" field."));
        return;
    }
}

}  // namespace

void check_price(QLineEdit* box, const QString& field_name, bool& result)
{
    if (box)
        check_field(box, field_name, result, check_price_text(box->text()));
}

void check_date(QLineEdit* box, const QString& field_name, bool& result)
{
    if (box)
        check_field(box, field_name, result, check_date_text(box->text()));
}

bool check_scopeyear_field(QLineEdit* box, const QString& last_accepted)
{
    if (!box)
        return false;
    const YearCheck check = check_scopeyear(box->text());
    if (check == YearCheck::blank || check == YearCheck::ok)
        return true;
    msgbox(box->window(), scopeyear_message(check), MsgIcon::critical, MsgButtons::ok);
    box->setText(last_accepted);
    box->setFocus(Qt::OtherFocusReason);
    return false;
}

}  // namespace tessaran
