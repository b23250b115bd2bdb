#include "remove_picture_dialog.h"

#include "appearance/scheme_paint.h"
#include "ui/accessible_names.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaran {

RemovePictureDialog::RemovePictureDialog(const QStringList& names, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_remimage"));
    setWindowTitle(QStringLiteral("Remove image"));
    setModal(true);

    lbl_select = new QLabel(QStringLiteral("Select image to remove:"), this);
    lbl_select->setObjectName(QStringLiteral("lbl_select"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(false);
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int i = 0; i < names.size(); ++i)
        Combo1->addItem(item_text(i + 1, names.at(i)));
    Combo1->setCurrentIndex(names.isEmpty() ? -1 : 0);
    name_by_caption(lbl_select, Combo1);

    cmd_rem = new QPushButton(QStringLiteral("Remove image"), this);
    cmd_rem->setObjectName(QStringLiteral("cmd_rem"));
    cmd_rem->setDefault(true);
    cmd_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmd_cancel->setObjectName(QStringLiteral("cmd_cancel"));
    // Same width for both, so the pair sits symmetrically under the list.
    const int w = qMax(cmd_rem->sizeHint().width(), cmd_cancel->sizeHint().width());
    cmd_rem->setFixedWidth(w);
    cmd_cancel->setFixedWidth(w);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addStretch(1);
    buttons->addWidget(cmd_rem);
    buttons->addSpacing(twips_to_px(400));
    buttons->addWidget(cmd_cancel);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbl_select);
    layout->addWidget(Combo1);
    layout->addSpacing(twips_to_px(200));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmd_rem, &QPushButton::clicked, this, &RemovePictureDialog::remove_chosen);
    connect(cmd_cancel, &QPushButton::clicked, this, &RemovePictureDialog::cancel);
    paint_dialog(this);
}

QString RemovePictureDialog::item_text(int i, const QString& path)
{
    return QLatin1Char(' ') + QString::number(i) + QStringLiteral("   [") + path + QLatin1Char(']');
}

void RemovePictureDialog::remove_chosen()
{
    const int k = Combo1->currentIndex() + 1;
    if (k < 1)
        return;
    const MsgAnswer a
        = msgbox(this, QStringLiteral("Do you really want to remove Image #") + QString::number(k) + QLatin1Char('?'),
                 MsgIcon::none, MsgButtons::yes_no);
    if (a != MsgAnswer::yes)
        return;
    removed = k;
    accept();
}

void RemovePictureDialog::cancel()
{
    removed = 0;
    reject();
}

}  // namespace tessaran
