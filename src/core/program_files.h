// Where every file the program reads or writes lives. Run from its build
// folder, everything lies beside the executable, as always. Installed (the
// default colour file is not beside the executable but in ../share/tessaran),
// the shipped files are read from there, and what the user changes lives in
// the user's own folders: nothing is ever written below the install prefix.
#pragma once

#include <QString>

namespace tessaran {

// The reverse-DNS application id: desktop entry, icon, AppStream component,
// MIME package, settings and the per-user folders.
inline constexpr const char* app_id = "org.tessaran.TessaranV";

inline constexpr const char* demo_database_name = "demo.rnd";
// The demo's pictures, beside it (its picture folder).
inline constexpr const char* demo_pictures_folder_name = "demo-pictures";
inline constexpr const char* help_file_name = "tessaran.html";

// The folder that holds the program file.
QString program_folder();
// Tests point the program folder elsewhere (a build folder or an installed
// bin/); an empty path restores the real one.
void set_program_folder_for_tests(const QString& folder);

// True when the program runs installed.
bool is_installed();

// A file shipped with the program (default colours, help guide, demo collection).
QString shipped_file(const char* name);

// The user's colour scheme, whether it exists or not.
QString user_color_file();
// The colour file to read at start-up: the user's when it exists, else the shipped default.
QString color_file_to_read();

// The demo collection that "Open demo database" opens. Installed, this is the
// user's own copy, made from the shipped one the first time; when it cannot be
// made, error says why and the copy's path is still returned.
QString demo_database_path(QString* error = nullptr);

// The program's own folders in the user's configuration (settings, colours)
// and data (the demo copy) folders.
QString user_config_folder();
QString user_data_folder();
// Creates the folder, and any missing folder above it, for the user alone
// (0700), as the base-directory rules ask: the recent list names the user's
// collections. An existing folder is made private too. False when it cannot
// be made.
bool make_private_folder(const QString& folder);

// Where the file dialogs start.
QString documents_folder();

}  // namespace tessaran
