#include "sort_dialog.h"

#include "appearance/scheme_paint.h"
#include "core/record_file.h"
#include "core/sorting.h"
#include "ui/option_keys.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace tessaran {

namespace {

// Geometry in twips, converted once.
void place(QWidget* w, double left, double top, double width, double height)
{
    w->setGeometry(twips_to_px(left), twips_to_px(top), twips_to_px(width), twips_to_px(height));
}

constexpr double option_top = 360;   // first option button, from the top of its frame
constexpr double option_step = 250;  // between option buttons

}  // namespace

SortDialog::SortDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_sort"));
    setWindowTitle(QStringLiteral("Select a field to sort by:"));
    setModal(true);

    const double frame_height = option_top + field_table_size * option_step + 180;
    frame_sortby = new QGroupBox(QStringLiteral("Sort by:"), this);
    frame_sortby->setObjectName(QStringLiteral("frame_sortby"));
    place(frame_sortby, 120, 120, 3000, frame_height);
    for (int i = 1; i <= field_table_size; ++i) {
        auto* opt = new QRadioButton(field_name(i).trimmed(), frame_sortby);
        opt->setObjectName(QStringLiteral("opt_sortby_%1").arg(i));
        opt->setProperty("index", i);
        place(opt, 180, option_top + (i - 1) * option_step, 2700, option_step);
        opt_sortby[size_t(i - 1)] = opt;
    }

    frame_order = new QGroupBox(QStringLiteral("Sort order"), this);
    frame_order->setObjectName(QStringLiteral("frame_order"));
    place(frame_order, 3300, 120, 2400, 1140);
    opt_ascending = new QRadioButton(QStringLiteral("Ascending"), frame_order);
    opt_ascending->setObjectName(QStringLiteral("opt_ascending"));
    opt_ascending->setToolTip(QStringLiteral("Sort from lowest to highest"));
    place(opt_ascending, 180, 360, 2100, 300);
    opt_descending = new QRadioButton(QStringLiteral("Descending"), frame_order);
    opt_descending->setObjectName(QStringLiteral("opt_descending"));
    opt_descending->setToolTip(QStringLiteral("Sort from highest to lowest"));
    place(opt_descending, 180, 720, 2100, 300);
    opt_ascending->setChecked(true);
    choose_options_with_arrows({opt_sortby.begin(), opt_sortby.end()});
    choose_options_with_arrows({opt_ascending, opt_descending});

    cmd_sort = new QPushButton(QStringLiteral("Sort"), this);
    cmd_sort->setObjectName(QStringLiteral("cmd_sort"));
    place(cmd_sort, 3300, 1440, 1140, 420);
    cmd_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmd_cancel->setObjectName(QStringLiteral("cmd_cancel"));
    place(cmd_cancel, 4560, 1440, 1140, 420);
    // Enter clicks only the button that has the focus.
    cmd_sort->setAutoDefault(true);
    cmd_cancel->setAutoDefault(true);

    setFixedSize(twips_to_px(5880), twips_to_px(120 + frame_height + 180));
    connect(cmd_sort, &QPushButton::clicked, this, &SortDialog::confirm);
    connect(cmd_cancel, &QPushButton::clicked, this, &QDialog::reject);
    paint_dialog(this);
    opt_sortby[0]->setFocus();
}

SortField SortDialog::field() const
{
    for (int i = 1; i <= field_table_size; ++i) {
        if (opt_sortby.at(std::size_t(i - 1))->isChecked())
            return SortField(i);
    }
    return SortField::none;
}

bool SortDialog::descending() const
{
    return opt_descending->isChecked();
}

void SortDialog::confirm()
{
    if (field() == SortField::none) {
        asked_without_field_ = true;
        msgbox(this, QStringLiteral("No sort criterion selected!"), MsgIcon::critical);
        return;
    }
    accept();
}

}  // namespace tessaran
