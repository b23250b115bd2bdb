// The record editor: shows one record of the working set at a time, walks the
// working set, adds, clears and saves records, and starts every other command.
#pragma once

#include "limited_text_edit.h"

#include "core/picture_list.h"
#include "core/record_form.h"
#include "core/session.h"
#include "record_editor_search.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

class QAction;
class QComboBox;
class QDockWidget;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace tessaran {

class CollectionListDock;
class EditorCommands;
class PictureStrip;
enum class Command;
class RecordFormWidget;

struct FileStatus;

class RecordEditor : public QMainWindow {
    Q_OBJECT
public:
    // The editor is a top-level window; it disables the start-up window (parent)
    // while open and enables it again when it closes.
    RecordEditor(Session session, QWidget* parent = nullptr);
    ~RecordEditor() override;

    // The open collection this editor owns, as it stands; the editor alone
    // changes it, through its commands.
    const Session& session() const { return session_; }
    // Narrows the working set to the records meeting c, as Select does
    // without asking (the remembered sort applied, position 1 shown).
    SelectOutcome select_by(const Criteria& c);
    // Every record, as Select all does.
    void select_all();
    // Orders the working set by field (1..27), as the sort dialog's Sort
    // does, and shows position 1; false after telling the user why not.
    bool sort_by(int field, bool descending);
    // Finds the first record meeting c, as the find dialog's Find does.
    void find_by(const Criteria& c);
    // The position Find next starts after (the last one shown or searched).
    int find_position() const { return find_position_; }

    // Whether the window has loaded.
    bool is_loaded() const { return loaded; }
    // The start-up window that opened the editor (nullptr once it is gone).
    QWidget* start_window() const { return startup; }

    // ---- Showing, clearing, navigating -------------------------------------
    // Shows position numr of the working set; false (after telling the user)
    // when the record cannot be read or numr lies outside the working set.
    bool show_position(int numr);
    void clear_form();
    // The adding state for record 1 of an empty database, with its enabling.
    void start_empty();
    // Window caption from caption_make(); the collection list follows.
    void refresh_caption();
    // True while a record that is not yet in the file is being added.
    bool adding() const;

    // ---- Saving -------------------------------------------------------------
    // Number of fields (and image positions) that differ from the stored record
    // at position pos; each difference is highlighted. -1 when the stored record
    // cannot be read (the user has been told).
    int count_changes(int pos);
    // Shows the stored record again (or an empty form while adding) and removes
    // the highlights.
    void discard_changes();
    // Before a command leaves the shown record: when fields differ, asks whether
    // to save them. False when the command must stop (a refused save).
    bool settle_edits();
    // Validations, optional confirmation, write, re-read. True when written.
    // Writes r at recno (a new record after the last whole one), keeping an
    // unfinished record at the file's end aside first, as the user is told.
    FileStatus write_shown_record(int recno, const ScopeRecord& r, bool is_new);
    bool store_record(bool confirm);

    // ---- Colours ------------------------------------------------------------
    void apply_colors();
    void restore_colors();

    // Once per session, where pictures of the collection are missing, offers to
    // look for them; true when the search ran.
    bool offer_missing_pictures_search();

    // ---- Command handlers ---------------------------------------------------
    void prepare();
    void add_record();
    void save_record();
    void clear_fields();
    void close_window();
    void show_first();
    void show_previous();
    void show_next();
    void show_last();
    // record_editor_search.cpp
    void select_records();
    void sort_records();
    void find_records();
    void find_next();
    void delete_record();
    void show_selection_criteria();
    void show_find_criteria();
    void import_records();
    void show_collection_list();
    // The collection list's choice: shown as the navigation buttons show a record.
    void show_listed(int position);
    // record_editor_missing_pictures.cpp
    void find_missing_pictures();
    // Help and about
    void show_about();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Rebuilds the working set from the selection criteria, asking for them
    // first when show_dialog; applies the remembered sort and shows position 1.
    SelectOutcome run_selection(bool show_dialog);
    // Finds the next record of the working set that meets the find criteria.
    void run_find(FindMode mode);
    // Tests the records from position start on; at the end, Find says so and
    // Find next offers to start again.
    void search_from(int start, FindMode mode);
    void apply_remembered_sort();
    // Every record, in the remembered order, position 1 shown (or the adding
    // state when the database is empty).
    void show_all_records();
    void build_controls();
    void connect_commands();
    // Runs a command of the strip or the menus.
    void run_command(Command c);
    // The find criteria, or why there are none yet.
    void show_find_criteria_asked();
    void size_window();
    // The largest size a picture viewer opens with, from the window's inner area.
    void measure_inner_area();
    void refuse_full_database();
    void enable_all_commands();
    // Settles edits and refuses when the last selection matched nothing, as
    // the summaries and the statistics do before reading the working set.
    bool working_set_ready();
    // How a write to the collection went (told_write_outcome for this window's collection).
    bool told_write_outcome(const FileStatus& st, const QString& failed, const QString& after = QString());
    // After Find missing pictures wrote the collection: the record shown again.
    void pictures_stored();
    // What the form's fields hold, as values.
    RecordForm form_values() const;
    // Puts form values back into the fields (texts, prices, pictures).
    void set_form_values(const RecordForm& form);
    // Another program changed the collection: tells the user that nothing was
    // not_done ("saved", "deleted") and offers to reload keeping the edits.
    void offer_reload(const QString& not_done);
    // A read-only window refuses every write with the reason; true when it did.
    // A window whose collection was replaced first claims the new file.
    bool refused_read_only();
    // Before every write, and as soon as another program is seen to have put
    // a new file at the collection's path: this window's claim to be its one
    // writer moves to that file. When another window claimed it first, this
    // one turns read-only and says so (edits stay on screen); false then.
    bool keep_write_claim();
    // Another program changed the kaleidoscope being edited (shown now as it
    // stored it; was: the bytes shown before): names what it changed and lets
    // the user keep that version, put the edits over it or save them as new.
    void settle_changed_elsewhere(const RecordForm& edits, const QByteArray& was);
    // A watched file or folder changed: notes a write by another program in
    // the caption, without taking the focus.
    void notice_outside_change();
    // Before a step that uses positions: when another program changed the
    // collection since this window last read it, reads it again (keeping any
    // edits on screen), so that no stale record number is ever used. False
    // when the record shown was changed or removed there (it is no longer shown).
    bool catch_up();
    // Rebuilds the working set with the selection and sort in force and finds
    // the record shown by its stored bytes. With keep_edits the user's edits go
    // back on screen (as a new record when the one edited is gone). False
    // when the record shown is no longer in the collection as it was.
    bool reload(bool keep_edits);

    RecordFormWidget* form_ = nullptr;

    Session session_;
    CollectionListDock* list_dock_ = nullptr;

    bool closing_ = false;
    bool measured_ = false;  // the shown window's size has been measured
    // ---- Editor state -------------------------------------------------------
    QPointer<QWidget> startup;  // the start-up window given as parent
    int find_position_ = 0;     // the position Find next starts after
    bool missing_pictures_offered_ = false;
    bool loaded = false;
    // ---- Controls -----------------------------------------------------------
    PictureStrip* strip_ = nullptr;
    EditorCommands* commands_ = nullptr;  // the command strip and the menus
};

}  // namespace tessaran
