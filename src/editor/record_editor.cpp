#include "record_editor.h"
#include "appearance/color_settings.h"
#include "editor_commands.h"
#include "picture_strip.h"
#include "record_form_widget.h"

#include "change_recorder.h"
#include "collection_list_dock.h"
#include "collection_watch.h"
#include "core/record_file.h"
#include "core/session.h"
#include "core/working_set.h"
#include "ui/menu_state.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace tessaran {

// The editor is not a Qt child of the start-up window: disabling a widget
// disables its child windows too, and the start-up window is disabled while the
// editor is open. The editor goes when the start-up window goes.
RecordEditor::RecordEditor(Session session, QWidget* parent)
    : QMainWindow(nullptr), session_(std::move(session)), startup(parent)
{
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("frm_kaleido"));
    build_controls();
    connect_commands();
    prepare();
}

RecordEditor::~RecordEditor()
{
    // No leave-field check may run while the controls go away.
    closing_ = true;
    loaded = false;
    form_->set_checks_active(false);
    // The docked list hides as the window goes: nothing is to be given back.
    if (list_dock_)
        list_dock_->disconnect(this);
}

void RecordEditor::prepare()
{
    if (startup)
        startup->setEnabled(false);

    // The labels of the locale in force when the editor opens.
    session_.set_locale(current_locale_labels());
    form_->set_locale_tips(session_.locale());
    size_window();
    centre_on_screen(this);

    refresh_caption();

    if (session_.record_count() > 0)
        show_position(1);
    else
        start_empty();

    measure_inner_area();

    const QString color_path = color_file_path();
    if (!is_existing_file(color_path)) {
        msgbox(this, QStringLiteral("Color configuration file ") + color_path + QStringLiteral(" not found!"),
               MsgIcon::critical, MsgButtons::ok);
    } else {
        QString error;
        if (!load_colors(&error))
            msgbox(this,
                   QStringLiteral("Color configuration file ") + color_path + QStringLiteral(" could not be read: ")
                       + error,
                   MsgIcon::critical, MsgButtons::ok);
    }
    apply_colors();

    session_.ws().forget_find();
    recorder_ = new ChangeRecorder(session_.path(), this);
    recorder_->follow_with(commands_->action(Command::undo), commands_->action(Command::redo));
    if (session_.read_only())
        form_->set_read_only();
    recorder_->open_as(session_.read_only());
    connect(new CollectionWatch(session_.path(), this), &CollectionWatch::touched, this,
            [this] { writers_->notice_outside_change(closing_); });
    loaded = true;
    form_->set_checks_active(true);
}

void RecordEditor::measure_inner_area()
{
    const int menu_height = menuBar() ? menuBar()->sizeHint().height() : 0;
    strip_->set_largest_picture(
        QSize(int(px_to_twips(width()) * 0.6 + 0.5), int(px_to_twips(height() - menu_height) * 0.6 + 0.5)));
}

void RecordEditor::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (measured_)
        return;
    // Only a shown window has its final size (the window system may still
    // adjust it): the picture limits and the centring use that size.
    measured_ = true;
    measure_inner_area();
    centre_on_screen(this);
}

// ---- Showing and clearing --------------------------------------------------

