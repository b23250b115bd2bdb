#include "color_dialog.h"

#include "appearance/color_settings.h"
#include "ui/accessible_names.h"

#include "appearance/scheme_paint.h"
#include "core/color_contrast.h"
#include "core/color_items.h"
#include "core/database.h"
#include "ui/menu_state.h"
#include "ui/user_dialogs.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tessaran {

namespace {

// The list item each sample frame stands for (the four data frames, then the images).
constexpr std::array<int, 5> sample_item{0, 2, 3, 4, 5};

const QColor white(255, 255, 255);

}  // namespace

// ---- ColorBox ---------------------------------------------------------------

namespace {

// A colour box is a button to a screen reader: it is pressed to choose a
// colour, and can be pressed from the reader too.
class ColorBoxAccessible : public QAccessibleWidget {
public:
    explicit ColorBoxAccessible(QWidget* box) : QAccessibleWidget(box, QAccessible::Button) { }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && widget()->isEnabled())
            emit static_cast<ColorBox*>(widget())->clicked();
    }
};

QAccessibleInterface* color_box_accessible(const QString& class_name, QObject* object)
{
    if (class_name == QLatin1String("tessaran::ColorBox") && object && object->isWidgetType())
        return new ColorBoxAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

ColorBox::ColorBox(QWidget* parent) : QFrame(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(color_box_accessible);
        return true;
    }();
    Q_UNUSED(installed);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFixedSize(48, 22);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void ColorBox::set_color(const QColor& c)
{
    color_ = c;
    paint_background(this, c);
}

void ColorBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && isEnabled())
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

void ColorBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QFrame::keyPressEvent(event);
}

// ---- ColorDialog -------------------------------------------------------------

ColorDialog::ColorDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frm_colors"));
    setWindowTitle(QStringLiteral("Color preferences"));
    setModal(true);
    build_controls();
    paint_dialog(this);

    actual_temp(1);
    select_item(0);
    paint_preview();
    // However the dialog ends, the start-up window's menus come back.
    connect(this, &QDialog::finished, this, [] { show_startup_menus(); });
    combo_frame->setFocus();
}

void ColorDialog::build_boxes()
{
    // The boxes: five captioned ones on one page, the single box on the other.
    frame_change = new QGroupBox(QStringLiteral("Change form colors"), this);
    frame_change->setObjectName(QStringLiteral("frame_change"));
    box_pages = new QStackedWidget(frame_change);
    auto* captioned = new QWidget(box_pages);
    auto* grid = new QGridLayout(captioned);
    static const char* const captions[5] = {"Frame", "Frame title", "Label", "Text background", "Text foreground"};
    static const char* const box_names[6]
        = {"pb_frame", "pb_frame_title", "pb_label", "pb_text_back", "pb_text_fore", "pb_single"};
    for (int i = 0; i < 5; ++i) {
        lbl_boxes[i] = new QLabel(QString::fromLatin1(captions[i]), captioned);
        lbl_boxes[i]->setObjectName(QStringLiteral("lbl_") + QString::fromLatin1(box_names[i] + 3));
        pb_boxes[i] = new ColorBox(captioned);
        pb_boxes[i]->setObjectName(QString::fromLatin1(box_names[i]));
        pb_boxes[i]->setToolTip(QString::fromLatin1(captions[i]));
        grid->addWidget(lbl_boxes[i], i, 0);
        grid->addWidget(pb_boxes[i], i, 1);
        name_by_caption(lbl_boxes[i], pb_boxes[i]);
    }
    grid->setRowStretch(5, 1);
    auto* single = new QWidget(box_pages);
    auto* single_layout = new QVBoxLayout(single);
    pb_boxes[5] = new ColorBox(single);
    pb_boxes[5]->setObjectName(QString::fromLatin1(box_names[5]));
    pb_boxes[5]->setAccessibleName(QStringLiteral("Color"));
    single_layout->addWidget(pb_boxes[5], 0, Qt::AlignHCenter);
    single_layout->addStretch(1);
    box_pages->addWidget(captioned);
    box_pages->addWidget(single);
    auto* change_layout = new QVBoxLayout(frame_change);
    change_layout->addWidget(box_pages);
    for (int slot = 0; slot < 6; ++slot)
        connect(pb_boxes[slot], &ColorBox::clicked, this, [this, slot] { box_clicked(slot); });
}

