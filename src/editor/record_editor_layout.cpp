// Building the editor's controls, menu and layout. The frames keep the order and
// gaps of the design: 100 twips at the edges, 45 between a label and its field
// and between fields, 200 between two columns of label-and-field pairs.
#include "picture_strip.h"
#include "record_editor.h"
#include "record_form_widget.h"

#include "core/editor_fields.h"
#include "core/locale_dates.h"
#include "core/session.h"
#include "core/vocabularies.h"
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

namespace {

constexpr int edge_gap = 7;     // 100 twips
constexpr int field_gap = 3;    // 45 twips
constexpr int column_gap = 13;  // 200 twips

QAction* make_action(QMenu* menu, const char* name, const QString& caption)
{
    auto* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

}  // namespace

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

    strip_ = new PictureStrip(form_);
    // The logo opens the about box.
    img_logo = new QLabel(form_);
    img_logo->setObjectName(QStringLiteral("img_logo"));
    img_logo->setPixmap(kaleidoscope_logo(96));
    img_logo->setAlignment(Qt::AlignCenter);
    img_logo->setToolTip(tr("About TESSARAN V"));
    img_logo->setCursor(Qt::PointingHandCursor);
    img_logo->setAccessibleName(QStringLiteral("TESSARAN V logo"));
    img_logo->setAccessibleDescription(
        QStringLiteral("The program's logo, a kaleidoscope image; a click shows About TESSARAN V"));
    form_->set_bottom_row(strip_, img_logo);

    build_command_strip(body);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(scroll, 1);
    column->addWidget(lbl_controlbck);
}

void RecordEditor::build_command_strip(QWidget* client)
{
    // The control strip with navigation and commands.
    lbl_controlbck = new QLabel(client);
    lbl_controlbck->setObjectName(QStringLiteral("lbl_controlbck"));
    QWidget* cs = lbl_controlbck;
    cmd_begscope
        = command_button(cs, "cmd_begscope", QStringLiteral("|<"), QStringLiteral("First kaleidoscope in database"));
    cmd_prev = command_button(cs, "cmd_prev", QStringLiteral("<"), QStringLiteral("Previous kaleidoscope in database"));
    cmd_next = command_button(cs, "cmd_next", QStringLiteral(">"), QStringLiteral("Next kaleidoscope in database"));
    cmd_endscope
        = command_button(cs, "cmd_endscope", QStringLiteral(">|"), QStringLiteral("Last kaleidoscope in database"));
    // The arrows are signs on screen; a screen reader says what they do.
    cmd_begscope->setAccessibleName(QStringLiteral("First kaleidoscope"));
    cmd_prev->setAccessibleName(QStringLiteral("Previous kaleidoscope"));
    cmd_next->setAccessibleName(QStringLiteral("Next kaleidoscope"));
    cmd_endscope->setAccessibleName(QStringLiteral("Last kaleidoscope"));
    cmd_new = command_button(cs, "cmd_new", QStringLiteral("Add a New Scope"),
                             QStringLiteral("Start data for a new kaleidoscope"));
    cmd_save = command_button(cs, "cmd_save", QStringLiteral("Save Scope Data"),
                              QStringLiteral("Save displayed kaleidoscope data in database"));
    cmd_del = command_button(cs, "cmd_del", QStringLiteral("Delete this Scope"),
                             QStringLiteral("Delete this kaleidoscope from the database"));
    cmd_clear = command_button(cs, "cmd_clear", QStringLiteral("Clear Scope Data"),
                               QStringLiteral("Clear all fields in current display"));
    cmd_find = command_button(cs, "cmd_find", QStringLiteral("Find"), QString());
    cmd_findnxt = command_button(cs, "cmd_findnxt", QStringLiteral("FindNext"), QString());
    cmd_select = command_button(cs, "cmd_select", QStringLiteral("Select"), QString());
    cmd_sort = command_button(cs, "cmd_sort", QStringLiteral("Sort"),
                              QStringLiteral("Sort the current record database using a specified criteria"));
    cmd_close = command_button(cs, "cmd_close", QStringLiteral("Close"), QStringLiteral("Close this form"));
    {
        auto* h = new QHBoxLayout(cs);
        // A label sizes itself by its text; the strip must take its buttons' size.
        h->setSizeConstraint(QLayout::SetMinimumSize);
        h->setContentsMargins(edge_gap, edge_gap, edge_gap, edge_gap);
        h->setSpacing(field_gap);
        // The command buttons may narrow to their captions, so the strip fits a
        // 1024-pixel screen; they keep their usual width where there is room.
        for (QPushButton* b :
             {cmd_new, cmd_save, cmd_del, cmd_clear, cmd_find, cmd_findnxt, cmd_select, cmd_sort, cmd_close})
            b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 2 * edge_gap);
        for (QPushButton* b : {cmd_begscope, cmd_prev, cmd_next, cmd_endscope}) {
            b->setFixedWidth(twips_to_px(500));
            h->addWidget(b);
        }
        h->addSpacing(column_gap);
        for (QPushButton* b : {cmd_new, cmd_save, cmd_del, cmd_clear})
            h->addWidget(b);
        h->addSpacing(column_gap);
        for (QPushButton* b : {cmd_find, cmd_findnxt, cmd_select, cmd_sort})
            h->addWidget(b);
        h->addStretch(1);
        h->addWidget(cmd_close);
    }
}

