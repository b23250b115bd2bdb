// "History of this kaleidoscope...": every recorded version of one
// kaleidoscope, newest first, and for the one chosen each field it changed
// with its value before and after. "Restore this version" ends the window
// with that version chosen.
#pragma once

#include "core/collection_history.h"
#include "core/scope_record.h"

#include <QDialog>

class QBoxLayout;
class QTableWidget;
class QPushButton;

namespace tessaran {

class KaleidoscopeHistoryWindow : public QDialog {
    Q_OBJECT
public:
    KaleidoscopeHistoryWindow(const QString& name, std::vector<KaleidoscopeVersion> versions,
                              QWidget* parent = nullptr);
    // The kaleidoscope as the chosen version left it.
    ScopeRecord chosen() const;

private:
    void show_fields(int row);

    std::vector<KaleidoscopeVersion> versions_;
    QTableWidget* versions_table_ = nullptr;
    QTableWidget* fields_table_ = nullptr;
    QPushButton* restore_ = nullptr;
};

// "Saved", "Deleted", "Changed by another program": a change as a history window names it.
QString change_kind_text(ChangeKind kind);
// When and by whom, as the history windows show it: the locale's date and time.
QString change_time_text(const QDateTime& at);

// The history windows' parts: a read-only table chosen a row at a time, its
// rows, and "Restore" (ending the window accepted) beside "Close" at the
// layout's foot; the Restore button.
QTableWidget* history_table(QWidget* parent, const char* name, const QStringList& headings);
void add_history_row(QTableWidget* table, const QStringList& cells);
QPushButton* add_restore_and_close(QDialog* dialog, QBoxLayout* layout, const QString& text, const QString& tip);

}  // namespace tessaran
