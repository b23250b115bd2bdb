// The gaps of the record editor's design, in pixels: 100 twips at the edges,
// 45 between a label and its field and between fields, 200 between two
// columns of label-and-field pairs.
#pragma once

namespace tessaran {

constexpr int edge_gap = 7;     // 100 twips
constexpr int field_gap = 3;    // 45 twips
constexpr int column_gap = 13;  // 200 twips

}  // namespace tessaran