void RecordEditor::build_menu()
{
    QMenuBar* bar = menuBar();
    mnu_kaleido = bar->addMenu(QStringLiteral("&Kaleidoscope data"));
    mnu_kaleido->setObjectName(QStringLiteral("mnu_kaleido"));
    mnu_add = make_action(mnu_kaleido, "mnu_add", QStringLiteral("&Add a new kaleidoscope"));
    mnu_save = make_action(mnu_kaleido, "mnu_save", QStringLiteral("&Save current kaleidoscope data"));
    mnu_delete = make_action(mnu_kaleido, "mnu_delete", QStringLiteral("&Delete this kaleidoscope record"));
    mnu_clear = make_action(mnu_kaleido, "mnu_clear", QStringLiteral("C&lear kaleidoscope form"));
    mnu_kaleido->addSeparator()->setObjectName(QStringLiteral("sep1"));
    mnu_summary = make_action(mnu_kaleido, "mnu_summary", QStringLiteral("Kaleidoscope s&ummaries"));
    mnu_stats = make_action(mnu_kaleido, "mnu_stats", QStringLiteral("Collection s&tatistics..."));
    mnu_list = make_action(mnu_kaleido, "mnu_list", QStringLiteral("C&ollection list"));
    mnu_kaleido->addSeparator()->setObjectName(QStringLiteral("sep2"));
    mnu_printforms = make_action(mnu_kaleido, "mnu_printforms", QStringLiteral("Print kaleidoscope data forms"));
    mnu_import = make_action(mnu_kaleido, "mnu_import", QStringLiteral("&Import kaleidoscopes..."));
    mnu_web = make_action(mnu_kaleido, "mnu_web", QStringLiteral("Export &web catalogue..."));
    mnu_missing_pictures
        = make_action(mnu_kaleido, "mnu_missing_pictures", QStringLiteral("Find &missing pictures..."));
    mnu_kaleido->addSeparator()->setObjectName(QStringLiteral("sep4"));
    mnu_close = make_action(mnu_kaleido, "mnu_close", QStringLiteral("&Close"));

    mnu_search = bar->addMenu(QStringLiteral("&Search"));
    mnu_search->setObjectName(QStringLiteral("mnu_search"));
    mnu_next = make_action(mnu_search, "mnu_next", QStringLiteral("&Next kaleidoscope"));
    mnu_prev = make_action(mnu_search, "mnu_prev", QStringLiteral("&Previous kaleidoscope"));
    mnu_first = make_action(mnu_search, "mnu_first", QStringLiteral("&First kaleidoscope"));
    mnu_last = make_action(mnu_search, "mnu_last", QStringLiteral("&Last kaleidoscope"));
    mnu_search->addSeparator()->setObjectName(QStringLiteral("sep3"));
    mnu_find = make_action(mnu_search, "mnu_find", QStringLiteral("&Find"));
    mnu_findnxt = make_action(mnu_search, "mnu_findnxt", QStringLiteral("&Find next"));
    mnu_findcrit = make_action(mnu_search, "mnu_findcrit", QStringLiteral("Find &criteria..."));

    mnu_tools = bar->addMenu(QStringLiteral("&Tools"));
    mnu_tools->setObjectName(QStringLiteral("mnu_tools"));
    mnu_select = make_action(mnu_tools, "mnu_select", QStringLiteral("Select &records"));
    mnu_sort = make_action(mnu_tools, "mnu_sort", QStringLiteral("S&ort records"));
    mnu_selcrit = make_action(mnu_tools, "mnu_selcrit", QStringLiteral("Selection &criteria..."));

    mnu_help = bar->addMenu(QStringLiteral("&Help"));
    mnu_help->setObjectName(QStringLiteral("mnu_help"));
    mnu_helptopics = make_action(mnu_help, "mnu_helptopics", QStringLiteral("&Help topics"));
    mnu_about = make_action(mnu_help, "mnu_about", QStringLiteral("&About"));

    // Shortcuts, shown in the menus. Walking the records takes Alt with the
    // keys that move inside a field, so editing a field keeps them.
    mnu_save->setShortcut(QKeySequence::Save);
    mnu_add->setShortcut(QKeySequence::New);
    mnu_find->setShortcut(QKeySequence::Find);
    mnu_findnxt->setShortcut(QKeySequence(Qt::Key_F3));
    mnu_printforms->setShortcut(QKeySequence::Print);
    mnu_close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    mnu_list->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    mnu_helptopics->setShortcut(QKeySequence::HelpContents);
    mnu_first->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    mnu_prev->setShortcut(QKeySequence(Qt::ALT | Qt::Key_PageUp));
    mnu_next->setShortcut(QKeySequence(Qt::ALT | Qt::Key_PageDown));
    mnu_last->setShortcut(QKeySequence(Qt::ALT | Qt::Key_End));
}

