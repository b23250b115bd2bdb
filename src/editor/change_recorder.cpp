#include "change_recorder.h"

#include "collection_commands.h"

#include "ui/user_dialogs.h"

#include <QAction>
#include <QWidget>

namespace tessaran {

ChangeRecorder::ChangeRecorder(const QString& collection, QWidget* window)
    : QObject(window), window_(window), history_(collection)
{
    connect(this, &ChangeRecorder::changed, this, &ChangeRecorder::name_next_steps);
}

void ChangeRecorder::open_for_reading()
{
    history_.open_for_reading();
    emit changed();
}

void ChangeRecorder::follow_with(QAction* undo, QAction* redo)
{
    undo_ = undo;
    redo_ = redo;
    name_next_steps();
}

void ChangeRecorder::name_next_steps()
{
    const std::pair<QAction*, bool> items[] = {{undo_, false}, {redo_, true}};
    for (const auto& [action, redo] : items) {
        if (!action)
            continue;
        const QString text = history_.is_open() && !history_.read_only() ? next_text(redo) : QString();
        action->setText(text.isEmpty() ? (redo ? QStringLiteral("&Redo") : QStringLiteral("U&ndo")) : text);
        action->setEnabled(!text.isEmpty());
    }
}

bool ChangeRecorder::told(const StepOutcome& outcome, const QString& done)
{
    if (!outcome.refusal.isEmpty())
        msgbox(window_, outcome.refusal, MsgIcon::information);
    else if (!outcome.done)
        told_write_outcome(window_, outcome.written, history_.collection(),
                           QStringLiteral("The change could not be %1 in the database file ").arg(done),
                           QStringLiteral("\nThe database has not been changed."));
    return outcome.done;
}

StepOutcome ChangeRecorder::restore(const DeletedKaleidoscope& gone)
{
    const StepOutcome outcome = restore_deleted(history_, gone);
    emit changed();
    return outcome;
}

void ChangeRecorder::open()
{
    tell(history_.open());
    emit changed();
}

FileStatus ChangeRecorder::write(ChangeKind kind, const std::vector<RecordChange>& records,
                                 const std::function<FileStatus()>& write)
{
    HistoryStatus recorded;
    const FileStatus written = write_recorded(&history_, kind, records, write, &recorded);
    if (written)
        tell(recorded);
    emit changed();
    return written;
}

RecordedWrite ChangeRecorder::recorded()
{
    return [this](ChangeKind kind, const std::vector<RecordChange>& records, const std::function<FileStatus()>& w) {
        return write(kind, records, w);
    };
}

void ChangeRecorder::record_appended(ChangeKind kind, int count_before)
{
    tell(history_.record_appended(kind, count_before));
    emit changed();
}

StepOutcome ChangeRecorder::take_back(bool redo)
{
    const StepOutcome outcome = tessaran::take_back(history_, redo ? history_.next_redo() : history_.next_undo(), redo);
    emit changed();
    return outcome;
}

QString ChangeRecorder::next_text(bool redo)
{
    if (!history_.is_open())
        return QString();
    const HistoryStep step = redo ? history_.next_redo(false) : history_.next_undo(false);
    return step.possible ? (redo ? QStringLiteral("&Redo ") : QStringLiteral("U&ndo ")) + step.entry.what : QString();
}

void ChangeRecorder::tell(const HistoryStatus& status)
{
    if (!status.note.isEmpty())
        msgbox(window_, status.note, MsgIcon::exclamation);
    if (status.ok || told_ || status.error.isEmpty())
        return;
    told_ = true;
    msgbox(window_, status.error, MsgIcon::exclamation);
}

}  // namespace tessaran
