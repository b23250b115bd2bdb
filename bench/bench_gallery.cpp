// Pictures at full size. The collection list as a gallery: every kaleidoscope
// with a picture beside the collection (1,000 different ones) whose
// thumbnails are already in the disk cache, as on the second opening of a
// collection. The inventory: the whole collection without pictures, and
// 1,000 kaleidoscopes with theirs, none cached, in a fresh process.
#include "bench_env.h"
#include "child_process.h"
#include "collection.h"

#include "app/start_window.h"
#include "catalogue/inventory_pdf.h"
#include "catalogue/web_catalogue.h"
#include "core/collection_history.h"
#include "core/duplicates.h"
#include "core/field_change.h"
#include "core/field_text.h"
#include "core/working_set.h"
#include "dialogs/field_change_dialog.h"
#include "editor/collection_list_window.h"
#include "editor/record_editor.h"
#include "pictures/thumbnail_cache.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QDockWidget>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QUrl>

#include <benchmark/benchmark.h>

namespace tessaran::bench {

namespace {

constexpr int picture_count = 1000;

QString gallery_folder()
{
    return QDir(env().tmp.path()).filePath(QStringLiteral("gallery"));
}

// The folder of the pictures the first time, with their thumbnails cached;
// false when they cannot be made.
bool make_pictures()
{
    static const bool made = [] {
        const QDir dir(gallery_folder());
        dir.mkpath(QStringLiteral("pictures"));
        // The thumbnails stay out of the user's own cache.
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
        for (int i = 0; i < picture_count; ++i) {
            QImage picture(640, 480, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(i * 360 / picture_count, 160, 200));
            const QString path = dir.filePath(QStringLiteral("pictures/p%1.jpg").arg(i));
            if (!picture.save(path, "JPEG")
                || store_thumbnail(path, picture.scaled(256, 256, Qt::KeepAspectRatio)).isEmpty())
                return false;
        }
        return true;
    }();
    return made;
}

// A collection of count kaleidoscopes beside the pictures, record i showing
// picture i modulo their number; empty with the reason in error.
QString collection_with_pictures(const QString& name, int count, QString& error)
{
    if (!make_pictures()) {
        error = QStringLiteral("cannot make the pictures");
        return QString();
    }
    const QString rnd = QDir(gallery_folder()).filePath(name);
    const bool written = write_collection(rnd, count, error, [](ScopeRecord& r, int i) {
        r.image_count = qMax<qint16>(r.image_count, 1);
        r.image_files[1] = fixed_text(QStringLiteral("pictures/p%1.jpg").arg(i % picture_count), image_slot_width);
    });
    return written ? rnd : QString();
}

// The gallery's collection opened in an editor of its own; nullptr with the
// reason in error.
RecordEditor* gallery_editor(QString& error)
{
    // Kept in the environment, which closes it before the application goes.
    std::unique_ptr<StartWindow>& startup = env().gallery_startup;
    static RecordEditor* ed = nullptr;
    if (ed || startup)
        return ed;
    const QString rnd = collection_with_pictures(QStringLiteral("gallery.rnd"), collection_size, error);
    if (rnd.isEmpty())
        return nullptr;
    QSettings().setValue(QStringLiteral("collection_list/view"), QStringLiteral("gallery"));
    startup = std::make_unique<StartWindow>();
    if (!startup->open_database(rnd)) {
        error = QStringLiteral("the gallery's collection did not open");
        return nullptr;
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* k = qobject_cast<RecordEditor*>(w); k && k != env().ed)
            ed = k;
    }
    return ed;
}

// Whether every tile in view shows its picture (its tooltip holds the preview).
bool pictures_shown(QListView* gallery)
{
    const QAbstractItemModel* model = gallery->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (!gallery->viewport()->rect().intersects(gallery->visualRect(index)))
            return row > 0;
        if (!index.data(Qt::ToolTipRole).toString().contains(QLatin1String("<img")))
            return false;
    }
    return true;
}