void ColorDialog::build_preview()
{
    // The preview: a sample window with the editor's frames, strip and buttons.
    pb_sample_form = new QFrame(this);
    pb_sample_form->setObjectName(QStringLiteral("pb_sample_form"));
    pb_sample_form->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pb_sample_form->setMinimumSize(360, 260);
    auto* preview = new QGridLayout(pb_sample_form);
    static const char* const frame_titles[5] = {"Kaleidoscope parameters", "Kaleidoscope characteristics",
                                                "Purchase information", "Place of purchase", "Images"};
    static const char* const frame_names[5]
        = {"sample_params", "sample_characteristics", "sample_purchase", "sample_store", "sample_images"};
    for (int k = 0; k < 5; ++k) {
        sample_frames[k] = new QGroupBox(QString::fromLatin1(frame_titles[k]), pb_sample_form);
        sample_frames[k]->setObjectName(QString::fromLatin1(frame_names[k]));
        sample_frames[k]->setAutoFillBackground(true);
        sample_frames[k]->installEventFilter(this);
        auto* fl = new QHBoxLayout(sample_frames[k]);
        if (k < 4) {
            sample_labels[k] = new QLabel(QStringLiteral("Label"), sample_frames[k]);
            sample_labels[k]->setObjectName(QStringLiteral("lbl_sample%1").arg(k));
            sample_texts[k] = new QLineEdit(QStringLiteral("Textbox_text"), sample_frames[k]);
            sample_texts[k]->setObjectName(QStringLiteral("tb_sample%1").arg(k));
            sample_labels[k]->installEventFilter(this);
            sample_texts[k]->installEventFilter(this);
            // The preview's fields stand for the editor's: each is named by its frame's sample.
            sample_texts[k]->setAccessibleName(QStringLiteral("Sample field of ")
                                               + QString::fromLatin1(frame_titles[k]));
            fl->addWidget(sample_labels[k]);
            fl->addWidget(sample_texts[k]);
        }
    }
    // Typing in the characteristics sample also picks its item.
    connect(sample_texts[1], &QLineEdit::textEdited, this, [this] { select_item(2); });

    sample_control = new QLabel(pb_sample_form);
    sample_control->setObjectName(QStringLiteral("sample_control"));
    sample_control->setMinimumHeight(24);
    sample_control->setAutoFillBackground(true);
    sample_control->setToolTip(QStringLiteral("Control"));
    sample_control->installEventFilter(this);
    for (int b = 0; b < 2; ++b) {
        sample_buttons[b] = new QPushButton(QStringLiteral(" Command button"), pb_sample_form);
        sample_buttons[b]->setObjectName(QStringLiteral("sample_button%1").arg(b + 1));
        sample_buttons[b]->setAutoDefault(false);
        sample_buttons[b]->setAccessibleName(QStringLiteral("Sample command button %1").arg(b + 1));
        connect(sample_buttons[b], &QPushButton::clicked, this, [this] { select_item(7); });
    }
    pb_sample_form->installEventFilter(this);

    preview->addWidget(sample_frames[0], 0, 0);
    preview->addWidget(sample_frames[2], 0, 1);
    preview->addWidget(sample_frames[1], 1, 0);
    preview->addWidget(sample_frames[3], 1, 1);
    preview->addWidget(sample_frames[4], 2, 0, 1, 2);
    auto* strip = new QHBoxLayout;
    strip->addWidget(sample_buttons[0]);
    strip->addWidget(sample_buttons[1]);
    strip->addWidget(sample_control, 1);
    preview->addLayout(strip, 3, 0, 1, 2);
}

