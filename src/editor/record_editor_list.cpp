// The collection list beside the editor, and the web catalogue of the working set.
#include "collection_list_window.h"
#include "record_editor.h"

#include "core/session.h"
#include "ui/screen_placement.h"

#include <QGuiApplication>
#include <QScreen>

namespace tessaran {

CollectionListWindow* RecordEditor::collection_list() const
{
    return list_window_;
}

void RecordEditor::show_collection_list()
{
    if (!list_window_) {
        list_window_ = new CollectionListWindow(this);
        connect(list_window_, &CollectionListWindow::position_chosen, this, &RecordEditor::show_listed);
        // Beside the editor where the screen has room, else at the screen's
        // right edge, over the editor's right part.
        const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect();
        const QRect frame = frameGeometry();
        const int width = list_window_->frameGeometry().width();
        int x = frame.right() + 1;
        if (!screen.isNull() && x + width - 1 > screen.right())
            x = frame.left() - width >= screen.left() ? frame.left() - width : screen.right() + 1 - width;
        list_window_->move(qMax(screen.left(), x), frame.top());
    }
    list_window_->show();
    list_window_->follow(session());
    list_window_->raise();
    list_window_->activateWindow();
    list_window_->setFocus();
}

void RecordEditor::export_web_catalogue() { }

void RecordEditor::show_listed(int position)
{
    // The list was read before another program changed the collection: it
    // reads the collection again with the editor, and the user chooses anew.
    if (session().changed_elsewhere || session().file_changed_since_noted()) {
        catch_up();
        return;
    }
    if (position < 1 || position > session().ws.count || !settle_edits())
        return;
    show_position(position);
    raise();
    activateWindow();
}

}  // namespace tessaran
