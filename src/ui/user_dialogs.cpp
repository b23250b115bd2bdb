#include "user_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tessaran {
namespace {

// Each answer keeps or writes something else, so none may be given by a
// stray Enter: Enter, like Escape, decides nothing.
MsgAnswer changed_elsewhere_answer(QMessageBox& box)
{
    QPushButton* theirs = box.addButton(QStringLiteral("&Keep Their Version"), QMessageBox::RejectRole);
    QPushButton* mine = box.addButton(QStringLiteral("&Put My Changes Over It"), QMessageBox::AcceptRole);
    QPushButton* as_new = box.addButton(QStringLiteral("Save Mine as &New"), QMessageBox::ActionRole);
    QPushButton* later = box.addButton(QMessageBox::Cancel);
    box.setEscapeButton(later);
    box.setDefaultButton(later);
    box.exec();
    const QAbstractButton* pressed = box.clickedButton();
    return pressed == theirs ? MsgAnswer::no
        : pressed == mine    ? MsgAnswer::yes
        : pressed == as_new  ? MsgAnswer::ok
                             : MsgAnswer::cancel;
}

class RealDialogs : public UserDialogs {
public:
    MsgAnswer message(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons,
                      const QString& title) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(title);
        box.setText(text);
        switch (icon) {
        case MsgIcon::none: box.setIcon(QMessageBox::NoIcon); break;
        case MsgIcon::critical: box.setIcon(QMessageBox::Critical); break;
        case MsgIcon::question: box.setIcon(QMessageBox::Question); break;
        case MsgIcon::exclamation: box.setIcon(QMessageBox::Warning); break;
        case MsgIcon::information: box.setIcon(QMessageBox::Information); break;
        }
        switch (buttons) {
        case MsgButtons::ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MsgButtons::ok_cancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MsgButtons::yes_no: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MsgButtons::read_only_cancel:
            box.setDefaultButton(box.addButton(QStringLiteral("Open &Read-Only"), QMessageBox::AcceptRole));
            box.setEscapeButton(box.addButton(QMessageBox::Cancel));
            break;
        case MsgButtons::theirs_mine_new: return changed_elsewhere_answer(box);
        }
        const int pressed = box.exec();
        if (buttons == MsgButtons::read_only_cancel)
            return box.clickedButton() == box.defaultButton() ? MsgAnswer::ok : MsgAnswer::cancel;
        switch (pressed) {
        case QMessageBox::Cancel: return MsgAnswer::cancel;
        case QMessageBox::Yes: return MsgAnswer::yes;
        case QMessageBox::No: return MsgAnswer::no;
        case QMessageBox::Ok: return MsgAnswer::ok;
        default:
            // Closed by the frame: the safe answer of each kind.
            return buttons == MsgButtons::yes_no   ? MsgAnswer::no
                : buttons == MsgButtons::ok_cancel ? MsgAnswer::cancel
                                                   : MsgAnswer::ok;
        }
    }

    QString open_file(QWidget* parent, const QString& caption, const QString& dir, const QStringList& filters) override
    {
        return QFileDialog::getOpenFileName(parent, caption, dir, filters.join(QStringLiteral(";;")));
    }

    QString save_file(QWidget* parent, const QString& caption, const QString& dir, const QStringList& filters) override
    {
        return QFileDialog::getSaveFileName(parent, caption, dir, filters.join(QStringLiteral(";;")));
    }

    QString name_new_file(QWidget* parent, const QString& caption, const QString& dir,
                          const QStringList& filters) override
    {
        return QFileDialog::getSaveFileName(parent, caption, dir, filters.join(QStringLiteral(";;")), nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }

    QString choose_folder(QWidget* parent, const QString& caption, const QString& dir) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, dir);
    }

    std::optional<QColor> pick_color(QWidget* parent, const QColor& initial) override
    {
        const QColor c = QColorDialog::getColor(initial, parent);
        if (!c.isValid())
            return std::nullopt;
        return c;
    }
};

UserDialogs* installed = nullptr;

}  // namespace

UserDialogs& user_dialogs()
{
    static RealDialogs real;
    return installed ? *installed : real;
}

void set_user_dialogs(UserDialogs* d)
{
    installed = d;
}

MsgAnswer msgbox(QWidget* parent, const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title)
{
    return user_dialogs().message(parent, text, icon, buttons,
                                  title.isEmpty() ? QString::fromLatin1(app_title) : title);
}

}  // namespace tessaran
