#include "about_box.h"

#include "appearance/scheme_paint.h"
#include "ui/logo.h"
#include "ui/menu_state.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaran {

QString about_title_line()
{
    return QStringLiteral("TESSARAN V  Version 5.0");
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_about"));
    setWindowTitle(QStringLiteral("About TESSARAN V"));
    setModal(true);

    pb_logo = new QLabel(this);
    pb_logo->setObjectName(QStringLiteral("pb_logo"));
    pb_logo->setPixmap(kaleidoscope_logo(128));
    pb_logo->setAccessibleName(QStringLiteral("TESSARAN V logo"));
    pb_logo->setAlignment(Qt::AlignCenter);

    lbl_about = new QLabel(this);
    lbl_about->setObjectName(QStringLiteral("lbl_about"));
    lbl_about->setAlignment(Qt::AlignCenter);
    lbl_about->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbl_about->setText(about_title_line()
                       + QStringLiteral("\n\nA catalogue for a private collection of kaleidoscopes\n"
                                        "Tessaran Workshop\n"
                                        "Written for collectors, by collectors"));

    cmd_ok = new QPushButton(QStringLiteral("OK"), this);
    cmd_ok->setObjectName(QStringLiteral("cmd_ok"));
    cmd_ok->setDefault(true);
    cmd_ok->setMinimumWidth(90);
    paint_button(cmd_ok, scheme_color(color_command_buttons));
    connect(cmd_ok, &QPushButton::clicked, this, &AboutBox::close_window);

    // Label and button sit under the logo, each centred.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(12);
    layout->addWidget(pb_logo, 0, Qt::AlignHCenter);
    layout->addWidget(lbl_about, 0, Qt::AlignHCenter);
    layout->addWidget(cmd_ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    cmd_ok->setFocus();
}

void AboutBox::close_window()
{
    accept();
}

void AboutBox::done(int result)
{
    QDialog::done(result);
    // The start-up window is disabled while the editor is open; its menus must
    // stay off then, even when the box was opened from the editor.
    QWidget* startup = startup_window();
    if (startup && startup->isEnabled())
        show_startup_menus();
}

}  // namespace tessaran
