// The summary window's header panel: text put at pixel positions, as the
// window's heading lines are laid out, kept so the panel can repaint itself.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QWidget>

#include <vector>

namespace tessaran {

class SummaryHeaderPanel : public QWidget {
    Q_OBJECT
public:
    struct Item {
        double left = 0;  // left end of the text, px
        double top = 0;   // top of the line, px
        QString text;
        QColor color;
        bool bold = false;
    };

    explicit SummaryHeaderPanel(QWidget* parent = nullptr);

    // print_at: justification 0 puts the left end at x, 1 the middle, 2 the right end.
    void print_at(double x, double y, const QString& text, int justification, const QColor& color = Qt::black,
                  bool bold = false);
    void clear_items();
    const std::vector<Item>& items() const { return items_; }
    int text_width(const QString& text, bool bold = false) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The drawn lines become the panel's accessible description.
    void tell_screen_readers();

    std::vector<Item> items_;
};

}  // namespace tessaran
