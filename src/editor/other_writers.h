// Living beside other writers: the read-only window, the claim to be the
// collection's one writer, and reading the collection again after another
// program changed it, so that no write ever lands on a record this window
// did not read.
#pragma once

#include "core/record_form.h"

#include <QObject>

class QWidget;

namespace tessaran {

class RecordSearch;
class Session;

class OtherWriters : public QObject {
    Q_OBJECT
public:
    // What reading the collection again needs of the editor that owns it.
    class Host {
    public:
        virtual bool show_position(int p) = 0;
        virtual bool adding() const = 0;
        // The form's values (pictures too), and back.
        virtual RecordForm form_values() const = 0;
        virtual void set_form_values(const RecordForm& form) = 0;
        virtual int count_changes(int pos) = 0;
        virtual bool store_record(bool confirm) = 0;
        virtual void add_record() = 0;
        virtual void start_empty() = 0;
        virtual void restore_colors() = 0;
        virtual void refresh_caption() = 0;
        // The window has turned read-only: its fields can no longer change.
        virtual void make_read_only() = 0;

    protected:
        ~Host() = default;
    };

    OtherWriters(Session& session, Host& host, RecordSearch& search, QWidget* window);

    // A read-only window refuses every write with the reason; true when it did.
    // A window whose collection was replaced first claims the new file.
    bool refused_read_only();
    // Before every write, and as soon as another program is seen to have put
    // a new file at the collection's path: the claim moves to that file. When
    // another window claimed it first, this one turns read-only and says so
    // (edits stay on screen); false then.
    bool keep_write_claim();
    // A watched file or folder changed: a new file at the path is claimed at
    // once (unless the window is closing), and a write by another program is
    // noted in the caption, without taking the focus.
    void notice_outside_change(bool closing);
    // Before a step that uses positions: when another program changed the
    // collection since this window last read it, reads it again (keeping any
    // edits on screen), so that no stale record number is ever used. False
    // when the record shown was changed or removed there (it is no longer shown).
    bool catch_up();
    // Tells the user that nothing was not_done ("saved", "deleted") because
    // another program changed the collection, and offers to reload keeping the edits.
    void offer_reload(const QString& not_done);

private:
    // Rebuilds the working set with the selection and sort in force and finds
    // the record shown by its stored bytes. With keep_edits the user's edits go
    // back on screen (as a new record when the one edited is gone). False
    // when the record shown is no longer in the collection as it was.
    bool reload(bool keep_edits);
    // Another program changed the kaleidoscope being edited (shown now as it
    // stored it; was: the bytes shown before): names what it changed and lets
    // the user keep that version, put the edits over it or save them as new.
    void settle_changed_elsewhere(const RecordForm& edits, const QByteArray& was);

    Session& session_;
    Host& host_;
    RecordSearch& search_;
    QWidget* window_;
};

}  // namespace tessaran
