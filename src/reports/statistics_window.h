// The collection statistics window: what the working set cost and what it is
// worth, counts and totals per artist, scope type and year of purchase, two
// charts, and the whole report saved as a PDF or as comma-separated text.
#pragma once

#include "core/collection_stats.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;

namespace QtCharts { }
class QChartView;

namespace tessaran {

struct Session;

class StatisticsWindow : public QDialog {
    Q_OBJECT
public:
    // Reads the working set once, with the progress window; when that fails
    // the user is told and loaded() is false.
    StatisticsWindow(const Session& session, QWidget* parent = nullptr);

    // The most year labels under the spending chart.
    static constexpr int max_year_labels = 10;

    bool loaded() const { return loaded_; }
    const CollectionStats& stats() const { return stats_; }

    void save_pdf();
    void save_text();

private:
    void build();
    // The heading, the money table and the difference line; the group tables.
    void build_summary();
    void build_tables();

    StatsHead head_;  // the collection, its sort and its selection
    CollectionStats stats_;
    bool loaded_ = false;
    QLabel* lbl_head = nullptr;
    QTableView* tbl_money = nullptr;
    QLabel* lbl_difference = nullptr;
    QTabWidget* tabs = nullptr;
    QTableView* tbl_artist = nullptr;
    QTableView* tbl_type = nullptr;
    QTableView* tbl_year = nullptr;
    QChartView* chart_spending = nullptr;
    QChartView* chart_types = nullptr;
    QPushButton* cmd_pdf = nullptr;
    QPushButton* cmd_text = nullptr;
    QPushButton* cmd_close = nullptr;
};

}  // namespace tessaran
