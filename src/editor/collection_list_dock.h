// The collection list in a dock of the editor. Where the screen has room it
// opens beside the editor as a window of its own (the editor moving over when
// that makes the room); else it docks at the editor's right and the editor
// widens as far as the screen allows (or is maximised where the compositor
// places windows), giving the room back when the list goes. The list never
// covers the record.
#pragma once

#include "core/criteria.h"

#include <QDockWidget>

class QMainWindow;

namespace tessaran {

class CollectionListWindow;
struct Session;

class CollectionListDock : public QDockWidget {
    Q_OBJECT
public:
    explicit CollectionListDock(QMainWindow* editor);

    CollectionListWindow* list() const { return list_; }
    // Shows the list of s, placed first when it was hidden, with the focus.
    void open(const Session& s);
    // A shown list follows s (its records, the one shown).
    void follow(const Session& s);

signals:
    // The user chose the record at this position of the working set.
    void position_chosen(int position);
    // The user chose a group to be the working set.
    void group_chosen(const Criteria& group);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void give_back_room();

    QMainWindow* editor_;
    CollectionListWindow* list_;
    // What the editor did to make room for the docked list, undone when it goes.
    enum class Room { none, widened, maximized } room_ = Room::none;
    int width_before_ = 0;
    int docked_width_ = 0;  // for the list once the maximised editor has its size
};

}  // namespace tessaran
