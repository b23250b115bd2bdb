// The collection list as a gallery at full size: every kaleidoscope with a
// picture beside the collection (1,000 different ones) whose thumbnails are
// already in the disk cache, as on the second opening of a collection.
#include "bench_env.h"
#include "collection.h"

#include "app/start_window.h"
#include "core/field_text.h"
#include "editor/collection_list_window.h"
#include "editor/record_editor.h"
#include "pictures/thumbnail_cache.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDockWidget>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QSettings>

#include <benchmark/benchmark.h>

namespace tessaran::bench {

namespace {

constexpr int picture_count = 1000;

// The gallery's collection opened in an editor of its own; nullptr with the
// reason in error.
RecordEditor* gallery_editor(QString& error)
{
    static std::unique_ptr<StartWindow> startup;
    static RecordEditor* ed = nullptr;
    if (ed || startup)
        return ed;
    const QDir dir(env().tmp.path());
    dir.mkpath(QStringLiteral("gallery/pictures"));
    // The thumbnails stay out of the user's own cache.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("cache"))));
    for (int i = 0; i < picture_count; ++i) {
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(i * 360 / picture_count, 160, 200));
        const QString path = dir.filePath(QStringLiteral("gallery/pictures/p%1.jpg").arg(i));
        if (!picture.save(path, "JPEG")
            || store_thumbnail(path, picture.scaled(256, 256, Qt::KeepAspectRatio)).isEmpty()) {
            error = QStringLiteral("cannot make the gallery's pictures");
            return nullptr;
        }
    }
    const QString rnd = dir.filePath(QStringLiteral("gallery/gallery.rnd"));
    const bool written = write_collection(rnd, collection_size, error, [](ScopeRecord& r, int i) {
        r.image_count = qMax<qint16>(r.image_count, 1);
        r.image_files[1] = fixed_text(QStringLiteral("pictures/p%1.jpg").arg(i % picture_count), image_slot_width);
    });
    if (!written)
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
// painted. The keystrokes type "sen" and take it back again.
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
    auto* filter = ed->findChild<QLineEdit*>(QStringLiteral("list_filter"));
    const QStringList typed{QStringLiteral("s"),  QStringLiteral("se"), QStringLiteral("sen"),
                            QStringLiteral("se"), QStringLiteral("s"),  QString()};
    int i = 0;
    for (auto _ : st) {
        filter->setText(typed.at(i++ % typed.size()));
        gallery->repaint();
    }
    delete ed->findChild<QDockWidget*>(QStringLiteral("dock_list"));
    QApplication::processEvents();
}

}  // namespace

void register_gallery_benchmarks()
{
    reg("gallery_window", gallery_window, 1, 5);
    reg("gallery_filter", gallery_filter, 6, 5);
}

}  // namespace tessaran::bench
