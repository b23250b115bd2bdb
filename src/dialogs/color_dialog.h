// The colour dialog: edits a working copy of the colour scheme with a live
// preview, restores defaults from the default file, and on Accept writes the
// user's colour file in the program folder.
#pragma once

#include "core/color_file.h"

#include <QDialog>
#include <QFrame>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace tessaran {

// A clickable colour swatch (mouse or Space/Enter).
class ColorBox : public QFrame {
    Q_OBJECT
public:
    explicit ColorBox(QWidget* parent = nullptr);
    void set_color(const QColor& c);
    QColor color() const { return color_; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QColor color_;
};

class ColorDialog : public QDialog {
    Q_OBJECT
public:
    explicit ColorDialog(QWidget* parent = nullptr);

    // The colours as chosen so far (stored only by OK).
    const ColorScheme& chosen_colors() const { return temp_colors; }
    // 1: temp_colors = color_scheme; 2: color_scheme = temp_colors.
    void actual_temp(int direction);
    // Copies the item's entries (999: all) from the default colour file into
    // temp_colors; tells the user and uses the built-in scheme when that file
    // cannot be read.
    void set_default_colors(int item);
    // Shows item n in the boxes and the list.
    void select_item(int n);
    int selected_item() const { return item_; }
    // A click on colour box slot 0..4, or 5 for the single box.
    void box_clicked(int slot);

    void restore_default();
    void restore_all_defaults();
    void save_scheme();
    void cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build_controls();
    // The colour boxes with their captions; the sample window that previews the scheme.
    void build_boxes();
    void build_preview();
    void show_boxes();
    void paint_preview();
    void paint_sample_frame(int k);

    int item_ = 0;
    ColorScheme temp_colors{};
    QComboBox* combo_frame = nullptr;
    QGroupBox* frame_change = nullptr;
    std::array<QLabel*, 5> lbl_boxes{};   // "Frame" ... "Text foreground"
    std::array<ColorBox*, 6> pb_boxes{};  // five captioned boxes, then the single box
    QStackedWidget* box_pages = nullptr;
    // Preview.
    QFrame* pb_sample_form = nullptr;           // window background sample
    std::array<QGroupBox*, 5> sample_frames{};  // parameters, characteristics, purchase, place, images
    std::array<QLabel*, 4> sample_labels{};
    std::array<QLineEdit*, 4> sample_texts{};
    QLabel* sample_control = nullptr;  // the control strip
    std::array<QPushButton*, 2> sample_buttons{};
    QPushButton* cmd_default_choice = nullptr;
    QPushButton* cmd_default_all = nullptr;
    QPushButton* cmd_cancel = nullptr;
    QPushButton* cmd_accept = nullptr;
};

}  // namespace tessaran