void RecordEditor::connect_commands()
{
    // Queued-free direct connections: a button and its menu item run one routine.
    const auto on = [this](auto* sender, auto signal, void (RecordEditor::*handler)()) {
        connect(sender, signal, this, [this, handler] { (this->*handler)(); });
    };
    const auto both = [&](QPushButton* b, QAction* a, void (RecordEditor::*handler)()) {
        if (b)
            on(b, &QPushButton::clicked, handler);
        if (a)
            on(a, &QAction::triggered, handler);
    };
    // Commands that change the collection, which a read-only window refuses.
    const auto writing = [&](QPushButton* b, QAction* a, void (RecordEditor::*handler)()) {
        const auto run = [this, handler] {
            if (!refused_read_only())
                (this->*handler)();
        };
        if (b)
            connect(b, &QPushButton::clicked, this, run);
        if (a)
            connect(a, &QAction::triggered, this, run);
    };
    writing(cmd_new, mnu_add, &RecordEditor::add_record);
    both(cmd_save, mnu_save, &RecordEditor::save_record);
    writing(cmd_del, mnu_delete, &RecordEditor::delete_record);
    writing(cmd_clear, mnu_clear, &RecordEditor::clear_fields);
    both(cmd_close, mnu_close, &RecordEditor::close_window);
    both(cmd_begscope, mnu_first, &RecordEditor::show_first);
    both(cmd_prev, mnu_prev, &RecordEditor::show_previous);
    both(cmd_next, mnu_next, &RecordEditor::show_next);
    both(cmd_endscope, mnu_last, &RecordEditor::show_last);
    both(cmd_find, mnu_find, &RecordEditor::find_records);
    both(cmd_findnxt, mnu_findnxt, &RecordEditor::find_next);
    both(cmd_select, mnu_select, &RecordEditor::select_records);
    both(cmd_sort, mnu_sort, &RecordEditor::sort_records);
    both(nullptr, mnu_selcrit, &RecordEditor::show_selection_criteria);
    connect(mnu_findcrit, &QAction::triggered, this, [this] {
        if (session().ws.find_text.isEmpty())
            msgbox(this, QStringLiteral("No search has been made yet, so there are no find criteria to show."),
                   MsgIcon::information);
        else
            show_find_criteria();
    });
    both(nullptr, mnu_summary, &RecordEditor::show_summary);
    both(nullptr, mnu_printforms, &RecordEditor::print_sheets);
    both(nullptr, mnu_stats, &RecordEditor::show_statistics);
    writing(nullptr, mnu_import, &RecordEditor::import_records);
    both(nullptr, mnu_list, &RecordEditor::show_collection_list);
    both(nullptr, mnu_web, &RecordEditor::export_web_catalogue);
    writing(nullptr, mnu_missing_pictures, &RecordEditor::find_missing_pictures);
    both(nullptr, mnu_helptopics, &RecordEditor::show_help);
    both(nullptr, mnu_about, &RecordEditor::show_about);
    writing(strip_->add_button(), nullptr, &RecordEditor::add_picture);
    writing(strip_->remove_button(), nullptr, &RecordEditor::remove_picture);
    both(strip_->show_all_button(), nullptr, &RecordEditor::show_all_pictures);
    both(strip_->close_all_button(), nullptr, &RecordEditor::close_all_pictures);
    connect(strip_, &PictureStrip::picture_chosen, this, &RecordEditor::open_picture);
    connect(strip_, &PictureStrip::viewer_closed, this, [this] {
        if (!closing_ && isVisible())
            activateWindow();
    });

    // Enter-as-Tab and the leave-field checks watch the fields; the right
    // button over Select/Find, the logo and the enabling of buttons are watched too.
    for (const FormFieldSpec& spec : form_fields()) {
        QWidget* field = form_->field(spec.member);
        field->installEventFilter(this);
        if (auto* combo = qobject_cast<QComboBox*>(field))
            combo->lineEdit()->installEventFilter(this);
    }
    for (QWidget* w :
         {static_cast<QWidget*>(cmd_select), static_cast<QWidget*>(cmd_find), static_cast<QWidget*>(img_logo)})
        w->installEventFilter(this);
    for (QPushButton* b : {cmd_new, cmd_save, cmd_del, cmd_clear, cmd_close, cmd_begscope, cmd_prev, cmd_next,
                           cmd_endscope, cmd_findnxt, cmd_sort})
        b->installEventFilter(this);
}

