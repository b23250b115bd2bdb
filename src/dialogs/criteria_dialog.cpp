#include "criteria_dialog.h"

#include "appearance/scheme_paint.h"
#include "core/blank_text.h"
#include "core/criteria_entries.h"
#include "core/entry_checks.h"
#include "core/locale_dates.h"
#include "core/money.h"
#include "core/record_match.h"
#include "core/vocabularies.h"
#include "ui/field_checks.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include "core/editor_fields.h"
#include "ui/accessible_names.h"
#include <QApplication>

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace tessaran {

namespace {

QLineEdit* make_box(QWidget* parent, const QString& name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QLabel* make_label(QWidget* parent, const QString& text, const QString& name)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

}  // namespace

CriteriaDialog::CriteriaDialog(Use use, const LocaleLabels& labels, QWidget* parent)
    : QDialog(parent), use_(use), labels_(labels)
{
    setModal(true);
    build();
}

SelectDialog::SelectDialog(const LocaleLabels& labels, QWidget* parent) : CriteriaDialog(Use::select, labels, parent)
{ }
FindDialog::FindDialog(const LocaleLabels& labels, QWidget* parent) : CriteriaDialog(Use::find, labels, parent)
{ }

QGridLayout* CriteriaDialog::build_slots(const QString& stem)
{
    // The slots, 1..13 in the left column and 14..26 in the right. Created in slot
    // order so the tab order runs through them in that order.
    auto* slots_grid = new QGridLayout;
    slots_grid->setHorizontalSpacing(8);
    slots_grid->setVerticalSpacing(4);
    slots_grid->setColumnMinimumWidth(2, 24);
    const auto& table = text_slots();
    for (int k = 1; k <= text_slot_count; ++k) {
        const TextSlot& slot = table[size_t(k - 1)];
        slot_caption[size_t(k - 1)] = QString::fromLatin1(slot.caption);
        slot_is_combo[size_t(k - 1)] = slot.list != 0;
        auto* label = make_label(this, slot_caption[size_t(k - 1)], QStringLiteral("lbl_%1_%2").arg(stem).arg(k));
        label->setProperty("index", k);
        lbl_cat[size_t(k - 1)] = label;
        QWidget* field = nullptr;
        if (slot_is_combo[size_t(k - 1)]) {
            auto* combo = new QComboBox(this);
            combo->setObjectName(QStringLiteral("combo_%1_%2").arg(stem).arg(k));
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->addItems(vocabulary(slot.list));
            combo_cat[size_t(k - 1)] = combo;
            field = combo;
        } else {
            tb_cat[size_t(k - 1)] = make_box(this, QStringLiteral("tb_%1_%2").arg(stem).arg(k));
            tb_cat[size_t(k - 1)]->installEventFilter(this);
            field = tb_cat[size_t(k - 1)];
        }
        field->setProperty("index", k);
        field->setMinimumWidth(twips_to_px(2700));
        name_by_caption(label, field);
        const int row = (k - 1) % 13;
        const int col = k <= 13 ? 0 : 3;
        slots_grid->addWidget(label, row, col);
        slots_grid->addWidget(field, row, col + 1);
    }

    return slots_grid;
}

QGridLayout* CriteriaDialog::build_ranges()
{
    // The ranges, labelled with the user's date pattern and currency symbol.
    QString date_fmt = labels_.date_format;
    if (date_fmt.isEmpty())
        date_fmt = locale_short_date_fmt();
    QString currency = labels_.currency_symbol;
    if (currency.isEmpty())
        currency = locale_currency_symbol();

    auto* ranges = new QGridLayout;
    ranges->setHorizontalSpacing(8);
    ranges->setVerticalSpacing(4);
    auto add_range
        = [&](int row, const QString& caption, const QString& name, const QString& low_caption, QLineEdit*& low,
              const QString& low_name, const QString& high_caption, QLineEdit*& high, const QString& high_name) {
              ranges->addWidget(make_label(this, caption, name), row, 0);
              auto* low_label = make_label(this, low_caption, QStringLiteral("lbl_") + low_name.mid(3));
              low = make_box(this, low_name);
              auto* high_label = make_label(this, high_caption, QStringLiteral("lbl_") + high_name.mid(3));
              high = make_box(this, high_name);
              // "Price paid ($), minimum": the range's caption and the box's own.
              low_label->setBuddy(low);
              high_label->setBuddy(high);
              name_control(low, spoken_caption(caption) + QStringLiteral(", ") + low_caption.toLower());
              name_control(high, spoken_caption(caption) + QStringLiteral(", ") + high_caption.toLower());
              for (QLineEdit* box : {low, high}) {
                  box->setMinimumWidth(twips_to_px(1500));
                  box->installEventFilter(this);
              }
              ranges->addWidget(low_label, row, 1);
              ranges->addWidget(low, row, 2);
              ranges->addWidget(high_label, row, 3);
              ranges->addWidget(high, row, 4);
          };
    add_range(0, QStringLiteral("Date purchased (") + date_fmt + QStringLiteral("):"),
              QStringLiteral("lbl_datepurchased"), QStringLiteral("Beginning"), tb_begdate,
              QStringLiteral("tb_begdate"), QStringLiteral("End"), tb_enddate, QStringLiteral("tb_enddate"));
    add_range(1, with_unit(QStringLiteral("Price paid"), currency) + QLatin1Char(':'), QStringLiteral("lbl_pricepaid"),
              QStringLiteral("Minimum"), tb_price_paid_min, QStringLiteral("tb_price_paid_min"),
              QStringLiteral("Maximum"), tb_price_paid_max, QStringLiteral("tb_price_paid_max"));
    add_range(2, with_unit(QStringLiteral("Retail price"), currency) + QLatin1Char(':'),
              QStringLiteral("lbl_retailprice"), QStringLiteral("Minimum"), tb_retail_price_min,
              QStringLiteral("tb_retail_price_min"), QStringLiteral("Maximum"), tb_retail_price_max,
              QStringLiteral("tb_retail_price_max"));
    ranges->setColumnStretch(5, 1);

    return ranges;
}

QHBoxLayout* CriteriaDialog::build_buttons(bool select)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmd_perform = new QPushButton(select ? QStringLiteral("Perform selection") : QStringLiteral("Find"), this);
    cmd_perform->setObjectName(select ? QStringLiteral("cmd_select") : QStringLiteral("cmd_find"));
    buttons->addWidget(cmd_perform);
    connect(cmd_perform, &QPushButton::clicked, this, &CriteriaDialog::confirm_criteria);
    if (select) {
        cmd_selectall = new QPushButton(QStringLiteral("Select all"), this);
        cmd_selectall->setObjectName(QStringLiteral("cmd_selectall"));
        buttons->addWidget(cmd_selectall);
        connect(cmd_selectall, &QPushButton::clicked, this, &CriteriaDialog::select_all);
    }
    cmd_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmd_cancel->setObjectName(QStringLiteral("cmd_cancel"));
    buttons->addWidget(cmd_cancel);
    connect(cmd_cancel, &QPushButton::clicked, this, &CriteriaDialog::cancel);
    buttons->addStretch(1);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setMinimumWidth(twips_to_px(1600));
        b->setAutoDefault(false);  // Enter in a field never confirms the dialog by accident
        b->setDefault(false);
    }

    return buttons;
}

