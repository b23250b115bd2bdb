// The record editor's history of its collection: opened while the window
// holds the claim, wrapped around each of its writes, and telling the user
// once when changes are not being recorded and why.
#pragma once

#include "core/collection_history.h"
#include "core/history_undo.h"

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace tessaran {

class ChangeRecorder : public QObject {
    Q_OBJECT
public:
    ChangeRecorder(const QString& collection, QWidget* window);

    // Opens the history (again, after another program changed the collection).
    void open();
    // A read-only window's: only read, nothing told.
    void open_for_reading();
    // For writing, or only to read in a window that cannot write.
    void open_as(bool read_only) { read_only ? open_for_reading() : open(); }
    CollectionHistory& history() { return history_; }
    // The Undo and Redo items name what they would take back.
    void follow_with(QAction* undo, QAction* redo);
    // Writes the collection through write, the change recorded around it.
    FileStatus write(ChangeKind kind, const std::vector<RecordChange>& records,
                     const std::function<FileStatus()>& write);
    // The same, for the commands that write through a RecordedWrite.
    RecordedWrite recorded();
    // Records what a write already made: the records added after count_before.
    void record_appended(ChangeKind kind, int count_before);
    // Undo (or Redo) of the newest change the history allows.
    StepOutcome take_back(bool redo);
    // A deleted kaleidoscope put back.
    StepOutcome restore(const DeletedKaleidoscope& gone);
    // Tells why a step wrote nothing (done: "undone", "redone", "restored");
    // true when it was written.
    bool told(const StepOutcome& outcome, const QString& done);

signals:
    // The history has a new change, or was opened again.
    void changed();

private:
    void tell(const HistoryStatus& status);
    void name_next_steps();
    // "Undo save of Blue Hour"; empty when there is nothing to take back.
    QString next_text(bool redo);

    QPointer<QWidget> window_;
    QPointer<QAction> undo_;
    QPointer<QAction> redo_;
    CollectionHistory history_;
    bool told_ = false;  // "not being recorded" is said once a window
};

}  // namespace tessaran
