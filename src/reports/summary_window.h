// The summary window: header panel, the summary table and its commands
// (print, preview, save as text, close).
#pragma once

#include "core/summary_rows.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <vector>

class QPushButton;
class QTableView;

namespace tessaran {

struct Session;
class SummaryHeaderPanel;
class SummaryModel;
class SummaryProgress;

class SummaryWindow : public QDialog {
    Q_OBJECT
public:
    // Builds the table of the session's working set in the summary kind. When
    // the database cannot be read the user is told and loaded() is false. The
    // session must outlive the window.
    SummaryWindow(const Session& session, SummaryKind kind, QWidget* parent = nullptr);
    ~SummaryWindow() override;

    bool loaded() const { return loaded_; }
    // The columns as laid out: how many and their titles; and the time the
    // summary was made.
    int column_count() const { return ncols; }
    QStringList column_titles() const { return col_title; }
    QString stamp() const { return summary_stamp; }

    // header_height for a criteria text: 95 + 15 per line of the criteria.
    static int header_height(const QString& selection_text);

    void print();
    void preview();
    void save_as_text();
    void close_window();

    // The first layout: size to the work area, fit to the columns, draw the
    // header, close the progress window. Runs once; later calls do nothing.
    void layout_window();

    SummaryModel* model() const { return model_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int r) override;

private:
    bool build_table();
    void draw_header();
    void size_window();
    void fit_window();

    const Session& session_;
    const SummaryKind kind_;
    SummaryModel* model_ = nullptr;
    QPointer<SummaryProgress> progress_;
    bool loaded_ = false;
    bool laid_out_ = false;
    bool menus_shown_ = false;
    SummaryHeaderPanel* pb_output = nullptr;
    QTableView* sumgrid = nullptr;
    QPushButton* cmd_print = nullptr;
    QPushButton* cmd_preview = nullptr;
    QPushButton* cmd_save = nullptr;
    QPushButton* cmd_close = nullptr;
    int ncols = 0;
    QStringList col_title;    // 1-based in use: col_title[c - 1]
    std::vector<int> col_px;  // 1..ncols used; index 0 unused
    QString summary_stamp;
};

}  // namespace tessaran
