// The form's guard on its typed fields: the checks that run when the user
// leaves the date, a price or the scope year (a refused entry brings back the
// last accepted text and keeps the focus), the same checks before a save, and
// Enter as Tab.
#include "record_form_widget.h"

#include "core/blank_text.h"
#include "core/field_text.h"
#include "core/locale_dates.h"
#include "core/money.h"
#include "core/save_checks.h"
#include "ui/field_checks.h"
#include "ui/user_dialogs.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <utility>

namespace tessaran {

void RecordFormWidget::watch_fields()
{
    for (QWidget* field : fields_) {
        field->installEventFilter(this);
        if (auto* combo = qobject_cast<QComboBox*>(field))
            combo->lineEdit()->installEventFilter(this);
    }
}

bool RecordFormWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && is_field(watched)) {
            // Enter moves on to the next field, in the multi-line fields too.
            focusNextChild();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Only a real move away from the field counts; a message box, a popup
        // or the menu bar (Alt+letter) taking the focus for a moment does not.
        if (checks_active_ && !in_check_ && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && reason != Qt::MenuBarFocusReason)
            check_left_field(watched);
    }
    return QWidget::eventFilter(watched, event);
}

void RecordFormWidget::check_left_field(const QObject* field)
{
    // The flag stops the focus changes caused by a check's own message box
    // from starting a second check.
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    };
    if (field == line(m_date_bought)) {
        const Running running(in_check_);
        check_date_bought();
    } else if (field == line(m_price_paid)) {
        const Running running(in_check_);
        check_price(m_price_paid, QStringLiteral("price paid"), shown_.price_paid, last_price_paid_);
    } else if (field == line(m_price_retail)) {
        const Running running(in_check_);
        check_price(m_price_retail, QStringLiteral("retail price"), shown_.price_retail, last_price_retail_);
    } else if (field == line(m_scopeyear)) {
        const Running running(in_check_);
        check_scope_year();
    }
}

void RecordFormWidget::check_date_bought()
{
    QLineEdit* box = line(m_date_bought);
    // A stored date shown unchanged is accepted as it stands, even one that
    // does not read in this locale: it is no entry of the user's.
    if (same_text(box->text(), shown_.date_bought))
        return;
    bool result = false;
    tessaran::check_date(box, QStringLiteral("Date purchased"), result);
    if (!result) {
        box->setText(last_date_bought_);
        return;
    }
    if (const auto date = parse_user_date(box->text().trimmed()))
        box->setText(short_date_text(*date));
    last_date_bought_ = box->text();
}

void RecordFormWidget::check_price(Member m, const QString& name, qint64 shown, QString& last)
{
    QLineEdit* box = line(m);
    // A stored amount shown unchanged is accepted as it stands.
    if (box->text() == money_text(shown))
        return;
    bool result = false;
    tessaran::check_price(box, name, result);
    if (result)
        last = box->text();
    else
        box->setText(last);
}

void RecordFormWidget::check_scope_year()
{
    QLineEdit* box = line(m_scopeyear);
    // A blank year is left alone, and so is a stored year shown unchanged,
    // whatever it holds; the accepted text stays as it was.
    if (is_blank(box->text()) || same_text(box->text(), shown_.scopeyear))
        return;
    if (check_scopeyear_field(box, last_scopeyear_))
        last_scopeyear_ = box->text().trimmed();
}

void RecordFormWidget::remember_typed()
{
    last_date_bought_ = line(m_date_bought)->text();
    last_price_paid_ = line(m_price_paid)->text();
    last_price_retail_ = line(m_price_retail)->text();
    last_scopeyear_ = line(m_scopeyear)->text();
}

bool RecordFormWidget::entries_acceptable()
{
    QLineEdit* const boxes[] = {line(m_scopeyear), line(m_date_bought), line(m_price_paid), line(m_price_retail)};
    const std::optional<EntryRefusal> refusal
        = refused_entry({boxes[0]->text(), boxes[1]->text(), boxes[2]->text(), boxes[3]->text()}, shown_,
                        shown_.price_paid, shown_.price_retail);
    if (!refusal)
        return true;
    msgbox(window(), refusal->message, MsgIcon::critical, MsgButtons::ok);
    boxes[int(refusal->field)]->setFocus();
    return false;
}

void RecordFormWidget::set_locale_tips(const LocaleLabels& locale)
{
    label(m_date_bought)
        ->setToolTip(QStringLiteral("Date kaleidoscope was purchased (") + locale.date_format + QStringLiteral(")"));
    label(m_price_paid)->setToolTip(with_unit(QStringLiteral("Price paid for kaleidoscope"), locale.currency_symbol));
    label(m_price_retail)
        ->setToolTip(with_unit(QStringLiteral("Retail price of kaleidoscope"), locale.currency_symbol));
}

}  // namespace tessaran