void CriteriaDialog::build()
{
    const bool select = use_ == Use::select;
    setObjectName(select ? QStringLiteral("frm_select") : QStringLiteral("frm_find"));
    setWindowTitle(select ? QStringLiteral("Enter selection text, dates, or prices in the appropriate fields")
                          : QStringLiteral("Enter find criteria in the appropriate fields"));
    const QString stem = select ? QStringLiteral("selcat") : QStringLiteral("findcat");

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 12, 12, 12);
    outer->setSpacing(14);
    outer->addLayout(build_slots(stem));
    outer->addLayout(build_ranges());
    outer->addLayout(build_buttons(select));

    // Every field starts empty: earlier criteria are not shown again.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->clear();
    for (QComboBox* combo : findChildren<QComboBox*>()) {
        combo->setCurrentIndex(-1);
        combo->clearEditText();
    }

    paint_dialog(this);
    adjustSize();
    setMinimumSize(sizeHint());
    centre_on_screen(this);
    slot_field(1)->setFocus();
}

QWidget* CriteriaDialog::slot_field(int k) const
{
    if (k < 1 || k > text_slot_count)
        return nullptr;
    if (slot_is_combo[size_t(k - 1)])
        return combo_cat[size_t(k - 1)];
    return tb_cat[size_t(k - 1)];
}

