#include "import_preview.h"

#include "ui/accessible_names.h"

#include "appearance/scheme_paint.h"
#include "core/field_text.h"
#include "core/money.h"
#include "ui/screen_placement.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tessaran {

namespace {

// What the record will hold for a target, as the editor would show it.
QString shown_value(const ScopeRecord& r, int target)
{
    if (target == m_price_paid)
        return money_text(r.price_paid);
    if (target == m_price_retail)
        return money_text(r.price_retail);
    if (target == import_images) {
        QStringList paths;
        for (int i = 1; i <= r.image_count; ++i)
            paths << shown_text(r.image_files[std::size_t(i)]);
        return paths.join(QStringLiteral("; "));
    }
    const TextMemberInfo* info = text_member_info(Member(target));
    return info ? shown_text(r.*(info->field)) : QString();
}

}  // namespace

ImportPreview::ImportPreview(const QString& source_path, QByteArray bytes, const QString& collection, QWidget* parent)
    : QDialog(parent), source_path_(source_path), prepared_(collection)
{
    setObjectName(QStringLiteral("frm_import"));
    setWindowTitle(QStringLiteral("Import kaleidoscopes"));
    fingerprint_ = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    ImportReader reader(std::move(bytes));
    headings_ = reader.headings();
    error_ = reader.error();
    for (const QString& h : headings_)
        targets_ << match_heading(h);

    auto* lbl_source = new QLabel(QStringLiteral("Kaleidoscopes from ") + source_path, this);
    lbl_source->setObjectName(QStringLiteral("lbl_source"));

    build_column_table();

    preview_ = new QStandardItemModel(this);
    tbl_preview = new QTableView(this);
    tbl_preview->setTabKeyNavigation(false);
    tbl_preview->setObjectName(QStringLiteral("tbl_preview"));
    tbl_preview->setModel(preview_);
    tbl_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tbl_preview->setAccessibleName(QStringLiteral("Kaleidoscopes to import"));
    tbl_columns->setAccessibleName(QStringLiteral("Columns and their fields"));

    lst_problems = new QListWidget(this);
    lst_problems->setObjectName(QStringLiteral("lst_problems"));
    lbl_summary = new QLabel(this);
    lbl_summary->setObjectName(QStringLiteral("lbl_summary"));
    lbl_summary->setWordWrap(true);

    cmd_import = new QPushButton(QStringLiteral("Import"), this);
    cmd_import->setObjectName(QStringLiteral("cmd_import"));
    cmd_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmd_cancel->setObjectName(QStringLiteral("cmd_cancel"));
    connect(cmd_import, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmd_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(tbl_columns, 1);
    auto* right = new QVBoxLayout;
    auto* problems_caption = new QLabel(QStringLiteral("Rows that cannot be imported:"), this);
    name_by_caption(problems_caption, lst_problems);
    right->addWidget(problems_caption);
    right->addWidget(lst_problems, 1);
    top->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lbl_summary, 1);
    buttons->addWidget(cmd_import);
    buttons->addWidget(cmd_cancel);
    auto* all = new QVBoxLayout(this);
    all->addWidget(lbl_source);
    all->addLayout(top, 1);
    all->addWidget(new QLabel(QStringLiteral("The first rows as they will be stored:"), this));
    all->addWidget(tbl_preview, 1);
    all->addLayout(buttons);
    set_tab_order();
    paint_dialog(this);
    resize(fitted_to_screen(QSize(960, 640), this));
    convert(reader);
}

void ImportPreview::build_column_table()
{
    tbl_columns = new QTableWidget(int(headings_.size()), 2, this);
    // Tab moves on to the next control; the arrows move between cells.
    tbl_columns->setTabKeyNavigation(false);
    tbl_columns->setObjectName(QStringLiteral("tbl_columns"));
    tbl_columns->setHorizontalHeaderLabels({QStringLiteral("Column"), QStringLiteral("Field")});
    tbl_columns->verticalHeader()->hide();
    tbl_columns->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    const QList<int> choices = import_targets();
    for (int c = 0; c < headings_.size(); ++c) {
        auto* heading = new QTableWidgetItem(headings_[c]);
        heading->setFlags(Qt::ItemIsEnabled);
        tbl_columns->setItem(c, 0, heading);
        auto* combo = new QComboBox(tbl_columns);
        combo->setObjectName(QStringLiteral("combo_field_%1").arg(c));
        name_control(combo, QStringLiteral("Field for the column ") + headings_[c]);
        for (const int t : choices)
            combo->addItem(import_target_caption(t), t);
        combo->setCurrentIndex(int(choices.indexOf(targets_[c])));
        connect(combo, &QComboBox::currentIndexChanged, this, [this, c, combo] {
            targets_[c] = combo->currentData().toInt();
            convert_again();
        });
        tbl_columns->setCellWidget(c, 1, combo);
    }
}