// From Ctrl+L until the gallery is painted with the pictures of every tile in
// view; closing it is not timed.
void gallery_window(benchmark::State& st)
{
    QString error;
    RecordEditor* ed = gallery_editor(error);
    if (!ed) {
        st.SkipWithError(qPrintable(error));
        return;
    }
    for (auto _ : st) {
        ed->show_collection_list();
        auto* gallery = ed->findChild<QListView*>(QStringLiteral("list_gallery"));
        const QDeadlineTimer deadline(20000);
        while (!pictures_shown(gallery) && !deadline.hasExpired())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        gallery->repaint();
        st.PauseTiming();
        if (deadline.hasExpired() || gallery->model()->rowCount() != collection_size)
            st.SkipWithError("the gallery did not show its pictures");
        delete ed->findChild<QDockWidget*>(QStringLiteral("dock_list"));
        QApplication::processEvents();
        st.ResumeTiming();
    }
}

// One keystroke in the filter with the gallery shown: the tiles narrowed and
// painted.
void gallery_filter(benchmark::State& st)
{
    QString error;
    RecordEditor* ed = gallery_editor(error);
    if (!ed) {
        st.SkipWithError(qPrintable(error));
        return;
    }
    ed->show_collection_list();
    QApplication::processEvents();
    auto* gallery = ed->findChild<QListView*>(QStringLiteral("list_gallery"));
    type_in_filter(st, ed->findChild<QLineEdit*>(QStringLiteral("list_filter")), gallery);
    delete ed->findChild<QDockWidget*>(QStringLiteral("dock_list"));
    QApplication::processEvents();
}

// The inventory of the whole collection as "Print inventory..." writes it:
// the lines read, every page drawn and written. The collection's pictures are
// named but not there, so each line says so instead.
void inventory(benchmark::State& st)
{
    WorkingSet all;
    all.reset_to_all(collection_size);
    const QString pdf = env().pdf_path + QStringLiteral(".inventory.pdf");
    for (auto _ : st) {
        std::vector<InventoryLine> lines;
        const InventoryResult r = inventory_lines(env().rnd, all.records(), all.count(), lines)
            ? write_inventory_pdf(pdf, lines, {QStringLiteral("bench"), QDate(2026, 12, 9), InventoryValue::retail})
            : InventoryResult{FileStatus::failure(QStringLiteral("unread"))};
        if (!r.status)
            st.SkipWithError(qPrintable(r.status.error));
    }
    QFile::remove(pdf);
}

// 1,000 kaleidoscopes each with its own picture, read from the picture files
// (no thumbnail cached): tessaran-rnd inventory in a process of its own.
void inventory_pictures(benchmark::State& st)
{
    QString error;
    const QString rnd = collection_with_pictures(QStringLiteral("inventory.rnd"), picture_count, error);
    if (rnd.isEmpty()) {
        st.SkipWithError(qPrintable(error));
        return;
    }
    const QByteArray cache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(QDir(gallery_folder()).filePath(QStringLiteral("no-cache"))));
    const QByteArray tool = QFile::encodeName(QStringLiteral(TESSARAN_BIN_DIR "/tessaran-rnd"));
    const QByteArray pdf = QFile::encodeName(rnd + QStringLiteral(".pdf"));
    for (auto _ : st) {
        const ChildRun run = run_child({tool, QByteArrayLiteral("inventory"), QFile::encodeName(rnd), pdf});
        if (!run.ok)
            st.SkipWithError("tessaran-rnd inventory failed");
        inventory_pictures_peak_mb() = std::max(inventory_pictures_peak_mb(), run.peak_rss_mb);
    }
    qputenv("XDG_CACHE_HOME", cache);
}

// The gallery's collection as a web catalogue, written once; empty when it
// cannot be.
QString catalogue_of_pictures()
{
    static const QString index = [] {
        QString error;
        const QString rnd = collection_with_pictures(QStringLiteral("web.rnd"), collection_size, error);
        if (rnd.isEmpty())
            return QString();
        WorkingSet all;
        all.reset_to_all(collection_size);
        const QString folder = QDir(gallery_folder()).filePath(QStringLiteral("catalogue"));
        const WebCatalogueResult r = write_web_catalogue(rnd, all.records(), all.count(), folder, true);
        return r.status ? folder + QStringLiteral("/index.html") : QString();
    }();
    return index;
}

// Headless Chromium from its start until it has loaded the page at address
// and run its script (a blank page: the browser's own start); the page as the
// browser ended with it.
QString load_in_browser(const QString& address)
{
    QProcess browser;
    browser.start(QStringLiteral("chromium"),
                  {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                   QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
                   QStringLiteral("--user-data-dir=") + QDir(gallery_folder()).filePath(QStringLiteral("profile")),
                   QStringLiteral("--dump-dom"), address});
    if (!browser.waitForFinished(60000))
        browser.kill();
    return QString::fromUtf8(browser.readAllStandardOutput());
}

