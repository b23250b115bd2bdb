// The collection list as a gallery: a grid of large pictures, each with the
// kaleidoscope's name and artist under it, over the same rows as the list
// (filter, order and the marked record).
#pragma once

#include <QListView>

namespace tessaran {

class CollectionListModel;

class CollectionGallery : public QListView {
    Q_OBJECT
public:
    CollectionGallery(CollectionListModel* model, QWidget* parent);

    // The rows whose tiles are in view, first and last (-1 when none).
    std::pair<int, int> rows_in_view() const;
};

}  // namespace tessaran
