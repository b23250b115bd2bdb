#include "saved_selection_commands.h"

#include "collection_list_dock.h"
#include "collection_list_window.h"
#include "record_editor.h"

#include "appearance/scheme_paint.h"
#include "core/collection_history.h"
#include "core/session.h"
#include "core/working_set.h"
#include "ui/user_dialogs.h"

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaran {

namespace {

const QString not_kept = QStringLiteral("The selection could not be kept with the collection: its history file "
                                        "cannot be written here (a read-only window, or a damaged file).");

// A name asked for, prefilled with suggestion; empty when the user cancels.
QString ask_name(QWidget* parent, const QString& title, const QString& suggestion)
{
    QInputDialog ask(parent);
    ask.setObjectName(QStringLiteral("frm_selection_name"));
    ask.setWindowTitle(title);
    ask.setLabelText(QStringLiteral("Name of the selection:"));
    ask.setTextValue(suggestion);
    return ask.exec() == QDialog::Accepted ? ask.textValue().trimmed() : QString();
}

}  // namespace

void save_selection_as(RecordEditor& ed)
{
    const WorkingSet& ws = ed.session().ws();
    const QString name = ask_name(&ed, QStringLiteral("Save selection as"), QString());
    if (name.isEmpty())
        return;
    CollectionHistory& history = ed.history();
    for (const auto& [kept, bytes] : history.saved_selections()) {
        if (kept.compare(name, Qt::CaseInsensitive) == 0
            && msgbox(&ed, QStringLiteral("A selection named %1 is saved already.\nReplace it?").arg(kept),
                      MsgIcon::question, MsgButtons::yes_no)
                != MsgAnswer::yes)
            return;
    }
    SelectionDefinition d;
    d.all = ws.all();
    d.criteria = ws.selection().criteria;
    d.sort = ws.sort_field();
    d.descending = ws.sort().descending;
    if (const auto* list = ed.findChild<CollectionListDock*>(); list && list->isVisible())
        d.filter = list->list()->filter();
    if (!history.keep_selection(name, definition_bytes(d)))
        msgbox(&ed, not_kept, MsgIcon::critical);
}

void use_saved_selection(RecordEditor& ed, const SelectionDefinition& d)
{
    if (!ed.settle_edits())
        return;
    if (d.all)
        ed.select_all();
    else if (ed.select_by(d.criteria) != SelectOutcome::selected)
        return;
    if (d.sort != SortField::none)
        ed.sort_by(d.sort, d.descending);
    if (!d.filter.isEmpty()) {
        ed.show_collection_list();
        ed.findChild<CollectionListDock*>()->list()->set_filter(d.filter);
    }
}

void attach_saved_selections_menu(RecordEditor& ed, QMenu* search)
{
    QMenu* saved = search->addMenu(QStringLiteral("Saved s&elections"));
    saved->setObjectName(QStringLiteral("mnu_saved_selections"));
    saved->menuAction()->setObjectName(QStringLiteral("mnu_saved_selections"));
    QObject::connect(saved, &QMenu::aboutToShow, saved, [&ed, saved] {
        saved->clear();
        const auto kept = ed.history().saved_selections();
        for (const auto& [name, bytes] : kept) {
            QAction* use = saved->addAction(name);
            const std::optional<SelectionDefinition> d = definition_from(bytes);
            use->setEnabled(d.has_value());
            if (d)
                QObject::connect(use, &QAction::triggered, &ed, [&ed, d] { use_saved_selection(ed, *d); });
        }
        if (kept.empty())
            saved->addAction(QStringLiteral("(none saved yet)"))->setEnabled(false);
        saved->addSeparator();
        QObject::connect(saved->addAction(QStringLiteral("Save selection &as...")), &QAction::triggered, &ed,
                         [&ed] { save_selection_as(ed); });
        QAction* manage = saved->addAction(QStringLiteral("&Rename or delete..."));
        manage->setEnabled(!kept.empty());
        QObject::connect(manage, &QAction::triggered, &ed, [&ed] { manage_saved_selections(ed); });
    });
}

void manage_saved_selections(RecordEditor& ed)
{
    QDialog dialog(&ed);
    dialog.setObjectName(QStringLiteral("frm_saved_selections"));
    dialog.setWindowTitle(QStringLiteral("Saved selections"));
    auto* names = new QListWidget(&dialog);
    names->setObjectName(QStringLiteral("saved_list"));
    names->setAccessibleName(QStringLiteral("Saved selections"));
    const auto refill = [&ed, names] {
        names->clear();
        for (const auto& [name, bytes] : ed.history().saved_selections())
            names->addItem(name);
        names->setCurrentRow(0);
    };
    refill();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QPushButton* rename = buttons->addButton(QStringLiteral("&Rename..."), QDialogButtonBox::ActionRole);
    rename->setObjectName(QStringLiteral("saved_rename"));
    QPushButton* remove = buttons->addButton(QStringLiteral("&Delete"), QDialogButtonBox::ActionRole);
    remove->setObjectName(QStringLiteral("saved_delete"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(rename, &QPushButton::clicked, &dialog, [&] {
        const QListWidgetItem* item = names->currentItem();
        if (!item)
            return;
        const QString to = ask_name(&dialog, QStringLiteral("Rename selection"), item->text());
        if (!to.isEmpty() && to != item->text() && !ed.history().rename_selection(item->text(), to))
            msgbox(&dialog, not_kept, MsgIcon::critical);
        refill();
    });
    QObject::connect(remove, &QPushButton::clicked, &dialog, [&] {
        const QListWidgetItem* item = names->currentItem();
        if (!item)
            return;
        if (msgbox(&dialog, QStringLiteral("Delete the saved selection %1?").arg(item->text()), MsgIcon::question,
                   MsgButtons::yes_no)
            != MsgAnswer::yes)
            return;
        if (!ed.history().forget_selection(item->text()))
            msgbox(&dialog, not_kept, MsgIcon::critical);
        refill();
    });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(names, 1);
    layout->addWidget(buttons);
    dialog.resize(420, 320);
    paint_dialog(&dialog);
    dialog.exec();
}

}  // namespace tessaran