void RecordEditor::refresh_caption()
{
    const QString caption = session_.caption();
    if (caption != windowTitle()) {
        setWindowTitle(caption);
        // A screen reader says the window's new name: moving between records
        // is heard ("[Record 3 of 46]").
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
    emit session_changed(session_);
}

bool RecordEditor::adding() const
{
    return session_.ws().position() > session_.ws().count() || session_.ws().position() > session_.record_count();
}

bool RecordEditor::show_position(int numr)
{
    Session& s = session_;
    if (numr < 1 || numr > s.ws().count() || numr >= int(s.ws().records().size()))
        return false;
    const FileStatus st = s.read_shown(s.ws().records()[std::size_t(numr)]);
    if (!st) {
        msgbox(this,
               QStringLiteral("Kaleidoscope number ") + QString::number(numr)
                   + QStringLiteral(" could not be read from the database:\n") + st.error,
               MsgIcon::critical, MsgButtons::ok);
        return false;
    }
    s.ws().move_to(numr);
    refresh_caption();
    search_->note_shown(numr);

    const ScopeRecord& r = s.record();
    form_->show_record(r);

    strip_->set_pictures(PictureList::of_record(r));
    return true;
}

void RecordEditor::clear_form()
{
    form_->clear();
    strip_->set_pictures(PictureList());
}

// ---- New record, empty database, clear, close --------------------------------

void RecordEditor::refuse_full_database()
{
    msgbox(this,
           QStringLiteral("The database already holds %1 kaleidoscopes, the most it can hold. "
                          "No further kaleidoscope can be added.")
               .arg(max_record_count),
           MsgIcon::exclamation, MsgButtons::ok);
}

void RecordEditor::add_record()
{
    Session& s = session_;
    if (s.record_count() > 0 && !settle_edits())
        return;
    if (session_.refresh_record_count() >= max_record_count) {
        refuse_full_database();
        return;
    }
    clear_form();
    // A record the program creates carries zero bytes in the unused slot 0.
    s.start_new_record();
    if (s.record_count() > 0) {
        session_.refresh_record_count();
        session_.ws().reset_to_all(session_.record_count());
        s.ws().mark_unsorted();
    }
    const int new_record_number = s.record_count() + 1;
    session_.ws().reserve_new(new_record_number);
    refresh_caption();
    restore_colors();
    if (loaded)
        form_->line(m_scopename)->setFocus();
}

void RecordEditor::start_empty()
{
    commands_->enable_all(false);
    for (const Command c : {Command::save, Command::clear, Command::close})
        commands_->button(c)->setEnabled(true);
    for (QPushButton* b :
         {strip_->add_button(), strip_->remove_button(), strip_->show_all_button(), strip_->close_all_button()})
        b->setEnabled(true);
    add_record();
}

void RecordEditor::enable_all_commands()
{
    commands_->enable_all(true);
    strip_->set_pictures(strip_->pictures());  // the picture commands enabled as the pictures allow
}

void RecordEditor::clear_fields()
{
    if (msgbox(this, QStringLiteral("Do you really want to clear data for this kaleidoscope?"), MsgIcon::exclamation,
               MsgButtons::yes_no, QStringLiteral("Clear MS"))
        == MsgAnswer::no)
        return;
    clear_form();
    form_->line(m_scopename)->setFocus();
}

void RecordEditor::closeEvent(QCloseEvent* event)
{
    if (!settle_edits()) {
        event->ignore();
        return;
    }
    closing_ = true;
    form_->set_checks_active(false);
    strip_->close_all_viewers();
    show_startup_menus();
    if (startup) {
        startup->setEnabled(true);
        startup->update();
    }
    event->accept();
}

bool RecordEditor::catch_up()
{
    if (!loaded)
        return true;
    // What another program wrote goes into the history as a change made elsewhere.
    const bool changed_elsewhere = session_.needs_catch_up();
    const bool caught_up = writers_->catch_up();
    // A read-only window reads again what the writing window may have begun.
    if (changed_elsewhere)
        recorder_->open_as(session_.read_only());
    return caught_up;
}

void RecordEditor::make_read_only()
{
    form_->set_read_only();
    // Undo belongs to the window that writes now.
    if (recorder_)
        recorder_->open_for_reading();
}

// ---- Navigation ------------------------------------------------------------

void RecordEditor::show_step(Step step)
{
    if (!catch_up())
        return;
    const WorkingSet& ws = session_.ws();
    const int target = step == Step::first ? 1
        : step == Step::last               ? ws.count()
                                           : ws.position() + (step == Step::next ? 1 : -1);
    // At either end nothing is shown anew, so nothing needs settling. A move
    // that is refused (a save that failed its checks) leaves the focus where
    // the refusal put it.
    if (target >= 1 && target <= ws.count()) {
        if (!settle_edits())
            return;
        show_position(target);
    }
    form_->line(m_scopename)->setFocus();
}

// ---- The collection list -------------------------------------------------

void RecordEditor::show_collection_list()
{
    if (!list_dock_) {
        list_dock_ = new CollectionListDock(this);
        connect(list_dock_, &CollectionListDock::position_chosen, this, &RecordEditor::show_listed);
        connect(list_dock_, &CollectionListDock::group_chosen, this, [this](const Criteria& c) {
            if (settle_edits())
                select_by(c);
        });
        connect(this, &RecordEditor::session_changed, list_dock_, &CollectionListDock::follow);
    }
    list_dock_->open(session_);
}

void RecordEditor::show_listed(int position)
{
    // The list was read before another program changed the collection: it
    // reads the collection again with the editor, and the user chooses anew.
    if (session_.changed_elsewhere() || session_.file_changed_since_noted()) {
        catch_up();
        return;
    }
    if (position < 1 || position > session_.ws().count() || !settle_edits())
        return;
    show_position(position);
    raise();
    activateWindow();
}

}  // namespace tessaran
