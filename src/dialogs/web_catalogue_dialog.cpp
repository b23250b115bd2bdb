#include "web_catalogue_dialog.h"

#include "ui/accessible_names.h"

#include "ui/user_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaran {

WebCatalogueDialog::WebCatalogueDialog(const QString& folder, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_web"));
    setWindowTitle(QStringLiteral("Export web catalogue"));

    auto* intro = new QLabel(QStringLiteral("The kaleidoscopes of the working set are written as web pages, with "
                                            "their pictures, into a folder that any web browser opens."),
                             this);
    intro->setWordWrap(true);
    folder_ = new QLineEdit(QDir::toNativeSeparators(folder), this);
    folder_->setObjectName(QStringLiteral("web_folder"));
    auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
    browse->setObjectName(QStringLiteral("web_browse"));
    browse->setAutoDefault(false);
    prices_ = new QCheckBox(QStringLiteral("Include &prices"), this);
    prices_->setObjectName(QStringLiteral("web_prices"));
    prices_->setChecked(true);

    auto* folder_row = new QHBoxLayout;
    folder_row->addWidget(folder_, 1);
    folder_row->addWidget(browse);
    auto* form = new QFormLayout;
    auto* folder_label = new QLabel(QStringLiteral("&Folder:"), this);
    name_by_caption(folder_label, folder_);
    form->addRow(folder_label, folder_row);
    form->addRow(QString(), prices_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    export_ = buttons->addButton(QStringLiteral("&Export"), QDialogButtonBox::AcceptRole);
    export_->setObjectName(QStringLiteral("web_export"));
    export_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(browse, &QPushButton::clicked, this, &WebCatalogueDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(folder_, &QLineEdit::textChanged, this,
            [this](const QString& text) { export_->setEnabled(!text.trimmed().isEmpty()); });
    resize(520, sizeHint().height());
}

QString WebCatalogueDialog::folder() const
{
    return QDir::fromNativeSeparators(folder_->text().trimmed());
}

bool WebCatalogueDialog::include_prices() const
{
    return prices_->isChecked();
}

void WebCatalogueDialog::browse()
{
    const QString chosen = user_dialogs().choose_folder(this, QStringLiteral("Folder of the web catalogue"), folder());
    if (!chosen.isEmpty())
        folder_->setText(QDir::toNativeSeparators(chosen));
}

}  // namespace tessaran
