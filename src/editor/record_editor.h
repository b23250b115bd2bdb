// The record editor: shows one record of the working set at a time, walks the
// working set, adds, saves and deletes records, and starts every other
// command. It composes its parts (the form, the picture strip, the command
// strip, the search, the collection list) and owns the session they work on.
#pragma once

#include "other_writers.h"
#include "record_search.h"

#include "core/record_form.h"
#include "core/session.h"

#include <QMainWindow>
#include <QPointer>

namespace tessaran {

class ChangeRecorder;
class CollectionHistory;
class CollectionListDock;
class EditorCommands;
class PictureStrip;
class RecordFormWidget;
enum class Command;
struct FileStatus;
struct StepOutcome;

class RecordEditor : public QMainWindow, private RecordSearch::Host, private OtherWriters::Host {
    Q_OBJECT
public:
    // The editor is a top-level window; it disables the start-up window (parent)
    // while open and enables it again when it closes.
    RecordEditor(Session session, QWidget* parent = nullptr);
    ~RecordEditor() override;

    // The open collection this editor owns, as it stands; the editor alone
    // changes it, through its commands.
    const Session& session() const { return session_; }
    // Select without asking, Select all, the sort dialog's Sort and the find
    // dialog's Find, each on the given choice.
    SelectOutcome select_by(const Criteria& c) { return search_->select_by(c); }
    void select_all() { search_->select_all(); }
    bool sort_by(SortField field, bool descending) { return search_->sort_by(field, descending); }
    void find_by(const Criteria& c) { search_->find_by(c); }
    // Before a command leaves the shown record: when fields differ, asks
    // whether to save them. False when the command must stop (a refused save).
    bool settle_edits();
    // The collection's history (saved selections are kept there too).
    CollectionHistory& history();

    // Shows position p of the working set; false (after telling the user)
    // when the record cannot be read or p lies outside the working set.
    bool show_position(int p) override;
    // Number of fields (and picture positions) that differ from the stored
    // record at position pos; each difference is highlighted. -1 when the
    // stored record cannot be read (the user has been told).
    int count_changes(int pos) override;

    // Commands of the strip and the menus.
    void add_record() override;
    void delete_record();
    void import_records();
    void show_collection_list();
    void apply_colors();
    void restore_colors() override;

signals:
    // The record shown, the working set or the caption changed: the
    // collection list follows.
    void session_changed(const Session& session);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Step { first, previous, next, last };

    void build_controls();
    void connect_commands();
    void prepare();
    void size_window();
    // The largest size a picture viewer opens with, from the window's inner area.
    void measure_inner_area();
    // Runs a command of the strip or the menus.
    void run_command(Command c);

    // Window caption from the session; the collection list follows.
    void refresh_caption() override;
    // The adding state for record 1 of an empty collection, with its enabling.
    void start_empty() override;
    // True while a record that is not yet in the file is being added.
    bool adding() const override;
    void clear_form();
    void clear_fields();
    void show_step(Step step);
    // The collection list's choice: shown as the navigation buttons show a record.
    void show_listed(int position);
    void refuse_full_database();
    void enable_all_commands();

    // What the form's fields and pictures hold, as values; and back.
    RecordForm form_values() const override;
    void set_form_values(const RecordForm& form) override;
    // Shows the stored record again (or an empty form while adding) and
    // removes the highlights.
    void discard_changes();
    // Validations, optional confirmation, write, re-read. True when written.
    bool store_record(bool confirm) override;
    // How a write to this window's collection went (told_write_outcome).
    bool told_write_outcome(const FileStatus& st, const QString& failed, const QString& after = QString());
    // Settles edits and refuses when the last selection matched nothing, as
    // the summaries and the statistics do before reading the working set.
    bool working_set_ready();

    // Undo (or Redo), and a deleted kaleidoscope put back: the edits settled
    // first, the collection written, read again and the kaleidoscope shown.
    void take_back_change(bool redo);
    void restore_deleted_kaleidoscope();
    void show_history_write(const StepOutcome& outcome, const QString& done);
    // After a write of many kaleidoscopes: the collection read again with the
    // selection and sort in force, shown at the given record (else the first).
    void read_again(int shown_record);
    // A version of the shown kaleidoscope put on the form as unsaved changes.
    void show_kaleidoscope_history();

    // Once per session, where pictures of the collection are missing, offers
    // to look for them; true when the search ran.
    bool offer_missing_pictures_search();
    void find_missing_pictures();
    // After Find missing pictures wrote the collection: the record shown again.
    void pictures_stored();
    // Change a field...: one field of the working set's kaleidoscopes, or of a group.
    void change_field();

    // Before a step that uses positions: the collection read again when
    // another program changed it (OtherWriters::catch_up).
    bool catch_up();
    void make_read_only() override;

    Session session_;
    QPointer<QWidget> startup;  // the start-up window given as parent
    RecordFormWidget* form_ = nullptr;
    PictureStrip* strip_ = nullptr;
    EditorCommands* commands_ = nullptr;  // the command strip and the menus
    RecordSearch* search_ = nullptr;
    OtherWriters* writers_ = nullptr;
    ChangeRecorder* recorder_ = nullptr;      // the collection's history of this window's writes
    QPointer<CollectionListDock> list_dock_;  // made on first use; gone with its window
    bool loaded = false;
    bool closing_ = false;
    bool measured_ = false;  // the shown window's size has been measured
    bool missing_pictures_offered_ = false;
};

}  // namespace tessaran
