// The help command: the HTML user guide beside the program, handed to the
// desktop's viewer. Failures are silent.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

namespace tessaran {

// Opens a URL; returns whether it worked (the answer is not acted on).
using HelpOpener = std::function<bool(const QUrl&)>;
// Replaces the opener (tests record the URL instead of starting a browser);
// an empty function restores QDesktopServices::openUrl.
void set_help_opener(HelpOpener opener);

// The guide's path: beside the program, or in the installed data folder.
QString help_file_path();
// Shows the guide; does nothing when it is missing or cannot be shown.
void show_help();

}  // namespace tessaran
