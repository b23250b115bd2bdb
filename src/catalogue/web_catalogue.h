// Writing the web catalogue of a working set: its pages, and its pictures
// copied and scaled, into a folder that anyone can open in a browser, offline.
#pragma once

#include "core/record_file.h"
#include "core/web_catalogue_pages.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tessaran {

inline constexpr int catalogue_thumbnail_side = 200;
inline constexpr int catalogue_view_side = 1600;

struct WebCatalogueResult {
    FileStatus status;  // on failure or cancel nothing of the new catalogue is in the folder
    bool cancelled = false;
    int kaleidoscopes = 0;
    int pictures = 0;        // pictures copied
    QStringList unreadable;  // "PATH: reason" of each picture that could not be read
};

// Told how far the writing is (done of total kaleidoscopes) now and then;
// answers false to cancel.
using CatalogueProgress = std::function<bool(int done, int total)>;

// "Kaleidoscope catalogue: scopes" for the collection scopes.rnd.
QString catalogue_title_for(const QString& collection);
// Whether the folder exists and holds anything: writing into it replaces the
// catalogue's own files only, after the user agreed.
bool folder_has_entries(const QString& folder);

// Writes the catalogue of the records at positions 1..count of records (a
// working set's record numbers) of the collection into folder. Everything is
// written beside the folder first and put in place only when complete; a
// picture that cannot be read is named in its page and in the result and
// stops nothing.
WebCatalogueResult write_web_catalogue(const QString& collection, const std::vector<int>& records, int count,
                                       const QString& folder, bool include_prices,
                                       const CatalogueProgress& progress = {});

}  // namespace tessaran
