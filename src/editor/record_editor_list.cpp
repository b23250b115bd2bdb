// The collection list beside the editor or docked in it, and the web catalogue of the working set.
#include "collection_list_window.h"
#include "record_editor.h"

#include "catalogue/web_catalogue.h"
#include "core/session.h"
#include "dialogs/web_catalogue_dialog.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QProgressDialog>

#include <utility>

namespace tessaran {

CollectionListWindow* RecordEditor::collection_list() const
{
    return list_window_;
}

void RecordEditor::show_collection_list()
{
    if (!list_dock_) {
        list_dock_ = new QDockWidget(QStringLiteral("Collection list"), this);
        list_dock_->setObjectName(QStringLiteral("dock_list"));
        list_dock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        list_window_ = new CollectionListWindow(list_dock_);
        list_dock_->setWidget(list_window_);
        addDockWidget(Qt::RightDockWidgetArea, list_dock_);
        list_dock_->hide();
        connect(list_window_, &CollectionListWindow::position_chosen, this, &RecordEditor::show_listed);
        connect(list_window_, &CollectionListWindow::dismissed, list_dock_, &QDockWidget::close);
        connect(list_dock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
            if (!visible && !list_dock_->isFloating() && !isMinimized())
                give_back_list_room();
        });
    }
    if (!list_dock_->isVisible())
        place_collection_list();
    list_dock_->show();
    list_window_->follow(session_);
    if (list_dock_->isFloating()) {
        list_dock_->raise();
        list_dock_->activateWindow();
    }
    list_window_->setFocus();
}

void RecordEditor::place_collection_list()
{
    const QRect room = work_area(this);
    const QRect frame = frameGeometry();
    const QSize wanted = fitted_to_screen(list_window_->sizeHint(), this);
    const int list_width = wanted.width() + frame_allowance.width();
    const ListPlacement p = place_list_beside(room, frame, list_width, windows_placed_by_program() && !isMaximized());
    if (!p.docked) {
        if (p.editor_left != frame.left())
            move(p.editor_left, frame.top());
        list_dock_->setFloating(true);
        list_dock_->resize(wanted);
        list_dock_->move(p.list_left, frame.top());
        return;
    }
    list_dock_->setFloating(false);
    // The editor's fields keep the width they have where the screen has it;
    // the list takes the rest, at least a few columns' worth.
    const int room_width = room.width() - frame_allowance.width();
    const int docked = qBound(320, room_width - width(), wanted.width());
    if (!isMaximized() && !isFullScreen()) {
        list_room_ = windows_placed_by_program() ? ListRoom::widened : ListRoom::maximized;
        width_before_list_ = width();
        if (list_room_ == ListRoom::maximized) {
            // Where the compositor places windows, a window that widens runs
            // off the screen's edge: maximised, the editor takes what it has.
            // The list takes its width once the compositor has given the size.
            docked_list_width_ = docked;
            showMaximized();
        } else {
            const int wide = qMin(width() + docked, room_width);
            resize(wide, height());
            const int right_edge = frame.left() + wide + frame_allowance.width();
            if (right_edge > room.right() + 1)
                move(qMax(room.left(), room.right() + 1 - wide - frame_allowance.width()), frame.top());
        }
    }
    resizeDocks({list_dock_}, {docked}, Qt::Horizontal);
}

void RecordEditor::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (docked_list_width_ > 0 && isMaximized() && list_dock_) {
        resizeDocks({list_dock_}, {std::exchange(docked_list_width_, 0)}, Qt::Horizontal);
    }
}

void RecordEditor::give_back_list_room()
{
    // The editor gives back the room it took for the docked list.
    const ListRoom took = std::exchange(list_room_, ListRoom::none);
    if (took == ListRoom::maximized && isMaximized())
        showNormal();
    else if (took == ListRoom::widened && !isMaximized())
        resize(width_before_list_, height());
}

void RecordEditor::export_web_catalogue()
{
    if (!working_set_ready())
        return;
    const Session& s = session_;
    const QFileInfo collection(s.path);
    WebCatalogueDialog dialog(
        collection.absoluteDir().filePath(collection.completeBaseName() + QStringLiteral("-catalogue")), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString folder = dialog.folder();
    const QString shown = QDir::toNativeSeparators(folder);
    if (folder_has_entries(folder)
        && msgbox(this,
                  QStringLiteral("The folder %1 already holds files.\nReplace the catalogue's files in it (index.html, "
                                 "style.css and the folders k and pictures)? Other files stay as they are.")
                      .arg(shown),
                  MsgIcon::question, MsgButtons::yes_no)
            != MsgAnswer::yes)
        return;

    QProgressDialog progress(QStringLiteral("Writing the web catalogue..."), QStringLiteral("Cancel"), 0,
                             qMax(1, s.ws.count()), this);
    progress.setObjectName(QStringLiteral("web_progress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const WebCatalogueResult r = write_web_catalogue(s.path, s.ws.records(), s.ws.count(), folder,
                                                     dialog.include_prices(), [&](int done, int) {
                                                         progress.setValue(done);
                                                         return !progress.wasCanceled();
                                                     });
    progress.reset();
    progress.hide();

    if (r.cancelled) {
        msgbox(this, QStringLiteral("The web catalogue was not written: it was cancelled."), MsgIcon::information);
        return;
    }
    if (!r.status) {
        msgbox(this, QStringLiteral("The web catalogue could not be written:\n") + r.status.error, MsgIcon::critical);
        return;
    }
    QString text = QStringLiteral("The web catalogue of %1 kaleidoscopes was written to %2.\nOpen index.html in it "
                                  "with a web browser.")
                       .arg(r.kaleidoscopes)
                       .arg(shown);
    if (!r.unreadable.isEmpty()) {
        text += QStringLiteral("\n\n%1 pictures could not be read; their pages name them:").arg(r.unreadable.size());
        for (qsizetype i = 0; i < r.unreadable.size() && i < 10; ++i)
            text += QLatin1Char('\n') + QDir::toNativeSeparators(r.unreadable.at(i));
        if (r.unreadable.size() > 10)
            text += QStringLiteral("\n...");
    }
    msgbox(this, text, r.unreadable.isEmpty() ? MsgIcon::information : MsgIcon::exclamation);
}

void RecordEditor::show_listed(int position)
{
    // The list was read before another program changed the collection: it
    // reads the collection again with the editor, and the user chooses anew.
    if (session_.changed_elsewhere || session_.file_changed_since_noted()) {
        catch_up();
        return;
    }
    if (position < 1 || position > session_.ws.count() || !settle_edits())
        return;
    show_position(position);
    raise();
    activateWindow();
}

}  // namespace tessaran
