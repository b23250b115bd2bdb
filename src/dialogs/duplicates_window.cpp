#include "duplicates_window.h"

#include "appearance/scheme_paint.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tessaran {

namespace {

QString group_text(const DuplicateGroup& g)
{
    return g.reason == DuplicateGroup::Reason::name_and_artist
        ? QStringLiteral("%1: the same name and artist, %2 kaleidoscopes").arg(g.shared).arg(g.members.size())
        : QStringLiteral("The same picture, %1: %2 kaleidoscopes").arg(g.shared).arg(g.members.size());
}

}  // namespace

DuplicatesWindow::DuplicatesWindow(const std::vector<DuplicateGroup>& groups, int count, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_duplicates"));
    setWindowTitle(QStringLiteral("Possible duplicates"));
    auto* summary = new QLabel(QStringLiteral("%1 groups of kaleidoscopes that may be the same one entered twice, "
                                              "among the %2 of the working set. Enter or a double click shows one "
                                              "in the editor.")
                                   .arg(groups.size())
                                   .arg(count),
                               this);
    summary->setObjectName(QStringLiteral("dup_summary"));
    summary->setWordWrap(true);

    auto* tree = new QTreeWidget(this);
    tree->setObjectName(QStringLiteral("dup_tree"));
    tree->setAccessibleName(QStringLiteral("Possible duplicates"));
    tree->setHeaderLabels({QStringLiteral("Scope name"), QStringLiteral("Artist"), QStringLiteral("Date of purchase"),
                           QStringLiteral("Store/Gallery"), QStringLiteral("Position")});
    tree->setRootIsDecorated(true);
    tree->setUniformRowHeights(true);
    for (const DuplicateGroup& g : groups) {
        auto* group = new QTreeWidgetItem(tree, {group_text(g)});
        group->setFirstColumnSpanned(true);
        QFont bold = group->font(0);
        bold.setBold(true);
        group->setFont(0, bold);
        for (const DuplicateMember& m : g.members) {
            auto* item = new QTreeWidgetItem(group, {m.name, m.artist, m.bought, m.store, QString::number(m.position)});
            item->setData(0, Qt::UserRole, m.position);
            item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    tree->expandAll();
    for (int c = 0; c < tree->columnCount(); ++c)
        tree->resizeColumnToContents(c);
    if (tree->topLevelItemCount() > 0)
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
    connect(tree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        if (const int position = item->data(0, Qt::UserRole).toInt(); position > 0)
            emit position_chosen(position);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("dup_close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(tree, 1);
    layout->addWidget(buttons);
    resize(760, 480);
    paint_dialog(this);
}

}  // namespace tessaran