QString CriteriaDialog::slot_text(int k) const
{
    if (k < 1 || k > text_slot_count)
        return QString();
    if (slot_is_combo[size_t(k - 1)])
        return combo_cat[size_t(k - 1)]->currentText();
    return tb_cat[size_t(k - 1)]->text();
}

QString CriteriaDialog::range_field_name(const QLineEdit* box) const
{
    if (box == tb_begdate)
        return QStringLiteral("beginning date");
    if (box == tb_enddate)
        return QStringLiteral("end date");
    if (box == tb_price_paid_min)
        return QStringLiteral("price paid minimum");
    if (box == tb_price_paid_max)
        return QStringLiteral("price paid maximum");
    if (box == tb_retail_price_min)
        return QStringLiteral("retail price minimum");
    if (box == tb_retail_price_max)
        return QStringLiteral("retail price maximum");
    return QString();
}

void CriteriaDialog::range_box_left(QLineEdit* box)
{
    const QString name = range_field_name(box);
    if (name.isEmpty() || checking_)
        return;
    // The message box of a failed check takes the focus; that must not check again.
    checking_ = true;
    bool ok = true;
    if (box == tb_begdate || box == tb_enddate)
        check_date(box, name, ok);
    else
        check_price(box, name, ok);
    checking_ = false;
}

bool CriteriaDialog::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            focusNextChild();  // Enter in a text box moves on as Tab does
            return true;
        }
    }
    if (box && event->type() == QEvent::FocusOut && isVisible()) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Only a real move to another control of this dialog counts as leaving the box;
        // going to Cancel abandons the entries, so they are not checked.
        const QWidget* next = QApplication::focusWidget();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && next != cmd_cancel)
            range_box_left(box);
    }
    return QDialog::eventFilter(watched, event);
}

void CriteriaDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses the focused button; elsewhere it has no meaning.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CriteriaDialog::gather(Criteria& c)
{
    CriteriaEntries entries;
    entries.date_beg = tb_begdate->text();
    entries.date_end = tb_enddate->text();
    entries.paid_min = tb_price_paid_min->text();
    entries.paid_max = tb_price_paid_max->text();
    entries.retail_min = tb_retail_price_min->text();
    entries.retail_max = tb_retail_price_max->text();
    for (int k = 1; k <= text_slot_count; ++k)
        entries.texts[size_t(k - 1)] = slot_text(k);
    const auto result = criteria_from_entries(entries, use_ == Use::select ? CriteriaUse::select : CriteriaUse::find);
    if (const auto* refusal = std::get_if<CriteriaRefusal>(&result)) {
        msgbox(this, refusal->text, MsgIcon::critical, MsgButtons::ok, refusal->title);
        return false;
    }
    c = std::get<Criteria>(result);
    return true;
}

void CriteriaDialog::confirm_criteria()
{
    Criteria c;
    if (!gather(c))
        return;  // the dialog stays open with the user's entries
    chosen_ = c;
    chose_all_ = false;
    accept();
}

void CriteriaDialog::select_all()
{
    if (use_ != Use::select)
        return;
    chose_all_ = true;
    accept();
}

void CriteriaDialog::cancel()
{
    reject();
}

}  // namespace tessaran
