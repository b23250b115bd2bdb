#include "collection_watch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>

namespace tessaran {

CollectionWatch::CollectionWatch(const QString& path, QObject* parent)
    : QObject(parent), path_(path), watcher_(new QFileSystemWatcher(this))
{
    watcher_->addPath(QFileInfo(path).absolutePath());
    watcher_->addPath(path);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &CollectionWatch::follow);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &CollectionWatch::follow);
}

void CollectionWatch::follow()
{
    if (!watcher_->files().contains(path_) && QFileInfo::exists(path_))
        watcher_->addPath(path_);
    emit touched();
}

}  // namespace tessaran
