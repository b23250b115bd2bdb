#include "report_commands.h"

#include "catalogue/inventory_pdf.h"
#include "catalogue/web_catalogue.h"
#include "core/duplicates.h"
#include "core/record_file.h"
#include "core/session.h"
#include "dialogs/duplicates_window.h"
#include "dialogs/inventory_dialog.h"
#include "dialogs/record_sheet_dialog.h"
#include "dialogs/summary_choice_dialog.h"
#include "dialogs/web_catalogue_dialog.h"
#include "reports/record_sheet.h"
#include "reports/statistics_window.h"
#include "reports/summary_window.h"
#include "ui/user_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

namespace tessaran {

void show_summary(const Session& s, QWidget* parent)
{
    SummaryChoiceDialog choice(
        [&s, parent](SummaryKind kind) {
            SummaryWindow grid(s, kind, parent);
            if (grid.loaded())
                grid.exec();
        },
        parent);
    choice.run();
}

void print_sheets(const Session& s, QWidget* parent)
{
    RecordScanner db;
    if (const FileStatus st = db.open(s.path()); !st) {
        msgbox(parent,
               QStringLiteral("The kaleidoscopes could not be read from the database file ") + s.path()
                   + QStringLiteral(":\n") + st.error,
               MsgIcon::critical);
        return;
    }
    RecordSheetDialog* shown = nullptr;
    RecordSheetDialog dlg(
        s.ws().count(), s.ws().position(),
        [&shown, &s](int first, int last) {
            return print_record_sheets(shown, s.path(), s.ws(), first, last, shown->include_pictures());
        },
        [&shown, &s](int first, int last) {
            return preview_record_sheets(shown, s.path(), s.ws(), first, last, shown->include_pictures());
        },
        parent);
    shown = &dlg;
    dlg.exec();
}

void show_statistics(const Session& s, QWidget* parent)
{
    StatisticsWindow stats(s, parent);
    if (stats.loaded())
        stats.exec();
}

void export_web_catalogue(const Session& s, QWidget* parent)
{
    const QFileInfo collection(s.path());
    WebCatalogueDialog dialog(
        collection.absoluteDir().filePath(collection.completeBaseName() + QStringLiteral("-catalogue")), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString folder = dialog.folder();
    const QString shown = QDir::toNativeSeparators(folder);
    if (folder_has_entries(folder)
        && msgbox(parent,
                  QStringLiteral("The folder %1 already holds files.\nReplace the catalogue's files in it (index.html, "
                                 "style.css and the folders k, list and pictures)? Other files stay as they are.")
                      .arg(shown),
                  MsgIcon::question, MsgButtons::yes_no)
            != MsgAnswer::yes)
        return;

    QProgressDialog progress(QStringLiteral("Writing the web catalogue..."), QStringLiteral("Cancel"), 0,
                             qMax(1, s.ws().count()), parent);
    progress.setObjectName(QStringLiteral("web_progress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const WebCatalogueResult r = write_web_catalogue(s.path(), s.ws().records(), s.ws().count(), folder,
                                                     dialog.include_prices(), [&](int done, int) {
                                                         progress.setValue(done);
                                                         return !progress.wasCanceled();
                                                     });
    progress.reset();
    progress.hide();

    if (r.cancelled) {
        msgbox(parent, QStringLiteral("The web catalogue was not written: it was cancelled."), MsgIcon::information);
        return;
    }
    if (!r.status) {
        msgbox(parent, QStringLiteral("The web catalogue could not be written:\n") + r.status.error, MsgIcon::critical);
        return;
    }
    QString text = QStringLiteral("The web catalogue of %1 kaleidoscopes was written to %2.\nOpen index.html in it "
                                  "with a web browser.")
                       .arg(r.kaleidoscopes)
                       .arg(shown);
    if (!r.unreadable.isEmpty()) {
        text += QStringLiteral("\n\n%1 pictures could not be read; their pages name them:").arg(r.unreadable.size());
        for (qsizetype i = 0; i < r.unreadable.size() && i < 10; ++i)
            text += QLatin1Char('\n') + QDir::toNativeSeparators(r.unreadable.at(i));
        if (r.unreadable.size() > 10)
            text += QStringLiteral("\n...");
    }
    msgbox(parent, text, r.unreadable.isEmpty() ? MsgIcon::information : MsgIcon::exclamation);
}

namespace {

// What the user is told once the inventory is written.
QString inventory_written_text(const InventoryResult& r, int kaleidoscopes, const QString& shown)
{
    QString text = QStringLiteral("The inventory of %1 kaleidoscopes was written to %2 (%3 pages).")
                       .arg(kaleidoscopes)
                       .arg(shown)
                       .arg(r.pages);
    if (r.without_picture > 0)
        text += QStringLiteral("\n%1 kaleidoscopes have no picture; the inventory says so beside each.")
                    .arg(r.without_picture);
    if (r.unreadable > 0)
        text += QStringLiteral("\n%1 pictures could not be read; the inventory says so beside each.").arg(r.unreadable);
    return text;
}

}  // namespace

void print_inventory(const Session& s, QWidget* parent)
{
    if (s.ws().count() == 0) {
        msgbox(parent, QStringLiteral("There are no kaleidoscopes in the working set to list."), MsgIcon::information);
        return;
    }
    const QFileInfo collection(s.path());
    InventoryDialog dialog(
        collection.absoluteDir().filePath(collection.completeBaseName() + QStringLiteral("-inventory.pdf")), parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString file = dialog.file();
    const QString shown = QDir::toNativeSeparators(file);
    if (QFileInfo::exists(file)
        && msgbox(parent, QStringLiteral("The file %1 already exists.\nReplace it?").arg(shown), MsgIcon::question,
                  MsgButtons::yes_no)
            != MsgAnswer::yes)
        return;
    std::vector<InventoryLine> lines;
    if (const FileStatus st = inventory_lines(s.path(), s.ws().records(), s.ws().count(), lines); !st) {
        msgbox(parent, QStringLiteral("The inventory could not be made:\n") + st.error, MsgIcon::critical);
        return;
    }
    QProgressDialog progress(QStringLiteral("Writing the inventory..."), QStringLiteral("Cancel"), 0, int(lines.size()),
                             parent);
    progress.setObjectName(QStringLiteral("inventory_progress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const InventoryOptions options{collection.completeBaseName(), QDate::currentDate(), dialog.value()};
    const InventoryResult r = write_inventory_pdf(file, lines, options, [&](int done, int) {
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    progress.reset();
    progress.hide();
    if (r.cancelled)
        msgbox(parent, QStringLiteral("The inventory was not written: it was cancelled."), MsgIcon::information);
    else if (!r.status)
        msgbox(parent, r.status.error, MsgIcon::critical);
    else
        msgbox(parent, inventory_written_text(r, int(lines.size()), shown), MsgIcon::information);
}

void show_possible_duplicates(const Session& s, QWidget* parent, const std::function<void(int)>& show)
{
    std::vector<DuplicateGroup> groups;
    if (const FileStatus st = possible_duplicates(s.path(), s.ws().records(), s.ws().count(), groups); !st) {
        msgbox(parent, QStringLiteral("The kaleidoscopes could not be compared:\n") + st.error, MsgIcon::critical);
        return;
    }
    if (groups.empty()) {
        msgbox(parent,
               QStringLiteral("No two of the %1 kaleidoscopes of the working set share a name and artist or a "
                              "picture.")
                   .arg(s.ws().count()),
               MsgIcon::information);
        return;
    }
    DuplicatesWindow window(groups, s.ws().count(), parent);
    QObject::connect(&window, &DuplicatesWindow::position_chosen, &window, show);
    window.exec();
}

bool run_report_command(Command c, const Session& s, QWidget* parent, const std::function<void(int)>& show)
{
    switch (c) {
    case Command::summary: show_summary(s, parent); return true;
    case Command::statistics: show_statistics(s, parent); return true;
    case Command::print_sheets: print_sheets(s, parent); return true;
    case Command::inventory: print_inventory(s, parent); return true;
    case Command::web_catalogue: export_web_catalogue(s, parent); return true;
    case Command::duplicates: show_possible_duplicates(s, parent, show); return true;
    default: return false;
    }
}

}  // namespace tessaran
