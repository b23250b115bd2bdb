// The record editor's Images frame: the pictures of the record shown as the
// user changes them, a numbered button per picture, the four picture commands
// (adding, removing, showing and closing; the viewers follow their pictures),
// and a viewer per picture position that the strip opens, closes and keeps
// track of.
#pragma once

#include "core/picture_list.h"
#include "core/record_file.h"
#include "images/picture_viewer.h"

#include <QGroupBox>
#include <QPointer>

#include <array>
#include <functional>
#include <vector>

class QImage;
class QPushButton;

namespace tessaran {

class PictureStrip : public QGroupBox {
    Q_OBJECT
public:
    // The pictures of the collection at collection (their paths are stored
    // relative to it).
    PictureStrip(const QString& collection, QWidget* parent);

    // The record's pictures as the user changed them.
    const PictureList& pictures() const { return pictures_; }
    // Shows these pictures, a button each.
    void set_pictures(const PictureList& pictures);
    // The largest size (twips) a viewer may open with.
    void set_largest_picture(const QSize& twips) { largest_ = twips; }
    // Asked once a picture is found missing: offers to look for the
    // collection's missing pictures; true when the search ran.
    void set_missing_search(std::function<bool()> offer) { offer_search_ = std::move(offer); }

    // The scope name a picture copied into the picture folder is named by.
    void set_scope_name(std::function<QString()> scope_name) { scope_name_ = std::move(scope_name); }

    // The picture commands.
    void add_picture();
    void remove_picture();
    // Opens picture i (1..10), offering another file when it is missing.
    void open_picture(int i);
    void show_all_pictures();
    void close_all_pictures();
    // Removes picture n; the later ones move down, their viewers with them.
    void remove_picture_at(int n);
    // The scheme's colours for the frame, its title and its buttons.
    void apply_colors();
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
    // A button for each picture, placed as the design places them, with the
    // commands after them.
    void show_buttons();
    void open_viewer(int n);
    QString file_of(int n) const;
    // The stored form of a picture the user chose; where its path cannot be
    // kept, offers a copy in the collection's picture folder. False when it is
    // not to be added (the user has been told why).
    bool picture_to_store(const QString& chosen, QString& stored);
    FileStatus copy_with_progress(const QString& chosen, QString& stored);

    QString collection_;
    PictureList pictures_;
    QSize largest_;
    std::function<bool()> offer_search_;
    std::function<QString()> scope_name_;
    std::array<QPushButton*, 10> buttons_{};
    std::array<QPointer<PictureViewer>, 10> viewers_;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* show_all_ = nullptr;
    QPushButton* close_all_ = nullptr;
};

}  // namespace tessaran
