#include "change_recorder.h"

#include "ui/user_dialogs.h"

#include <QWidget>

namespace tessaran {

ChangeRecorder::ChangeRecorder(const QString& collection, QWidget* window)
    : QObject(window), window_(window), history_(collection)
{
}

void ChangeRecorder::open()
{
    tell(history_.open());
}

FileStatus ChangeRecorder::write(ChangeKind kind, const std::vector<RecordChange>& records,
                                 const std::function<FileStatus()>& write)
{
    HistoryStatus recorded;
    const FileStatus written = write_recorded(&history_, kind, records, write, &recorded);
    if (written)
        tell(recorded);
    return written;
}

void ChangeRecorder::record_appended(ChangeKind kind, int count_before)
{
    tell(history_.record_appended(kind, count_before));
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