void RecordEditor::set_locale_tooltips()
{
    // The labels of the locale in force when the editor opens.
    session_.locale = current_locale_labels();
    const Session& s = session();
    form_->label(m_date_bought)
        ->setToolTip(QStringLiteral("Date kaleidoscope was purchased (") + s.locale.date_format + QStringLiteral(")"));
    form_->label(m_price_paid)
        ->setToolTip(with_unit(QStringLiteral("Price paid for kaleidoscope"), s.locale.currency_symbol));
    form_->label(m_price_retail)
        ->setToolTip(with_unit(QStringLiteral("Retail price of kaleidoscope"), s.locale.currency_symbol));
    cmd_find->setToolTip(QStringLiteral("Search kaleidoscopes using specified criteria. ")
                         + QStringLiteral("Right click to see current find criteria."));
    cmd_findnxt->setToolTip(QStringLiteral("Search according to previously specified criteria"));
    cmd_select->setToolTip(QStringLiteral("Select a subset of the database using specified criteria. ")
                           + QStringLiteral("Right click to see current selection criteria."));
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
    const QSize strip = lbl_controlbck->sizeHint();
    const QSize around(0, menu_height + strip.height());
    QSize want = client->sizeHint().expandedTo(QSize(strip.width(), 0)) + around;
    // Below what the fields need they scroll; the strip never does.
    QSize least = client->minimumSizeHint().expandedTo(QSize(lbl_controlbck->minimumSizeHint().width(), 0)) + around;
    const QSize room = work_area(this).size() - frame_allowance;
    want = want.boundedTo(room);
    least = least.boundedTo(room);
    setMinimumSize(least);
    resize(want.expandedTo(least));
}

}  // namespace tessaran
