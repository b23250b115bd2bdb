// The pages of the web catalogue: the list of the kaleidoscopes as pages of
// a table (index.html, then list/2.html ...), each small enough to open at
// once, with a search box and sortable columns that cover the whole
// collection where the browser runs the page's script (the collection's rows
// are read from list/search.js only then); the same kaleidoscopes as a
// gallery of pictures (list/gallery-1.html ...); and a section per
// kaleidoscope with its pictures first and the fields that hold something, a
// hundred sections to a page (tens of thousands of small files would take
// longer to write than all the rest). Below 600 pixels of width each
// kaleidoscope is a card. Every text is escaped; the pages are UTF-8 and
// refer to nothing outside the catalogue's folder.
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

inline constexpr int rows_per_list_page = 500;
inline constexpr int tiles_per_gallery_page = 200;
// How many pages the list and the gallery have (at least one each).
int list_page_count(int count);
int gallery_page_count(int count);
// The page of the list or of the gallery (1..), relative to the catalogue's
// folder: "index.html", "list/2.html"; "list/gallery-1.html".
QString list_page_path(int page);
QString gallery_page_path(int page);
// The page of the list or of the gallery that holds kaleidoscope number.
int list_page_of(int number);
int gallery_page_of(int number);

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

// A page of the list is its head, one row per kaleidoscope, and its tail.
QString catalogue_index_head(const CatalogueOptions& options, int page);
QString catalogue_index_row(const CatalogueEntry& entry, const CatalogueOptions& options, int page);
QString catalogue_index_tail(const CatalogueOptions& options, int page);
// A page of the gallery is its head, one tile per kaleidoscope, and its tail.
QString gallery_page_head(const CatalogueOptions& options, int page);
QString gallery_tile(const CatalogueEntry& entry);
QString gallery_page_tail(const CatalogueOptions& options, int page);
// list/search.js, which the list's search and sorting read: its head, one
// line per kaleidoscope, and its tail.
QString search_data_head();
QString search_data_row(const CatalogueEntry& entry, const CatalogueOptions& options);
QString search_data_tail();
// A page of kaleidoscopes is its head, one section per kaleidoscope, and its tail.
QString kaleidoscope_page_head(int first, const CatalogueOptions& options);
QString kaleidoscope_section(const CatalogueEntry& entry, const CatalogueOptions& options);
QString kaleidoscope_page_tail();

}  // namespace tessaran
