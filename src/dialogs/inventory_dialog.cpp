#include "inventory_dialog.h"

#include "ui/accessible_names.h"
#include "ui/user_dialogs.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tessaran {

InventoryDialog::InventoryDialog(const QString& file, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_inventory"));
    setWindowTitle(QStringLiteral("Print inventory"));

    auto* intro = new QLabel(QStringLiteral("The kaleidoscopes of the working set, in its order, are listed in a PDF "
                                            "for your insurer: each with its first picture, what it is, what it "
                                            "cost and what it is worth, with the totals."),
                             this);
    intro->setWordWrap(true);
    file_ = new QLineEdit(QDir::toNativeSeparators(file), this);
    file_->setObjectName(QStringLiteral("inventory_file"));
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName(QStringLiteral("inventory_browse"));
    browse->setAutoDefault(false);
    // A group, so that a screen reader says what the two choices are for.
    auto* value = new QGroupBox(QStringLiteral("Value the collection at"), this);
    auto* retail = new QRadioButton(QStringLiteral("&Retail prices"), value);
    retail->setObjectName(QStringLiteral("inventory_retail"));
    retail->setChecked(true);
    paid_ = new QRadioButton(QStringLiteral("&Purchase prices"), value);
    paid_->setObjectName(QStringLiteral("inventory_paid"));

    auto* file_row = new QHBoxLayout;
    file_row->addWidget(file_, 1);
    file_row->addWidget(browse);
    auto* value_row = new QHBoxLayout(value);
    value_row->addWidget(retail);
    value_row->addWidget(paid_);
    value_row->addStretch(1);
    auto* form = new QFormLayout;
    auto* file_label = new QLabel(QStringLiteral("PDF &file:"), this);
    name_by_caption(file_label, file_);
    form->addRow(file_label, file_row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    write_ = buttons->addButton(QStringLiteral("&Write PDF"), QDialogButtonBox::AcceptRole);
    write_->setObjectName(QStringLiteral("inventory_write"));
    write_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(value);
    layout->addWidget(buttons);

    connect(browse, &QPushButton::clicked, this, &InventoryDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(file_, &QLineEdit::textChanged, this,
            [this](const QString& text) { write_->setEnabled(!text.trimmed().isEmpty()); });
    resize(520, sizeHint().height());
}

QString InventoryDialog::file() const
{
    return QDir::fromNativeSeparators(file_->text().trimmed());
}

InventoryValue InventoryDialog::value() const
{
    return paid_->isChecked() ? InventoryValue::paid : InventoryValue::retail;
}

void InventoryDialog::browse()
{
    const QString chosen
        = user_dialogs().name_new_file(this, QStringLiteral("Inventory"), file(), {QStringLiteral("PDF (*.pdf)")});
    if (!chosen.isEmpty())
        file_->setText(QDir::toNativeSeparators(chosen));
}

}  // namespace tessaran
