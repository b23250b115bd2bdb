#include "record_sheet_dialog.h"

#include "appearance/scheme_paint.h"
#include "core/sheet_range.h"
#include "ui/accessible_names.h"
#include "ui/command_button.h"
#include "ui/user_dialogs.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaran {

namespace {

QString with_sign_place(int n)
{
    return (n >= 0 ? QStringLiteral(" ") : QString()) + QString::number(n);
}

// "Include pictures", off unless asked for: a sheet stays one page.
QCheckBox* pictures_box(QWidget* parent)
{
    auto* box = new QCheckBox(QStringLiteral("Include &pictures"), parent);
    box->setObjectName(QStringLiteral("chk_pictures"));
    box->setToolTip(QStringLiteral("Print each kaleidoscope's pictures on a page after its sheet"));
    return box;
}

}  // namespace

RecordSheetDialog::RecordSheetDialog(int count, int position, SheetAction print_sheets, SheetAction preview_sheets,
                                     QWidget* parent)
    : QDialog(parent), count_(count), position_(position), print_sheets_(std::move(print_sheets)),
      preview_sheets_(std::move(preview_sheets))
{
    setObjectName(QStringLiteral("frm_printform"));
    setWindowTitle(QStringLiteral("Print kaleidoscope forms"));
    setModal(true);

    tb_explain = new QPlainTextEdit(this);
    tb_explain->setObjectName(QStringLiteral("tb_explain"));
    tb_explain->setPlainText(
        QStringLiteral("This option allows you to print out all of the information for each kaleidoscope.  The "
                       "information is printed out one kaleidoscope per page.\n\nThe kaleidoscope records are "
                       "relative to the number in the currently selected and sorted database."));
    tb_explain->setReadOnly(true);
    tb_explain->setFocusPolicy(Qt::NoFocus);
    tb_explain->setFixedSize(420, 110);

    fr_records = new QGroupBox(QStringLiteral(" Multiple records"), this);
    fr_records->setObjectName(QStringLiteral("fr_records"));
    lbl_records = new QLabel(QStringLiteral("Records:"), fr_records);
    lbl_records->setObjectName(QStringLiteral("lbl_records"));
    tb_beg = new QLineEdit(fr_records);
    tb_beg->setObjectName(QStringLiteral("tb_beg"));
    lbl_to = new QLabel(QStringLiteral("to"), fr_records);
    lbl_to->setObjectName(QStringLiteral("lbl_to"));
    tb_end = new QLineEdit(fr_records);
    tb_end->setObjectName(QStringLiteral("tb_end"));
    lbl_max = new QLabel(QStringLiteral("Max.=") + with_sign_place(count_), fr_records);
    lbl_max->setObjectName(QStringLiteral("lbl_max"));
    tb_beg->setFixedWidth(70);
    tb_end->setFixedWidth(70);
    lbl_records->setBuddy(tb_beg);
    // "Records: [ ] to [ ]" read as two names, with the largest number there is.
    name_control(tb_beg, QStringLiteral("Records, from"));
    name_control(tb_end, QStringLiteral("Records, to"));
    tb_beg->setAccessibleDescription(lbl_max->text());
    tb_end->setAccessibleDescription(lbl_max->text());

    auto* row = new QHBoxLayout(fr_records);
    row->addWidget(lbl_records);
    row->addWidget(tb_beg);
    row->addWidget(lbl_to);
    row->addWidget(tb_end);
    row->addSpacing(20);
    row->addWidget(lbl_max);
    row->addStretch();

    chk_pictures = pictures_box(this);

    cmd_print = command_button(this, "cmd_print", QStringLiteral("Print"));
    cmd_preview = command_button(this, "cmd_preview", QStringLiteral("Preview"));
    cmd_current = command_button(this, "cmd_current", QStringLiteral("Print displayed kaleidoscope"));
    cmd_cancel = command_button(this, "cmd_cancel", QStringLiteral("Cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmd_print);
    buttons->addWidget(cmd_preview);
    buttons->addWidget(cmd_current);
    buttons->addWidget(cmd_cancel);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(tb_explain);
    outer->addWidget(fr_records);
    outer->addWidget(chk_pictures);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* const order[] = {tb_beg, tb_end, chk_pictures, cmd_print, cmd_preview, cmd_current, cmd_cancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    tb_beg->installEventFilter(this);
    tb_end->installEventFilter(this);
    tb_beg->setFocus();

    connect(cmd_print, &QPushButton::clicked, this, &RecordSheetDialog::print);
    connect(cmd_current, &QPushButton::clicked, this, &RecordSheetDialog::print_current);
    connect(cmd_preview, &QPushButton::clicked, this, &RecordSheetDialog::preview);
    connect(cmd_cancel, &QPushButton::clicked, this, &RecordSheetDialog::cancel);

    paint_dialog(this);
    paint_background(fr_records, scheme_color(color_form_background));
}

bool RecordSheetDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in a text box moves on as Tab does, and goes no further.
    if (event->type() == QEvent::KeyPress && (watched == tb_beg || watched == tb_end)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool RecordSheetDialog::include_pictures() const
{
    return chk_pictures->isChecked();
}

bool RecordSheetDialog::validate(int& first, int& last)
{
    const SheetRange range = sheet_range_from_entries(tb_beg->text(), tb_end->text(), count_);
    if (!range.ok()) {
        msgbox(this, range.refusal);
        return false;
    }
    first = range.first;
    last = range.last;
    return true;
}

bool RecordSheetDialog::take_range()
{
    int first = 0;
    int last = 0;
    if (!validate(first, last))
        return false;
    first_ = first;
    last_ = last;
    return true;
}

void RecordSheetDialog::print()
{
    // The dialog closes once the sheets went out; when nothing was printed the
    // user may try again or cancel.
    if (take_range() && print_sheets_ && print_sheets_(first_, last_))
        accept();
}

void RecordSheetDialog::print_current()
{
    const QString pos = with_sign_place(position_);
    tb_beg->setText(pos);
    tb_end->setText(pos);
    print();
}

void RecordSheetDialog::preview()
{
    if (take_range() && preview_sheets_)
        preview_sheets_(first_, last_);
}

void RecordSheetDialog::cancel()
{
    reject();
}

}  // namespace tessaran
