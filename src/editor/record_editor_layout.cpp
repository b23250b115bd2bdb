// Building the editor's controls, menu and layout. The frames keep the order and
// gaps of the design: 100 twips at the edges, 45 between a label and its field
// and between fields, 200 between two columns of label-and-field pairs.
#include "limited_text_edit.h"
#include "record_editor.h"

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
constexpr int multiline_limit = 500;

QLabel* make_label(QWidget* parent, const char* name, const QString& caption, const QString& tip)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setToolTip(tip);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLineEdit* make_line(QWidget* parent, const char* name, int limit)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (limit > 0)
        e->setMaxLength(limit);
    return e;
}

QComboBox* make_combo(QWidget* parent, const char* name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    // The lists are suggestions: typed text stays exactly as typed and never
    // joins the list.
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(12);
    c->lineEdit()->setObjectName(QString::fromLatin1(name) + QStringLiteral("_edit"));
    return c;
}

LimitedTextEdit* make_text(QWidget* parent, const char* name)
{
    auto* t = new LimitedTextEdit(multiline_limit, parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setTabChangesFocus(true);
    t->setMinimumHeight(52);
    return t;
}

QGroupBox* make_frame(QWidget* parent, const char* name, const QString& title)
{
    auto* f = new QGroupBox(title, parent);
    f->setObjectName(QString::fromLatin1(name));
    // Named by its own title: a frame inside another would otherwise be
    // announced by the outer frame's ("Purchase information" for the place of
    // purchase).
    f->setAccessibleName(spoken_caption(title));
    return f;
}

QGridLayout* frame_grid(QGroupBox* frame)
{
    auto* g = new QGridLayout(frame);
    g->setContentsMargins(edge_gap, edge_gap, edge_gap, edge_gap);
    g->setHorizontalSpacing(field_gap);
    g->setVerticalSpacing(field_gap);
    return g;
}

void add_row(QGridLayout* g, int row, int column, QLabel* label, QWidget* field)
{
    g->addWidget(label, row, column);
    g->addWidget(field, row, column + 1);
    name_by_caption(label, field);
}

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
    auto* client = new QWidget(scroll);
    client->setObjectName(QStringLiteral("frm_kaleido_client"));
    scroll->setWidget(client);
    setCentralWidget(body);

    build_parameters_frame(client);
    build_purchase_frame(client);
    build_characteristics_frame(client);
    build_pictures_frame(client);
    // The logo opens the about box.
    img_logo = new QLabel(client);
    img_logo->setObjectName(QStringLiteral("img_logo"));
    img_logo->setPixmap(kaleidoscope_logo(96));
    img_logo->setAlignment(Qt::AlignCenter);
    img_logo->setToolTip(tr("About TESSARAN V"));
    img_logo->setCursor(Qt::PointingHandCursor);
    img_logo->setAccessibleName(QStringLiteral("TESSARAN V logo"));
    img_logo->setAccessibleDescription(
        QStringLiteral("The program's logo, a kaleidoscope image; a click shows About TESSARAN V"));

    build_command_strip(body);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(scroll, 1);
    column->addWidget(lbl_controlbck);

    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(edge_gap, edge_gap, edge_gap, edge_gap);
    grid->setHorizontalSpacing(edge_gap);
    grid->setVerticalSpacing(edge_gap);
    grid->addWidget(frame_params, 0, 0);
    grid->addWidget(frame_characteristics, 1, 0);
    grid->addWidget(frame_images, 2, 0);
    grid->addWidget(frame_purchase, 0, 1, 2, 1);
    grid->addWidget(img_logo, 2, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    // Tab order follows the record's member order.
    const QList<QWidget*> order
        = {tb_scopename,   tb_artist,    tb_studio,      tb_date_bought,  tb_price_paid, tb_price_retail,
           tb_salesperson, tb_store,     tb_street,      tb_city,         tb_state,      tb_zip,
           tb_country,     tb_phone,     tb_fax,         tb_email,        tb_www,        combo_scopetype,
           combo_extmat,   tb_extclr,    combo_celltype, combo_objects,   combo_mirrors, tb_scopeyear,
           combo_edition,  combo_signed, combo_symmetry, tb_specfeatures, tb_comments};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void RecordEditor::build_parameters_frame(QWidget* client)
{
    // Kaleidoscope parameters
    frame_params = make_frame(client, "frame_params", tr("Kaleidoscope parameters"));
    tb_scopename = make_line(frame_params, "tb_scopename", 50);
    tb_artist = make_line(frame_params, "tb_artist", 50);
    tb_studio = make_line(frame_params, "tb_studio", 50);
    lbl_scopename = make_label(frame_params, "lbl_scopename", QStringLiteral("Scope Name"),
                               QStringLiteral("Name of kaleidoscope"));
    lbl_artist = make_label(frame_params, "lbl_artist", QStringLiteral("Artist\n(Last,First)"),
                            QStringLiteral("Name of scope artist (last, first)"));
    lbl_studio = make_label(frame_params, "lbl_studio", QStringLiteral("Studio"),
                            QStringLiteral("Studio/company name of kaleidoscope artist"));
    {
        auto* g = frame_grid(frame_params);
        add_row(g, 0, 0, lbl_scopename, tb_scopename);
        add_row(g, 1, 0, lbl_artist, tb_artist);
        add_row(g, 2, 0, lbl_studio, tb_studio);
        g->setColumnStretch(1, 1);
    }
}

void RecordEditor::build_purchase_frame(QWidget* client)
{
    // Purchase information, with the place of purchase inside it
    frame_purchase = make_frame(client, "frame_purchase", tr("Purchase information"));
    // Room for a date typed with a time of day ("12/14/2001 10:30 PM"); the time
    // is dropped and the short date, at most 15 characters, is what is stored.
    tb_date_bought = make_line(frame_purchase, "tb_date_bought", typed_date_length);
    tb_price_paid = make_line(frame_purchase, "tb_price_paid", 0);
    tb_price_retail = make_line(frame_purchase, "tb_price_retail", 0);
    lbl_date_bought = make_label(frame_purchase, "lbl_date_bought", QStringLiteral("Date of purchase"), QString());
    lbl_price_paid = make_label(frame_purchase, "lbl_price_paid", QStringLiteral("Purchase price"), QString());
    lbl_price_retail = make_label(frame_purchase, "lbl_price_retail", QStringLiteral("Retail price"), QString());

    build_store_frame();
    {
        auto* g = frame_grid(frame_purchase);
        add_row(g, 0, 0, lbl_date_bought, tb_date_bought);
        add_row(g, 1, 0, lbl_price_paid, tb_price_paid);
        add_row(g, 2, 0, lbl_price_retail, tb_price_retail);
        g->addWidget(frame_store, 3, 0, 1, 2);
        g->setColumnStretch(1, 1);
        g->setRowStretch(4, 1);
    }
}

void RecordEditor::build_store_frame()
{
    frame_store = make_frame(frame_purchase, "frame_store", tr("Place of purchase"));
    struct StoreField {
        QLineEdit** field;
        QLabel** label;
        const char* tb;
        const char* lbl;
        const char* caption;
        const char* tip;
        int limit;
    };
    const StoreField store_fields[] = {
        {&tb_salesperson, &lbl_salesperson, "tb_salesperson", "lbl_salesperson", "Salesperson",
         "Salesperson from whom the kaleidoscope was purchased", 40},
        {&tb_store, &lbl_store, "tb_store", "lbl_store", "Store/Gallery",
         "Store or gallery from which kaleidoscope was purchased", 50},
        {&tb_street, &lbl_street, "tb_street", "lbl_street", "Street address", "Street address of store/gallery", 50},
        {&tb_city, &lbl_city, "tb_city", "lbl_city", "City", "City of store/gallery", 50},
        {&tb_state, &lbl_state, "tb_state", "lbl_state", "State", "State of store/gallery", 20},
        {&tb_zip, &lbl_zip, "tb_zip", "lbl_zip", "Zip code", "Zip code of store/gallery", 10},
        {&tb_country, &lbl_country, "tb_country", "lbl_country", "Country", "Country of store/gallery", 40},
        {&tb_phone, &lbl_phone, "tb_phone", "lbl_phone", "Phone", "Telephone number of store/gallery", 20},
        {&tb_fax, &lbl_fax, "tb_fax", "lbl_fax", "Fax", "Fax number of store/gallery", 20},
        {&tb_email, &lbl_email, "tb_email", "lbl_email", "Email", "Email address of seller", 50},
        {&tb_www, &lbl_www, "tb_www", "lbl_www", "Website", "Website of seller", 50},
    };
    {
        auto* g = frame_grid(frame_store);
        int row = 0;
        for (const StoreField& f : store_fields) {
            *f.field = make_line(frame_store, f.tb, f.limit);
            *f.label = make_label(frame_store, f.lbl, QString::fromLatin1(f.caption), QString::fromLatin1(f.tip));
            add_row(g, row++, 0, *f.label, *f.field);
        }
        g->setColumnStretch(1, 1);
    }
}

void RecordEditor::build_characteristics_frame(QWidget* client)
{
    // Kaleidoscope characteristics: two columns of pairs, then the free texts
    frame_characteristics = make_frame(client, "frame_characteristics", tr("Kaleidoscope characteristics"));
    QWidget* fc = frame_characteristics;
    combo_scopetype = make_combo(fc, "combo_scopetype");
    combo_extmat = make_combo(fc, "combo_extmat");
    tb_extclr = make_line(fc, "tb_extclr", 30);
    combo_celltype = make_combo(fc, "combo_celltype");
    combo_objects = make_combo(fc, "combo_objects");
    combo_mirrors = make_combo(fc, "combo_mirrors");
    tb_scopeyear = make_line(fc, "tb_scopeyear", 10);
    combo_edition = make_combo(fc, "combo_edition");
    combo_signed = make_combo(fc, "combo_signed");
    combo_symmetry = make_combo(fc, "combo_symmetry");
    tb_specfeatures = make_text(fc, "tb_specfeatures");
    tb_comments = make_text(fc, "tb_comments");
    lbl_scopetype = make_label(fc, "lbl_scopetype", QStringLiteral("Scope type"),
                               QStringLiteral("Type of kaleidoscope, e.g. wheel, cell, teleidoscope"));
    lbl_extmat = make_label(fc, "lbl_extmat", QStringLiteral("Exterior material"),
                            QStringLiteral("Materials used to create outer kaleidoscope tube"));
    lbl_extclr
        = make_label(fc, "lbl_extclr", QStringLiteral("Exterior color"), QStringLiteral("Color of the scope exterior"));
    lbl_celltype = make_label(fc, "lbl_celltype", QStringLiteral("Cell type"),
                              QStringLiteral("Type of object cell,e.g. oil filled, wheels"));
    lbl_objects = make_label(fc, "lbl_objects", QStringLiteral("Primary\ncell objects"),
                             QStringLiteral("Predominant type of cell object"));
    lbl_mirrors = make_label(fc, "lbl_mirrors", QStringLiteral("Mirror system"), QStringLiteral("Number of mirrors"));
    lbl_scopeyear = make_label(fc, "lbl_scopeyear", QStringLiteral("Scope year"),
                               QStringLiteral("Year of kaleidoscope manufacture (yyyy)"));
    lbl_ltd = make_label(fc, "lbl_ltd", QStringLiteral("Edition"),
                         QStringLiteral("Type of edition (limited, production, promotional, etc.)"));
    lbl_signed = make_label(fc, "lbl_signed", QStringLiteral("Signed"),
                            QStringLiteral("Is the kaleidoscope signed by the artist?"));
    lbl_symmetry = make_label(fc, "lbl_symmetry", QStringLiteral("Point\nsymmetry"),
                              QStringLiteral("Symmetry of the image, e.g. 6-point, 8-point"));
    lbl_specfeatures = make_label(fc, "lbl_specfeatures", QStringLiteral("Special Features"),
                                  QStringLiteral("Special features of the kaleidoscope"));
    lbl_comments = make_label(fc, "lbl_comments", QStringLiteral("Comments"),
                              QStringLiteral("Miscellaneous information about the kaleidoscope"));
    lbl_specfeatures->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbl_comments->setAlignment(Qt::AlignRight | Qt::AlignTop);
    {
        auto* g = frame_grid(frame_characteristics);
        add_row(g, 0, 0, lbl_scopetype, combo_scopetype);
        add_row(g, 1, 0, lbl_extmat, combo_extmat);
        add_row(g, 2, 0, lbl_extclr, tb_extclr);
        add_row(g, 3, 0, lbl_celltype, combo_celltype);
        add_row(g, 4, 0, lbl_objects, combo_objects);
        g->setColumnMinimumWidth(2, column_gap);
        add_row(g, 0, 3, lbl_mirrors, combo_mirrors);
        add_row(g, 1, 3, lbl_scopeyear, tb_scopeyear);
        add_row(g, 2, 3, lbl_ltd, combo_edition);
        add_row(g, 3, 3, lbl_signed, combo_signed);
        add_row(g, 4, 3, lbl_symmetry, combo_symmetry);
        name_by_caption(lbl_specfeatures, tb_specfeatures);
        name_by_caption(lbl_comments, tb_comments);
        g->addWidget(lbl_specfeatures, 5, 0);
        g->addWidget(tb_specfeatures, 5, 1, 1, 4);
        g->addWidget(lbl_comments, 6, 0);
        g->addWidget(tb_comments, 6, 1, 1, 4);
        g->setColumnStretch(1, 1);
        g->setColumnStretch(4, 1);
        g->setRowStretch(5, 1);
        g->setRowStretch(6, 1);
    }
}

void RecordEditor::build_pictures_frame(QWidget* client)
{
    // Images: placed by show_picture_buttons, so the frame keeps a fixed height.
    frame_images = make_frame(client, "frame_images", tr("Images"));
    frame_images->setFixedHeight(twips_to_px(1200));
    for (int i = 0; i < int(cmd_images.size()); ++i) {
        auto* b = command_button(frame_images, "cmd_images", QString::number(i), QString());
        b->setFixedSize(twips_to_px(375), twips_to_px(375));
        b->hide();
        cmd_images[i] = b;
    }
    cmd_add_image = command_button(frame_images, "cmd_add_image", QStringLiteral("Add an image"),
                                   QStringLiteral("Add an image to this kaleidoscope record"));
    cmd_rem_image = command_button(frame_images, "cmd_rem_image", QStringLiteral("Remove an image"), QString());
    cmd_load_all_images = command_button(frame_images, "cmd_load_all_images", QStringLiteral("Display all images"),
                                         QStringLiteral("Display all images for this kaleidoscope record"));
    cmd_clear_all_images = command_button(frame_images, "cmd_clear_all_images", QStringLiteral("Clear all images"),
                                          QStringLiteral("Clear all images from the screen"));
    {
        int w = 0;
        for (QPushButton* b : {cmd_add_image, cmd_rem_image, cmd_load_all_images, cmd_clear_all_images})
            w = std::max(w, b->sizeHint().width());
        for (QPushButton* b : {cmd_add_image, cmd_rem_image, cmd_load_all_images, cmd_clear_all_images})
            b->setFixedSize(w, twips_to_px(330));
        const int tens = twips_to_px(120 + 10 * (375 + 165) + 400);
        frame_images->setMinimumWidth(tens + 2 * w + edge_gap);
    }
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
    writing(cmd_add_image, nullptr, &RecordEditor::add_picture);
    writing(cmd_rem_image, nullptr, &RecordEditor::remove_picture);
    both(cmd_load_all_images, nullptr, &RecordEditor::show_all_pictures);
    both(cmd_clear_all_images, nullptr, &RecordEditor::close_all_pictures);
    for (int i = 1; i < int(cmd_images.size()); ++i)
        connect(cmd_images[i], &QPushButton::clicked, this, [this, i] { open_picture(i); });

    // Enter-as-Tab and the leave-field checks watch the fields; the right
    // button over Select/Find, the logo and the enabling of buttons are watched too.
    for (QLineEdit* e : findChildren<QLineEdit*>()) {
        if (e->objectName().startsWith(QLatin1String("tb")) || e->objectName().startsWith(QLatin1String("combo")))
            e->installEventFilter(this);
    }
    for (QComboBox* c : findChildren<QComboBox*>())
        c->installEventFilter(this);
    for (QPlainTextEdit* t : {tb_specfeatures, tb_comments})
        t->installEventFilter(this);
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
    lbl_date_bought->setToolTip(QStringLiteral("Date kaleidoscope was purchased (") + s.locale.date_format
                                + QStringLiteral(")"));
    lbl_price_paid->setToolTip(with_unit(QStringLiteral("Price paid for kaleidoscope"), s.locale.currency_symbol));
    lbl_price_retail->setToolTip(with_unit(QStringLiteral("Retail price of kaleidoscope"), s.locale.currency_symbol));
    cmd_find->setToolTip(QStringLiteral("Search kaleidoscopes using specified criteria. ")
                         + QStringLiteral("Right click to see current find criteria."));
    cmd_findnxt->setToolTip(QStringLiteral("Search according to previously specified criteria"));
    cmd_select->setToolTip(QStringLiteral("Select a subset of the database using specified criteria. ")
                           + QStringLiteral("Right click to see current selection criteria."));
    cmd_rem_image->setToolTip(QStringLiteral("Remove an image from this kaleidoscope record.  ")
                              + QStringLiteral("NOTE: This does not delete the image from your computer."));
}

void RecordEditor::fill_pick_lists()
{
    const std::array<std::pair<QComboBox*, int>, 8> limits = {{{combo_scopetype, 30},
                                                               {combo_extmat, 30},
                                                               {combo_celltype, 25},
                                                               {combo_objects, 25},
                                                               {combo_mirrors, 25},
                                                               {combo_edition, 15},
                                                               {combo_signed, 20},
                                                               {combo_symmetry, 20}}};
    // Each list is filled once; the edit text stays as it was.
    for (int list = 1; list <= 8; ++list) {
        QComboBox* c = limits[std::size_t(list - 1)].first;
        const QString text = c->currentText();
        c->blockSignals(true);
        c->addItems(vocabulary(list));
        c->setCurrentIndex(-1);
        c->setEditText(text);
        c->blockSignals(false);
    }
    for (const auto& [combo, limit] : limits)
        combo->lineEdit()->setMaxLength(limit);
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
