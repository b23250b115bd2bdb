#include "summary_choice_dialog.h"

#include "appearance/scheme_paint.h"
#include "core/summary_rows.h"
#include "ui/option_keys.h"
#include "ui/user_dialogs.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace tessaran {

namespace {

QPlainTextEdit* description_box(QWidget* parent, const char* name, const QString& text)
{
    auto* box = new QPlainTextEdit(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setFixedWidth(380);
    // Tall enough for the wrapped description; the dialog's height follows the boxes.
    const QFontMetrics fm(box->font());
    const QRect r = fm.boundingRect(QRect(0, 0, 380 - 16, 1000), Qt::TextWordWrap, text);
    box->setFixedHeight(r.height() + 16);
    return box;
}

}  // namespace

SummaryChoiceDialog::SummaryChoiceDialog(std::function<void(SummaryKind kind)> open_summary, QWidget* parent)
    : QDialog(parent), open_summary_(std::move(open_summary))
{
    setObjectName(QStringLiteral("frm_sumchoice"));
    setWindowTitle(QStringLiteral("Summary Options"));
    setModal(true);

    opt_scope = new QRadioButton(this);
    opt_scope->setObjectName(QStringLiteral("opt_scope"));
    opt_retail = new QRadioButton(this);
    opt_retail->setObjectName(QStringLiteral("opt_retail"));
    tb_scope = description_box(this, "tb_scope",
                               QStringLiteral("Kaleidoscope information: Scope name, artist, type, scope year, ")
                                   + QStringLiteral("exterior material, exterior color, cell type, edition, ")
                                   + QStringLiteral("cell objects, signed, mirrors, point symmetry"));
    tb_retail = description_box(this, "tb_retail",
                                QStringLiteral("Purchase information: Scope name, artist, date purchased, ")
                                    + QStringLiteral("purchase price, retail price, store/gallery"));
    opt_scope->setAccessibleName(tb_scope->toPlainText());
    opt_retail->setAccessibleName(tb_retail->toPlainText());
    lbl_max = new QLabel(QStringLiteral(" "), this);
    lbl_max->setObjectName(QStringLiteral("lbl_max"));

    cmd_summarize = new QPushButton(QStringLiteral("Create Summary"), this);
    cmd_summarize->setObjectName(QStringLiteral("cmd_summarize"));
    cmd_close = new QPushButton(QStringLiteral("Close"), this);
    cmd_close->setObjectName(QStringLiteral("cmd_close"));
    cmd_summarize->setAutoDefault(false);
    cmd_close->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(opt_scope, 0, 0, Qt::AlignTop);
    grid->addWidget(tb_scope, 0, 1);
    grid->addWidget(opt_retail, 1, 0, Qt::AlignTop);
    grid->addWidget(tb_retail, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_summarize);
    buttons->addSpacing(20);
    buttons->addWidget(cmd_close);
    buttons->addStretch();
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(grid);
    outer->addWidget(lbl_max);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    choose_options_with_arrows({opt_scope, opt_retail});
    setTabOrder(opt_scope, opt_retail);
    setTabOrder(opt_retail, cmd_summarize);
    setTabOrder(cmd_summarize, cmd_close);
    opt_scope->setFocus();

    connect(cmd_summarize, &QPushButton::clicked, this, &SummaryChoiceDialog::summarize);
    connect(cmd_close, &QPushButton::clicked, this, &SummaryChoiceDialog::close_window);

    paint_dialog(this);
    paint_background(opt_scope, scheme_color(color_form_background));
    paint_background(opt_retail, scheme_color(color_form_background));
}

void SummaryChoiceDialog::summarize()
{
    if (!opt_scope->isChecked() && !opt_retail->isChecked()) {
        msgbox(this, QStringLiteral("No summary options selected!"));
        return;
    }
    pending_kind_ = opt_scope->isChecked() ? SummaryKind::scope : SummaryKind::purchase;
    // Hiding ends the modal loop; run() opens the summary and shows the dialog again.
    accept();
}

void SummaryChoiceDialog::close_window()
{
    pending_kind_.reset();
    reject();
}

void SummaryChoiceDialog::run()
{
    for (;;) {
        pending_kind_.reset();
        if (exec() != QDialog::Accepted || !pending_kind_)
            return;
        const SummaryKind kind = *std::exchange(pending_kind_, std::nullopt);
        if (open_summary_)
            open_summary_(kind);
    }
}

}  // namespace tessaran
