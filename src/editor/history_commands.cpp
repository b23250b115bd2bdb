#include "history_commands.h"

#include "dialogs/deleted_kaleidoscopes_window.h"
#include "dialogs/kaleidoscope_history_window.h"
#include "ui/user_dialogs.h"

namespace tessaran {

std::optional<ScopeRecord> chosen_version(CollectionHistory& history, int record, const QString& name, QWidget* parent)
{
    const qint64 identity = history.is_open() && record > 0 ? history.identity_at(record) : 0;
    std::vector<KaleidoscopeVersion> versions
        = identity ? history.versions_of(identity) : std::vector<KaleidoscopeVersion>();
    if (versions.empty()) {
        msgbox(parent, QStringLiteral("No change of this kaleidoscope has been recorded in the collection's history."),
               MsgIcon::information);
        return std::nullopt;
    }
    KaleidoscopeHistoryWindow window(name, std::move(versions), parent);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.chosen();
}

std::optional<DeletedKaleidoscope> chosen_deleted(CollectionHistory& history, QWidget* parent)
{
    std::vector<DeletedKaleidoscope> deleted
        = history.is_open() ? history.deleted() : std::vector<DeletedKaleidoscope>();
    if (deleted.empty()) {
        msgbox(parent, QStringLiteral("No deleted kaleidoscope is recorded in the collection's history."),
               MsgIcon::information);
        return std::nullopt;
    }
    DeletedKaleidoscopesWindow window(std::move(deleted), parent);
    if (window.exec() != QDialog::Accepted || !window.chosen())
        return std::nullopt;
    return *window.chosen();
}

}  // namespace tessaran
