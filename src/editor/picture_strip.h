// The record editor's Images frame: a numbered button per picture of the
// record, the four picture commands, and a viewer per picture position that
// the strip opens, closes and keeps track of.
#pragma once

#include "images/picture_viewer.h"

#include <QGroupBox>
#include <QPointer>

#include <array>
#include <vector>

class QImage;
class QPushButton;

namespace tessaran {

class PictureStrip : public QGroupBox {
    Q_OBJECT
public:
    explicit PictureStrip(QWidget* parent);

    // A button for each picture file (picture i is files[i - 1]), placed as
    // the design places them, with the commands after them.
    void show_pictures(const QStringList& files);
    // Paints the buttons of the picture positions (1..10) that were changed.
    void mark_changed(const std::vector<int>& positions, const QColor& colour);
    // The button of picture position i (1..10).
    QPushButton* button(int i) const { return buttons_.at(std::size_t(i - 1)); }
    QPushButton* add_button() const { return add_; }
    QPushButton* remove_button() const { return remove_; }
    QPushButton* show_all_button() const { return show_all_; }
    QPushButton* close_all_button() const { return close_all_; }

    // The viewer of picture position i, once it has been opened.
    PictureViewer* viewer(int i) const { return viewers_.at(std::size_t(i - 1)); }
    bool viewer_open(int i) const;
    // Shows picture i in its viewer (made on first use) and brings it forward;
    // largest is the size the viewer may open with.
    void show_in_viewer(int i, const QString& file, const QImage& picture, const QSize& natural, const QSize& largest);
    // Brings an open viewer forward; false when it is not open.
    bool raise_viewer(int i);
    // Closes viewer i; true when it was open.
    bool close_viewer(int i);
    void close_all_viewers();

signals:
    void picture_chosen(int i);
    // A viewer was closed by its user.
    void viewer_closed();

private:
    std::array<QPushButton*, 10> buttons_{};
    std::array<QPointer<PictureViewer>, 10> viewers_;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* show_all_ = nullptr;
    QPushButton* close_all_ = nullptr;
};

}  // namespace tessaran
