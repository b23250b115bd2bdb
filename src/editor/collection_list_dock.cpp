#include "collection_list_dock.h"
#include "collection_list_window.h"

#include "ui/screen_placement.h"

#include <QEvent>
#include <QMainWindow>

#include <utility>

namespace tessaran {

CollectionListDock::CollectionListDock(QMainWindow* editor)
    : QDockWidget(QStringLiteral("Collection list"), editor), editor_(editor), list_(new CollectionListWindow(this))
{
    setObjectName(QStringLiteral("dock_list"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setWidget(list_);
    editor_->addDockWidget(Qt::RightDockWidgetArea, this);
    hide();
    connect(list_, &CollectionListWindow::position_chosen, this, &CollectionListDock::position_chosen);
    connect(list_, &CollectionListWindow::group_chosen, this, &CollectionListDock::group_chosen);
    connect(list_, &CollectionListWindow::dismissed, this, &QDockWidget::close);
    // Taken out of the editor, the list becomes a window wide enough for its columns.
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (!floating || !isVisible())
            return;
        resize(fitted_to_screen(list_->sizeHint(), editor_));
        // Wider now, it is moved back onto the screen where it ran off it.
        const QRect room = work_area(editor_);
        const QRect frame = frameGeometry();
        move(qBound(room.left(), frame.left(), qMax(room.left(), room.right() + 1 - frame.width())),
             qBound(room.top(), frame.top(), qMax(room.top(), room.bottom() + 1 - frame.height())));
    });
    // The editor is the context: as it goes, nothing is to be given back.
    connect(this, &QDockWidget::visibilityChanged, editor_, [this](bool visible) {
        if (!visible && !isFloating() && !editor_->isMinimized())
            give_back_room();
    });
    editor_->installEventFilter(this);
}

void CollectionListDock::open(const Session& s)
{
    // Read first: the list's width follows what its columns hold.
    list_->follow(s);
    if (!isVisible())
        place();
    show();
    list_->follow(s);
    if (isFloating()) {
        raise();
        activateWindow();
    }
    list_->setFocus();
}

void CollectionListDock::follow(const Session& s)
{
    if (list_->isVisible())
        list_->follow(s);
}

void CollectionListDock::place()
{
    const QRect room = work_area(editor_);
    const QRect frame = editor_->frameGeometry();
    const QSize wanted = fitted_to_screen(list_->sizeHint(), editor_);
    const int list_width = wanted.width() + frame_allowance.width();
    const ListPlacement p
        = place_list_beside(room, frame, list_width, windows_placed_by_program() && !editor_->isMaximized());
    if (!p.docked) {
        if (p.editor_left != frame.left())
            editor_->move(p.editor_left, frame.top());
        setFloating(true);
        resize(wanted);
        move(p.list_left, frame.top());
        return;
    }
    setFloating(false);
    // The editor's fields keep the width they have where the screen has it;
    // the list takes the rest, at least a few columns' worth.
    const int room_width = room.width() - frame_allowance.width();
    const int docked = qBound(320, room_width - editor_->width(), wanted.width());
    if (!editor_->isMaximized() && !editor_->isFullScreen()) {
        room_ = windows_placed_by_program() ? Room::widened : Room::maximized;
        width_before_ = editor_->width();
        if (room_ == Room::maximized) {
            // Where the compositor places windows, a window that widens runs
            // off the screen's edge: maximised, the editor takes what it has.
            // The list takes its width once the compositor has given the size.
            docked_width_ = docked;
            editor_->showMaximized();
        } else {
            const int wide = qMin(editor_->width() + docked, room_width);
            editor_->resize(wide, editor_->height());
            const int right_edge = frame.left() + wide + frame_allowance.width();
            if (right_edge > room.right() + 1)
                editor_->move(qMax(room.left(), room.right() + 1 - wide - frame_allowance.width()), frame.top());
        }
    }
    editor_->resizeDocks({this}, {docked}, Qt::Horizontal);
}

bool CollectionListDock::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_ && event->type() == QEvent::Resize && docked_width_ > 0 && editor_->isMaximized())
        editor_->resizeDocks({this}, {std::exchange(docked_width_, 0)}, Qt::Horizontal);
    return QDockWidget::eventFilter(watched, event);
}

void CollectionListDock::give_back_room()
{
    const Room took = std::exchange(room_, Room::none);
    if (took == Room::maximized && editor_->isMaximized())
        editor_->showNormal();
    else if (took == Room::widened && !editor_->isMaximized())
        editor_->resize(width_before_, editor_->height());
}

}  // namespace tessaran