void ColorDialog::build_controls()
{
    auto* lbl_choose = new QLabel(QStringLiteral("Choose frame or control to change:"), this);
    lbl_choose->setObjectName(QStringLiteral("lbl_choose"));
    combo_frame = new QComboBox(this);
    combo_frame->setObjectName(QStringLiteral("combo_frame"));
    combo_frame->setEditable(false);
    combo_frame->addItems(color_item_names());
    name_by_caption(lbl_choose, combo_frame);
    connect(combo_frame, &QComboBox::activated, this, [this](int n) { select_item(n); });
    connect(combo_frame, &QComboBox::currentIndexChanged, this, [this](int n) {
        if (n >= 0 && n != item_)
            select_item(n);
    });

    build_boxes();
    build_preview();

    cmd_default_choice = new QPushButton(QStringLiteral("Set choice to default colors"), this);
    cmd_default_choice->setObjectName(QStringLiteral("cmd_default_choice"));
    cmd_default_all = new QPushButton(QStringLiteral("Set all controls to default colors"), this);
    cmd_default_all->setObjectName(QStringLiteral("cmd_default_all"));
    cmd_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmd_cancel->setObjectName(QStringLiteral("cmd_cancel"));
    cmd_accept = new QPushButton(QStringLiteral("Accept"), this);
    cmd_accept->setObjectName(QStringLiteral("cmd_accept"));
    for (QPushButton* b : {cmd_default_choice, cmd_default_all, cmd_cancel, cmd_accept})
        b->setAutoDefault(false);
    connect(cmd_default_choice, &QPushButton::clicked, this, &ColorDialog::restore_default);
    connect(cmd_default_all, &QPushButton::clicked, this, &ColorDialog::restore_all_defaults);
    connect(cmd_cancel, &QPushButton::clicked, this, &ColorDialog::cancel);
    connect(cmd_accept, &QPushButton::clicked, this, &ColorDialog::save_scheme);

    auto* left = new QVBoxLayout;
    left->addWidget(lbl_choose);
    left->addWidget(combo_frame);
    left->addWidget(frame_change, 1);
    left->addWidget(cmd_default_choice);
    left->addWidget(cmd_default_all);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(pb_sample_form, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmd_cancel);
    bottom->addWidget(cmd_accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);

    // Tab follows the reading order: down the left column (the frame, its
    // colours, the two default buttons), then the samples, then the buttons.
    QList<QWidget*> order{combo_frame};
    for (ColorBox* box : pb_boxes)
        order << box;
    order << cmd_default_choice << cmd_default_all;
    for (QLineEdit* text : sample_texts)
        order << text;
    for (QPushButton* b : sample_buttons)
        order << b;
    order << cmd_cancel << cmd_accept;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order.at(i - 1), order.at(i));
}

void ColorDialog::actual_temp(int direction)
{
    if (direction == 1)
        temp_colors = current_colors();
    else if (direction == 2)
        set_current_colors(temp_colors);
}

void ColorDialog::set_default_colors(int item)
{
    const QString path = shipped_file(default_color_file_name);
    ColorScheme defaults = builtin_colors();
    QString error;
    if (!read_color_file(path, defaults, &error)) {
        defaults = builtin_colors();
        msgbox(this,
               QStringLiteral("The default color file ") + QDir::toNativeSeparators(path)
                   + QStringLiteral(" could not be read: ") + error + QLatin1Char('\n')
                   + QStringLiteral("The built-in default colors are used instead."),
               MsgIcon::exclamation);
    }
    temp_colors = with_item_defaults(temp_colors, defaults, item);
}

void ColorDialog::select_item(int n)
{
    if (n < 0 || n >= color_item_names().size())
        return;
    item_ = n;
    if (combo_frame->currentIndex() != n) {
        const QSignalBlocker block(combo_frame);
        combo_frame->setCurrentIndex(n);
    }
    show_boxes();
}

void ColorDialog::show_boxes()
{
    const bool single = color_item_entry(item_, 5) >= 0;
    box_pages->setCurrentIndex(single ? 1 : 0);
    if (single) {
        pb_boxes[5]->set_color(to_qcolor(temp_colors[std::size_t(color_item_entry(item_, 5))]));
        return;
    }
    for (int slot = 0; slot < 5; ++slot) {
        const int e = color_item_entry(item_, slot);
        lbl_boxes[slot]->setEnabled(e >= 0);
        pb_boxes[slot]->setEnabled(e >= 0);
        pb_boxes[slot]->set_color(e >= 0 ? to_qcolor(temp_colors[std::size_t(e)]) : white);
    }
}

