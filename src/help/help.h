// The help command: the HTML user guide beside the program, shown in the
// program's own help window; the web browser is an extra.
#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace tessaran {

// Opens a URL; returns whether it worked (the answer is not acted on).
using HelpOpener = std::function<bool(const QUrl&)>;
// Replaces the opener (tests record the URL instead of starting a browser);
// an empty function restores QDesktopServices::openUrl.
void set_help_opener(HelpOpener opener);
// Hands the URL to the web browser; false when none could be started.
bool open_in_web_browser(const QUrl& url);

// The guide's path: beside the program, or in the installed data folder.
QString help_file_path();
// Shows the guide in the help window of the given window (one each, raised
// when already open); a missing guide is told.
void show_help(QWidget* parent);

}  // namespace tessaran
