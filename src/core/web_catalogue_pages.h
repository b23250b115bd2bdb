// The pages of the web catalogue: an overview page with every kaleidoscope in
// one table (a search box and sortable columns where the browser runs the
// page's script, a complete table where it does not), and a section per
// kaleidoscope with all its fields and pictures, a hundred sections to a page
// (tens of thousands of small files would take longer to write than all the
// rest). Every text is escaped; the pages are UTF-8 and refer to nothing
// outside the catalogue's folder.
#pragma once

#include "scope_record.h"

#include <QString>

#include <vector>

namespace tessaran {

// A picture of a kaleidoscope as the catalogue holds it.
struct CataloguePicture {
    QString thumbnail;  // "pictures/12-1-small.jpg", relative to the catalogue; empty when it could not be read
    QString view;       // "pictures/12-1.jpg"
    QString name;       // the file's own name, without its folders
};

// One kaleidoscope of the catalogue.
struct CatalogueEntry {
    int number = 0;  // 1.. in the catalogue's order
    ScopeRecord record;
    std::vector<CataloguePicture> pictures;
};

struct CatalogueOptions {
    QString title;  // "Kaleidoscope catalogue: scopes"
    bool include_prices = true;
    int count = 0;  // kaleidoscopes in the catalogue
};

// Text safe in HTML content and in quoted attribute values.
QString html_escaped(const QString& text);
inline constexpr int kaleidoscopes_per_page = 100;
// The page that holds kaleidoscope number (1..): "k/1.html" for 1..100,
// relative to the catalogue's folder.
QString kaleidoscope_page_path(int number);
// The address of kaleidoscope number's section: "k/1.html#k12".
QString kaleidoscope_link(int number);
// The style sheet every page uses, written once as "style.css".
QString catalogue_style_sheet();

// The overview page is its head, one row per kaleidoscope, and its tail.
QString catalogue_index_head(const CatalogueOptions& options);
QString catalogue_index_row(const CatalogueEntry& entry, const CatalogueOptions& options);
QString catalogue_index_tail(const CatalogueOptions& options);
// A page of kaleidoscopes is its head, one section per kaleidoscope, and its tail.
QString kaleidoscope_page_head(int first, const CatalogueOptions& options);
QString kaleidoscope_section(const CatalogueEntry& entry, const CatalogueOptions& options);
QString kaleidoscope_page_tail();

}  // namespace tessaran