// The catalogue's first page in a browser, as it opens, or with a search
// over the whole collection asked for in its address.
Body web_in_browser(const QString& query, const QString& expected)
{
    return [query, expected](benchmark::State& st) {
        if (QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty()) {
            st.SkipWithError("Chromium is not installed");
            return;
        }
        const QString index = query.isNull() ? QString() : catalogue_of_pictures();
        if (!query.isNull() && index.isEmpty()) {
            st.SkipWithError("the catalogue could not be written");
            return;
        }
        const QString address
            = query.isNull() ? QStringLiteral("about:blank") : QUrl::fromLocalFile(index).toString() + query;
        for (auto _ : st) {
            if (!load_in_browser(address).contains(expected))
                st.SkipWithError("the page did not load as it should");
        }
    };
}

// "Find possible duplicates" over the whole collection, before its window:
// every record's name and artist folded and compared, every first picture.
void duplicates(benchmark::State& st)
{
    WorkingSet all;
    all.reset_to_all(collection_size);
    for (auto _ : st) {
        std::vector<DuplicateGroup> groups;
        if (!possible_duplicates(env().rnd, all.records(), all.count(), groups))
            st.SkipWithError("the collection could not be read");
    }
}

// A change to every kaleidoscope of the collection, as "Change a field..."
// and tessaran-rnd replace make it: planned (each record read, checked and
// encoded again), then one safe write with its one entry in the history.
void change_many(benchmark::State& st)
{
    const QString rnd = QDir(env().tmp.path()).filePath(QStringLiteral("many.rnd"));
    QFile::remove(history_path_of(rnd));
    CollectionHistory history(rnd);
    if (!copy_file(env().rnd_pristine, rnd) || !history.open()) {
        st.SkipWithError("no collection to change");
        return;
    }
    WorkingSet all;
    all.reset_to_all(collection_size);
    int i = 0;
    for (auto _ : st) {
        FieldChangePlan plan;
        const ChangeForMany change{m_store, false, {}, QStringLiteral("Gallery %1").arg(i++ % 2)};
        if (!plan_field_change(rnd, all.records(), all.count(), change, plan) || plan.changes.empty()
            || !write_field_change(rnd, plan, recorded_in(history)))
            st.SkipWithError("the change was not written");
    }
}

// "Show changes" in Change a field... for the whole collection: every
// kaleidoscope's store planned anew and listed before and after.
void change_preview(benchmark::State& st)
{
    WorkingSet all;
    all.reset_to_all(collection_size);
    FieldChangeDialog dialog(
        env().rnd, [&all] { return all.positions(); }, GroupField::none, QString());
    auto* field = dialog.findChild<QComboBox*>(QStringLiteral("change_field"));
    field->setCurrentIndex(field->findText(QStringLiteral("Store/Gallery")));
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("change_list"));
    int i = 0;
    for (auto _ : st) {
        dialog.findChild<QComboBox*>(QStringLiteral("change_to"))->setEditText(QStringLiteral("Gallery %1").arg(i++));
        dialog.findChild<QPushButton*>(QStringLiteral("change_preview"))->click();
        if (list->topLevelItemCount() != collection_size)
            st.SkipWithError("not every kaleidoscope is listed");
    }
}

}  // namespace

double& inventory_pictures_peak_mb()
{
    static double peak = 0;
    return peak;
}

void register_gallery_benchmarks()
{
    reg("gallery_window", gallery_window, 1, 5);
    reg("gallery_filter", gallery_filter, 6, 5);
    reg("inventory", inventory, 1, 3);
    reg("inventory_pictures", inventory_pictures, 1, 3);
    reg("duplicates", duplicates, 1, 5);
    reg("change_many", change_many, 1, 3);
    reg("change_preview", change_preview, 1, 3);
    reg("web_browser_start", web_in_browser(QString(), QStringLiteral("<body>")), 1, 3);
    reg("web_index_page", web_in_browser(QStringLiteral(""), QStringLiteral("Kaleidoscopes 1 to 500 of 32767")), 1, 3);
    reg("web_search_all", web_in_browser(QStringLiteral("#q=sen"), QStringLiteral(" of 32767 kaleidoscopes")), 1, 3);
}

}  // namespace tessaran::bench
