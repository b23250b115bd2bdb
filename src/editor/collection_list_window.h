// The collection list: every kaleidoscope of the working set at once, with its
// first picture, narrowed as the user types and ordered by a column. It
// follows the editor and shows the record chosen there.
#pragma once

#include "core/criteria.h"
#include "core/record_file.h"

#include <QWidget>

#include <utility>
#include <vector>

class QAbstractItemView;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QLineEdit;
class QStackedWidget;
class QTableView;
class QTimer;
class QToolButton;

namespace tessaran {

class CollectionGallery;
class CollectionGroupTree;
class CollectionListModel;
struct Session;

class CollectionListWindow : public QWidget {
    Q_OBJECT
public:
    // The list's contents; the editor shows it beside itself, in a window of
    // its own or docked at its side.
    explicit CollectionListWindow(QWidget* parent);

    // Shows the session's working set anew when it or the file changed since
    // the list was read, and marks the record shown in the editor.
    void follow(const Session& session);
    CollectionListModel* model() const { return model_; }
    // The words typed in the filter; typing others.
    QString filter() const;
    void set_filter(const QString& words);
    // Room for the columns shown, as wide as what they hold, and a
    // screenful of rows.
    QSize sizeHint() const override;
    // The field the list is grouped by and the group of its current row;
    // GroupField::none when the list shows no group.
    std::pair<GroupField, QString> current_group() const;

signals:
    // The user chose the kaleidoscope at this working-set position.
    void position_chosen(int position);
    // Escape, with nothing typed in the filter: the list would be put away.
    void dismissed();
    // "Select this group": the working set becomes the group.
    void group_chosen(const Criteria& group);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // "Group by:" and "Select this group".
    QHBoxLayout* build_grouping();
    // What each control and view does.
    void connect_views();
    void show_count();
    // The heading's menu where it was asked for (at, in the heading).
    void choose_columns(const QPoint& at);
    // The heading's menu for a column, at global: sort the view by the
    // column, up or down, then a field per line, ticked while it is a column.
    void heading_menu(int column, const QPoint& global);
    // Shows or hides a field's column and remembers the choice.
    void show_field(int field, bool shown);
    void apply_hidden_fields();
    // Reads the pictures of the rows in view.
    void read_pictures_in_view();
    // Shows the rows as the list or as the gallery, and remembers it.
    void show_as_gallery(bool gallery);
    // The view shown: the table or the gallery.
    QAbstractItemView* view() const;
    // Columns as wide as what they hold, once the list first has rows.
    void fit_columns();
    // Groups the list's rows by the field chosen in "Group by" (none: the plain list).
    void group_by_choice();

    CollectionListModel* model_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QLabel* count_ = nullptr;
    QTableView* table_ = nullptr;
    CollectionGallery* gallery_ = nullptr;
    CollectionGroupTree* groups_ = nullptr;
    QComboBox* group_by_ = nullptr;
    QPushButton* select_group_ = nullptr;
    QStackedWidget* views_ = nullptr;
    QToolButton* as_list_ = nullptr;
    QToolButton* as_gallery_ = nullptr;
    bool columns_fitted_ = false;
    int position_ = 0;          // the working-set position shown in the editor
    QTimer* rested_ = nullptr;  // fires once scrolling or typing has rested
    // What the rows were read from: a change to any means reading again.
    QString path_;
    std::vector<int> records_;
    FileStamp stamp_;
};

}  // namespace tessaran
