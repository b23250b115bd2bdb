#include "change_recorder.h"

#include "ui/user_dialogs.h"

#include <QWidget>

namespace tessaran {

ChangeRecorder::ChangeRecorder(const QString& collection, QWidget* window)
    : QObject(window), window_(window), history_(collection)
{ }

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
    const HistoryStep step = redo ? history_.next_redo() : history_.next_undo();
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
