// The collection list beside the editor, and the web catalogue of the working set.
#include "collection_list_window.h"
#include "record_editor.h"

#include "core/session.h"
#include "dialogs/web_catalogue_dialog.h"
#include "reports/web_catalogue.h"
#include "ui/screen_placement.h"
#include "ui/user_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>

#include <QGuiApplication>
#include <QScreen>

namespace tessaran {

CollectionListWindow* RecordEditor::collection_list() const
{
    return list_window_;
}

void RecordEditor::show_collection_list()
{
    if (!list_window_) {
        list_window_ = new CollectionListWindow(this);
        connect(list_window_, &CollectionListWindow::position_chosen, this, &RecordEditor::show_listed);
        // Beside the editor where the screen has room, else at the screen's
        // right edge, over the editor's right part.
        const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect();
        const QRect frame = frameGeometry();
        const int width = list_window_->frameGeometry().width();
        int x = frame.right() + 1;
        if (!screen.isNull() && x + width - 1 > screen.right())
            x = frame.left() - width >= screen.left() ? frame.left() - width : screen.right() + 1 - width;
        list_window_->move(qMax(screen.left(), x), frame.top());
    }
    list_window_->show();
    list_window_->follow(session());
    list_window_->raise();
    list_window_->activateWindow();
    list_window_->setFocus();
}

void RecordEditor::export_web_catalogue()
{
    if (!working_set_ready())
        return;
    const Session& s = session();
    const QFileInfo collection(s.path);
    WebCatalogueDialog dialog(
        collection.absoluteDir().filePath(collection.completeBaseName() + QStringLiteral("-catalogue")), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString folder = dialog.folder();
    const QString shown = QDir::toNativeSeparators(folder);
    if (folder_has_entries(folder)
        && msgbox(this,
                  QStringLiteral("The folder %1 already holds files.\nReplace the catalogue's files in it (index.html, "
                                 "style.css and the folders k and pictures)? Other files stay as they are.")
                      .arg(shown),
                  MsgIcon::question, MsgButtons::yes_no)
            != MsgAnswer::yes)
        return;

    QProgressDialog progress(QStringLiteral("Writing the web catalogue..."), QStringLiteral("Cancel"), 0,
                             qMax(1, s.ws.count), this);
    progress.setObjectName(QStringLiteral("web_progress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    const WebCatalogueResult r
        = write_web_catalogue(s.path, s.ws.records, s.ws.count, folder, dialog.include_prices(), [&](int done, int) {
              progress.setValue(done);
              return !progress.wasCanceled();
          });
    progress.reset();
    progress.hide();

    if (r.cancelled) {
        msgbox(this, QStringLiteral("The web catalogue was not written: it was cancelled."), MsgIcon::information);
        return;
    }
    if (!r.status) {
        msgbox(this, QStringLiteral("The web catalogue could not be written:\n") + r.status.error, MsgIcon::critical);
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
    msgbox(this, text, r.unreadable.isEmpty() ? MsgIcon::information : MsgIcon::exclamation);
}

void RecordEditor::show_listed(int position)
{
    // The list was read before another program changed the collection: it
    // reads the collection again with the editor, and the user chooses anew.
    if (session().changed_elsewhere || session().file_changed_since_noted()) {
        catch_up();
        return;
    }
    if (position < 1 || position > session().ws.count || !settle_edits())
        return;
    show_position(position);
    raise();
    activateWindow();
}

}  // namespace tessaran
