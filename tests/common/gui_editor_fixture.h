// Opening the record editor in a test as the start-up window would: a database
// in a temporary folder, the working set, a colour file, a stand-in start-up
// window, and scripted message boxes.
#pragma once

#include "common/core_temp_db.h"
#include "common/scripted_dialogs.h"
#include "editor/picture_strip.h"
#include "editor/record_editor.h"

#include <QApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QLineEdit;

namespace tessaran::test {

class EditorFixture {
public:
    // Writes the records and builds the session the editor will get, with a
    // colour file; sort_by_artist sorts the working set as opening a database does.
    explicit EditorFixture(const QList<ScopeRecord>& records, bool sort_by_artist = false);
    ~EditorFixture();
    EditorFixture(const EditorFixture&) = delete;
    EditorFixture& operator=(const EditorFixture&) = delete;

    // Creates the editor on a copy of session (prepare runs); returns it.
    RecordEditor* open();
    // The editor's session once it is open.
    const Session& state() const { return ed->session(); }
    // Shows the editor and makes it the active window, so focus moves are real.
    bool show_active();
    // Deletes the editor without closing it (no questions asked).
    void drop();

    RecordEditor* ed = nullptr;
    std::unique_ptr<QWidget> startup;
    TempDb db;
    Session session;
    ScriptedDialogs dialogs;
    QString color_path;
};

// Gives the field the focus and types text into it after selecting what it holds.
void type_into(QLineEdit* field, const QString& text);
// Moves the focus out of the focused field with Tab, as the user would.
void press_tab(QWidget* window);

// The record editor the start-up window opened (a top-level window of its
// own, not a child of the start-up window); nullptr when none is open.
RecordEditor* editor();

// The editor's Images frame: its pictures, buttons and viewers.
PictureStrip* picture_strip(const RecordEditor* ed);

// Record numbers 1..5 in file order; by artist ascending: 5, 4, 2, 1, 3.
QList<ScopeRecord> five_records();

// Runs act on the modal dialog of type D as soon as it is shown; anything else
// that turns up modal is recorded and closed so a test can never hang.
template <class D> void when_modal(std::function<void(D*)> act, QStringList* unexpected = nullptr)
{
    QTimer::singleShot(0, [act, unexpected] {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* d = qobject_cast<D*>(w)) {
            act(d);
        } else if (w) {
            if (unexpected)
                *unexpected << w->objectName();
        }
        if (QWidget* still = QApplication::activeModalWidget())
            still->close();
    });
}

}  // namespace tessaran::test
