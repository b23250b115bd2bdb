// The picture viewer: one picture of the record being edited in a window of
// its own, fitted into the editor's viewer limits, with the zoom percentage
// under it; after the user resizes it, it refits once and snaps the window to
// the picture's proportions.
#pragma once

#include "core/image_fit.h"

#include <QImage>
#include <QWidget>

class QLabel;
class QTimer;

namespace tessaran {

// pb_dest: draws the loaded picture scaled to its own size.
class PictureArea : public QWidget {
    Q_OBJECT
public:
    explicit PictureArea(QWidget* parent = nullptr);
    void set_picture(const QImage* picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const QImage* picture_ = nullptr;
};

class PictureViewer : public QWidget {
    Q_OBJECT
public:
    // A top-level window; editor (may be null) owns it and gets the focus back
    // when it closes.
    explicit PictureViewer(QWidget* editor = nullptr);

    // Opening: index is the picture's position and path its file (the editor's
    // current_viewer_path); largest_w x largest_h (pixels) the editor's
    // viewer limits. The picture is already decoded (see picture_loader.h).
    // natural is the picture's own size; the decoded picture may be smaller.
    void open_picture(int index, const QString& path, const QImage& picture, const QSize& natural, int largest_w,
                      int largest_h);

    // Fit into the given largest size, size and centre the drawing area, draw,
    // place the zoom label.
    void redraw_picture(int largest_w, int largest_h);
    // The refit after the user resized the window (Timer1's timeout).
    void Timer1_Timer();

    // Viewers cascade this far apart, pixels (300 twips).
    static int cascade_step();

signals:
    // The viewer of image position index was closed.
    void viewer_closed(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void place_picture();

    QImage picture_;  // the loaded picture at its natural size
    int index_ = 0;
    PictureSize natural_;
    PictureSize shown_;
    RefitLimits limits_;
    int margin_ = 0;
    bool busy_ = false;
    QSize expected_size_;  // the size this window last gave itself
    PictureArea* pb_dest = nullptr;
    QLabel* lbl_sizebox = nullptr;
    QTimer* Timer1 = nullptr;
};

}  // namespace tessaran
