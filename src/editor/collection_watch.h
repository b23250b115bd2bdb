// Watches a collection file and its folder for writes by other programs. The
// folder too: a save elsewhere puts a new file in the collection's place, and
// the watch on the old one ends with it; the new file is watched from then on.
#pragma once

#include <QObject>
#include <QString>

class QFileSystemWatcher;

namespace tessaran {

class CollectionWatch : public QObject {
    Q_OBJECT
public:
    CollectionWatch(const QString& path, QObject* parent);

signals:
    // The file or its folder changed.
    void touched();

private:
    void follow();

    QString path_;
    QFileSystemWatcher* watcher_;
};

}  // namespace tessaran
