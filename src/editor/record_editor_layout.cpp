// Building the editor's window from its parts, connecting its commands, its
// size on the screen, and painting it from the colour scheme.
#include "editor_commands.h"
#include "picture_strip.h"
#include "record_editor.h"
#include "record_form_widget.h"
#include "record_search.h"
#include "report_commands.h"
#include "saved_selection_commands.h"

#include "appearance/scheme_paint.h"
#include "core/editor_fields.h"
#include "core/locale_dates.h"
#include "core/session.h"
#include "core/vocabularies.h"
#include "help/about_box.h"
#include "help/help.h"
#include "ui/accessible_names.h"
#include "ui/command_button.h"
#include "ui/logo.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace tessaran {

void RecordEditor::build_controls()
{
    // On a screen smaller than the editor's least size the fields scroll
    // instead of running off the edge; the command strip below them stays in
    // view, so every command is in reach whatever the screen.
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("frm_kaleido_body"));
    auto* scroll = new QScrollArea(body);
    scroll->setObjectName(QStringLiteral("frm_kaleido_scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // Only a frame around the fields: Tab goes to the fields, never to it.
    scroll->setFocusPolicy(Qt::NoFocus);
    form_ = new RecordFormWidget(scroll);
    form_->setObjectName(QStringLiteral("frm_kaleido_client"));
    scroll->setWidget(form_);
    setCentralWidget(body);

    strip_ = new PictureStrip(session_.path(), form_);
    auto* logo = new LogoLabel(96, form_);
    connect(logo, &LogoLabel::clicked, this, [this] { AboutBox(this).exec(); });
    form_->set_bottom_row(strip_, logo);

    commands_ = new EditorCommands(body, menuBar());
    attach_saved_selections_menu(*this, menuBar()->findChild<QMenu*>(QStringLiteral("mnu_search")));
    search_ = new RecordSearch(session_, *this, this);
    writers_ = new OtherWriters(session_, *this, *search_, this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(scroll, 1);
    column->addWidget(commands_);
}

void RecordEditor::connect_commands()
{
    connect(commands_, &EditorCommands::triggered, this, &RecordEditor::run_command);
    // Commands that change the collection, which a read-only window refuses.
    const auto writing = [this](QPushButton* b, const std::function<void()>& handler) {
        connect(b, &QPushButton::clicked, this, [this, handler] {
            if (!writers_->refused_read_only())
                handler();
        });
    };
    writing(strip_->add_button(), [this] { strip_->add_picture(); });
    writing(strip_->remove_button(), [this] { strip_->remove_picture(); });
    connect(strip_->show_all_button(), &QPushButton::clicked, strip_, &PictureStrip::show_all_pictures);
    connect(strip_->close_all_button(), &QPushButton::clicked, strip_, &PictureStrip::close_all_pictures);
    connect(strip_, &PictureStrip::picture_chosen, strip_, &PictureStrip::open_picture);
    strip_->set_scope_name([this] { return form_->line(m_scopename)->text(); });
    strip_->set_missing_search([this] { return offer_missing_pictures_search(); });
    connect(strip_, &PictureStrip::viewer_closed, this, [this] {
        if (!closing_ && isVisible())
            activateWindow();
    });

    connect(commands_, &EditorCommands::criteria_asked, this, [this](Command c) {
        if (c == Command::select)
            search_->show_selection_criteria();
        else
            search_->show_find_criteria(false);
    });
}

void RecordEditor::run_command(Command c)
{
    if (command_writes(c) && writers_->refused_read_only())
        return;
    // The summaries, the statistics, the web catalogue, the inventory and the
    // duplicates read the working set as the last selection left it;
    // searching and printing leave the record shown, whose edits are settled first.
    const bool reads_working_set = c == Command::summary || c == Command::statistics || c == Command::web_catalogue
        || c == Command::inventory || c == Command::duplicates;
    const bool leaves_record = c == Command::select || c == Command::sort || c == Command::find
        || c == Command::find_next || c == Command::print_sheets;
    if ((reads_working_set && !working_set_ready()) || (leaves_record && !settle_edits())
        || run_report_command(c, session_, this, [this](int p) { show_listed(p); }))
        return;
    switch (c) {
    case Command::add: return add_record();
    case Command::save: store_record(true); return;
    case Command::remove: return delete_record();
    case Command::clear: return clear_fields();
    case Command::undo: return take_back_change(false);
    case Command::redo: return take_back_change(true);
    case Command::history: return show_kaleidoscope_history();
    case Command::deleted: return restore_deleted_kaleidoscope();
    case Command::close: close(); return;
    case Command::first: return show_step(Step::first);
    case Command::previous: return show_step(Step::previous);
    case Command::next: return show_step(Step::next);
    case Command::last: return show_step(Step::last);
    case Command::find: return search_->find(FindMode::ask_criteria);
    case Command::find_next: return search_->find(FindMode::next);
    case Command::find_criteria: return search_->show_find_criteria(true);
    case Command::select: search_->select(true); return;
    case Command::selection_criteria: return search_->show_selection_criteria();
    case Command::sort: return search_->sort();
    case Command::list: return show_collection_list();
    case Command::import: return import_records();
    case Command::missing_pictures: return find_missing_pictures();
    case Command::change_field: return change_field();
    case Command::help: return show_help(this);
    case Command::about: AboutBox(this).exec(); return;
    default: return;  // the reports, run above
    }
}

void RecordEditor::size_window()
{
    ensurePolished();
    QWidget* client = findChild<QWidget*>(QStringLiteral("frm_kaleido_client"));
    // Inner layouts first: the control strip takes its buttons' size only when
    // its own layout has run, and the outer layout builds on that.
    const QList<QWidget*> inner = centralWidget()->findChildren<QWidget*>();
    for (auto it = inner.crbegin(); it != inner.crend(); ++it) {
        if ((*it)->layout())
            (*it)->layout()->activate();
    }
    client->layout()->activate();
    // The fields above the command strip, under the menu bar.
    const int menu_height = menuBar() ? menuBar()->sizeHint().height() : 0;
    const QSize strip = commands_->sizeHint();
    const QSize around(0, menu_height + strip.height());
    QSize want = client->sizeHint().expandedTo(QSize(strip.width(), 0)) + around;
    // Below what the fields need they scroll; the strip never does.
    QSize least = client->minimumSizeHint().expandedTo(QSize(commands_->minimumSizeHint().width(), 0)) + around;
    want = fitted_to_screen(want, this);
    least = fitted_to_screen(least, this);
    setMinimumSize(least);
    resize(want.expandedTo(least));
}

void RecordEditor::apply_colors()
{
    paint_background(this, scheme_color(color_form_background));
    // The menu bar takes the form background too; its titles must stay readable.
    paint_background(menuBar(), scheme_color(color_form_background));
    form_->apply_colors();
    strip_->apply_colors();
    commands_->apply_colors();
}

void RecordEditor::restore_colors()
{
    form_->restore_colors();
}

}  // namespace tessaran
