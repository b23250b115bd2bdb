// The program's process-wide values: database state, the current record buffer,
// the working set with its selection, sort and find state, the locale values,
// the colour scheme, the work area and the summary kind.
#pragma once

#include "criteria.h"
#include "scope_record.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <vector>

namespace tessaran {

constexpr int field_table_size = 27;
constexpr int color_count = 26;

struct WorkArea {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

struct Globalvars {
    // Database state
    QString db_path;
    qint16 rec_len = rec_len_bytes;
    qint16 rec_count = 0;
    QString db_text;
    QString rec_text;
    std::array<QString, field_table_size + 1> field_names;  // 1..27
    qint16 field_count = 0;

    // The current record buffer: every database read and write passes through it.
    ScopeRecord rec;

    // Working set: ws_recno[p] for positions 1..ws_count (slot 0 unused; one
    // more slot while a new record is being added).
    std::vector<qint16> ws_recno = std::vector<qint16>(1, 0);
    qint16 ws_count = 0;
    qint16 ws_pos = 0;
    qint16 sel_matched = 0;
    bool sel_all = true;
    QString sel_criteria = QStringLiteral("All");
    qint16 sort_field = 0;
    bool sort_desc = false;
    QString sort_caption = QStringLiteral("[Sorted by: Unsorted]");

    // Selection criteria in force (sel_by_date ... sel_retail_max).
    Criteria sel;

    // Find criteria (find_by_date ... find_retail_max) and find state.
    Criteria find;
    QString find_criteria;
    bool find_found = false;
    qint16 find_mode = 1;

    // Locale values, read when the editor loads.
    QString short_date_fmt;
    QString currency_symbol;

    // Colour scheme and the colour file it came from.
    std::array<qint32, color_count> color_scheme{};
    QString color_file_path;

    WorkArea work_area;
    qint16 summary_kind = 1;
};

Globalvars& gv();

}  // namespace tessaran
