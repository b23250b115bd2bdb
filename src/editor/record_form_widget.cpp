#include "record_form_widget.h"
#include "editor_gaps.h"

#include "limited_text_edit.h"

#include "appearance/color_settings.h"
#include "appearance/scheme_paint.h"
#include "core/field_text.h"
#include "core/money.h"
#include "core/vocabularies.h"
#include "ui/accessible_names.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace tessaran {

namespace {

// Scheme entries of a data frame: frame, title, label, text background, text
// foreground; by FormFrame.
struct FrameColors {
    int frame, title, label, text_back, text_fore;
};
constexpr std::array<FrameColors, 4> frame_colors
    = {{{1, 2, 3, 4, 5}, {11, 12, 13, 14, 15}, {16, 17, 18, 19, 20}, {6, 7, 8, 9, 10}}};

QWidget* make_field(const FormField& entry, QWidget* parent)
{
    const QString name = QString::fromLatin1(entry.name);
    if (entry.kind == FieldKind::text) {
        auto* t = new LimitedTextEdit(entry.limit, parent);
        t->setObjectName(name);
        t->setTabChangesFocus(true);
        t->setMinimumHeight(52);
        return t;
    }
    if (entry.kind == FieldKind::list) {
        auto* c = new QComboBox(parent);
        c->setObjectName(name);
        c->setEditable(true);
        // The lists are suggestions: typed text stays exactly as typed and
        // never joins the list.
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setCompleter(nullptr);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(12);
        c->lineEdit()->setObjectName(name + QStringLiteral("_edit"));
        return c;
    }
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (entry.limit > 0)
        e->setMaxLength(entry.limit);
    return e;
}

QString text_of(const QWidget* field)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(field))
        return e->text();
    if (const auto* c = qobject_cast<const QComboBox*>(field))
        return c->currentText();
    if (const auto* t = qobject_cast<const LimitedTextEdit*>(field))
        return t->toPlainText();
    return QString();
}

void set_text_of(QWidget* field, const QString& text)
{
    if (auto* e = qobject_cast<QLineEdit*>(field))
        e->setText(text);
    else if (auto* c = qobject_cast<QComboBox*>(field))
        c->setEditText(text);
    else if (auto* t = qobject_cast<LimitedTextEdit*>(field))
        t->setPlainText(text);
}

}  // namespace

RecordFormWidget::RecordFormWidget(QWidget* parent) : QWidget(parent)
{
    add_frame(FormFrame::parameters, tr("Kaleidoscope parameters"), this);
    add_frame(FormFrame::characteristics, tr("Kaleidoscope characteristics"), this);
    QGroupBox* purchase = add_frame(FormFrame::purchase, tr("Purchase information"), this);
    add_frame(FormFrame::store, tr("Place of purchase"), purchase);
    for (const FormField& entry : form_fields())
        add_field(entry);
    specfeatures_ = qobject_cast<LimitedTextEdit*>(field(m_specfeatures));
    comments_ = qobject_cast<LimitedTextEdit*>(field(m_comments));
    for (Member m : {m_specfeatures, m_comments})
        label(m)->setAlignment(Qt::AlignRight | Qt::AlignTop);

    for (int f = 0; f < 4; ++f)
        frame_grids_[std::size_t(f)]->setColumnStretch(1, 1);
    QGridLayout* characteristics = frame_grids_[std::size_t(FormFrame::characteristics)];
    characteristics->setColumnMinimumWidth(2, column_gap);
    characteristics->setColumnStretch(4, 1);
    characteristics->setRowStretch(5, 1);
    characteristics->setRowStretch(6, 1);
    QGridLayout* purchase_grid = frame_grids_[std::size_t(FormFrame::purchase)];
    purchase_grid->addWidget(frames_[std::size_t(FormFrame::store)], 3, 0, 1, 2);
    purchase_grid->setRowStretch(4, 1);

    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(edge_gap, edge_gap, edge_gap, edge_gap);
    grid_->setHorizontalSpacing(edge_gap);
    grid_->setVerticalSpacing(edge_gap);
    grid_->addWidget(frames_[std::size_t(FormFrame::parameters)], 0, 0);
    grid_->addWidget(frames_[std::size_t(FormFrame::characteristics)], 1, 0);
    grid_->addWidget(purchase, 0, 1, 2, 1);
    grid_->setRowStretch(1, 1);
    grid_->setColumnStretch(0, 3);
    grid_->setColumnStretch(1, 2);

    // Tab follows the record's member order, the table's.
    for (std::size_t i = 1; i < fields_.size(); ++i)
        setTabOrder(fields_[i - 1], fields_[i]);
    fill_pick_lists();
    watch_fields();
}

QGroupBox* RecordFormWidget::add_frame(FormFrame frame, const QString& title, QWidget* parent)
{
    static const char* const names[] = {"frame_params", "frame_purchase", "frame_store", "frame_characteristics"};
    auto* f = new QGroupBox(title, parent);
    f->setObjectName(QString::fromLatin1(names[int(frame)]));
    // Named by its own title: a frame inside another would otherwise be
    // announced by the outer frame's ("Purchase information" for the place of
    // purchase).
    f->setAccessibleName(spoken_caption(title));
    auto* g = new QGridLayout(f);
    g->setContentsMargins(edge_gap, edge_gap, edge_gap, edge_gap);
    g->setHorizontalSpacing(field_gap);
    g->setVerticalSpacing(field_gap);
    frames_[std::size_t(frame)] = f;
    frame_grids_[std::size_t(frame)] = g;
    return f;
}