void ColorDialog::box_clicked(int slot)
{
    const int e = color_item_entry(item_, slot);
    if (e < 0)
        return;
    const QColor current = to_qcolor(temp_colors[std::size_t(e)]);
    const std::optional<QColor> picked = user_dialogs().pick_color(this, current);
    const QColor chosen = picked && picked->isValid() ? *picked : current;
    const QStringList hard_before = low_contrast_texts(temp_colors, 3.0);
    temp_colors[std::size_t(e)] = to_color_value(chosen);
    pb_boxes[slot]->set_color(chosen);
    // A warning, not a refusal: the collector may want the colour all the same.
    QStringList made_hard;
    const auto pair_of = [](const QString& text) { return text.section(QStringLiteral(" ("), 0, 0); };
    QStringList pairs_before;
    for (const QString& text : hard_before)
        pairs_before << pair_of(text);
    for (const QString& text : low_contrast_texts(temp_colors, 3.0)) {
        if (!pairs_before.contains(pair_of(text)))
            made_hard << text;
    }
    if (!made_hard.isEmpty())
        msgbox(this,
               QStringLiteral("With this color some text is hard to read, its contrast being below 3:1:\n")
                   + made_hard.join(QLatin1Char('\n'))
                   + QStringLiteral("\n\nThe color is kept; choose another one for better reading."),
               MsgIcon::exclamation);
    paint_preview();
    // The changed-data colour has no element of its own in the preview.
    if (item_ == 8)
        paint_background(pb_sample_form, chosen);
}

void ColorDialog::paint_sample_frame(int k)
{
    // Frame and title come first among the item's entries; a data frame's
    // label, text background and text foreground follow.
    const int base = color_item_entry(sample_item[std::size_t(k)], 0);
    QGroupBox* f = sample_frames[std::size_t(k)];
    QPalette p = f->palette();
    p.setColor(QPalette::Window, to_qcolor(temp_colors[std::size_t(base)]));
    p.setColor(QPalette::WindowText, to_qcolor(temp_colors[std::size_t(base + 1)]));
    f->setPalette(p);
    if (k < 4) {
        paint_text(sample_labels[std::size_t(k)], to_qcolor(temp_colors[std::size_t(base + 2)]));
        paint_field(sample_texts[std::size_t(k)], to_qcolor(temp_colors[std::size_t(base + 3)]),
                    to_qcolor(temp_colors[std::size_t(base + 4)]));
    }
}

void ColorDialog::paint_preview()
{
    paint_background(pb_sample_form, to_qcolor(temp_colors[color_form_background]));
    for (int k = 0; k < 5; ++k)
        paint_sample_frame(k);
    paint_background(sample_control, to_qcolor(temp_colors[color_control]));
    for (QPushButton* b : sample_buttons)
        paint_button(b, to_qcolor(temp_colors[color_command_buttons]));
}

bool ColorDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonRelease)
        return QDialog::eventFilter(watched, event);
    int item = -1;
    if (watched == sample_control) {
        item = 1;
    } else if (watched == pb_sample_form) {
        item = 6;
    } else {
        for (int k = 0; k < 5 && item < 0; ++k) {
            const std::size_t i = std::size_t(k);
            if (watched == sample_frames[i] || (k < 4 && (watched == sample_labels[i] || watched == sample_texts[i])))
                item = sample_item[i];
        }
    }
    if (item < 0)
        return QDialog::eventFilter(watched, event);
    select_item(item);
    // A frame or label would pass the click on to the window background
    // sample, which would pick its own item; the text box keeps its own click.
    return qobject_cast<QLineEdit*>(watched) == nullptr;
}

void ColorDialog::restore_default()
{
    set_default_colors(item_);
    show_boxes();
    paint_preview();
}

void ColorDialog::restore_all_defaults()
{
    set_default_colors(all_color_items);
    paint_preview();
    show_boxes();
    combo_frame->setFocus();
}

void ColorDialog::save_scheme()
{
    if (msgbox(this, QStringLiteral("Save the current color scheme?"), MsgIcon::question, MsgButtons::ok_cancel)
        != MsgAnswer::ok)
        return;
    const QString path = user_color_file();
    if (is_installed())
        make_private_folder(QFileInfo(path).absolutePath());
    QString error;
    // Written first: the scheme in memory changes only when the file holds it,
    // so a failed write loses nothing and claims nothing.
    if (!write_color_file(path, temp_colors, &error)) {
        msgbox(this,
               QStringLiteral("Color preferences could not be saved to ") + QDir::toNativeSeparators(path)
                   + QStringLiteral(":\n") + error,
               MsgIcon::critical);
        return;
    }
    actual_temp(2);
    set_color_file_path(path);
    msgbox(this, QStringLiteral("Color preferences have been saved."), MsgIcon::none, MsgButtons::ok,
           QStringLiteral("Saving color preferences"));
    accept();
}

void ColorDialog::cancel()
{
    reject();
}

}  // namespace tessaran