void ImportPreview::set_tab_order()
{
    // Tab follows the reading order: each column's field, then the rows that
    // cannot be imported beside them, then the preview below, then the buttons.
    // The table of columns itself is no stop: its cells are only captions.
    tbl_columns->setFocusPolicy(Qt::NoFocus);
    QWidget* previous = nullptr;
    for (int c = 0; c < tbl_columns->rowCount(); ++c) {
        QWidget* field = tbl_columns->cellWidget(c, 1);
        if (previous)
            setTabOrder(previous, field);
        previous = field;
    }
    for (QWidget* next : std::initializer_list<QWidget*>{lst_problems, tbl_preview, cmd_import, cmd_cancel}) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
}

void ImportPreview::set_target(int column, int target)
{
    auto* combo = qobject_cast<QComboBox*>(tbl_columns->cellWidget(column, 1));
    if (combo)
        combo->setCurrentIndex(combo->findData(target));
}

QString ImportPreview::read_again(QByteArray& bytes) const
{
    QFile file(source_path_);
    bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    if (QCryptographicHash::hash(bytes, QCryptographicHash::Sha256) != fingerprint_)
        return QStringLiteral("it has changed.");
    return QString();
}

void ImportPreview::convert_again()
{
    // Another choice of fields reads the file again: a large file is never
    // held as its rows. It must still be the file the preview was made from.
    QByteArray bytes;
    if (const QString why = read_again(bytes); !why.isEmpty()) {
        preview_->clear();
        lst_problems->clear();
        lst_problems->addItem(QStringLiteral("The file %1 cannot be read again: %2").arg(source_path_, why));
        lbl_summary->setText(QStringLiteral("Nothing can be imported."));
        cmd_import->setText(QStringLiteral("Import"));
        cmd_import->setEnabled(false);
        return;
    }
    ImportReader reader(std::move(bytes));
    convert(reader);
}

void ImportPreview::convert(ImportReader& reader)
{
    // One preview column per field that a column goes into, in column order.
    QList<int> shown;
    for (const int t : targets_) {
        if (t != import_ignored && !shown.contains(t))
            shown << t;
    }
    preview_->clear();
    QStringList captions{QStringLiteral("Line")};
    for (const int t : shown)
        captions << import_target_caption(t);
    preview_->setHorizontalHeaderLabels(captions);
    lst_problems->clear();
    sound_ = 0;
    skipped_ = 0;
    // The rows are converted once: what the window shows is taken as they
    // pass, and the sound ones are written ahead beside the collection.
    QStringList problems;
    const FileStatus written = prepared_.prepare(reader, targets_, [&](const ImportedRow& row) {
        if (row.problem.isEmpty() && !row.warning.isEmpty())
            problems << QStringLiteral("Line %1 (imported): %2").arg(row.line).arg(row.warning);
        if (!row.problem.isEmpty()) {
            ++skipped_;
            problems << QStringLiteral("Line %1: %2").arg(row.line).arg(row.problem);
            return;
        }
        if (++sound_ > preview_rows)
            return;
        QList<QStandardItem*> items{new QStandardItem(QString::number(row.line))};
        for (const int t : shown)
            items << new QStandardItem(shown_value(row.rec, t));
        preview_->appendRow(items);
    });
    lst_problems->addItems(problems);
    prepare_error_ = written ? QString() : written.error;
    empty_rows_ = reader.empty_rows();
    QString summary = skipped_ == 0
        ? QStringLiteral("%1 kaleidoscopes can be imported.").arg(sound_)
        : QStringLiteral("%1 kaleidoscopes can be imported; %2 rows cannot and will be skipped.")
              .arg(sound_)
              .arg(skipped_);
    if (empty_rows_ > 0)
        summary += QStringLiteral(" %1 rows of empty cells are skipped.").arg(empty_rows_);
    cmd_import->setText(QStringLiteral("Import %1 kaleidoscopes").arg(sound_));
    // Columns that go nowhere, or several into one field, would lose values.
    const QString columns_problem = import_columns_problem(headings_, targets_);
    if (!columns_problem.isEmpty())
        summary = columns_problem + QStringLiteral(" Set the field of each column above.");
    else if (!prepare_error_.isEmpty())
        summary += QStringLiteral(" ") + prepare_error_;
    lbl_summary->setText(summary);
    cmd_import->setEnabled(sound_ > 0 && columns_problem.isEmpty() && prepare_error_.isEmpty());
}

}  // namespace tessaran
