#include "missing_pictures_dialog.h"

#include "core/collection_stats.h"
#include "core/picture_paths.h"
#include "ui/screen_placement.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tessaran {

namespace {

enum Column { kaleidoscope, picture, stored_now, will_be, column_count };

QString users_text(const StoredPictureRef& ref)
{
    QString text = QStringLiteral("%1 (record %2)").arg(ref.scope_name).arg(ref.uses.front().record);
    if (ref.uses.size() > 1)
        text += QStringLiteral(" and %1 more").arg(ref.uses.size() - 1);
    return text;
}

QString outcome_text(const PictureMatch& m, const QString& collection_path)
{
    switch (m.outcome) {
    case PictureMatch::Outcome::found: {
        const StoredPicture target = stored_picture(m.found, collection_path);
        if (target.ok())
            return target.stored;
        return QStringLiteral("a copy in %1 (%2)")
            .arg(picture_folder_name(collection_path), QDir::toNativeSeparators(m.found));
    }
    case PictureMatch::Outcome::several: {
        QStringList shown;
        for (const QString& c : m.candidates)
            shown << QDir::toNativeSeparators(c);
        return QStringLiteral("Stays missing: found more than once (%1)").arg(shown.join(QStringLiteral(", ")));
    }
    case PictureMatch::Outcome::none: break;
    }
    return QStringLiteral("Stays missing: not found");
}

}  // namespace

MissingPicturesDialog::MissingPicturesDialog(const std::vector<PictureMatch>& matches, const QString& collection_path,
                                             const QString& folder, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_missing_pictures"));
    setWindowTitle(QStringLiteral("Find missing pictures"));
    for (const PictureMatch& m : matches)
        if (m.outcome == PictureMatch::Outcome::found)
            ++found_;

    auto* intro = new QLabel(QStringLiteral("%1 of the %2 missing pictures were found in %3. Their paths change "
                                            "as shown when you choose Change; nothing changes with Cancel.")
                                 .arg(found_)
                                 .arg(matches.size())
                                 .arg(QDir::toNativeSeparators(folder)),
                             this);
    intro->setObjectName(QStringLiteral("lbl_missing_intro"));
    intro->setWordWrap(true);

    table_ = new QTableWidget(int(matches.size()), column_count, this);
    table_->setObjectName(QStringLiteral("tbl_missing"));
    table_->setAccessibleName(QStringLiteral("Missing pictures"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Kaleidoscope"), QStringLiteral("Picture"),
                                       QStringLiteral("Stored now"), QStringLiteral("Will be stored")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    for (int row = 0; row < int(matches.size()); ++row) {
        const PictureMatch& m = matches[std::size_t(row)];
        const QString texts[column_count] = {users_text(m.missing), QString::number(m.missing.uses.front().slot),
                                             m.missing.stored, outcome_text(m, collection_path)};
        for (int c = 0; c < column_count; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            item->setToolTip(texts[c]);
            table_->setItem(row, c, item);
        }
    }
    // Paths share the room, shortened in the middle so that the file names show.
    table_->setTextElideMode(Qt::ElideMiddle);
    QHeaderView* heading = table_->horizontalHeader();
    heading->setSectionResizeMode(kaleidoscope, QHeaderView::ResizeToContents);
    heading->setSectionResizeMode(picture, QHeaderView::ResizeToContents);
    heading->setSectionResizeMode(stored_now, QHeaderView::Stretch);
    heading->setSectionResizeMode(will_be, QHeaderView::Stretch);
    table_->resizeRowsToContents();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    change_ = buttons->addButton(QStringLiteral("&Change ") + counted(found_, QStringLiteral("path")),
                                 QDialogButtonBox::AcceptRole);
    change_->setObjectName(QStringLiteral("cmd_change_paths"));
    change_->setEnabled(found_ > 0);
    change_->setDefault(found_ > 0);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmd_cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);
    resize(fitted_to_screen(QSize(820, 420), this));
}

}  // namespace tessaran