void RecordFormWidget::add_field(const FormField& entry)
{
    QGroupBox* frame = frames_[std::size_t(entry.frame)];
    QWidget* field = make_field(entry, frame);
    auto* label = new QLabel(QString::fromLatin1(entry.caption), frame);
    label->setObjectName(QString::fromLatin1(entry.label_name));
    label->setToolTip(QString::fromLatin1(entry.tip));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QGridLayout* g = frame_grids_[std::size_t(entry.frame)];
    const int column = entry.column * 3;
    g->addWidget(label, entry.row, column);
    // The free texts run the width of both columns.
    if (entry.kind == FieldKind::text)
        g->addWidget(field, entry.row, 1, 1, 4);
    else
        g->addWidget(field, entry.row, column + 1);
    name_by_caption(label, field);
    fields_[std::size_t(entry.member)] = field;
    labels_[std::size_t(entry.member)] = label;
}

void RecordFormWidget::fill_pick_lists()
{
    for (const FormField& entry : form_fields()) {
        auto* c = qobject_cast<QComboBox*>(field(entry.member));
        if (!c)
            continue;
        c->addItems(vocabulary(entry.pick_list));
        c->setCurrentIndex(-1);
        c->setEditText(QString());
        c->lineEdit()->setMaxLength(entry.limit);
    }
}

void RecordFormWidget::set_bottom_row(QWidget* left, QWidget* right)
{
    grid_->addWidget(left, 2, 0);
    grid_->addWidget(right, 2, 1);
}

QLineEdit* RecordFormWidget::line(Member m) const
{
    return qobject_cast<QLineEdit*>(field(m));
}

bool RecordFormWidget::is_field(const QObject* w) const
{
    for (const QWidget* f : fields_) {
        const auto* combo = qobject_cast<const QComboBox*>(f);
        if (f == w || (combo && combo->lineEdit() == w))
            return true;
    }
    return false;
}

RecordForm RecordFormWidget::values() const
{
    RecordForm form;
    for (std::size_t i = 0; i < form.texts.size(); ++i)
        form.texts[i] = text_of(field(text_members()[i].member));
    form.specfeatures_break = specfeatures_->line_break();
    form.comments_break = comments_->line_break();
    form.price_paid = line(m_price_paid)->text();
    form.price_retail = line(m_price_retail)->text();
    return form;
}

void RecordFormWidget::set_values(const RecordForm& form)
{
    for (std::size_t i = 0; i < form.texts.size(); ++i)
        set_text_of(field(text_members()[i].member), form.texts[i]);
    specfeatures_->set_line_break(form.specfeatures_break);
    comments_->set_line_break(form.comments_break);
    line(m_price_paid)->setText(form.price_paid);
    line(m_price_retail)->setText(form.price_retail);
}

void RecordFormWidget::show_record(const ScopeRecord& r)
{
    for (const TextMemberInfo& info : text_members())
        set_text_of(field(info.member), shown_text(r.*(info.field)));
    // A save keeps the line breaks the stored text already uses.
    specfeatures_->set_line_break(line_break_of(r.specfeatures));
    comments_->set_line_break(line_break_of(r.comments));
    line(m_price_paid)->setText(money_text(r.price_paid));
    line(m_price_retail)->setText(money_text(r.price_retail));
    shown_ = r;
    remember_typed();
}

void RecordFormWidget::clear()
{
    for (QWidget* f : fields_)
        set_text_of(f, QString());
    specfeatures_->set_line_break(line_break_of(QString()));
    comments_->set_line_break(line_break_of(QString()));
    shown_ = ScopeRecord();
    remember_typed();
    last_price_paid_ = money_text(0);
    last_price_retail_ = money_text(0);
}

void RecordFormWidget::mark_changes(const FormChanges& changes)
{
    const QColor changed = scheme_color(color_changed_data);
    const auto mark = [&](QWidget* f) {
        QPalette p = f->palette();
        p.setColor(QPalette::Base, changed);
        p.setColor(QPalette::Button, changed);
        f->setPalette(p);
        if (auto* combo = qobject_cast<QComboBox*>(f); combo && combo->lineEdit())
            combo->lineEdit()->setPalette(p);
    };
    for (const int i : changes.texts)
        mark(field(text_members()[std::size_t(i)].member));
    if (changes.price_paid)
        mark(field(m_price_paid));
    if (changes.price_retail)
        mark(field(m_price_retail));
}

void RecordFormWidget::set_read_only()
{
    for (QWidget* f : fields_) {
        if (auto* l = qobject_cast<QLineEdit*>(f))
            l->setReadOnly(true);
        else if (auto* text = qobject_cast<LimitedTextEdit*>(f))
            text->setReadOnly(true);
        else if (auto* combo = qobject_cast<QComboBox*>(f); combo && combo->lineEdit())
            combo->lineEdit()->setReadOnly(true);
    }
}

void RecordFormWidget::apply_colors()
{
    for (std::size_t f = 0; f < frames_.size(); ++f) {
        QGroupBox* frame = frames_[f];
        const FrameColors& c = frame_colors[f];
        paint_background(frame, scheme_color(c.frame));
        // The frame's caption takes the frame-title colour.
        QPalette p = frame->palette();
        p.setColor(QPalette::WindowText, scheme_color(c.title));
        frame->setPalette(p);
    }
    for (const FormField& entry : form_fields())
        paint_text(label(entry.member), scheme_color(frame_colors[std::size_t(entry.frame)].label));
    restore_colors();
}

void RecordFormWidget::restore_colors()
{
    for (const FormField& entry : form_fields()) {
        const FrameColors& c = frame_colors[std::size_t(entry.frame)];
        paint_field(field(entry.member), scheme_color(c.text_back), scheme_color(c.text_fore));
    }
}

}  // namespace tessaran
