// Opening the record editor in a test as the start-up window would: a database
// in a temporary folder, the working set, a colour file, a stand-in start-up
// window, and scripted message boxes.
#pragma once

#include "common/core_temp_db.h"
#include "common/scripted_dialogs.h"
#include "editor/frm_kaleido.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <memory>

class QLineEdit;

namespace tessaran::test {

class EditorFixture {
public:
    // Writes the records and prepares the process-wide state; sort_by_artist
    // sorts the working set as opening a database does.
    explicit EditorFixture(const QList<ScopeRecord>& records, bool sort_by_artist = false);
    ~EditorFixture();
    EditorFixture(const EditorFixture&) = delete;
    EditorFixture& operator=(const EditorFixture&) = delete;

    // Creates the editor (Form_Load runs); returns it.
    frm_kaleido* open();
    // Shows the editor and makes it the active window, so focus moves are real.
    bool show_active();
    // Deletes the editor without closing it (no questions asked).
    void drop();

    frm_kaleido* ed = nullptr;
    std::unique_ptr<QWidget> startup;
    TempDb db;
    ScriptedDialogs dialogs;
    QString color_path;
};

// Gives the field the focus and types text into it after selecting what it holds.
void type_into(QLineEdit* field, const QString& text);
// Moves the focus out of the focused field with Tab, as the user would.
void press_tab(QWidget* window);

}  // namespace tessaran::test
